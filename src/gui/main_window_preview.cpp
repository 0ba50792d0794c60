// The map preview dock: shown once an input is listed, redrawn whenever a style setting
// changes, and tied to the legend both ways.
#include "core/conversion/typed_numbers.h"
#include "gui/byte_text.h"
#include "gui/legend_widget.h"
#include "gui/main_window.h"
#include "gui/pattern_editor.h"
#include "gui/preview_dock.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <algorithm>

namespace orolith::gui {

namespace {

constexpr int kPreviewWidth = 560; // pixels the window grows by for the preview, screen allowing

// The style checks report to nobody: the preview keeps its last good style meanwhile.
class SilentHost : public Host {
  public:
    void message(MessageKind, std::string_view) override {}
    bool ask(std::string_view) override { return false; }
};

} // namespace

void MainWindow::buildPreview() {
    preview_ = new PreviewDock(this);
    addDockWidget(Qt::RightDockWidgetArea, preview_);
    preview_->hide();
    connect(preview_, &PreviewDock::swatchClicked, legend_, &LegendWidget::select);
    connect(preview_, &PreviewDock::swatchDoubleClicked, this, [this](int swatch) {
        legend_->select(swatch);
        if (!legend_->showsBands())
            editSwatch(swatch);
    });
    connect(preview_, &PreviewDock::bandClicked, this, [this](int band) { legend_->bandList()->setCurrentRow(band); });
    connect(preview_, &PreviewDock::bandDoubleClicked, this, [this](int band) {
        if (legend_->showsBands())
            editBandColour(band);
    });
    connect(legend_, &LegendWidget::painted, this, &MainWindow::restylePreview);
    connect(patternEditor_, &QPlainTextEdit::textChanged, this, &MainWindow::restylePreview);
    connect(maxDrawOrderBox_, &QLineEdit::textChanged, this, &MainWindow::restylePreview);
    for (QCheckBox* box : {oneColourBox_, rowPerBandBox_, contoursBox_})
        connect(box, &QCheckBox::toggled, this, &MainWindow::restylePreview);
    // The band list depends on these: the input is read again once editing ends.
    for (QLineEdit* box : {firstTypeBox_, maxDistanceBox_})
        connect(box, &QLineEdit::editingFinished, this, [this] {
            if (preview_->isVisible())
                previewInput();
        });
}

void MainWindow::previewInput() {
    render::BandReadSettings settings;
    settings.firstType = FirstType::fromText(toBytes(firstTypeBox_->text())).value;
    settings.maxDistance = MaxDistance::fromText(toBytes(maxDistanceBox_->text())).metres;
    restylePreview();
    if (preview_->isHidden()) {
        // The window grows by the preview's width, as far as the screen allows, and the
        // preview takes what it grew by.
        const int wanted = std::max(preview_->sizeHint().width(), kPreviewWidth);
        const int grown = screen() ? std::min(width() + wanted, screen()->availableGeometry().width()) : width() + wanted;
        const int previewWidth = std::max(preview_->minimumWidth(), grown - width());
        preview_->show();
        resize(grown, height());
        resizeDocks({preview_}, {previewWidth}, Qt::Horizontal);
    }
    preview_->load(input_.path, settings);
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
