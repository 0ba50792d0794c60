#include "gui/colour_field.h"

#include "core/colour/colour_model.h"
#include "gui/qt_colour.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>

namespace orolith::gui {

namespace {

QImage imageOf(const std::vector<std::int32_t>& picture) {
    QImage image(kFieldWidth, kFieldHeight, QImage::Format_RGB32);
    for (int y = 0; y < kFieldHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kFieldWidth; ++x)
            line[x] = toQColor(fieldColourAt(picture, x, y)).rgb();
    }
    return image;
}

// The hot spot of a Windows cursor file (.cur): the first image's entry in its directory.
QPoint cursorHotSpot(const QByteArray& bytes) {
    if (bytes.size() < 22 || bytes[2] != 2 || bytes[3] != 0)
        return QPoint(-1, -1);
    const auto word = [&bytes](int at) {
        return int(static_cast<unsigned char>(bytes[at])) | int(static_cast<unsigned char>(bytes[at + 1]))
                                                                << 8;
    };
    return QPoint(word(10), word(12));
}

} // namespace

ColourField::ColourField(QWidget* parent)
    : PointerArea(parent), picture_(fieldPicture()), image_(imageOf(picture_)),
      marker_(new FieldMarker(this)) {
    setFixedSize(kFieldWidth, kFieldHeight);
    marker_->setObjectName("Image1");
}

std::int32_t ColourField::colourAt(QPoint position) const {
    return fieldColourAt(picture_, position.x(), position.y());
}

void ColourField::useCursorFile(const QString& path) {
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(64 * 1024);
    QPixmap pixmap;
    if (!bytes.isEmpty() && pixmap.loadFromData(bytes, "ICO")) {
        const QPoint hotSpot = cursorHotSpot(bytes);
        setCursor(QCursor(pixmap, hotSpot.x(), hotSpot.y()));
    } else {
        setCursor(Qt::CrossCursor);
    }
}

void ColourField::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

} // namespace orolith::gui
