#include "render/band_set.h"

#include <algorithm>
#include <cmath>

namespace orolith::render {

namespace {

constexpr std::size_t kBatchPolygons = 2000;
// While reading, everything kept is merged again once a pixel has grown to twice the
// tolerance; at the end, once it is a fifth larger.
constexpr double kReadingSlack = 2.0;
constexpr double kFinalSlack = 1.2;

GeoBox outerBox(const BandPolygon& polygon) {
    GeoBox box;
    if (!polygon.rings.empty())
        for (const auto& p : polygon.rings.front())
            box.add(p);
    return box;
}

// The ring's box as a closed ring, grown about its middle to at least `size` on each axis.
Ring boxRing(const Ring& ring, double size) {
    GeoBox box;
    for (const auto& p : ring)
        box.add(p);
    const double halfWidth = std::max(box.width(), size) / 2;
    const double halfHeight = std::max(box.height(), size) / 2;
    const double lon = (box.west + box.east) / 2;
    const double lat = (box.south + box.north) / 2;
    return {{lon - halfWidth, lat - halfHeight},
            {lon + halfWidth, lat - halfHeight},
            {lon + halfWidth, lat + halfHeight},
            {lon - halfWidth, lat + halfHeight},
            {lon - halfWidth, lat - halfHeight}};
}

} // namespace

std::size_t BandSet::vertexCount() const {
    std::size_t count = 0;
    for (const auto& polygon : polygons)
        for (const auto& ring : polygon.rings)
            count += ring.size();
    return count;
}

void BandSet::add(BandPolygon polygon) {
    const GeoBox box = outerBox(polygon);
    extent.add(box);
    bounds.push_back(box);
    polygons.push_back(std::move(polygon));
}

void BandSet::followExtent(const GeoBox& box, const BandReadSettings& settings, double slack) {
    if (settings.fitWidth <= 0 || settings.fitHeight <= 0)
        return;
    GeoBox whole = extent;
    whole.add(box);
    if (whole.isEmpty())
        return;
    const double pixel = std::max(whole.width() / settings.fitWidth, whole.height() / settings.fitHeight);
    if (!(pixel > tolerance * slack))
        return;
    tolerance = pixel;
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        polygons[i] = simplifiedPolygon(polygons[i], tolerance);
        bounds[i] = outerBox(polygons[i]);
    }
}

void BandSet::take(BandPolygon polygon, const BandReadSettings& settings, const BatchReady& batchReady) {
    if (polygon.rings.empty())
        return;
    const GeoBox box = outerBox(polygon);
    if (!settings.area.isEmpty() && !box.intersects(settings.area))
        return;
    followExtent(box, settings, kReadingSlack);
    if (tolerance > 0.0)
        polygon = simplifiedPolygon(polygon, tolerance);
    add(std::move(polygon));
    if (batchReady && polygons.size() >= reported_ + kBatchPolygons)
        flush(batchReady);
}

void BandSet::flush(const BatchReady& batchReady) {
    if (batchReady && polygons.size() > reported_)
        batchReady(*this, reported_);
    reported_ = polygons.size();
}

void BandSet::finish(const BandReadSettings& settings, const BatchReady& batchReady) {
    followExtent({}, settings, kFinalSlack);
    flush(batchReady);
}

Ring simplifiedRing(const Ring& ring, double tolerance, std::vector<std::uint8_t>* sides) {
    if (tolerance <= 0.0 || ring.size() < 3)
        return ring;
    const bool marked = sides != nullptr && sides->size() == ring.size();
    Ring kept;
    kept.reserve(ring.size() / 4 + 4);
    std::size_t count = 0; // the sides of kept vertices move to the front
    const auto keep = [&](std::size_t i) {
        kept.push_back(ring[i]);
        if (marked)
            (*sides)[count] = (*sides)[i];
        ++count;
    };
    keep(0);
    for (std::size_t i = 1; i + 1 < ring.size(); ++i) {
        const GeoPoint& last = kept.back();
        if (std::abs(ring[i].lon - last.lon) >= tolerance || std::abs(ring[i].lat - last.lat) >= tolerance)
            keep(i);
    }
    keep(ring.size() - 1);
    if (marked)
        sides->resize(count);
    if (kept.size() < 4) {
        if (marked)
            sides->assign(5, 0); // a box of its own: band edges all round
        return boxRing(ring, tolerance);
    }
    kept.shrink_to_fit();
    return kept;
}

BandPolygon simplifiedPolygon(const BandPolygon& polygon, double tolerance) {
    BandPolygon out;
    out.band = polygon.band;
    out.outlineSides = polygon.outlineSides;
    out.rings.reserve(polygon.rings.size());
    for (std::size_t r = 0; r < polygon.rings.size(); ++r)
        out.rings.push_back(simplifiedRing(polygon.rings[r], tolerance,
                                           r < out.outlineSides.size() ? &out.outlineSides[r] : nullptr));
    return out;
}

} // namespace orolith::render
