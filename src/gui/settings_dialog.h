#pragma once
// The "Settings" window, where the user locates the TYP tool's program file.

#include <QDialog>
#include <QString>

class QLineEdit;

namespace orolith::gui {

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
    SettingsDialog(const QString& toolPath, const QString& programFolder, QWidget* parent = nullptr);

    // The tool path as it stands: the one given, a file chosen with "<<", or the text taken
    // by "Apply".
    QString toolPath() const { return toolPath_; }

  private slots:
    void chooseTool();
    void apply();

  private:
    QString toolPath_;
    QString programFolder_;
    QLineEdit* pathEdit_ = nullptr;
};

// Shows the window modally and returns the tool path after it closed. A file chosen with
// "<<" stands even when the window is then closed with "Cancel".
QString runSettingsDialog(QWidget* parent, const QString& toolPath, const QString& programFolder);

} // namespace orolith::gui
