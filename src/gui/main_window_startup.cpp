// Start-up, the settings file, and closing the main window.
#include "core/app/app_info.h"
#include "core/settings/home_folder.h"
#include "core/style/pattern.h"
#include "core/settings/settings_file.h"
#include "gui/conversion_runner.h"
#include "gui/legend_widget.h"
#include "gui/main_window.h"
#include "gui/pattern_editor.h"
#include "gui/update_check.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>

namespace orolith::gui {

namespace {

QString withoutTrailingSeparator(QString path) {
    path = QDir::toNativeSeparators(QDir::cleanPath(path));
    while (path.size() > 1 && path.endsWith(QDir::separator()))
        path.chop(1);
    return path;
}

QString underHome(const QString& home, const QString& relative) {
    return QDir::toNativeSeparators(home + QLatin1Char('/') + relative);
}

} // namespace

void MainWindow::startUp(const Options& options) {
    state_.apppath = withoutTrailingSeparator(options.home);
    state_.coldir = underHome(state_.apppath, QStringLiteral("col"));
    state_.patdir = underHome(state_.apppath, QStringLiteral("patterns"));
    state_.sysdir = underHome(state_.apppath, QStringLiteral("system"));
    ensureHomeFolders(toBytes(state_.apppath), runner_->host());
    state_.typfile = underHome(state_.apppath, QStringLiteral("typ/untitled.txt"));
    state_.cols = defaultPalette();

    // The checkerboard stays in the editor unless the settings name a pattern file that
    // can be read, so a restart never leaves the editor empty.
    patternEditor_->setPatternText(fromBytes(kDefaultPatternText));
    takePatternFromEditor();
    if (QFileInfo::exists(state_.settingsPath()))
        loaddata(state_.settingsPath());
    setWindowTitle(fromBytes(app::kName) + QLatin1Char(' ') + fromBytes(app::kVersionText));
    barvis(false);
    legend_->paint(state_.cols);
    legend_->resetCaptions();
    typPathBox_->setText(state_.typfile);
    startUpdateCheck(options);
}

void MainWindow::startUpdateCheck(const Options& options) {
    if (!options.checkForUpdate)
        return;
    const QString page =
        options.versionPageUrl.isEmpty() ? fromBytes(app::kVersionPageUrl) : options.versionPageUrl;
    auto* check = new UpdateCheck(QUrl(page), this);
    connect(check, &UpdateCheck::newerVersionFound, updateLabel_, &QLabel::show);
    connect(check, &UpdateCheck::finished, check, &QObject::deleteLater);
    connect(check, &UpdateCheck::finished, this, &MainWindow::updateCheckFinished);
    check->start();
}

// Reads the editor's pattern as the TYP writer will; its messages are shown when the text is
// no tile.
void MainWindow::takePatternFromEditor() {
    get_patterns(toBytes(patternEditor_->patternText()), runner_->host());
}

void MainWindow::loaddata(const QString& path) {
    FileRead outcome = FileRead::Done;
    const auto read = readSettings(toBytes(path), &outcome);
    if (outcome == FileRead::NotValid)
        Desktop::instance().message(this, QStringLiteral("Not a valid settings file."));
    if (!read)
        return;
    const Settings& saved = *read;
    state_.reservedLine = fromBytes(saved.reserved);
    state_.toolpath = fromBytes(saved.toolPath);
    firstTypeBox_->setText(fromBytes(saved.firstType));
    inputBox_->setText(fromBytes(saved.inputPath));
    state_.colfile = fromBytes(saved.colFile);
    if (loadcols(saved.colFile, state_.cols) == FileRead::NotValid)
        Desktop::instance().message(this, QStringLiteral("Not a valid palette file."));
    for (std::size_t i = 0; i < levelBoxes_.size(); ++i)
        levelBoxes_[i]->setChecked(saved.levels[i] == 1);
    QStringList recent;
    for (const auto& entry : saved.recent)
        recent.append(fromBytes(entry));
    recentFiles_.assign(recent);
    showRecentFiles();
    maxDistanceBox_->setText(fromBytes(saved.maxDistance));
    state_.patfile = fromBytes(saved.patFile);
    const SmallFile pattern =
        state_.patfile.isEmpty() ? SmallFile{} : readSmallFile(saved.patFile, kPatternFileLimit);
    if (pattern.outcome == FileRead::NotValid)
        Desktop::instance().message(this, QStringLiteral("Not a valid pattern file."));
    if (pattern.outcome == FileRead::Done) {
        patternEditor_->setPatternText(QString::fromUtf8(pattern.bytes.data(), static_cast<qsizetype>(pattern.bytes.size())));
        takePatternFromEditor();
    }
    contoursBox_->setChecked(saved.addContours == 1);
    rowPerBandBox_->setChecked(saved.rowPerBand == 1);
    state_.mpfile = fromBytes(saved.mpFile);
    mapPathLabel_->setText(state_.mpfile);
    mapPathLabel_->setToolTip(state_.mpfile);
    state_.region = saved.region;
    maxDrawOrderBox_->setText(fromBytes(saved.maxDrawOrder));
}

void MainWindow::savedata() {
    Settings current;
    current.reserved = toBytes(state_.reservedLine);
    current.toolPath = toBytes(state_.toolpath);
    current.firstType = toBytes(firstTypeBox_->text());
    current.inputPath = toBytes(inputBox_->text());
    current.colFile = toBytes(state_.colfile);
    for (std::size_t i = 0; i < levelBoxes_.size(); ++i)
        current.levels[i] = levelBoxes_[i]->isChecked() ? 1 : 0;
    for (std::size_t i = 0; i < current.recent.size(); ++i)
        current.recent[i] = toBytes(recentFiles_.at(static_cast<int>(i)));
    current.maxDistance = toBytes(maxDistanceBox_->text());
    current.patFile = toBytes(state_.patfile);
    current.addContours = contoursBox_->isChecked() ? 1 : 0;
    current.rowPerBand = rowPerBandBox_->isChecked() ? 1 : 0;
    current.mpFile = toBytes(state_.mpfile);
    current.region = state_.region;
    current.maxDrawOrder = toBytes(maxDrawOrderBox_->text());
    std::string error;
    if (!writeSettings(toBytes(state_.settingsPath()), current, error))
        Desktop::instance().message(this, fromBytes(error));
    state_.region = current.region;
}

bool MainWindow::confirmClose() {
    bool leave = true;
    const QString question = kCrlf + kCrlf + QStringLiteral("Exit without saving?");
    if (state_.colchanged &&
        !Desktop::instance().ask(this, QStringLiteral("Colour Change has not been saved.") + question))
        leave = false;
    if (state_.patchanged &&
        !Desktop::instance().ask(this, QStringLiteral("Pattern has not been saved.") + question))
        leave = false;
    return leave;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closeAfterRun_ && !confirmClose()) {
        event->ignore();
        return;
    }
    if (runner_->active()) {
        // A run still going is told to stop (it keeps nothing partial); the window closes
        // when it has ended.
        closeAfterRun_ = true;
        runner_->cancel();
        event->ignore();
        return;
    }
    savedata();
    event->accept();
}

} // namespace orolith::gui
