#include "gui/picker_parts.h"

#include "core/colour/colour_model.h"
#include "gui/qt_colour.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace orolith::gui {

PointerArea::PointerArea(QWidget* parent) : QWidget(parent) {}

void PointerArea::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position().toPoint(), event->button());
}

void PointerArea::mouseMoveEvent(QMouseEvent* event) {
    emit moved(event->position().toPoint(), event->buttons());
}

void PointerArea::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    emit released(position);
    if (event->button() == Qt::LeftButton && rect().contains(position))
        emit clicked();
}

ColourSwatch::ColourSwatch(QWidget* parent) : PointerArea(parent) {}

void ColourSwatch::setColour(std::int32_t colour) {
    if (!isColour(colour))
        return;
    colour_ = colour;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    if (colour_)
        painter.fillRect(inner, toQColor(*colour_));
    // A sunken one-pixel border: dark above and left, light below and right.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(1, height() - 1, width() - 1, height() - 1);
    painter.drawLine(width() - 1, 1, width() - 1, height() - 1);
}

FieldMarker::FieldMarker(QWidget* parent) : PointerArea(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    resize(kSize, kSize);
}

void FieldMarker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A dark ring with a light halo, so that it shows on dark and light parts of the field.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 160), 4));
    painter.drawEllipse(QRectF(3, 3, kSize - 6, kSize - 6));
    painter.setPen(QPen(QColor(32, 32, 32), 2));
    painter.drawEllipse(QRectF(3, 3, kSize - 6, kSize - 6));
}

StripPointer::StripPointer(QWidget* parent) : PointerArea(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    resize(kWidth, kHeight);
}

void StripPointer::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    triangle.moveTo(kWidth / 2.0, 0.5);
    triangle.lineTo(kWidth - 0.5, kHeight - 0.5);
    triangle.lineTo(0.5, kHeight - 0.5);
    triangle.closeSubpath();
    painter.setPen(QPen(QColor(16, 16, 16), 1));
    painter.setBrush(QColor(48, 48, 48));
    painter.drawPath(triangle);
}

} // namespace orolith::gui
