// Start-up, the settings file, and closing the main window.
#include "core/app/app_info.h"
#include "core/settings/settings_file.h"
#include "core/style/palette_file.h"
#include "core/style/pattern.h"
#include "core/style/pattern_file.h"
#include "gui/byte_text.h"
#include "gui/path_text.h"
#include "gui/conversion_runner.h"
#include "gui/desktop.h"
#include "gui/file_errors.h"
#include "gui/legend_widget.h"
#include "gui/main_window.h"
#include "gui/pattern_editor.h"
#include "gui/update_check.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>

namespace orolith::gui {

namespace {

// A path of the settings file as the platform decodes file names, and back.
QString pathText(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

std::string pathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A value left as it was read goes back byte for byte, whatever bytes the file held; only
// a changed one is encoded anew.
std::string asRead(const std::string& read, const QString& decoded, const QString& now,
                   const std::string& encodedNow) {
    return now == decoded ? read : encodedNow;
}

std::string textLine(const std::string& read, const QString& now) {
    return asRead(read, fromBytes(read), now, toBytes(now));
}

std::string pathLine(const std::string& read, const QString& now) {
    return asRead(read, pathText(read), now, pathBytes(now));
}

// True when a path of the settings names a file to read ("" and "*.col" name none).
bool namesFile(const QString& path) {
    return !path.trimmed().isEmpty() && !path.contains(QLatin1Char('*'));
}

// A folder as the window shows it: native separators, none at the end.
QString folderText(const std::filesystem::path& folder) {
    QString path = QDir::toNativeSeparators(QDir::cleanPath(fromPath(folder)));
    while (path.size() > 1 && path.endsWith(QDir::separator()))
        path.chop(1);
    return path;
}

QString underHome(const QString& home, const QString& relative) {
    return QDir::toNativeSeparators(home + QLatin1Char('/') + relative);
}

} // namespace

void MainWindow::startUp(const Options& options) {
    home_.places = options.places;
    home_.data = folderText(options.places.data);
    home_.paletteFolder = underHome(home_.data, QStringLiteral("col"));
    home_.patternFolder = underHome(home_.data, QStringLiteral("patterns"));
    home_.settingsFolder = folderText(options.places.settings);
    home_.settingsFile = QDir::toNativeSeparators(fromPath(settingsFileIn(options.places)));
    ensurePlaces(options.places, runner_->host());
    input_.typPath = underHome(home_.data, QStringLiteral("typ/untitled.txt"));
    palette_.colours = defaultPalette();

    // The checkerboard stays in the editor unless the settings name a pattern file that
    // can be read, so a restart never leaves the editor empty.
    patternEditor_->setPatternText(fromBytes(kDefaultPatternText));
    takePatternFromEditor();
    if (QFileInfo::exists(home_.settingsFile))
        restoreSettings(home_.settingsFile);
    setWindowTitle(fromBytes(app::kName) + QLatin1Char(' ') + fromBytes(app::kVersionText));
    setProgressShown(false);
    legend_->paint(palette_.colours);
    legend_->resetCaptions();
    connectRampChooser();
    typPathBox_->setText(input_.typPath);
    restoreRemembered();
    startUpdateCheck(options);
    if (options.reopenLastInput)
        reopenLastInput();
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
    patternFromText(toBytes(patternEditor_->patternText()), runner_->host());
}

void MainWindow::restoreSettings(const QString& path) {
    SettingsFile file;
    if (!file.read(toPath(path), restored_)) {
        if (file.error() != FileError::Missing)
            reportFileError(this, file, path);
        return;
    }
    const Settings& saved = restored_;
    kept_.reservedLine = fromBytes(saved.reserved);
    kept_.typToolPath = pathText(saved.toolPath);
    firstTypeBox_->setText(fromBytes(saved.firstType));
    inputBox_->setText(pathText(saved.inputPath));
    palette_.file = pathText(saved.palettePath);
    if (namesFile(palette_.file)) {
        PaletteFile paletteFile;
        if (!paletteFile.read(toPath(palette_.file), palette_.colours))
            reportFileError(this, paletteFile, palette_.file);
    }
    for (std::size_t i = 0; i < levelBoxes_.size(); ++i)
        levelBoxes_[i]->setChecked(saved.detailLevels[i]);
    QStringList recent;
    for (const auto& entry : saved.recentFiles)
        recent.append(pathText(entry));
    recentFiles_.assign(recent);
    showRecentFiles();
    maxDistanceBox_->setText(fromBytes(saved.maxDistance));
    pattern_.file = pathText(saved.patternPath);
    if (namesFile(pattern_.file)) {
        PatternFile patternFile;
        std::string text;
        if (!patternFile.read(toPath(pattern_.file), text)) {
            reportFileError(this, patternFile, pattern_.file);
        } else {
            patternEditor_->setPatternText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
            takePatternFromEditor();
        }
    }
    contoursBox_->setChecked(saved.addContours);
    rowPerBandBox_->setChecked(saved.rowPerBand);
    input_.mapPath = pathText(saved.mapPath);
    mapPathLabel_->setText(input_.mapPath);
    mapPathLabel_->setToolTip(input_.mapPath);
    kept_.tileRegion = saved.region;
    maxDrawOrderBox_->setText(fromBytes(saved.maxDrawOrder));
}

void MainWindow::storeSettings() {
    const Settings& read = restored_;
    Settings current;
    current.reserved = textLine(read.reserved, kept_.reservedLine);
    current.toolPath = pathLine(read.toolPath, kept_.typToolPath);
    current.firstType = textLine(read.firstType, firstTypeBox_->text());
    current.inputPath = pathLine(read.inputPath, inputBox_->text());
    current.palettePath = pathLine(read.palettePath, palette_.file);
    for (std::size_t i = 0; i < levelBoxes_.size(); ++i)
        current.detailLevels[i] = levelBoxes_[i]->isChecked();
    for (std::size_t i = 0; i < current.recentFiles.size(); ++i)
        current.recentFiles[i] = pathLine(read.recentFiles[i], recentFiles_.at(static_cast<int>(i)));
    current.maxDistance = textLine(read.maxDistance, maxDistanceBox_->text());
    current.patternPath = pathLine(read.patternPath, pattern_.file);
    current.addContours = contoursBox_->isChecked();
    current.rowPerBand = rowPerBandBox_->isChecked();
    current.mapPath = pathLine(read.mapPath, input_.mapPath);
    current.region = kept_.tileRegion;
    current.maxDrawOrder = textLine(read.maxDrawOrder, maxDrawOrderBox_->text());
    SettingsFile file;
    if (!file.write(toPath(home_.settingsFile), current))
        reportFileError(this, file, home_.settingsFile);
    kept_.tileRegion = current.region;
    storeRemembered();
}

bool MainWindow::confirmClose() {
    bool leave = true;
    const QString question = kCrlf + kCrlf + tr("Exit without saving?");
    if (palette_.unsaved &&
        !Desktop::instance().ask(this, tr("Colour Change has not been saved.") + question))
        leave = false;
    if (pattern_.unsaved && !Desktop::instance().ask(this, tr("Pattern has not been saved.") + question))
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
    storeSettings();
    event->accept();
}

} // namespace orolith::gui
