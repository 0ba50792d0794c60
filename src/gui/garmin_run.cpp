// "Create Garmin map": the map, its TYP text and gmapsupp.img with mkgmap in one run off the
// window's thread, with mkgmap's stages on the progress bar and a Cancel that stops mkgmap.
#include "core/conversion/conversion.h"
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
#include <QProgressBar>
#include <QPushButton>
#include <memory>

namespace orolith::gui {

namespace {

namespace fs = std::filesystem;

// One step of the run: its progress scaled into its share of the bar, the "Created" notices
// of the map and TYP steps left for the final message.
class StepHost : public Host {
  public:
    StepHost(Host& host, double from, double span) : host_(host), from_(from), span_(span) {}
    void message(MessageKind kind, std::string_view text) override {
        if (kind == MessageKind::Failure || !(text.starts_with("Created ") || text.starts_with("created:")))
            host_.message(kind, text);
    }
    bool ask(std::string_view text) override { return host_.ask(text); }
    void progress(double percent) override { host_.progress(from_ + span_ * percent / 100.0); }
    bool cancelled() override { return host_.cancelled(); }

  private:
    Host& host_;
    double from_, span_;
};

class ImageStages : public garmin::ImageProgress {
  public:
    ImageStages(Host& host, QProgressBar* bar) : host_(host), bar_(bar) {}
    void stage(std::string_view text, double percent) override {
        const QString shown = fromBytes(std::string(text));
        QMetaObject::invokeMethod(
            bar_, [bar = bar_, shown] { bar->setFormat(shown); }, Qt::QueuedConnection);
        host_.progress(45.0 + 0.55 * percent);
    }
    bool cancelled() override { return host_.cancelled(); }

  private:
    Host& host_;
    QProgressBar* bar_;
};

struct GarminRun {
    ConversionOptions map;
    dem::DemOptions elevation; // used when the input is an elevation model
    TypJob typ;
    garmin::ImageJob image;
    ConversionResult converted;
    garmin::ImageResult result;
};

void runChain(GarminRun& run, Host& host, QProgressBar* bar) {
    garmin::MkgmapCommand mkgmap;
    std::string error;
    if (!garmin::findMkgmap(run.image.mkgmap, mkgmap, error) ||
        !garmin::prepareOutputFolder(run.image.outputDir, run.image.replaceImage, error)) {
        host.message(MessageKind::Failure, error);
        return;
    }
    StepHost mapStep(host, 0, 40);
    run.converted = dem::convertInput(ConversionMode::Write, run.map, run.elevation, mapStep);
    if (!run.converted.written)
        return;
    run.typ.types = run.converted.types;
    run.typ.lowest = run.converted.lowest;
    StepHost typStep(host, 40, 5);
    if (!writeTypFile(run.typ, typStep).written)
        return;
    run.image.map = run.map.outputPath;
    run.image.typText = run.typ.style.typPath;
    ImageStages stages(host, bar);
    run.result = garmin::makeGarminImage(run.image, stages);
    if (!run.result.made && !run.result.cancelled)
        host.message(MessageKind::Failure,
                     toBytes(MainWindow::tr("gmapsupp.img was not made:")) + "\r\n\r\n" + run.result.error);
}

QString summary(const GarminRun& run) {
    const auto& r = run.result;
    QString text = MainWindow::tr("Created %1").arg(QDir::toNativeSeparators(fromBytes(r.image.string()))) +
                   kCrlf + kCrlf + MainWindow::tr("Size: %1 bytes").arg(r.size) + kCrlf +
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
    const GarminSettings settings = loadGarminSettings(garminSettingsFile(home_.root));
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
    run->typ.companionPath = toPath(QDir::toNativeSeparators(home_.root + QStringLiteral("/test.tpgn")));
    run->typ.familyId = *garmin::parseFamilyId(settings.familyId.trimmed().toStdString());
    run->typ.protectedPaths = {toPath(input_.path), run->map.outputPath};
    run->image.name = settings.mapName.isEmpty() ? stem : toBytes(settings.mapName);
    if (!settings.mapNumber.isEmpty())
        run->image.mapNumber = garmin::parseMapNumber(settings.mapNumber.toStdString());
    run->image.familyId = run->typ.familyId;
    run->image.mkgmap = toBytes(settings.mkgmapProgram);

    setProgressShown(true);
    showProgress(1);
    progressBar_->setFormat(tr("Writing the map"));
    progressBar_->setTextVisible(true);
    cancelButton_->show();
    QProgressBar* bar = progressBar_;
    startRun([run, bar](Host& host) { runChain(*run, host, bar); },
             [this, run, inputPath = input_.path] {
                 cancelButton_->hide();
                 progressBar_->setTextVisible(false);
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
