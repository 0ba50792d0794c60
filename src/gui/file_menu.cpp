// The File and Colours menus, the swatches, and the secondary windows the menus open.
#include "core/style/palette.h"
#include "core/platform/paths.h"
#include "core/style/pattern.h"
#include "gui/colour_picker.h"
#include "gui/conversion_runner.h"
#include "gui/download_dialog.h"
#include "gui/legend_widget.h"
#include "gui/main_window.h"
#include "gui/pattern_editor.h"
#include "gui/settings_dialog.h"

#include <QDir>
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

} // namespace

void MainWindow::openFile() {
    // Opening another input waits until the run in progress has ended.
    if (runner_->active())
        return;
    if (state_.vecdir.isEmpty())
        state_.vecdir = QDir::homePath();
    const QString path = Desktop::instance().fileDialog(false, this, state_.vecdir, QString(), kVectorFilter);
    if (path.isEmpty())
        return;
    openInput(path);
}

void MainWindow::openInputFromCommandLine(const QString& path) {
    // A name that is no file is said so and not remembered among the recent files.
    if (path.contains(QLatin1Char('*')) || !QFileInfo(path).isFile()) {
        Desktop::instance().message(this, QStringLiteral("Cannot find file:") + path);
        return;
    }
    openInput(path);
}

void MainWindow::openInput(const QString& path) {
    state_.infile = path;
    rememberInput(path);
    typeList_->clear();
    listedInput_.clear();
    if (path.contains(QLatin1Char('*')) || !QFileInfo(path).isFile())
        return;
    inputBox_->setText(path);
    listInput();
}

void MainWindow::openRecent(int index) {
    if (runner_->active())
        return;
    const QString path = recentFiles_.at(index);
    inputBox_->setText(path);
    state_.infile = path;
    listInput();
}

void MainWindow::importPalette() {
    const QString path = Desktop::instance().fileDialog(false, this, state_.coldir, QString(), kPaletteFilter);
    if (path.isEmpty())
        return;
    if (loadcols(toBytes(path), state_.cols) == FileRead::NotValid) {
        Desktop::instance().message(this, QStringLiteral("Not a valid palette file."));
        return;
    }
    state_.colfile = path;
    legend_->paint(state_.cols);
    state_.colchanged = false;
}

void MainWindow::importPattern() {
    const QString path = Desktop::instance().fileDialog(false, this, state_.patdir, QString(), kPatternFilter);
    if (path.isEmpty())
        return;
    const SmallFile file = path.contains(QLatin1Char('*')) ? SmallFile{} : readPatternFile(toBytes(path));
    if (file.outcome == FileRead::NotValid) {
        Desktop::instance().message(this, QStringLiteral("Not a valid pattern file."));
        return;
    }
    if (file.bytes.empty())
        return;
    patternEditor_->setPatternText(QString::fromLatin1(file.bytes.data(), static_cast<qsizetype>(file.bytes.size())));
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
    QString path = Desktop::instance().fileDialog(true, this, state_.coldir, QStringLiteral("*.col"), kPaletteFilter);
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
    QString path = Desktop::instance().fileDialog(true, this, state_.patdir, QStringLiteral("*.ptn"), kPatternFilter);
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
