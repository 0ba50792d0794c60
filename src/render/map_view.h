#pragma once
// The picture's place on the earth: plate carrée, longitude and latitude linear, every pixel
// the same size in degrees along its axis. Pixel (0, 0) has its top-left corner at (west,
// north); x grows east, y grows south.

#include "render/geo_box.h"

#include <QPointF>
#include <QSize>

namespace orolith::render {

class MapView {
  public:
    MapView() = default;
    MapView(double west, double north, double degreesPerPixelX, double degreesPerPixelY, QSize size)
        : west_(west), north_(north), dx_(degreesPerPixelX), dy_(degreesPerPixelY), size_(size) {}

    // `area` filling `size` exactly (each axis its own pixel size).
    static MapView stretched(const GeoBox& area, QSize size);
    // `area` centred in `size` with the same degrees per pixel on both axes.
    static MapView fitted(const GeoBox& area, QSize size);
    // The picture size for `area` whose longer side has `longSide` pixels (square pixels).
    static QSize sizeFor(const GeoBox& area, int longSide);

    QPointF toPixel(const GeoPoint& p) const { return {(p.lon - west_) / dx_, (north_ - p.lat) / dy_}; }
    GeoPoint toGeo(QPointF pixel) const { return {west_ + pixel.x() * dx_, north_ - pixel.y() * dy_}; }

    GeoBox area() const {
        return {north_ - size_.height() * dy_, west_, north_, west_ + size_.width() * dx_};
    }
    QSize size() const { return size_; }
    double degreesPerPixelX() const { return dx_; }
    double degreesPerPixelY() const { return dy_; }
    double west() const { return west_; }
    double north() const { return north_; }
    bool isValid() const { return dx_ > 0 && dy_ > 0 && !size_.isEmpty(); }

    // Moved by a number of pixels (the content follows the pointer: a drag right shows more west).
    MapView panned(QPointF pixels) const;
    // Zoomed by `factor` (above 1: closer) keeping the place under `pixel` where it is.
    MapView zoomed(double factor, QPointF pixel) const;
    // The same centre and pixel size in a picture of another size.
    MapView resized(QSize size) const;

    // Metres per pixel along the parallel through the middle of the picture.
    double metresPerPixel() const;

  private:
    double west_ = 0, north_ = 0, dx_ = 0, dy_ = 0;
    QSize size_;
};

} // namespace orolith::render
