#pragma once
// The "Settings" window, where the user locates the TYP tool's program file, sets up
// "Create Garmin map" (mkgmap's program, the map's name, number and family ID) and the
// mirrors elevation tiles are fetched from.

#include "download/source_settings.h"
#include "gui/garmin_settings.h"

#include <QDialog>
#include <optional>
#include <QString>

class QLineEdit;

namespace orolith::gui {

class TileMirrorGroup;

// The folder a file dialog starts in for `path`: `programFolder` when the path has no file
// name part or holds a wildcard, otherwise the path up to and including its last separator.
// Both "/" and "\" separate.
QString startFolderFor(const QString& path, const QString& programFolder);

// True when `path` may be taken as the TYP tool: on Windows a path holding ".exe" in any
// letter case, elsewhere an existing executable file.
bool isToolProgram(const QString& path);

class SettingsDialog : public QDialog {
    Q_OBJECT
  public:
    SettingsDialog(const QString& toolPath, const QString& programFolder, QWidget* parent = nullptr,
                   std::optional<GarminSettings> garmin = std::nullopt,
                   std::optional<download::SourceSettings> sources = std::nullopt);

    // The tool path as it stands: the one given, a file chosen with "<<", or the text taken
    // by "Apply".
    QString toolPath() const { return toolPath_; }
    // The Garmin settings as taken by "Apply" (as given until then).
    const std::optional<GarminSettings>& garminSettings() const { return garmin_; }
    // The download settings with the mirrors as taken by "Apply" (as given until then).
    const std::optional<download::SourceSettings>& sourceSettings() const { return sources_; }

  private slots:
    void chooseTool();
    void chooseMkgmap();
    void apply();

  private:
    QWidget* buildGarminGroup();
    QString toolPath_;
    QString programFolder_;
    QLineEdit* pathEdit_ = nullptr;
    std::optional<GarminSettings> garmin_;
    QLineEdit* mkgmapEdit_ = nullptr;
    QLineEdit* mapNameEdit_ = nullptr;
    QLineEdit* mapNumberEdit_ = nullptr;
    QLineEdit* familyIdEdit_ = nullptr;
    std::optional<download::SourceSettings> sources_;
    TileMirrorGroup* mirrors_ = nullptr;
};

// Shows the window modally and returns the tool path after it closed. A file chosen with
// "<<" stands even when the window is then closed with "Cancel".
QString runSettingsDialog(QWidget* parent, const QString& toolPath, const QString& programFolder);
// The same with the Garmin settings and the tile mirrors, which "Apply" stores in
// `settingsFolder` (garmin.ini and dem-sources.txt).
QString runSettingsDialog(QWidget* parent, const QString& toolPath, const QString& programFolder,
                          const QString& settingsFolder);

} // namespace orolith::gui
