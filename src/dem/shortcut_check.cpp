#include "dem/shortcut_check.h"

#include <algorithm>
#include <cmath>

namespace orolith::dem {

namespace {

constexpr double kMetresPerDegree = 111320.0;
// At most this many grid cells per vertex: sparse areas get larger cells.
constexpr double kCellsPerVertex = 0.5;
// The most point-in-part tests (candidates × vertices of the part) one check may run.
constexpr double kRegionWork = 1.0e6;

double cross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}

// The distance from (px, py) to the segment from the origin to (bx, by).
double distanceToSegment(double px, double py, double bx, double by) {
    const double length2 = bx * bx + by * by;
    double t = length2 > 0.0 ? (px * bx + py * by) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = px - t * bx, dy = py - t * by;
    return std::sqrt(dx * dx + dy * dy);
}

} // namespace

ShortcutCheck::ShortcutCheck(const std::vector<GeoPoint>& points, const std::vector<std::uint32_t>& chainOf,
                             const std::vector<std::uint32_t>& placeOf, double toleranceMetres)
    : points_(points), chainOf_(chainOf), placeOf_(placeOf), tolerance_(toleranceMetres),
      touch_(std::min(0.2, toleranceMetres / 10.0)) {
    if (points.empty())
        return;
    double minLon = points.front().lon, maxLon = minLon, minLat = points.front().lat, maxLat = minLat;
    for (const GeoPoint& p : points) {
        minLon = std::min(minLon, p.lon);
        maxLon = std::max(maxLon, p.lon);
        minLat = std::min(minLat, p.lat);
        maxLat = std::max(maxLat, p.lat);
    }
    const double cosMiddle = std::max(0.01, std::cos((minLat + maxLat) / 2.0 * M_PI / 180.0));
    // Square cells (in metres) holding two vertices on average, but no narrower than the
    // tolerance where that is small (a check looks that far to either side of a shortcut).
    const double width = (maxLon - minLon) * cosMiddle, height = maxLat - minLat;
    const double dense = std::sqrt(width * height / (kCellsPerVertex * static_cast<double>(points.size())));
    double side = std::max(dense, std::min(toleranceMetres / kMetresPerDegree, 4.0 * dense));
    side = std::max({side, width / 4096.0, height / 4096.0, 1e-9});
    originLon_ = minLon;
    originLat_ = minLat;
    cellLat_ = side;
    cellLon_ = side / cosMiddle;
    columns_ = static_cast<std::size_t>((maxLon - minLon) / cellLon_) + 1;
    rows_ = static_cast<std::size_t>((maxLat - minLat) / cellLat_) + 1;
    const std::size_t cells = columns_ * rows_;
    vertexStart_.assign(cells + 1, 0);
    for (const GeoPoint& p : points)
        ++vertexStart_[cellOf(p) + 1];
    for (std::size_t c = 0; c < cells; ++c)
        vertexStart_[c + 1] += vertexStart_[c];
    vertexItems_.resize(points.size());
    std::vector<std::uint32_t> next(vertexStart_.begin(), vertexStart_.end() - 1);
    for (std::uint32_t v = 0; v < points.size(); ++v)
        vertexItems_[next[cellOf(points[v])]++] = v;
    segmentCells_.resize(cells);
}

std::size_t ShortcutCheck::cellOf(const GeoPoint& p) const {
    const auto column = std::min(columns_ - 1, static_cast<std::size_t>(std::max(0.0, (p.lon - originLon_) / cellLon_)));
    const auto row = std::min(rows_ - 1, static_cast<std::size_t>(std::max(0.0, (p.lat - originLat_) / cellLat_)));
    return row * columns_ + column;
}

// Every cell holding a point within the margins of the segment a–b, row by row: the segment
// clipped to the row's latitudes (widened by the margin), its longitudes widened by the other.
template <typename Visit>
void ShortcutCheck::forCells(const GeoPoint& a, const GeoPoint& b, double marginLon, double marginLat, const Box& clip,
                             Visit&& visit) const {
    auto rowOf = [&](double lat) {
        return static_cast<std::size_t>(std::clamp((lat - originLat_) / cellLat_, 0.0, static_cast<double>(rows_ - 1)));
    };
    auto columnOf = [&](double lon) {
        return static_cast<std::size_t>(std::clamp((lon - originLon_) / cellLon_, 0.0, static_cast<double>(columns_ - 1)));
    };
    const std::size_t lowRow = rowOf(std::max(std::min(a.lat, b.lat) - marginLat, clip.south));
    const std::size_t highRow = rowOf(std::min(std::max(a.lat, b.lat) + marginLat, clip.north));
    for (std::size_t row = lowRow; row <= highRow; ++row) {
        const double bottom = originLat_ + static_cast<double>(row) * cellLat_ - marginLat;
        const double top = bottom + cellLat_ + 2.0 * marginLat;
        double west = std::min(a.lon, b.lon), east = std::max(a.lon, b.lon);
        if (a.lat != b.lat) {
            double t0 = (bottom - a.lat) / (b.lat - a.lat), t1 = (top - a.lat) / (b.lat - a.lat);
            if (t0 > t1)
                std::swap(t0, t1);
            t0 = std::max(t0, 0.0);
            t1 = std::min(t1, 1.0);
            if (t0 > t1)
                continue;
            const double lon0 = a.lon + t0 * (b.lon - a.lon), lon1 = a.lon + t1 * (b.lon - a.lon);
            west = std::min(lon0, lon1);
            east = std::max(lon0, lon1);
        }
        const std::size_t last = columnOf(std::min(east + marginLon, clip.east));
        for (std::size_t column = columnOf(std::max(west - marginLon, clip.west)); column <= last; ++column)
            visit(row * columns_ + column);
    }
}

void ShortcutCheck::addSegment(std::uint32_t a, std::uint32_t b) {
    const auto index = static_cast<std::uint32_t>(segmentEnds_.size() / 2);
    segmentEnds_.push_back(a);
    segmentEnds_.push_back(b);
    const double margin = 1e-9;
    forCells(points_[a], points_[b], margin, margin, Box{}, [&](std::size_t cell) {
        auto& list = segmentCells_[cell];
        if (list.empty() || list.back() != index)
            list.push_back(index);
    });
}

bool ShortcutCheck::clear(const ChainPart& part) {
    const double marginLat = tolerance_ / kMetresPerDegree * 1.001 + 1e-9;
    const double marginLon = marginLat / std::max(0.01, part.cosLatitude);
    return verticesClear(part, marginLon, marginLat) && segmentsClear(part);
}

// No vertex but the part's own lies on the shortcut or between it and the part. Such a vertex
// lies within the part's bounds and within the tolerance of the shortcut, as the part does.
bool ShortcutCheck::verticesClear(const ChainPart& part, double marginLon, double marginLat) {
    const auto& ids = *part.ids;
    const GeoPoint a = points_[ids[part.first]], b = points_[ids[part.last]];
    const double xScale = kMetresPerDegree * part.cosLatitude;
    auto local = [&](const GeoPoint& p) { return Local{(p.lon - a.lon) * xScale, (p.lat - a.lat) * kMetresPerDegree}; };
    region_.clear();
    Box bounds{a.lon, a.lat, a.lon, a.lat};
    for (std::size_t i = part.first; i <= part.last; ++i) {
        const GeoPoint& p = points_[ids[i]];
        bounds = {std::min(bounds.west, p.lon), std::min(bounds.south, p.lat), std::max(bounds.east, p.lon),
                  std::max(bounds.north, p.lat)};
        region_.push_back(local(p));
    }
    // Touching counts: the bounds grow by the distance that does.
    const double touchLat = touch_ / kMetresPerDegree, touchLon = touch_ / xScale;
    bounds = {bounds.west - touchLon, bounds.south - touchLat, bounds.east + touchLon, bounds.north + touchLat};
    const Local end = region_.back();
    bool clear = true;
    candidates_.clear();
    forCells(a, b, marginLon, marginLat, bounds, [&](std::size_t cell) {
        for (std::uint32_t k = vertexStart_[cell]; clear && k < vertexStart_[cell + 1]; ++k) {
            const std::uint32_t v = vertexItems_[k];
            const GeoPoint& p = points_[v];
            if (p.lon < bounds.west || p.lon > bounds.east || p.lat < bounds.south || p.lat > bounds.north ||
                v == ids[part.first] || v == ids[part.last])
                continue;
            if (chainOf_[v] == part.chain && placeOf_[v] > part.first && placeOf_[v] < part.last)
                continue;
            const Local q = local(p);
            const double distance = distanceToSegment(q.x, q.y, end.x, end.y);
            if (distance <= touch_)
                clear = false;
            else if (distance <= tolerance_ * 1.001 + touch_)
                candidates_.push_back(q);
        }
    });
    // Where testing every candidate against the part would cost too much, the part is split
    // instead: refusing a shortcut is always safe.
    if (!clear || static_cast<double>(candidates_.size()) * static_cast<double>(region_.size()) > kRegionWork)
        return false;
    for (const Local& q : candidates_) {
        bool inside = false;
        for (std::size_t i = 0, j = region_.size() - 1; i < region_.size(); j = i++) {
            const Local& p1 = region_[i];
            const Local& p2 = region_[j];
            if ((p1.y > q.y) != (p2.y > q.y) && q.x < (p2.x - p1.x) * (q.y - p1.y) / (p2.y - p1.y) + p1.x)
                inside = !inside;
        }
        if (inside)
            return false;
    }
    return true;
}

// No kept segment crosses the shortcut, touches it, or runs along it from a common end.
bool ShortcutCheck::segmentsClear(const ChainPart& part) const {
    const auto& ids = *part.ids;
    const std::uint32_t from = ids[part.first], to = ids[part.last];
    const GeoPoint a = points_[from], b = points_[to];
    const double xScale = kMetresPerDegree * part.cosLatitude;
    auto local = [&](const GeoPoint& p) { return Local{(p.lon - a.lon) * xScale, (p.lat - a.lat) * kMetresPerDegree}; };
    const Local end = local(b);
    const double length = std::hypot(end.x, end.y);
    bool clear = true;
    forCells(a, b, 1e-9, 1e-9, Box{}, [&](std::size_t cell) {
        for (std::uint32_t s : segmentCells_[cell]) {
            if (!clear)
                return;
            const std::uint32_t u = segmentEnds_[2 * s], v = segmentEnds_[2 * s + 1];
            const bool sharesU = u == from || u == to, sharesV = v == from || v == to;
            if (sharesU && sharesV) {
                clear = false;
                return;
            }
            const Local p = local(points_[u]), q = local(points_[v]);
            if (sharesU || sharesV) {
                // From the common end, the other ends must not point the same way.
                const Local common = sharesU ? p : q, other = sharesU ? q : p;
                const bool atStart = sharesU ? u == from : v == from;
                const Local mine = atStart ? end : Local{-end.x, -end.y};
                const double ox = other.x - common.x, oy = other.y - common.y;
                const double reach = std::max(length, std::hypot(ox, oy));
                if (std::abs(cross(mine.x, mine.y, ox, oy)) <= touch_ * reach && mine.x * ox + mine.y * oy > 0.0)
                    clear = false;
                continue;
            }
            const double d1 = cross(end.x, end.y, p.x, p.y), d2 = cross(end.x, end.y, q.x, q.y);
            const double d3 = cross(q.x - p.x, q.y - p.y, -p.x, -p.y);
            const double d4 = cross(q.x - p.x, q.y - p.y, end.x - p.x, end.y - p.y);
            const bool proper = ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0));
            if (proper || distanceToSegment(p.x, p.y, end.x, end.y) <= touch_ ||
                distanceToSegment(q.x, q.y, end.x, end.y) <= touch_ ||
                distanceToSegment(-p.x, -p.y, q.x - p.x, q.y - p.y) <= touch_ ||
                distanceToSegment(end.x - p.x, end.y - p.y, q.x - p.x, q.y - p.y) <= touch_)
                clear = false;
        }
    });
    return clear;
}

} // namespace orolith::dem
