#pragma once
// Every message box, question, file dialog and call to the desktop shell goes through this
// one seam. The program uses QtDesktop; tests install their own and answer, pick files and
// see what would have been opened or started.

#include <QString>
#include <QStringList>

class QWidget;

namespace orolith::gui {

// One label/pattern pair of a file dialog ("Color Palette (*.col)", "*.col").
struct FileFilter {
    QString label;
    QString pattern;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // A message box with OK, titled with the program's name.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // A Yes/No message box; true means Yes.
    virtual bool ask(QWidget* parent, const QString& text) = 0;
    // An open (save = false) or save dialog; the chosen path, or empty on cancel.
    virtual QString fileDialog(bool save, QWidget* owner, const QString& folder, const QString& name,
                               const FileFilter& filter) = 0;
    // An open dialog for one or more files; `filter.label` may hold several filters separated
    // by ";;". Empty on cancel.
    virtual QStringList openFiles(QWidget* owner, const QString& folder, const FileFilter& filter) {
        const QString one = fileDialog(false, owner, folder, QString(), filter);
        return one.isEmpty() ? QStringList() : QStringList{one};
    }
    // A folder chosen, starting in `folder`; empty on cancel.
    virtual QString chooseFolder(QWidget* owner, const QString& folder) = 0;
    // The desktop's default handler for a web address; false when there is none.
    virtual bool openUrl(const QString& url) = 0;
    // The file browser on a folder.
    virtual void openFolder(const QString& path) = 0;
    // Start a program with arguments, detached; failures are ignored.
    virtual void startProgram(const QString& program, const QStringList& arguments) = 0;

    // The seam in force. Defaults to a QtDesktop; setInstance(nullptr) restores it.
    static Desktop& instance();
    static void setInstance(Desktop* desktop);
};

// The real thing: QMessageBox, QFileDialog, QDesktopServices, QProcess.
class QtDesktop : public Desktop {
public:
    void message(QWidget* parent, const QString& text) override;
    bool ask(QWidget* parent, const QString& text) override;
    QString fileDialog(bool save, QWidget* owner, const QString& folder, const QString& name,
                       const FileFilter& filter) override;
    QStringList openFiles(QWidget* owner, const QString& folder, const FileFilter& filter) override;
    QString chooseFolder(QWidget* owner, const QString& folder) override;
    bool openUrl(const QString& url) override;
    void openFolder(const QString& path) override;
    void startProgram(const QString& program, const QStringList& arguments) override;
};

} // namespace orolith::gui
