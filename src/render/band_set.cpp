#include "render/band_set.h"

#include <cmath>

namespace orolith::render {

namespace {

constexpr std::size_t kBatchPolygons = 2000;

} // namespace

std::size_t BandSet::vertexCount() const {
    std::size_t count = 0;
    for (const auto& polygon : polygons)
        for (const auto& ring : polygon.rings)
            count += ring.size();
    return count;
}

void BandSet::add(BandPolygon polygon) {
    GeoBox box;
    if (!polygon.rings.empty())
        for (const auto& p : polygon.rings.front())
            box.add(p);
    extent.add(box);
    bounds.push_back(box);
    polygons.push_back(std::move(polygon));
}

void BandSet::take(BandPolygon polygon, const BandReadSettings& settings, const BatchReady& batchReady) {
    if (polygon.rings.empty())
        return;
    if (!settings.area.isEmpty()) {
        GeoBox box;
        for (const auto& p : polygon.rings.front())
            box.add(p);
        if (!box.intersects(settings.area))
            return;
    }
    if (settings.tolerance > 0.0)
        polygon = simplifiedPolygon(polygon, settings.tolerance);
    if (polygon.rings.empty())
        return;
    add(std::move(polygon));
    if (batchReady && polygons.size() >= reported_ + kBatchPolygons)
        flush(batchReady);
}

void BandSet::flush(const BatchReady& batchReady) {
    if (batchReady && polygons.size() > reported_)
        batchReady(*this, reported_);
    reported_ = polygons.size();
}

Ring simplifiedRing(const Ring& ring, double tolerance) {
    if (tolerance <= 0.0 || ring.size() < 3)
        return ring;
    Ring kept;
    kept.reserve(ring.size() / 4 + 4);
    kept.push_back(ring.front());
    for (std::size_t i = 1; i + 1 < ring.size(); ++i) {
        const GeoPoint& last = kept.back();
        if (std::abs(ring[i].lon - last.lon) >= tolerance || std::abs(ring[i].lat - last.lat) >= tolerance)
            kept.push_back(ring[i]);
    }
    kept.push_back(ring.back());
    if (kept.size() < 4)
        return {};
    return kept;
}

BandPolygon simplifiedPolygon(const BandPolygon& polygon, double tolerance) {
    BandPolygon out;
    out.band = polygon.band;
    for (std::size_t i = 0; i < polygon.rings.size(); ++i) {
        Ring ring = simplifiedRing(polygon.rings[i], tolerance);
        if (ring.empty()) {
            if (i == 0)
                return out;
            continue;
        }
        out.rings.push_back(std::move(ring));
    }
    return out;
}

} // namespace orolith::render
