// Elevation models in the window: opening one or several (a mosaic), and the band boxes.
#include "dem/dem_bands.h"
#include "dem/dem_conversion.h"
#include "dem/dem_raster.h"
#include "dem/elevation_probe.h"
#include "gui/byte_text.h"
#include "gui/contour_lines_box.h"
#include "gui/desktop.h"
#include "gui/dropped_inputs.h"
#include "gui/main_window.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace orolith::gui {

void MainWindow::openInputs(const QStringList& paths) {
    if (paths.size() == 1) {
        openInput(paths.front());
        return;
    }
    for (const QString& path : paths)
        if (!isElevationModel(path)) {
            Desktop::instance().message(
                this, tr("Several files are opened together only as elevation models: ") + path);
            return;
        }
    const QString mosaic = mosaicPathFor(paths);
    std::vector<std::string> inputs;
    for (const QString& path : paths)
        inputs.push_back(toBytes(rasterSourceName(path)));
    std::string error;
    QDir().mkpath(QFileInfo(mosaic).absolutePath());
    if (!dem::writeMosaic(inputs, {}, {}, toBytes(mosaic), error)) {
        Desktop::instance().message(this, fromBytes(error));
        return;
    }
    openInput(mosaic);
}

// DATA/mosaics/FIRST+N.vrt: the first tile's name and how many more there are, so that
// opening the same tiles again finds the same entry in the recent files.
QString MainWindow::mosaicPathFor(const QStringList& paths) {
    QStringList sorted = paths;
    sorted.sort();
    QString name = QFileInfo(sorted.front()).fileName();
    name = name.left(name.indexOf(QLatin1Char('.')) > 0 ? name.indexOf(QLatin1Char('.')) : name.size());
    return QDir::toNativeSeparators(home_.data + QStringLiteral("/mosaics/") + name +
                                    QStringLiteral("+%1.vrt").arg(sorted.size() - 1));
}

// "Elevation model, 1201 × 1201, 3″" or "Geo Vector": what the input is, and its grid.
QString MainWindow::inputKindText(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QString();
    if (!isElevationModel(path))
        return tr("Geo Vector");
    dem::ElevationProbe probe;
    std::string error;
    if (!probe.open(toBytes(rasterSourceName(path)), error))
        return tr("Elevation model");
    return tr("Elevation model, %1").arg(fromBytes(dem::rasterSizeText(probe)));
}

bool MainWindow::isElevationModel(const QString& path) {
    return hasElevationSuffix(QFileInfo(path).fileName()) || dem::isElevationModelInput(toBytes(path));
}

bool MainWindow::inputIsElevationModel() const {
    return !input_.path.isEmpty() && isElevationModel(input_.path);
}

void MainWindow::updateElevationBoxes() {
    const bool elevation = inputIsElevationModel();
    inputKind_->setText(inputKindText(input_.path));
    for (QWidget* box :
         std::initializer_list<QWidget*>{intervalBox_, baseBox_, fillVoidsBox_, smoothBox_, simplifyBox_,
                                        contourLinesBox_})
        box->setEnabled(elevation);
}

std::optional<dem::DemOptions> MainWindow::readElevationBoxes(QString& problem) const {
    dem::DemOptions options;
    options.inputs = {toBytes(input_.path)};
    if (!inputIsElevationModel())
        return options;
    options.inputs = {toBytes(rasterSourceName(input_.path))};
    const auto interval = dem::readWholeMetres(toBytes(intervalBox_->text()), true);
    const auto base = dem::readWholeMetres(toBytes(baseBox_->text()), false);
    const QString simplifyText = simplifyBox_->text().trimmed();
    const auto simplify = simplifyText.isEmpty() ? std::optional<double>(dem::kPixelTolerance)
                                                 : dem::readToleranceMetres(toBytes(simplifyText));
    if (!interval)
        problem = tr("The interval is a whole number of metres above 0.");
    else if (!base)
        problem = tr("The base is a whole number of metres.");
    else if (!simplify)
        problem = tr("Simplify takes a number of metres from 0 up.");
    if (!interval || !base || !simplify)
        return std::nullopt;
    options.interval = *interval;
    options.base = *base;
    options.fillVoids = fillVoidsBox_->isChecked();
    options.smooth = smoothBox_->value();
    options.simplify = *simplify;
    if (!contourLinesBox_->read(options.contours, problem))
        return std::nullopt;
    return options;
}

bool MainWindow::elevationOptions(dem::DemOptions& options) const {
    QString problem;
    const auto read = readElevationBoxes(problem);
    if (!read) {
        Desktop::instance().message(const_cast<MainWindow*>(this), problem);
        return false;
    }
    if (inputIsElevationModel())
        options = *read;
    return true;
}

QString MainWindow::bandOptionsKey() const {
    QStringList parts{input_.path, firstTypeBox_->text(), maxDistanceBox_->text()};
    if (inputIsElevationModel())
        parts << intervalBox_->text() << baseBox_->text() << QString::number(fillVoidsBox_->isChecked())
              << QString::number(smoothBox_->value()) << simplifyBox_->text();
    return parts.join(QLatin1Char('\n'));
}

} // namespace orolith::gui
