#include "gui/window_art.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace orolith::gui {

namespace {

QPixmap drawDownload(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = size / 32.0;
    // The tile: green lowland rising to brown hills.
    const QRectF tile(3 * unit, 14 * unit, 26 * unit, 15 * unit);
    painter.setPen(QPen(QColor(60, 60, 60), unit));
    painter.setBrush(QColor(120, 170, 90));
    painter.drawRoundedRect(tile, 2 * unit, 2 * unit);
    QPainterPath hills;
    hills.moveTo(4 * unit, 27 * unit);
    hills.lineTo(11 * unit, 19 * unit);
    hills.lineTo(16 * unit, 24 * unit);
    hills.lineTo(22 * unit, 17 * unit);
    hills.lineTo(28 * unit, 27 * unit);
    hills.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(165, 120, 70));
    painter.drawPath(hills);
    // The arrow.
    QPainterPath arrow;
    arrow.moveTo(13 * unit, 2 * unit);
    arrow.lineTo(19 * unit, 2 * unit);
    arrow.lineTo(19 * unit, 9 * unit);
    arrow.lineTo(23 * unit, 9 * unit);
    arrow.lineTo(16 * unit, 16 * unit);
    arrow.lineTo(9 * unit, 9 * unit);
    arrow.lineTo(13 * unit, 9 * unit);
    arrow.closeSubpath();
    painter.setPen(QPen(QColor(20, 50, 120), unit));
    painter.setBrush(QColor(58, 123, 213));
    painter.drawPath(arrow);
    return pixmap;
}

} // namespace

QIcon tileDownloadIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(drawDownload(size));
    return icon;
}

} // namespace orolith::gui
