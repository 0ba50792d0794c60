#pragma once
// The main window: every setting the user sees, the colour legend, the pattern editor, the
// type list and the menus. Its start-up restores the previous run's settings, its close asks
// about unsaved work and stores them again.

#include "core/settings/settings_file.h"
#include "core/style/band_tint.h"
#include "gui/recent_files.h"
#include "gui/remembered_state.h"
#include "gui/window_state.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <optional>

class QAction;
class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;
class QToolButton;

namespace orolith {
class Host;
struct ConversionOptions;
struct ConversionResult;
struct StyleOptions;
namespace dem {
struct DemOptions;
}
namespace download {
struct FetchedArea;
}
} // namespace orolith

namespace orolith::gui {

class ContourLinesBox;
class ConversionRunner;
struct FileFilter;
class LegendWidget;
class RampChooser;
class PatternEditor;
class PreviewPane;

// The bands of the type list: elevation, tab, type.
TypeList typeListOf(const QListWidget& list);

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    struct Options {
        HomePlaces places;      // where the settings, styles, tiles and maps go
        QString versionPageUrl; // empty: the maker's page
        bool checkForUpdate = true;
        bool reopenLastInput = false; // open the input of the last run again, if it still exists
    };

    explicit MainWindow(const Options& options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // What the window holds, read-only.
    const PaletteState& paletteState() const { return palette_; }
    const PatternState& patternState() const { return pattern_; }
    const KeptSettings& keptSettings() const { return kept_; }
    bool runActive() const;

    // The input named on the command line: shown and listed as if opened from the menu.
    void openInputFromCommandLine(const QString& path);
    PreviewPane* preview() const { return preview_; }

  signals:
    void runFinished();
    // The update check at start-up is over (whatever it found).
    void updateCheckFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Layout (main_window.cpp, side_panel.cpp).
    void buildControls();
    QWidget* buildSidePanel();
    QWidget* buildAreaGroup();
    QWidget* buildBandsGroup();
    QWidget* buildStyleGroup();
    QWidget* buildOutputGroup();
    QWidget* buildActionRow();
    void buildMenus();
    void buildFileMenu(QMenu* menu);
    void buildMapMenu(QMenu* menu);

    // Start-up, settings file and close (main_window_startup.cpp).
    void startUp(const Options& options);
    void restoreSettings(const QString& path);
    void storeSettings();
    bool confirmClose();
    void takePatternFromEditor();
    void startUpdateCheck(const Options& options);
    // The band options, the download area and the window's geometry (window_memory.cpp).
    void restoreRemembered();
    void storeRemembered();
    void reopenLastInput();

    // Recent inputs in the File menu (main_menus.cpp).
    void rememberInput(const QString& path);
    void showRecentFiles();

    // File, Colours, Options and Help menus (file_menu.cpp).
    void openFile();
    void openInput(const QString& path);
    void openRecent(int index);
    // Elevation models: several files become one mosaic file in the data folder.
    void openInputs(const QStringList& paths);
    QString mosaicPathFor(const QStringList& paths);
    bool inputIsElevationModel() const;
    static QString inputKindText(const QString& path);
    static bool isElevationModel(const QString& path);
    void updateElevationBoxes();
    // The band options of the boxes (only the input for a Geo Vector file); nothing, with
    // `problem` saying why, when a box holds no valid value.
    std::optional<dem::DemOptions> readElevationBoxes(QString& problem) const;
    // The same for a run: false after saying why.
    bool elevationOptions(dem::DemOptions& options) const;
    // Everything the list of bands depends on, to tell whether the list is still current.
    QString bandOptionsKey() const;
    void importPalette();
    void importPattern();
    void savePalette();
    void savePattern();
    void desaturateColours();
    void convertToShades();
    void editSwatch(int index);
    void locateTypTool();
    void openDownloadWindow();
    // An area fetched by the download window, opened as one mosaic file in `folder`, the
    // area's own folder in the maps folder.
    void openFetchedArea(const download::FetchedArea& area, const QString& folder);
    // True when nothing is at `path`, or the user agreed to replace it ("File exists." and
    // `question`).
    bool askReplace(const QString& path, const QString& question);
    // The replace question's text (see replaceQuestion) with the window's own sentences.
    static QString replaceQuestionText(const QString& path, const QString& exists, const QString& question);
    // The save dialog's choice with `extension` added, once replacing an existing file was
    // agreed to with `question`; empty when cancelled or declined.
    QString chooseSaveFile(const QString& folder, const QString& extension, const FileFilter& filter,
                           const QString& question);

    // Map and TYP runs, progress, output folders (run_commands.cpp).
    ConversionOptions conversionOptions() const;
    StyleOptions styleOptions() const;
    void createMap();
    void createTyp();
    void createGarminImage(); // garmin_run.cpp
    void listInput();
    void applyConversionResult(const ConversionResult& result, bool listOnly, const QString& input);
    bool startRun(std::function<void(Host&)> work, std::function<void()> whenDone);
    void setRunControlsEnabled(bool enabled);
    void showProgress(double percent);
    // The bar's text during a Garmin map run: the stage, the time so far and the time left.
    void startRunClock(const QString& stage);
    void stopRunClock();
    void showRunTime();
    void setProgressShown(bool shown);
    void findMapFolder();
    void findTypFile();

    // The map preview (main_window_preview.cpp).
    void buildPreview();
    // Reads the input again for the preview once the options have rested a moment.
    void schedulePreview();
    void previewInput();
    void restylePreview();
    void fitPreview();
    void listPreviewBands();

    // Band colours: ramp chooser and legend (main_window_tint.cpp).
    void connectRampChooser();
    TintChoice tintChoice() const;
    void refreshLegend();
    void editBandColour(int band);

    HomeFolder home_;
    CurrentInput input_;
    PaletteState palette_;
    PatternState pattern_;
    KeptSettings kept_;
    Settings restored_; // the settings file as read at start-up
    RememberedState remembered_;
    RecentFiles recentFiles_;
    ConversionRunner* runner_ = nullptr;
    PreviewPane* preview_ = nullptr;
    bool closeAfterRun_ = false;

    QLineEdit* inputBox_ = nullptr;               // Text4
    QLabel* inputKind_ = nullptr;                 // what the input is
    std::array<QToolButton*, 3> folderButtons_{}; // Command3
    QLineEdit* typPathBox_ = nullptr;             // Text6
    QLabel* mapPathLabel_ = nullptr;              // Label2
    QLineEdit* firstTypeBox_ = nullptr;           // Text2
    QLineEdit* maxDistanceBox_ = nullptr;         // Text3
    QLineEdit* maxDrawOrderBox_ = nullptr;        // Text5
    std::array<QCheckBox*, 4> levelBoxes_{};      // Check2
    QCheckBox* contoursBox_ = nullptr;            // Check1
    QLineEdit* intervalBox_ = nullptr;            // Interval (elevation models)
    QCheckBox* fillVoidsBox_ = nullptr;           // Fill voids (elevation models)
    QLineEdit* simplifyBox_ = nullptr;            // Simplify (elevation models, metres)
    ContourLinesBox* contourLinesBox_ = nullptr;  // ContourLines (elevation models)
    QLineEdit* baseBox_ = nullptr;                // Base (elevation models, metres)
    QSpinBox* smoothBox_ = nullptr;               // Smooth (elevation models, pixels)
    QTimer* previewTimer_ = nullptr;              // the options rest before the preview reads
    bool previewing_ = false;                     // the preview shows the current input
    QString previewOptions_;                      // the band options the preview read with
    QString runOptions_;                          // the band options of the run going on
    QCheckBox* rowPerBandBox_ = nullptr;          // Check3
    QCheckBox* oneColourBox_ = nullptr;           // Check4
    PatternEditor* patternEditor_ = nullptr;      // Text1
    QListWidget* typeList_ = nullptr;             // List1
    LegendWidget* legend_ = nullptr;              // Label4
    RampChooser* rampChooser_ = nullptr;          // rampChooser, rampFromFile, rampStrip
    std::map<std::string, Rgb> bandEdits_;        // colours picked for bands, by label
    QStringList seaInputs_;                       // fetched areas with tiles no source has (0 m is sea)
    QPushButton* createTypButton_ = nullptr;      // Command1
    QPushButton* createMapButton_ = nullptr;      // Command6
    QPushButton* createImageButton_ = nullptr;    // "Create Garmin map"
    QPushButton* cancelButton_ = nullptr;         // stops a Garmin map run
    QToolButton* downloadButton_ = nullptr;       // Picture2
    QLabel* updateLabel_ = nullptr;               // Label8
    QLabel* pointerStatus_ = nullptr;             // the status bar: what lies under the pointer
    QProgressBar* progressBar_ = nullptr;         // backprog
    static constexpr int kProgressSteps = 1000;   // a tenth of a percent each
    bool progressShown_ = false;
    QString runStage_;                                          // what the Garmin map run is doing
    QElapsedTimer runClock_;                                    // since it started
    QTimer* runTicker_ = nullptr;                               // refreshes the times every second
    QAction* openAction_ = nullptr;                             // mf(0)
    std::array<QAction*, 3> runActions_{};                      // Create mp, TYP, Garmin map
    std::array<QAction*, RecentFiles::kCount> recentActions_{}; // mf(12)..mf(15)
};

} // namespace orolith::gui
