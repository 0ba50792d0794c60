// The File and Colours menus, the swatches, and the secondary windows the menus open.
#include "core/style/palette.h"
#include "core/platform/paths.h"
#include "core/style/pattern.h"
#include "gui/about_dialog.h"
#include "gui/colour_picker.h"
#include "gui/conversion_runner.h"
#include "gui/download_dialog.h"
#include "gui/legend_widget.h"
#include "gui/main_window.h"
#include "gui/pattern_editor.h"
#include "gui/settings_dialog.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>

namespace orolith::gui {

namespace {

const FileFilter kVectorFilter{QStringLiteral("Geo Vector txt (*.txt)"), QStringLiteral("*.txt")};
const FileFilter kPaletteFilter{QStringLiteral("Color Palette (*.col)"), QStringLiteral("*.col")};
const FileFilter kPatternFilter{QStringLiteral("Bitmap Pattern (*.ptn)"), QStringLiteral("*.ptn")};

// `path` with `extension` added unless it already ends in it (in any case).
QString withExtension(const QString& path, const QString& extension) {
    return path.endsWith(extension, Qt::CaseInsensitive) ? path : path + extension;
}

QByteArray readWhole(const QString& path) {
    QFile file(path);
    if (path.contains(QLatin1Char('*')) || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

void MainWindow::onFileMenu(int index) {
    // Opening another input waits until the run in progress has ended.
    if (runner_->active() && (index == 0 || index >= 12))
        return;
    switch (index) {
    case 0:
        openFile();
        break;
    case 2:
        importPalette();
        break;
    case 3:
        importPattern();
        break;
    case 5:
        savePalette();
        break;
    case 6:
        savePattern();
        break;
    case 8:
        runAboutDialog(this);
        break;
    case 10:
        close();
        break;
    case 12:
    case 13:
    case 14:
    case 15:
        openRecent(index);
        break;
    default:
        break;
    }
}

void MainWindow::openFile() {
    if (state_.vecdir.isEmpty())
        state_.vecdir = QDir::homePath();
    state_.filter = kVectorFilter;
    const QString path = Desktop::instance().fileDialog(false, this, state_.vecdir, QString(), state_.filter);
    if (path.isEmpty())
        return;
    openInputFromCommandLine(path);
}

void MainWindow::openInputFromCommandLine(const QString& path) {
    // A name that is no file is said so and not remembered among the recent files.
    if (path.contains(QLatin1Char('*')) || !QFileInfo(path).isFile()) {
        Desktop::instance().message(this, QStringLiteral("Cannot find file:") + path);
        return;
    }
    state_.infile = path;
    updatmf(path);
    typeList_->clear();
    listedInput_.clear();
    inputBox_->setText(path);
    listInput();
}

void MainWindow::openRecent(int index) {
    const QString caption = fileActions_[static_cast<std::size_t>(index)]->data().toString();
    inputBox_->setText(caption);
    state_.infile = caption;
    listInput();
}

void MainWindow::importPalette() {
    state_.filter = kPaletteFilter;
    const QString path = Desktop::instance().fileDialog(false, this, state_.coldir, QString(), state_.filter);
    if (path.isEmpty())
        return;
    state_.colfile = path;
    loadcols(toBytes(path), state_.cols);
    legend_->paint(state_.cols);
    state_.colchanged = false;
}

void MainWindow::importPattern() {
    state_.filter = kPatternFilter;
    const QString path = Desktop::instance().fileDialog(false, this, state_.patdir, QString(), state_.filter);
    if (path.isEmpty())
        return;
    const QByteArray text = readWhole(path);
    if (!isValidPatternFileText(text.toStdString())) {
        Desktop::instance().message(this, QStringLiteral("Not a valid pattern file."));
        return;
    }
    if (text.isEmpty())
        return;
    patternEditor_->setPatternText(QString::fromLatin1(text));
    state_.patfile = path;
    takePatternFromEditor();
    state_.patchanged = false;
}

bool MainWindow::askReplace(const QString& path, const QString& question) {
    if (!QFileInfo::exists(path))
        return true;
    return Desktop::instance().ask(this, path + kCrlf + kCrlf + QStringLiteral("File exists.") + kCrlf +
                                             kCrlf + question);
}

void MainWindow::savePalette() {
    state_.filter = kPaletteFilter;
    QString path =
        Desktop::instance().fileDialog(true, this, state_.coldir, QStringLiteral("*.col"), state_.filter);
    if (path.isEmpty())
        return;
    path = withExtension(path, QStringLiteral(".col"));
    if (!askReplace(path, QStringLiteral("Replace file?")))
        return;
    state_.colfile = path;
    savecols(toBytes(path), state_.cols, runner_->host());
    state_.colchanged = false;
}

void MainWindow::savePattern() {
    state_.filter = kPatternFilter;
    QString path =
        Desktop::instance().fileDialog(true, this, state_.patdir, QStringLiteral("*.ptn"), state_.filter);
    if (path.isEmpty())
        return;
    path = withExtension(path, QStringLiteral(".ptn"));
    if (!askReplace(path, QStringLiteral("Replace File?")))
        return;
    state_.patfile = path;
    writeFile(toBytes(path), patternEditor_->patternText().toLatin1().toStdString(), runner_->host());
    state_.patchanged = false;
}

void MainWindow::desaturateColours() {
    state_.colchanged = true;
    desaturate(state_.cols);
    legend_->paint(state_.cols);
}

void MainWindow::convertToShades() {
    shades2(state_.cols);
    legend_->paint(state_.cols);
    state_.colchanged = true;
}

void MainWindow::editSwatch(int index) {
    state_.curcolor = state_.cols[static_cast<std::size_t>(index)];
    const PickerResult picked = runColourPicker(this, state_.curcolor, state_.sysdir);
    state_.curcolor = picked.curcolor;
    if (picked.curcolor < 0)
        return;
    state_.cols[static_cast<std::size_t>(index)] = picked.curcolor;
    state_.colchanged = state_.colchanged || picked.colchanged;
    legend_->paint(state_.cols);
}

void MainWindow::locateTypTool() {
    state_.toolpath = runSettingsDialog(this, state_.toolpath, state_.apppath);
}

void MainWindow::openDownloadWindow() {
    state_.region = runDownloadDialog(this, state_.region);
}

} // namespace orolith::gui
