// "Create mp", "Create TYP", listing an input, the progress bar and the output folder buttons.
#include "core/conversion/band_colours.h"
#include "core/conversion/conversion.h"
#include "core/style/typ_writer.h"
#include "gui/conversion_runner.h"
#include "gui/legend_widget.h"
#include "gui/main_window.h"
#include "gui/pattern_editor.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <memory>

namespace orolith::gui {

namespace {

const FileFilter kTypFilter{QStringLiteral("TYP txt files(*.txt)"), QStringLiteral("*.txt")};

TypeList typeListOf(const QListWidget& list) {
    TypeList types;
    for (int i = 0; i < list.count(); ++i) {
        const QString entry = list.item(i)->text();
        const auto tab = entry.indexOf(QLatin1Char('\t'));
        types.push_back({toBytes(entry.left(tab)), tab < 0 ? std::string() : toBytes(entry.mid(tab + 1))});
    }
    return types;
}

} // namespace

ConversionOptions MainWindow::conversionOptions() const {
    ConversionOptions options;
    options.inputPath = toBytes(state_.infile);
    for (std::size_t i = 0; i < levelBoxes_.size(); ++i)
        options.detailLevels[i] = levelBoxes_[i]->isChecked();
    options.firstType = toBytes(firstTypeBox_->text());
    options.maxDistance = toBytes(maxDistanceBox_->text());
    options.addContours = contoursBox_->isChecked();
    options.outputPath = outputPathFor(options.inputPath);
    return options;
}

StyleOptions MainWindow::styleOptions() const {
    StyleOptions style;
    style.patternText = patternEditor_->patternText().toLatin1().toStdString();
    style.maxDrawOrder = toBytes(maxDrawOrderBox_->text());
    style.firstType = toBytes(firstTypeBox_->text());
    style.typPath = toBytes(typPathBox_->text());
    style.oneColour = oneColourBox_->isChecked();
    style.rowPerBand = rowPerBandBox_->isChecked();
    return style;
}

bool MainWindow::startRun(std::function<void(Host&)> work, std::function<void()> whenDone) {
    const bool started = runner_->start(std::move(work), [this, done = std::move(whenDone)] {
        done();
        barvis(false);
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
    folderButtons_[0]->setEnabled(enabled);
    openAction_->setEnabled(enabled);
    showRecentFiles();
}

void MainWindow::createMap() {
    if (runner_->active())
        return;
    state_.infile = inputBox_->text();
    ConversionOptions options = conversionOptions();
    const QString output = fromBytes(options.outputPath);
    const bool anyLevel = std::find(options.detailLevels.begin(), options.detailLevels.end(), true) !=
                          options.detailLevels.end();
    // The question about an existing map comes before the run starts; the run itself never
    // replaces the input it reads.
    if (anyLevel && QFileInfo(state_.infile).isFile() && !state_.infile.contains(QLatin1Char('*')) &&
        output != state_.infile && QFileInfo(output).isFile()) {
        const QString question = output + kCrlf + kCrlf + QStringLiteral("File exists.") + kCrlf + kCrlf +
                                 QStringLiteral("Replace?");
        if (!Desktop::instance().ask(this, question))
            return;
        options.replaceExisting = true;
    }
    auto result = std::make_shared<ConversionResult>();
    progr(1);
    barvis(true);
    startRun([options, result](Host& host) { *result = parse(ConversionMode::Write, options, host); },
             [this, result, input = state_.infile] { applyConversionResult(*result, false, input); });
}

void MainWindow::listInput() {
    if (runner_->active())
        return;
    auto result = std::make_shared<ConversionResult>();
    const ConversionOptions options = conversionOptions();
    startRun([options, result](Host& host) { *result = parse(ConversionMode::ListOnly, options, host); },
             [this, result, input = state_.infile] { applyConversionResult(*result, true, input); });
}

void MainWindow::applyConversionResult(const ConversionResult& result, bool listOnly, const QString& input) {
    if (!result.mpfile.empty()) {
        state_.mpfile = fromBytes(result.mpfile);
        mapPathLabel_->setText(state_.mpfile);
        mapPathLabel_->setToolTip(state_.mpfile);
    }
    if (!result.ranPasses)
        return;
    legend_->setCaptions(result.legendCaptions);
    state_.lowest = result.lowest;
    // A map run fills the list only when it is empty; listing always replaces it.
    if (listOnly || typeList_->count() == 0) {
        typeList_->clear();
        for (const auto& entry : result.types)
            typeList_->addItem(fromBytes(typeListText(entry)));
        listedInput_ = input;
        listedLowest_ = result.lowest;
    }
    if (result.written)
        state_.lastmp = state_.mpfile;
}

void MainWindow::createTyp() {
    if (runner_->active())
        return;
    if (patternEditor_->patternText().trimmed().isEmpty()) {
        Desktop::instance().message(this, QStringLiteral("Please add pattern."));
        return;
    }
    state_.infile = inputBox_->text();
    state_.typfile = typPathBox_->text();
    // The list is taken again when it belongs to another input than the box names.
    const bool needsList = typeList_->count() == 0 || listedInput_ != state_.infile;
    TypJob job;
    job.style = styleOptions();
    job.types = typeListOf(*typeList_);
    job.lowest = listedLowest_;
    job.cols = state_.cols;
    job.companionPath = toBytes(QDir::toNativeSeparators(state_.apppath + QStringLiteral("/test.tpgn")));
    job.toolPath = toBytes(state_.toolpath);
    job.protectedPaths = {toBytes(state_.infile), toBytes(state_.mpfile)};
    const ConversionOptions listing = conversionOptions();
    auto listed = std::make_shared<ConversionResult>();
    auto written = std::make_shared<bool>(false);
    startRun(
        [job, listing, needsList, listed, written](Host& host) mutable {
            if (needsList) {
                *listed = parse(ConversionMode::ListOnly, listing, host);
                if (listed->types.empty()) {
                    host.message(MessageKind::Notice, "No data");
                    return;
                }
                job.types = listed->types;
                job.lowest = listed->lowest;
            }
            *written = create_typ(job, host).written;
        },
        [this, needsList, listed, written, input = state_.infile] {
            if (needsList)
                applyConversionResult(*listed, true, input);
            // The legend names the bands of the list the TYP file was made from.
            if (*written)
                legend_->setCaptions(legendCaptions(typeListOf(*typeList_), listedLowest_));
        });
}

void MainWindow::progr(double percent) {
    if (percent <= 0)
        return;
    const int inner = progressTrough_->height() - 6;
    const int width = static_cast<int>(percent / 100.0 * (progressTrough_->width() - 10));
    progressFill_->setGeometry(5, 3, std::max(1, width), std::max(1, inner));
}

void MainWindow::barvis(bool visible) {
    progressFill_->setVisible(visible);
}

void MainWindow::findMapFolder() {
    // The folder that holds the last map written (nothing to open before the first one).
    const QString folder = state_.lastmp.isEmpty()
                               ? QString()
                               : QDir::toNativeSeparators(QFileInfo(state_.lastmp).absolutePath());
    Desktop::instance().openFolder(folder);
}

void MainWindow::findTypFile() {
    // The path in the box, whether or not a TYP file was written there yet.
    const QString typPath = typPathBox_->text();
    Desktop::instance().message(this, typPath);
    const QString folder =
        typPath.isEmpty() ? QString() : QDir::toNativeSeparators(QFileInfo(typPath).absolutePath());
    Desktop::instance().fileDialog(false, this, folder, QString(), kTypFilter);
}

} // namespace orolith::gui
