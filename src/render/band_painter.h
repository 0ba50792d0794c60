#pragma once
// Paints elevation bands as the receiver draws them: lower draw orders first (the map's own
// order within one draw order), each polygon filled even-odd over its rings with its band's
// tile aligned to the picture's pixels, then the contour lines on top.

#include "render/band_set.h"
#include "render/band_style.h"
#include "render/map_view.h"

#include <QColor>
#include <QImage>
#include <functional>
#include <vector>

namespace orolith::render {

struct PaintOptions {
    QColor background = Qt::white;
    bool contours = false; // the band edges of every polygon as a black line two pixels wide
    QPoint tileOrigin;     // the picture's pixel where a tile's top-left corner lies
    // Polled between polygons; false stops the painting (the picture is then incomplete).
    std::function<bool()> keepGoing;
    // Called now and then with the picture painted so far (lower draw orders complete).
    std::function<void(const QImage&)> partial;
};

// The painting order of the polygons: ascending draw order, the map's order within one.
std::vector<std::size_t> paintingOrder(const BandSet& bands, const std::vector<BandLook>& looks);

// Paints `bands` into `image` (whose size is the view's). False when stopped by keepGoing.
bool paintBands(QImage& image, const MapView& view, const BandSet& bands, const std::vector<BandLook>& looks,
                const PaintOptions& options);

// The polygon under a pixel: the one painted last (in `order`, from paintingOrder) whose
// rings hold it (even-odd), or -1.
std::ptrdiff_t polygonAt(const MapView& view, const BandSet& bands, const std::vector<std::size_t>& order,
                         QPointF pixel);

} // namespace orolith::render
