#include "gui/shade_strip.h"

#include "gui/qt_colour.h"

#include <QPainter>

namespace orolith::gui {

ShadeStrip::ShadeStrip(QWidget* parent) : PointerArea(parent) {}

void ShadeStrip::showShadesOf(std::int32_t colour) {
    cells_ = shadeCells(colour, width());
    drawn_ = true;
    update();
}

std::int32_t ShadeStrip::colourAt(QPoint position) const {
    if (!drawn_ || !rect().contains(position))
        return kNoColour;
    return shadeColourAt(cells_, position.x());
}

void ShadeStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!drawn_)
        return;
    // In drawing order: each cell covers x to x + 8 inclusive, a later one the earlier.
    for (const ShadeCell& cell : cells_)
        painter.fillRect(QRect(cell.x, 0, 9, height()), toQColor(cell.colour));
}

ShadeTrack::ShadeTrack(QWidget* parent) : QWidget(parent), pointer_(new StripPointer(this)) {
    pointer_->setObjectName("pointer1");
}

} // namespace orolith::gui
