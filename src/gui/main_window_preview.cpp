// The map preview: filled once an input is listed, read again whenever an option that changes
// the bands changes, redrawn whenever a style setting changes, and tied to the legend both ways.
#include "core/conversion/conversion.h"
#include "core/conversion/legend_captions.h"
#include "core/conversion/typed_numbers.h"
#include "dem/dem_bands.h"
#include "gui/byte_text.h"
#include "gui/conversion_runner.h"
#include "gui/legend_widget.h"
#include "gui/main_window.h"
#include "gui/pattern_editor.h"
#include "gui/preview_pane.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>

namespace orolith::gui {

namespace {

constexpr int kOptionsRestMs = 300; // typing "100" reads once, not for "1", "10" and "100"

// The style checks report to nobody: the preview keeps its last good style meanwhile.
class SilentHost : public Host {
  public:
    void message(MessageKind, std::string_view) override {}
    bool ask(std::string_view) override { return false; }
};

} // namespace

void MainWindow::buildPreview() {
    previewTimer_ = new QTimer(this);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(kOptionsRestMs);
    connect(previewTimer_, &QTimer::timeout, this, &MainWindow::previewInput);
    connect(preview_, &PreviewPane::swatchClicked, legend_, &LegendWidget::select);
    connect(preview_, &PreviewPane::swatchDoubleClicked, this, [this](int swatch) {
        legend_->select(swatch);
        if (!legend_->showsBands())
            editSwatch(swatch);
    });
    connect(preview_, &PreviewPane::bandClicked, this, [this](int band) { legend_->bandList()->setCurrentRow(band); });
    connect(preview_, &PreviewPane::bandDoubleClicked, this, [this](int band) {
        if (legend_->showsBands())
            editBandColour(band);
    });
    connect(legend_, &LegendWidget::painted, this, &MainWindow::restylePreview);
    connect(patternEditor_, &QPlainTextEdit::textChanged, this, &MainWindow::restylePreview);
    connect(maxDrawOrderBox_, &QLineEdit::textChanged, this, &MainWindow::restylePreview);
    for (QCheckBox* box : {oneColourBox_, rowPerBandBox_, contoursBox_})
        connect(box, &QCheckBox::toggled, this, &MainWindow::restylePreview);
    // The bands depend on these: the input is read again.
    for (QLineEdit* box : {firstTypeBox_, maxDistanceBox_, intervalBox_, baseBox_, simplifyBox_})
        connect(box, &QLineEdit::textChanged, this, &MainWindow::schedulePreview);
    connect(smoothBox_, &QSpinBox::valueChanged, this, &MainWindow::schedulePreview);
    for (QCheckBox* box : levelBoxes_)
        connect(box, &QCheckBox::toggled, this, &MainWindow::schedulePreview);
    connect(fillVoidsBox_, &QCheckBox::toggled, this, &MainWindow::schedulePreview);
    connect(&preview_->engine(), &PreviewEngine::bandsChanged, this, [this](bool complete) {
        if (complete)
            listPreviewBands();
    });
}

// The type list and the legend name the bands the preview shows, so that all three agree
// with what a run makes of the same options.
void MainWindow::listPreviewBands() {
    const BandSnapshot& bands = preview_->engine().bands();
    if (!bands || runner_->active() || previewOptions_ != bandOptionsKey())
        return;
    typeList_->clear();
    for (const auto& entry : bands->types)
        typeList_->addItem(fromBytes(typeListText(entry)));
    input_.listedPath = input_.path;
    input_.listedLowest = bands->lowest;
    input_.listedOptions = previewOptions_;
    input_.lowestElevation = bands->lowest;
    legend_->setCaptions(legendCaptions(bands->types, bands->lowest));
    // An empty Simplify box shows the tolerance the pixel size gave, as a run reports it.
    simplifyBox_->setPlaceholderText(inputIsElevationModel() ? fromBytes(dem::toleranceText(bands->simplified))
                                                              : tr("1/10 pixel"));
}

void MainWindow::schedulePreview() {
    if (previewing_)
        previewTimer_->start();
}

void MainWindow::previewInput() {
    previewTimer_->stop();
    previewing_ = true;
    restylePreview();
    // No level, no map: the preview says so as "Create mp" would.
    if (std::none_of(levelBoxes_.begin(), levelBoxes_.end(),
                     [](QCheckBox* box) { return box->isChecked(); })) {
        preview_->showNothing(tr("Please select a 'Detail Level'."));
        return;
    }
    QString problem;
    const auto elevation = readElevationBoxes(problem);
    const auto firstType = FirstType::fromText(toBytes(firstTypeBox_->text()));
    const auto maxDistance = MaxDistance::fromText(toBytes(maxDistanceBox_->text()));
    if (!elevation) {
        preview_->showNothing(problem);
        return;
    }
    previewOptions_ = bandOptionsKey();
    render::BandReadSettings settings;
    settings.firstType = firstType.value;
    settings.maxDistance = maxDistance.metres;
    preview_->load(*elevation, settings);
}

void MainWindow::fitPreview() {
    preview_->fit();
}

void MainWindow::restylePreview() {
    if (preview_ == nullptr)
        return;
    SilentHost quiet;
    auto style = render::styleChoiceOf(styleOptions(), palette_.colours, quiet);
    if (style && rampChooser_ != nullptr)
        style->tint = tintChoice();
    preview_->setStyle(style, contoursBox_->isChecked());
}

} // namespace orolith::gui
