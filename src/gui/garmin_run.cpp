// "Create Garmin map": the map, its TYP text and gmapsupp.img with mkgmap in one run off the
// window's thread, with mkgmap's stages on the progress bar and a Cancel that stops mkgmap.
#include "core/conversion/conversion.h"
#include "core/style/band_tint.h"
#include "core/style/style_options.h"
#include "core/style/typ_writer.h"
#include "dem/dem_conversion.h"
#include "garmin/garmin_image.h"
#include "garmin/map_number.h"
#include "garmin/mkgmap_program.h"
#include "gui/byte_text.h"
#include "gui/conversion_runner.h"
#include "gui/desktop.h"
#include "gui/garmin_settings.h"
#include "gui/main_window.h"
#include "gui/path_text.h"
#include "gui/pattern_editor.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <memory>

namespace orolith::gui {

namespace {

namespace fs = std::filesystem;

// One step of the run: its progress scaled into its share of the bar, the "Created" notices
// of the map and TYP steps left for the final message, the TYP's colour step kept for it.
class StepHost : public Host {
  public:
    StepHost(Host& host, double from, double span, std::string* colourStep = nullptr)
        : host_(host), from_(from), span_(span), colourStep_(colourStep) {}
    void message(MessageKind kind, std::string_view text) override {
        if (colourStep_ != nullptr && kind == MessageKind::Notice && isStepMessage(text))
            *colourStep_ = text;
        else if (kind == MessageKind::Failure || !(text.starts_with("Created ") || text.starts_with("created:")))
            host_.message(kind, text);
    }
    bool ask(std::string_view text) override { return host_.ask(text); }
    void progress(double percent) override { host_.progress(from_ + span_ * percent / 100.0); }
    bool cancelled() override { return host_.cancelled(); }

  private:
    Host& host_;
    double from_, span_;
    std::string* colourStep_;
};

// mkgmap's stages reach the window's progress bar, which adds the time taken and left.
class ImageStages : public garmin::ImageProgress {
  public:
    ImageStages(Host& host, std::function<void(QString)> show) : host_(host), show_(std::move(show)) {}
    void stage(std::string_view text, double percent) override {
        show_(fromBytes(std::string(text)));
        host_.progress(45.0 + 0.55 * percent);
    }
    bool cancelled() override { return host_.cancelled(); }

  private:
    Host& host_;
    std::function<void(QString)> show_;
};

struct GarminRun {
    bool folderExisted = false; // the output folder was there before the run
    bool typWritten = false;
    ConversionOptions map;
    dem::DemOptions elevation; // used when the input is an elevation model
    TypJob typ;
    garmin::ImageJob image;
    ConversionResult converted;
    garmin::ImageResult result;
    std::string colourStep; // how far apart neighbouring bands' colours are, with a ramp
};

void runChain(GarminRun& run, Host& host, const std::function<void(QString)>& showStage) {
    garmin::MkgmapCommand mkgmap;
    std::string error;
    if (!garmin::findMkgmap(run.image.mkgmap, mkgmap, error) ||
        !garmin::prepareOutputFolder(run.image.outputDir, run.image.replaceImage, error)) {
        host.message(MessageKind::Failure, error);
        return;
    }
    showStage(MainWindow::tr("Writing the map"));
    StepHost mapStep(host, 0, 40);
    run.converted = dem::convertInput(ConversionMode::Write, run.map, run.elevation, mapStep);
    if (!run.converted.written)
        return;
    run.typ.types = run.converted.types;
    run.typ.lowest = run.converted.lowest;
    run.typ.contourLines = run.elevation.contours.interval > 0;
    showStage(MainWindow::tr("Writing the TYP"));
    StepHost typStep(host, 40, 5, &run.colourStep);
    run.typWritten = writeTypFile(run.typ, typStep).written;
    if (!run.typWritten)
        return;
    run.image.map = run.map.outputPath;
    run.image.typText = run.typ.style.typPath;
    ImageStages stages(host, showStage);
    run.result = garmin::makeGarminImage(run.image, stages);
    if (!run.result.made && !run.result.cancelled)
        host.message(MessageKind::Failure,
                     toBytes(MainWindow::tr("gmapsupp.img was not made:")) + "\r\n\r\n" + run.result.error);
}

// A cancelled run takes back the map and TYP it wrote, and the folder it made if nothing
// else is in it; an image made before stays.
void removeWhatTheRunMade(const GarminRun& run) {
    std::error_code ec;
    if (run.converted.written)
        fs::remove(run.map.outputPath, ec);
    if (run.typWritten)
        fs::remove(run.typ.style.typPath, ec);
    if (!run.folderExisted && fs::is_empty(run.image.outputDir, ec))
        fs::remove(run.image.outputDir, ec);
}

QString summary(const GarminRun& run) {
    const auto& r = run.result;
    QString text = MainWindow::tr("Created %1").arg(QDir::toNativeSeparators(fromBytes(r.image.string()))) +
                   kCrlf + kCrlf;
    if (!run.colourStep.empty())
        text += fromBytes(run.colourStep) + kCrlf + kCrlf;
    text += MainWindow::tr("Size: %1 bytes").arg(r.size) + kCrlf +
                   MainWindow::tr("Map number: %1").arg(r.firstNumber);
    if (r.tiles > 1)
        text += MainWindow::tr(" to %1 (%2 tiles)").arg(r.firstNumber + r.tiles - 1).arg(r.tiles);
    return text + kCrlf + MainWindow::tr("Family ID: %1").arg(run.image.familyId) + kCrlf + kCrlf +
           MainWindow::tr("Open its folder?");
}

} // namespace

void MainWindow::createGarminImage() {
    if (runner_->active())
        return;
    if (!requirePattern(toBytes(patternEditor_->patternText()), runner_->host()))
        return;
    const GarminSettings settings = loadGarminSettings(garminSettingsFile(home_.settingsFolder));
    if (const QString problem = garminSettingsProblem(settings); !problem.isEmpty()) {
        Desktop::instance().message(this, problem);
        return;
    }
    input_.path = inputBox_->text();
    auto run = std::make_shared<GarminRun>();
    run->map = conversionOptions();
    if (!elevationOptions(run->elevation))
        return;
    run->elevation.cutHoles = true; // mkgmap gets polygons without holes, as from 'orolith img'
    const QFileInfo input(input_.path);
    const std::string stem = QFileInfo(fromPath(run->map.outputPath)).completeBaseName().toStdString();
    const fs::path folder = garmin::imageFolderFor(toBytes(input.absolutePath()), stem);
    run->map.outputPath = folder / (stem + ".mp");
    run->image.outputDir = folder;
    run->folderExisted = fs::exists(folder);
    if (fs::exists(garmin::imagePath(folder)) || fs::exists(run->map.outputPath)) {
        const QString question =
            replaceQuestionText(QDir::toNativeSeparators(fromPath(folder)),
                                tr("This folder holds a Garmin map made before."), tr("Replace?"));
        if (!Desktop::instance().ask(this, question))
            return;
        run->map.replaceExisting = run->image.replaceImage = true;
    }
    run->typ.style = styleOptions();
    run->typ.style.typPath = folder / (stem + "-typ.txt");
    run->typ.palette = palette_.colours;
    run->typ.tint = tintChoice();
    run->typ.companionPath = toPath(QDir::toNativeSeparators(home_.data + QStringLiteral("/test.tpgn")));
    run->typ.familyId = *garmin::parseFamilyId(settings.familyId.trimmed().toStdString());
    run->typ.protectedPaths = {toPath(input_.path), run->map.outputPath};
    run->image.name = settings.mapName.isEmpty() ? stem : toBytes(settings.mapName);
    if (!settings.mapNumber.isEmpty())
        run->image.mapNumber = garmin::parseMapNumber(settings.mapNumber.toStdString());
    run->image.familyId = run->typ.familyId;
    run->image.mkgmap = toBytes(settings.mkgmapProgram);

    setProgressShown(true);
    showProgress(1);
    startRunClock(tr("Writing the map"));
    cancelButton_->show();
    QPointer<MainWindow> self(this);
    const auto showStage = [self](QString stage) {
        QMetaObject::invokeMethod(
            self.data(),
            [self, stage] {
                if (self) {
                    self->runStage_ = stage;
                    self->showRunTime();
                }
            },
            Qt::QueuedConnection);
    };
    startRun([run, showStage](Host& host) { runChain(*run, host, showStage); },
             [this, run, inputPath = input_.path] {
                 cancelButton_->hide();
                 stopRunClock();
                 if (runner_->host().cancelled() && !run->result.made) {
                     removeWhatTheRunMade(*run);
                     statusBar()->showMessage(tr("Cancelled"));
                     return;
                 }
                 if (run->converted.ranPasses)
                     applyConversionResult(run->converted, false, inputPath);
                 if (!run->result.made)
                     return;
                 if (Desktop::instance().ask(this, summary(*run)))
                     Desktop::instance().openFolder(
                         QDir::toNativeSeparators(fromBytes(run->image.outputDir.string())));
             });
}

} // namespace orolith::gui
