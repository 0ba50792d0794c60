// The band colours of the window: the ramp chooser, the legend of one row per band and the
// colours picked for single bands.

#include "core/style/band_tint.h"
#include "gui/byte_text.h"
#include "gui/colour_picker.h"
#include "gui/legend_widget.h"
#include "gui/main_window.h"
#include "gui/path_text.h"
#include "gui/preview_pane.h"
#include "gui/ramp_chooser.h"

#include <QCheckBox>
#include <QListWidget>

namespace orolith::gui {

void MainWindow::connectRampChooser() {
    rampChooser_->choose(loadRampSetting(rampSettingFile(home_.settingsFolder)));
    connect(rampChooser_, &RampChooser::changed, this, [this] {
        bandEdits_.clear();
        saveRampSetting(rampSettingFile(home_.settingsFolder), rampChooser_->setting());
        refreshLegend();
        restylePreview();
    });
    connect(legend_, &LegendWidget::bandDoubleClicked, this, &MainWindow::editBandColour);
    connect(oneColourBox_, &QCheckBox::toggled, this, &MainWindow::refreshLegend);
    connect(legend_, &LegendWidget::painted, this, &MainWindow::refreshLegend);
    refreshLegend();
}

TintChoice MainWindow::tintChoice() const {
    TintChoice tint;
    const bool paletteChosen =
        !palette_.file.trimmed().isEmpty() && !palette_.file.contains(QLatin1Char('*'));
    tint.ramp = rampFor(rampChooser_->chosen(), inputIsElevationModel(), paletteChosen);
    tint.edited = bandEdits_;
    tint.seaAtZero = seaInputs_.contains(input_.path);
    return tint;
}

void MainWindow::refreshLegend() {
    const TintChoice tint = tintChoice();
    const TypeList types = typeListOf(*typeList_);
    if (const auto range = bandRange(types))
        rampChooser_->setRange(range->lowest, range->highest);
    if (tint.ramp.classic || oneColourBox_->isChecked() || types.empty()) {
        legend_->showTable();
        return;
    }
    const BandColours colours = colourBands(palette_.colours, false, tint, types, input_.listedLowest);
    legend_->showBands(bandCaptions(types), colours.day);
}

void MainWindow::editBandColour(int band) {
    const TypeList types = typeListOf(*typeList_);
    if (band < 0 || band >= static_cast<int>(types.size()))
        return;
    const BandColours colours =
        colourBands(palette_.colours, false, tintChoice(), types, input_.listedLowest);
    const Rgb now = colours.day.at(static_cast<std::size_t>(band));
    const PickerResult picked =
        runColourPicker(this, packColour(now.red, now.green, now.blue), home_.settingsFolder);
    if (picked.colour < 0)
        return;
    bandEdits_[types[static_cast<std::size_t>(band)].elevation] = splitColour(picked.colour);
    refreshLegend();
    restylePreview();
}

} // namespace orolith::gui
