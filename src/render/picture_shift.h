#pragma once
// Moving a finished picture instead of painting it again: a picture of the same scale a
// whole number of pixels away keeps its pixels, and only the strips it does not cover are
// painted, so panning costs about as much as the strips uncovered.

#include "render/band_painter.h"

#include <QPoint>
#include <optional>

namespace orolith::render {

// Where pixel (0, 0) of a picture of `from` lies in a picture of `to`, when both have the same
// scale and size and the offset is whole pixels, smaller than the picture; nothing otherwise.
std::optional<QPoint> wholePixelShift(const MapView& from, const MapView& to);

// The tile origin that keeps the fill pattern fixed to the earth while the view moves by
// whole pixels: the pixel of the meridian 0 and the equator, modulo the tile size.
QPoint earthTileOrigin(const MapView& view);

// Paints the picture of `view` into `image` from `earlier`, whose pixel (0, 0) lies at `shift`:
// its pixels moved, the strips it leaves uncovered painted with `options` (whose tile origin
// is that of the new picture). False when stopped by options.keepGoing.
bool paintShifted(QImage& image, const MapView& view, const QImage& earlier, QPoint shift, const BandSet& bands,
                  const std::vector<BandLook>& looks, const PaintOptions& options);

} // namespace orolith::render
