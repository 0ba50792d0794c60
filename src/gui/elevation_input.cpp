// Elevation models in the window: opening one or several (a mosaic), and the band boxes.
#include "dem/dem_conversion.h"
#include "dem/dem_raster.h"
#include "gui/byte_text.h"
#include "gui/contour_lines_box.h"
#include "gui/desktop.h"
#include "gui/main_window.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace orolith::gui {

void MainWindow::openInputs(const QStringList& paths) {
    if (paths.size() == 1) {
        openInput(paths.front());
        return;
    }
    for (const QString& path : paths)
        if (!dem::isElevationModelInput(toBytes(path))) {
            Desktop::instance().message(
                this, tr("Several files are opened together only as elevation models: ") + path);
            return;
        }
    const QString mosaic = mosaicPathFor(paths);
    std::vector<std::string> inputs;
    for (const QString& path : paths)
        inputs.push_back(toBytes(path));
    std::string error;
    QDir().mkpath(QFileInfo(mosaic).absolutePath());
    if (!dem::writeMosaic(inputs, {}, {}, toBytes(mosaic), error)) {
        Desktop::instance().message(this, fromBytes(error));
        return;
    }
    openInput(mosaic);
}

// HOME/mosaics/FIRST+N.vrt: the first tile's name and how many more there are, so that
// opening the same tiles again finds the same entry in the recent files.
QString MainWindow::mosaicPathFor(const QStringList& paths) {
    QStringList sorted = paths;
    sorted.sort();
    QString name = QFileInfo(sorted.front()).fileName();
    name = name.left(name.indexOf(QLatin1Char('.')) > 0 ? name.indexOf(QLatin1Char('.')) : name.size());
    return QDir::toNativeSeparators(home_.root + QStringLiteral("/mosaics/") + name +
                                    QStringLiteral("+%1.vrt").arg(sorted.size() - 1));
}

bool MainWindow::inputIsElevationModel() const {
    return !input_.path.isEmpty() && dem::isElevationModelInput(toBytes(input_.path));
}

void MainWindow::updateElevationBoxes() {
    const bool elevation = inputIsElevationModel();
    intervalBox_->setEnabled(elevation);
    fillVoidsBox_->setEnabled(elevation);
    simplifyBox_->setEnabled(elevation);
    contourLinesBox_->setEnabled(elevation);
}

bool MainWindow::elevationOptions(dem::DemOptions& options) const {
    if (!inputIsElevationModel())
        return true;
    const auto interval = dem::readWholeMetres(toBytes(intervalBox_->text()), true);
    if (!interval) {
        Desktop::instance().message(const_cast<MainWindow*>(this),
                                    tr("The interval is a whole number of metres above 0."));
        return false;
    }
    const auto simplify = dem::readToleranceMetres(toBytes(simplifyBox_->text()));
    if (!simplify) {
        Desktop::instance().message(const_cast<MainWindow*>(this),
                                    tr("Simplify takes a number of metres from 0 up."));
        return false;
    }
    QString contourError;
    if (!contourLinesBox_->read(options.contours, contourError)) {
        Desktop::instance().message(const_cast<MainWindow*>(this), contourError);
        return false;
    }
    options.inputs = {toBytes(input_.path)};
    options.interval = *interval;
    options.fillVoids = fillVoidsBox_->isChecked();
    options.simplify = *simplify;
    return true;
}

} // namespace orolith::gui
