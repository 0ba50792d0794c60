// The File and Colours menus, the swatches, and the secondary windows the menus open.
#include "core/host.h"
#include "core/platform/paths.h"
#include "core/style/palette.h"
#include "core/style/palette_file.h"
#include "core/style/pattern.h"
#include "core/style/pattern_file.h"
#include "dem/dem_raster.h"
#include "gui/byte_text.h"
#include "gui/colour_picker.h"
#include "gui/conversion_runner.h"
#include "gui/desktop.h"
#include "gui/download_dialog.h"
#include "gui/file_errors.h"
#include "gui/legend_widget.h"
#include "gui/main_window.h"
#include "gui/path_text.h"
#include "gui/pattern_editor.h"
#include "gui/preview_pane.h"
#include "gui/settings_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <cmath>

namespace orolith::gui {

namespace {

// Everything the window opens first, so that no kind is hidden by the dialog's default.
FileFilter inputFilter() {
    const QString elevation = QStringLiteral("*.hgt *.hgt.gz *.hgt.zip *.zip *.tif *.tiff *.asc *.vrt");
    return {MainWindow::tr("All supported files (%1)").arg(elevation + QStringLiteral(" *.txt")) +
                QStringLiteral(";;") + MainWindow::tr("Elevation models (%1)").arg(elevation) +
                QStringLiteral(";;") + MainWindow::tr("Geo Vector txt (*.txt)"),
            QStringLiteral("*.txt")};
}

FileFilter paletteFilter() {
    return {MainWindow::tr("Color Palette (*.col)"), QStringLiteral("*.col")};
}

FileFilter patternFilter() {
    return {MainWindow::tr("Bitmap Pattern (*.ptn)"), QStringLiteral("*.ptn")};
}

// `path` with `extension` added unless it already ends in it (in any case).
QString withExtension(const QString& path, const QString& extension) {
    return path.endsWith(extension, Qt::CaseInsensitive) ? path : path + extension;
}

} // namespace

void MainWindow::openFile() {
    // Opening another input waits until the run in progress has ended.
    if (runner_->active())
        return;
    if (input_.openFolder.isEmpty())
        input_.openFolder = QDir::homePath();
    const QStringList paths = Desktop::instance().openFiles(this, input_.openFolder, inputFilter());
    if (!paths.isEmpty())
        openInputs(paths);
}

void MainWindow::openInputFromCommandLine(const QString& path) {
    // A name that is no file is said so and not remembered among the recent files.
    if (path.contains(QLatin1Char('*')) || !QFileInfo(path).isFile()) {
        Desktop::instance().message(this, tr("Cannot find file:") + path);
        return;
    }
    openInput(path);
}

void MainWindow::openInput(const QString& path) {
    input_.path = path;
    rememberInput(path);
    typeList_->clear();
    input_.listedPath.clear();
    if (path.contains(QLatin1Char('*')) || !QFileInfo(path).isFile())
        return;
    inputBox_->setText(path);
    updateElevationBoxes();
    listInput();
}

void MainWindow::openRecent(int index) {
    if (runner_->active())
        return;
    const QString path = recentFiles_.at(index);
    inputBox_->setText(path);
    input_.path = path;
    updateElevationBoxes();
    listInput();
}

void MainWindow::importPalette() {
    const QString path =
        Desktop::instance().fileDialog(false, this, home_.paletteFolder, QString(), paletteFilter());
    if (path.isEmpty())
        return;
    PaletteFile file;
    if (!fileDone(this, file.read(toPath(path), palette_.colours), file, path))
        return;
    palette_.file = path;
    legend_->paint(palette_.colours);
    palette_.unsaved = false;
}

void MainWindow::importPattern() {
    const QString path =
        Desktop::instance().fileDialog(false, this, home_.patternFolder, QString(), patternFilter());
    if (path.isEmpty())
        return;
    PatternFile file;
    std::string text;
    if (!fileDone(this, file.read(toPath(path), text), file, path))
        return;
    if (text.empty())
        return;
    patternEditor_->setPatternText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    pattern_.file = path;
    takePatternFromEditor();
    pattern_.unsaved = false;
}

bool MainWindow::askReplace(const QString& path, const QString& question) {
    if (!QFileInfo::exists(path))
        return true;
    return Desktop::instance().ask(this, replaceQuestionText(path, tr("File exists."), question));
}

QString MainWindow::replaceQuestionText(const QString& path, const QString& exists, const QString& question) {
    return fromBytes(replaceQuestion(toBytes(path), toBytes(exists), toBytes(question)));
}

QString MainWindow::chooseSaveFile(const QString& folder, const QString& extension, const FileFilter& filter,
                                   const QString& question) {
    const QString picked =
        Desktop::instance().fileDialog(true, this, folder, QLatin1Char('*') + extension, filter);
    if (picked.isEmpty())
        return picked;
    const QString path = withExtension(picked, extension);
    return askReplace(path, question) ? path : QString();
}

void MainWindow::savePalette() {
    const QString path =
        chooseSaveFile(home_.paletteFolder, QStringLiteral(".col"), paletteFilter(), tr("Replace file?"));
    if (path.isEmpty())
        return;
    PaletteFile file;
    if (!fileDone(this, file.write(toPath(path), palette_.colours), file, path))
        return;
    palette_.file = path;
    palette_.unsaved = false;
}

void MainWindow::savePattern() {
    const QString path =
        chooseSaveFile(home_.patternFolder, QStringLiteral(".ptn"), patternFilter(), tr("Replace File?"));
    if (path.isEmpty())
        return;
    PatternFile file;
    const std::string text = patternEditor_->patternText().toLatin1().toStdString();
    if (!fileDone(this, file.write(toPath(path), text), file, path))
        return;
    pattern_.file = path;
    pattern_.unsaved = false;
}

void MainWindow::desaturateColours() {
    palette_.unsaved = true;
    desaturate(palette_.colours);
    legend_->paint(palette_.colours);
}

void MainWindow::convertToShades() {
    shadePaletteFromFirst(palette_.colours);
    legend_->paint(palette_.colours);
    palette_.unsaved = true;
}

void MainWindow::editSwatch(int index) {
    auto& swatch = palette_.colours[static_cast<std::size_t>(index)];
    const PickerResult picked = runColourPicker(this, swatch, home_.settingsFolder);
    if (picked.colour < 0)
        return;
    swatch = picked.colour;
    palette_.unsaved = palette_.unsaved || picked.changed;
    legend_->paint(palette_.colours);
}

void MainWindow::locateTypTool() {
    kept_.typToolPath = runSettingsDialog(this, kept_.typToolPath, home_.data, home_.settingsFolder);
}

// The download window opens on the place it showed last, and offers the extent of the
// elevation model that is open.
void MainWindow::openDownloadWindow() {
    if (runner_->active())
        return;
    download::FetchedArea area;
    DownloadPlace place{remembered_.downloadCoordinate, remembered_.downloadArea, QString(),
                        remembered_.downloadMapsFolder};
    const BandSnapshot& bands = preview_->engine().bands();
    if (inputIsElevationModel() && bands && !bands->extent.isEmpty()) {
        // Rounded inwards to a thousandth of a degree, so that the half pixel a tile reaches
        // beyond its degree lines asks for no neighbouring tile.
        const auto inwards = [](double value, bool up) {
            const double scaled = value * 1000.0;
            return QString::number((up ? std::ceil(scaled - 1e-6) : std::floor(scaled + 1e-6)) / 1000.0, 'f',
                                   3);
        };
        const render::GeoBox& extent = bands->extent;
        place.modelBox = QStringList{inwards(extent.south, true), inwards(extent.west, true),
                                     inwards(extent.north, false), inwards(extent.east, false)}
                             .join(QLatin1Char(','));
    }
    QString folder;
    kept_.tileRegion = runDownloadDialog(this, kept_.tileRegion, home_.places, &area, &place, &folder);
    remembered_.downloadCoordinate = place.coordinate;
    remembered_.downloadArea = place.box;
    remembered_.downloadMapsFolder = place.mapsFolder;
    if (!area.rasters.empty())
        openFetchedArea(area, folder);
}

// FOLDER/<area>.vrt holds the tiles and the sea between them, so that the entry in the
// recent files opens the same area again; its map, TYP and gmapsupp.img go beside it.
void MainWindow::openFetchedArea(const download::FetchedArea& area, const QString& folder) {
    const QString mosaic =
        QDir::toNativeSeparators(folder + QLatin1Char('/') + fromBytes(area.name) + QStringLiteral(".vrt"));
    QDir().mkpath(QFileInfo(mosaic).absolutePath());
    std::string error;
    if (!dem::writeMosaic(area.rasters, area.sea, area.attribution, toBytes(mosaic), error)) {
        Desktop::instance().message(this, fromBytes(error));
        return;
    }
    if (!area.sea.empty())
        seaInputs_.append(mosaic);
    openInputFromCommandLine(mosaic);
}

} // namespace orolith::gui
