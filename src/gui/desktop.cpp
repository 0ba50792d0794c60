#include "gui/desktop.h"

#include "core/app/app_info.h"
#include "gui/byte_text.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace orolith::gui {

namespace {

Desktop* installed = nullptr;

QString programTitle() {
    return fromBytes(app::kName);
}

} // namespace

Desktop& Desktop::instance() {
    static QtDesktop real;
    return installed != nullptr ? *installed : real;
}

void Desktop::setInstance(Desktop* desktop) {
    installed = desktop;
}

void QtDesktop::message(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, programTitle(), text, QMessageBox::Ok);
}

bool QtDesktop::ask(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, programTitle(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QString QtDesktop::fileDialog(bool save, QWidget* owner, const QString& folder, const QString& name,
                              const FileFilter& filter) {
    const QString title = save ? QCoreApplication::translate("orolith::gui::Desktop", "Save File")
                               : QCoreApplication::translate("orolith::gui::Desktop", "Open File");
    QString start = folder;
    if (!name.isEmpty() && !name.contains(QLatin1Char('*')))
        start = QDir(folder).filePath(name);
    const QString filterText = filter.label.isEmpty() ? QString() : filter.label;
    QString chosen = save ? QFileDialog::getSaveFileName(owner, title, start, filterText, nullptr,
                                                         QFileDialog::DontConfirmOverwrite)
                          : QFileDialog::getOpenFileName(owner, title, start, filterText);
    return QDir::toNativeSeparators(chosen);
}

QStringList QtDesktop::openFiles(QWidget* owner, const QString& folder, const FileFilter& filter) {
    QStringList chosen = QFileDialog::getOpenFileNames(owner, QStringLiteral("Open File"), folder, filter.label);
    for (QString& path : chosen)
        path = QDir::toNativeSeparators(path);
    return chosen;
}

QString QtDesktop::chooseFolder(QWidget* owner, const QString& folder) {
    const QString title = QCoreApplication::translate("orolith::gui::Desktop", "Choose Folder");
    return QDir::toNativeSeparators(QFileDialog::getExistingDirectory(owner, title, folder));
}

bool QtDesktop::openUrl(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url));
}

void QtDesktop::openFolder(const QString& path) {
    if (!path.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void QtDesktop::startProgram(const QString& program, const QStringList& arguments) {
    if (!program.isEmpty())
        QProcess::startDetached(program, arguments);
}

} // namespace orolith::gui
