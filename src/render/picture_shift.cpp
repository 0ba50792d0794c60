#include "render/picture_shift.h"

#include <QPainter>
#include <cmath>

namespace orolith::render {

namespace {

constexpr double kWholeWithin = 1e-3; // pixels
constexpr int kTileSize = 32;

std::optional<int> whole(double pixels) {
    const double rounded = std::round(pixels);
    if (std::abs(pixels - rounded) > kWholeWithin)
        return std::nullopt;
    return static_cast<int>(rounded);
}

int tilePhase(double pixels) {
    const double phase = std::fmod(std::round(pixels), static_cast<double>(kTileSize));
    return static_cast<int>(phase < 0 ? phase + kTileSize : phase);
}

} // namespace

std::optional<QPoint> wholePixelShift(const MapView& from, const MapView& to) {
    if (!from.isValid() || from.size() != to.size() || from.degreesPerPixelX() != to.degreesPerPixelX() ||
        from.degreesPerPixelY() != to.degreesPerPixelY())
        return std::nullopt;
    const auto x = whole((from.west() - to.west()) / to.degreesPerPixelX());
    const auto y = whole((to.north() - from.north()) / to.degreesPerPixelY());
    if (!x || !y || std::abs(*x) >= to.size().width() || std::abs(*y) >= to.size().height())
        return std::nullopt;
    return QPoint(*x, *y);
}

QPoint earthTileOrigin(const MapView& view) {
    const QPointF origin = view.toPixel({0.0, 0.0});
    return {tilePhase(origin.x()), tilePhase(origin.y())};
}

bool paintShifted(QImage& image, const MapView& view, const QImage& earlier, QPoint shift, const BandSet& bands,
                  const std::vector<BandLook>& looks, const PaintOptions& options) {
    const int width = view.size().width();
    const int height = view.size().height();
    image.fill(options.background);
    {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QRect(shift, earlier.size()), earlier, earlier.rect());
    }
    // The uncovered columns over the whole height, then the uncovered rows between them.
    std::vector<QRect> strips;
    if (shift.x() > 0)
        strips.emplace_back(0, 0, shift.x(), height);
    else if (shift.x() < 0)
        strips.emplace_back(width + shift.x(), 0, -shift.x(), height);
    const int left = std::max(shift.x(), 0);
    const int right = std::min(width + shift.x(), width);
    if (shift.y() > 0)
        strips.emplace_back(left, 0, right - left, shift.y());
    else if (shift.y() < 0)
        strips.emplace_back(left, height + shift.y(), right - left, -shift.y());

    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& strip : strips) {
        if (strip.isEmpty())
            continue;
        const GeoPoint corner = view.toGeo(strip.topLeft());
        const MapView part(corner.lon, corner.lat, view.degreesPerPixelX(), view.degreesPerPixelY(), strip.size());
        PaintOptions partOptions = options;
        partOptions.partial = {};
        partOptions.tileOrigin = options.tileOrigin - strip.topLeft();
        QImage piece(strip.size(), image.format());
        if (!paintBands(piece, part, bands, looks, partOptions))
            return false;
        painter.drawImage(strip.topLeft(), piece);
    }
    return true;
}

} // namespace orolith::render
