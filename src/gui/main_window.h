#pragma once
// The main window: every setting the user sees, the colour legend, the pattern editor, the
// type list and the menus. Its start-up restores the previous run's settings, its close asks
// about unsaved work and stores them again.

#include "core/settings/settings_file.h"
#include "core/style/band_tint.h"
#include "gui/recent_files.h"
#include "gui/window_state.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>
#include <map>
#include <string>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
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
class PreviewDock;

// The bands of the type list: elevation, tab, type.
TypeList typeListOf(const QListWidget& list);

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    struct Options {
        QString home;           // holds col, patterns, system and typ
        QString versionPageUrl; // empty: the maker's page
        bool checkForUpdate = true;
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
    PreviewDock* preview() const { return preview_; }

  signals:
    void runFinished();
    // The update check at start-up is over (whatever it found).
    void updateCheckFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Layout (main_window.cpp).
    void buildControls();
    QWidget* buildFilesGroup();
    QWidget* buildMapGroup();
    QWidget* buildStyleGroup();
    QWidget* buildTypesColumn();
    QWidget* buildLegendColumn();
    QWidget* buildActionRow();
    void buildMenus();
    void buildFileMenu(QMenu* menu);

    // Start-up, settings file and close (main_window_startup.cpp).
    void startUp(const Options& options);
    void restoreSettings(const QString& path);
    void storeSettings();
    bool confirmClose();
    void takePatternFromEditor();
    void startUpdateCheck(const Options& options);

    // Recent inputs in the File menu (main_menus.cpp).
    void rememberInput(const QString& path);
    void showRecentFiles();

    // File, Colours, Options and Help menus (file_menu.cpp).
    void openFile();
    void openInput(const QString& path);
    void openRecent(int index);
    // Elevation models: several files become one mosaic file in the home folder.
    void openInputs(const QStringList& paths);
    QString mosaicPathFor(const QStringList& paths);
    bool inputIsElevationModel() const;
    void updateElevationBoxes();
    // The band options of the boxes; false (after saying why) when the interval is no number.
    bool elevationOptions(dem::DemOptions& options) const;
    void importPalette();
    void importPattern();
    void savePalette();
    void savePattern();
    void desaturateColours();
    void convertToShades();
    void editSwatch(int index);
    void locateTypTool();
    void openDownloadWindow();
    // An area fetched by the download window, opened as one mosaic file in the home folder.
    void openFetchedArea(const download::FetchedArea& area);
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
    void setProgressShown(bool shown);
    void findMapFolder();
    void findTypFile();

    // The map preview (main_window_preview.cpp).
    void buildPreview();
    void previewInput();
    void restylePreview();

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
    RecentFiles recentFiles_;
    ConversionRunner* runner_ = nullptr;
    PreviewDock* preview_ = nullptr;
    bool closeAfterRun_ = false;

    QLineEdit* inputBox_ = nullptr;               // Text4
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
    QProgressBar* progressBar_ = nullptr;         // backprog
    static constexpr int kProgressSteps = 1000;   // a tenth of a percent each
    bool progressShown_ = false;
    QAction* openAction_ = nullptr;                             // mf(0)
    std::array<QAction*, RecentFiles::kCount> recentActions_{}; // mf(12)..mf(15)
};

} // namespace orolith::gui
