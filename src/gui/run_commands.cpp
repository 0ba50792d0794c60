// "Create mp", "Create TYP", listing an input, the progress bar and the output folder buttons.
#include "core/conversion/conversion.h"
#include "core/conversion/legend_captions.h"
#include "core/platform/paths.h"
#include "core/style/typ_from_listing.h"
#include "dem/dem_conversion.h"
#include "gui/byte_text.h"
#include "gui/conversion_runner.h"
#include "gui/desktop.h"
#include "gui/legend_widget.h"
#include "gui/contour_lines_box.h"
#include "gui/main_window.h"
#include "gui/path_text.h"
#include "gui/pattern_editor.h"
#include "gui/progress_text.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace orolith::gui {

namespace {

FileFilter typFilter() {
    return {MainWindow::tr("TYP txt files(*.txt)"), QStringLiteral("*.txt")};
}

} // namespace

TypeList typeListOf(const QListWidget& list) {
    TypeList types;
    for (int i = 0; i < list.count(); ++i) {
        const QString entry = list.item(i)->text();
        const auto tab = entry.indexOf(QLatin1Char('\t'));
        types.push_back({toBytes(entry.left(tab)), tab < 0 ? std::string() : toBytes(entry.mid(tab + 1))});
    }
    return types;
}

ConversionOptions MainWindow::conversionOptions() const {
    ConversionOptions options;
    options.inputPath = toPath(input_.path);
    for (std::size_t i = 0; i < levelBoxes_.size(); ++i)
        options.detailLevels[i] = levelBoxes_[i]->isChecked();
    options.firstType = FirstType::fromText(toBytes(firstTypeBox_->text()));
    options.maxDistance = MaxDistance::fromText(toBytes(maxDistanceBox_->text()));
    options.addContours = contoursBox_->isChecked();
    options.outputPath = inputIsElevationModel() ? pathFromText(dem::demOutputPathFor(toBytes(input_.path)))
                                                 : outputPathFor(options.inputPath);
    return options;
}

StyleOptions MainWindow::styleOptions() const {
    StyleOptions style;
    style.patternText = patternEditor_->patternText().toLatin1().toStdString();
    style.maxDrawOrder = readMaxDrawOrder(toBytes(maxDrawOrderBox_->text()));
    style.firstType = FirstType::fromText(toBytes(firstTypeBox_->text())).value;
    style.typPath = toPath(typPathBox_->text());
    style.oneColour = oneColourBox_->isChecked();
    style.rowPerBand = rowPerBandBox_->isChecked();
    return style;
}

bool MainWindow::startRun(std::function<void(Host&)> work, std::function<void()> whenDone) {
    if (!runner_->active())
        runOptions_ = bandOptionsKey();
    const bool started = runner_->start(std::move(work), [this, done = std::move(whenDone)] {
        done();
        setProgressShown(false);
        setRunControlsEnabled(true);
        emit runFinished();
        if (closeAfterRun_)
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    });
    // The end of the run reaches the window through its event queue, so after this.
    if (started)
        setRunControlsEnabled(false);
    return started;
}

// Everything that would start another run, or change the input under one, waits for its end.
void MainWindow::setRunControlsEnabled(bool enabled) {
    createMapButton_->setEnabled(enabled);
    createTypButton_->setEnabled(enabled);
    createImageButton_->setEnabled(enabled);
    folderButtons_[0]->setEnabled(enabled);
    openAction_->setEnabled(enabled);
    for (QAction* action : runActions_)
        action->setEnabled(enabled);
    showRecentFiles();
}

void MainWindow::createMap() {
    if (runner_->active())
        return;
    input_.path = inputBox_->text();
    ConversionOptions options = conversionOptions();
    const QString output = fromPath(options.outputPath);
    const bool anyLevel = std::find(options.detailLevels.begin(), options.detailLevels.end(), true) !=
                          options.detailLevels.end();
    // The question about an existing map comes before the run starts; the run itself never
    // replaces the input it reads.
    if (anyLevel && QFileInfo(input_.path).isFile() && !input_.path.contains(QLatin1Char('*')) &&
        output != input_.path && QFileInfo(output).isFile()) {
        if (!askReplace(output, tr("Replace?")))
            return;
        options.replaceExisting = true;
    }
    dem::DemOptions elevation;
    if (!elevationOptions(elevation))
        return;
    auto result = std::make_shared<ConversionResult>();
    setProgressShown(true);
    showProgress(1);
    startRun([options, elevation, result](Host& host) {
        *result = dem::convertInput(ConversionMode::Write, options, elevation, host);
    },
             [this, result, input = input_.path] { applyConversionResult(*result, false, input); });
}

void MainWindow::listInput() {
    if (runner_->active())
        return;
    auto result = std::make_shared<ConversionResult>();
    const ConversionOptions options = conversionOptions();
    dem::DemOptions elevation;
    if (!elevationOptions(elevation))
        return;
    startRun([options, elevation, result](Host& host) {
        *result = dem::convertInput(ConversionMode::ListOnly, options, elevation, host);
    },
             [this, result, input = input_.path] { applyConversionResult(*result, true, input); });
}

void MainWindow::applyConversionResult(const ConversionResult& result, bool listOnly, const QString& input) {
    if (!result.mapPath.empty()) {
        input_.mapPath = fromPath(result.mapPath);
        mapPathLabel_->setText(input_.mapPath);
        mapPathLabel_->setToolTip(input_.mapPath);
    }
    if (!result.ranPasses)
        return;
    legend_->setCaptions(result.legendCaptions);
    input_.lowestElevation = result.lowest;
    // A map run fills the list only when it is empty; listing always replaces it.
    if (listOnly || typeList_->count() == 0) {
        typeList_->clear();
        for (const auto& entry : result.types)
            typeList_->addItem(fromBytes(typeListText(entry)));
        input_.listedPath = input;
        input_.listedLowest = result.lowest;
        input_.listedOptions = runOptions_;
    }
    if (result.written)
        input_.lastMapWritten = input_.mapPath;
    refreshLegend();
    if (listOnly && !result.types.empty())
        previewInput();
}

void MainWindow::createTyp() {
    if (runner_->active())
        return;
    if (!requirePattern(toBytes(patternEditor_->patternText()), runner_->host()))
        return;
    input_.path = inputBox_->text();
    input_.typPath = typPathBox_->text();
    // The list is taken again when it belongs to another input than the box names, or was
    // taken with other band options.
    const bool needsList = typeList_->count() == 0 || input_.listedPath != input_.path ||
                           input_.listedOptions != bandOptionsKey();
    TypJob job;
    job.style = styleOptions();
    job.types = typeListOf(*typeList_);
    job.lowest = input_.listedLowest;
    job.palette = palette_.colours;
    job.tint = tintChoice();
    job.companionPath = toPath(QDir::toNativeSeparators(home_.data + QStringLiteral("/test.tpgn")));
    job.toolPath = toPath(kept_.typToolPath);
    job.protectedPaths = {toPath(input_.path), toPath(input_.mapPath)};
    job.contourLines = inputIsElevationModel() && contourLinesBox_->chosen();
    const ConversionOptions listing = conversionOptions();
    dem::DemOptions elevation;
    if (needsList && !elevationOptions(elevation))
        return;
    auto done = std::make_shared<ListedTyp>();
    startRun(
        [job, listing, elevation, needsList, done](Host& host) {
            ListStep list;
            if (needsList)
                list = [&listing, &elevation](Host& listHost) {
                    return dem::convertInput(ConversionMode::ListOnly, listing, elevation, listHost);
                };
            *done = writeTypFromListing(job, list, host);
        },
        [this, needsList, done, input = input_.path] {
            if (needsList)
                applyConversionResult(done->listed, true, input);
            // The legend names the bands of the list the TYP file was made from.
            if (done->typ.written)
                legend_->setCaptions(legendCaptions(typeListOf(*typeList_), input_.listedLowest));
        });
}

// Only a map run shows its progress; listing and TYP runs leave the bar empty.
void MainWindow::showProgress(double percent) {
    if (progressShown_ && percent > 0)
        progressBar_->setValue(static_cast<int>(std::min(percent, 100.0) / 100.0 * kProgressSteps));
}

void MainWindow::startRunClock(const QString& stage) {
    runStage_ = stage;
    runClock_.start();
    if (runTicker_ == nullptr) {
        runTicker_ = new QTimer(this);
        runTicker_->setInterval(1000);
        connect(runTicker_, &QTimer::timeout, this, &MainWindow::showRunTime);
    }
    runTicker_->start();
    progressBar_->setTextVisible(true);
    showRunTime();
}

void MainWindow::stopRunClock() {
    if (runTicker_ != nullptr)
        runTicker_->stop();
    runStage_.clear();
    progressBar_->setTextVisible(false);
}

void MainWindow::showRunTime() {
    const double share = std::max(0, progressBar_->value()) / static_cast<double>(kProgressSteps);
    progressBar_->setFormat(runTimeText(runStage_, static_cast<double>(runClock_.elapsed()) / 1000.0, share));
}

void MainWindow::setProgressShown(bool shown) {
    progressShown_ = shown;
    if (!shown)
        progressBar_->reset();
}

void MainWindow::findMapFolder() {
    // The folder that holds the last map written (nothing to open before the first one).
    const QString folder = input_.lastMapWritten.isEmpty()
                               ? QString()
                               : QDir::toNativeSeparators(QFileInfo(input_.lastMapWritten).absolutePath());
    Desktop::instance().openFolder(folder);
}

void MainWindow::findTypFile() {
    // The path in the box, whether or not a TYP file was written there yet.
    const QString typPath = typPathBox_->text();
    Desktop::instance().message(this, typPath);
    const QString folder =
        typPath.isEmpty() ? QString() : QDir::toNativeSeparators(QFileInfo(typPath).absolutePath());
    Desktop::instance().fileDialog(false, this, folder, QString(), typFilter());
}

} // namespace orolith::gui
