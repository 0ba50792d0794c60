#include "render/map_view.h"

#include <algorithm>
#include <cmath>

namespace orolith::render {

namespace {

constexpr double kMetresPerDegree = 6371000.0 * 3.14159265358979323846 / 180.0;

// A box that has no width or height (a single point, a line) gets a little of both.
GeoBox withSize(GeoBox area) {
    const double pad = 1e-6;
    if (area.width() <= 0) {
        area.west -= pad;
        area.east += pad;
    }
    if (area.height() <= 0) {
        area.south -= pad;
        area.north += pad;
    }
    return area;
}

} // namespace

MapView MapView::stretched(const GeoBox& box, QSize size) {
    const GeoBox area = withSize(box);
    return {area.west, area.north, area.width() / size.width(), area.height() / size.height(), size};
}

MapView MapView::fitted(const GeoBox& box, QSize size) {
    const GeoBox area = withSize(box);
    const double d = std::max(area.width() / size.width(), area.height() / size.height());
    const double west = (area.west + area.east) / 2 - d * size.width() / 2;
    const double north = (area.south + area.north) / 2 + d * size.height() / 2;
    return {west, north, d, d, size};
}

QSize MapView::sizeFor(const GeoBox& box, int longSide) {
    const GeoBox area = withSize(box);
    const double ratio = area.width() / area.height();
    if (ratio >= 1)
        return {longSide, std::max(1, static_cast<int>(std::lround(longSide / ratio)))};
    return {std::max(1, static_cast<int>(std::lround(longSide * ratio))), longSide};
}

MapView MapView::panned(QPointF pixels) const {
    return {west_ - pixels.x() * dx_, north_ + pixels.y() * dy_, dx_, dy_, size_};
}

MapView MapView::zoomed(double factor, QPointF pixel) const {
    const GeoPoint fixed = toGeo(pixel);
    const double dx = dx_ / factor;
    const double dy = dy_ / factor;
    return {fixed.lon - pixel.x() * dx, fixed.lat + pixel.y() * dy, dx, dy, size_};
}

MapView MapView::resized(QSize size) const {
    const GeoPoint centre = toGeo(QPointF(size_.width() / 2.0, size_.height() / 2.0));
    return {centre.lon - size.width() / 2.0 * dx_, centre.lat + size.height() / 2.0 * dy_, dx_, dy_, size};
}

double MapView::metresPerPixel() const {
    const double middle = north_ - size_.height() * dy_ / 2;
    return dx_ * kMetresPerDegree * std::cos(middle * 3.14159265358979323846 / 180.0);
}

} // namespace orolith::render
