#include "gui/legend_widget.h"

#include "gui/byte_text.h"
#include "gui/qt_colour.h"

#include <QColor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QIcon>
#include <QListWidget>
#include <QPixmap>
#include <QScrollBar>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace orolith::gui {

SwatchLabel::SwatchLabel(int index, QWidget* parent) : QLabel(parent), index_(index) {
    setObjectName(QStringLiteral("Label4_%1").arg(index));
    setAutoFillBackground(true);
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Box);
    setToolTip(tr("Double-click to change this colour"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-00000m")) + 24);
    setMaximumWidth(minimumWidth());
    setMinimumHeight(fontMetrics().height() + 2);
}

void SwatchLabel::setCaption(const QString& caption) {
    caption_ = caption;
    showCaption();
}

void SwatchLabel::showCaption() {
    setText(fontMetrics().elidedText(caption_, Qt::ElideRight, contentsRect().width() - 2));
}

void SwatchLabel::setColour(std::int32_t colour) {
    const QColor background = toQColor(colour);
    QPalette look = palette();
    look.setColor(QPalette::Window, background);
    // The caption stays legible on dark and light colours alike.
    const int luma = (299 * background.red() + 587 * background.green() + 114 * background.blue()) / 1000;
    look.setColor(QPalette::WindowText, luma < 140 ? Qt::white : Qt::black);
    setPalette(look);
}

void SwatchLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(index_);
    QLabel::mouseDoubleClickEvent(event);
}

void SwatchLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit doubleClicked(index_);
        return;
    }
    QLabel::keyPressEvent(event);
}

void SwatchLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    showCaption();
}

LegendWidget::LegendWidget(QWidget* parent) : QWidget(parent) {
    pages_ = new QStackedLayout(this);
    auto* table = new QWidget;
    auto* column = new QVBoxLayout(table);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    for (int i = 0; i < kSwatches; ++i) {
        auto* label = new SwatchLabel(i, table);
        swatches_[static_cast<std::size_t>(i)] = label;
        connect(label, &SwatchLabel::doubleClicked, this, &LegendWidget::swatchDoubleClicked);
        column->addWidget(label, 1);
    }
    bands_ = new QListWidget;
    bands_->setObjectName(QStringLiteral("bandLegend"));
    bands_->setToolTip(tr("Double-click to change a band's colour"));
    bands_->setUniformItemSizes(true);
    bands_->setIconSize(QSize(32, 14));
    connect(bands_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { emit bandDoubleClicked(bands_->row(item)); });
    pages_->addWidget(table);
    pages_->addWidget(bands_);
    resetCaptions();
}

void LegendWidget::showBands(const std::vector<std::string>& captions, const std::vector<Rgb>& colours) {
    const int keep = bands_->currentRow();
    const int scroll = bands_->verticalScrollBar()->value();
    bands_->clear();
    QPixmap swatch(32, 14);
    for (std::size_t i = 0; i < captions.size() && i < colours.size(); ++i) {
        swatch.fill(QColor(colours[i].red, colours[i].green, colours[i].blue));
        bands_->addItem(new QListWidgetItem(QIcon(swatch), fromBytes(captions[i])));
    }
    bands_->setCurrentRow(keep < bands_->count() ? keep : -1);
    bands_->verticalScrollBar()->setValue(scroll);
    pages_->setCurrentWidget(bands_);
}

void LegendWidget::showTable() {
    pages_->setCurrentIndex(0);
}

bool LegendWidget::showsBands() const {
    return pages_->currentWidget() == bands_;
}

void LegendWidget::paint(const Palette& colours) {
    for (int i = 0; i < kSwatches; ++i)
        swatch(i)->setColour(colours[static_cast<std::size_t>(i)]);
    emit painted();
}

void LegendWidget::select(int index) {
    if (selected_ >= 0)
        swatch(selected_)->setLineWidth(1);
    selected_ = index >= 0 && index < kSwatches ? index : -1;
    if (selected_ >= 0)
        swatch(selected_)->setLineWidth(3);
}

void LegendWidget::resetCaptions() {
    for (int i = 0; i < kSwatches; ++i)
        swatch(i)->setCaption(tr("%1m").arg(i * 100));
}

void LegendWidget::setCaptions(const std::vector<std::string>& captions) {
    for (int i = 0; i < kSwatches; ++i) {
        const auto at = static_cast<std::size_t>(i);
        swatch(i)->setCaption(at < captions.size() ? fromBytes(captions[at]) : QString());
    }
}

} // namespace orolith::gui
