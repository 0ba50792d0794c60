#include "dem/ring_assembly.h"

#include <algorithm>
#include <numeric>

namespace orolith::dem {

void dropCollinear(PixelRing& ring) {
    if (ring.size() < 4)
        return;
    PixelRing kept;
    kept.reserve(ring.size());
    const std::size_t n = ring.size();
    for (std::size_t i = 0; i < n; ++i) {
        const PixelPoint& prev = kept.empty() ? ring[n - 1] : kept.back();
        const PixelPoint& here = ring[i];
        const PixelPoint& next = ring[(i + 1) % n];
        const double cross = (here.x - prev.x) * (next.y - here.y) - (here.y - prev.y) * (next.x - here.x);
        if (cross != 0.0)
            kept.push_back(here);
    }
    // The first point was judged against the unreduced last one; check it once more.
    if (kept.size() >= 3) {
        const PixelPoint& prev = kept.back();
        const PixelPoint& here = kept.front();
        const PixelPoint& next = kept[1];
        if ((here.x - prev.x) * (next.y - here.y) - (here.y - prev.y) * (next.x - here.x) == 0.0)
            kept.erase(kept.begin());
    }
    if (kept.size() >= 3)
        ring = std::move(kept);
}

double signedArea(const PixelRing& ring) {
    double twice = 0.0;
    for (std::size_t i = 0, n = ring.size(); i < n; ++i) {
        const PixelPoint& a = ring[i];
        const PixelPoint& b = ring[(i + 1) % n];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2.0;
}

std::vector<bool> insideRing(const PixelRing& ring, const std::vector<PixelPoint>& points) {
    std::vector<bool> inside(points.size(), false);
    std::vector<std::size_t> order(points.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return points[a].y < points[b].y; });
    std::vector<double> ys(points.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        ys[i] = points[order[i]].y;
    for (std::size_t i = 0, n = ring.size(); i < n; ++i) {
        const PixelPoint& a = ring[i];
        const PixelPoint& b = ring[(i + 1) % n];
        if (a.y == b.y)
            continue;
        // Half-open in y: the edge counts for points with min y <= y < max y.
        const double low = std::min(a.y, b.y), high = std::max(a.y, b.y);
        auto from = std::lower_bound(ys.begin(), ys.end(), low);
        auto to = std::lower_bound(from, ys.end(), high);
        for (auto it = from; it != to; ++it) {
            const PixelPoint& p = points[order[static_cast<std::size_t>(it - ys.begin())]];
            const double x = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (x > p.x)
                inside[order[static_cast<std::size_t>(it - ys.begin())]] =
                    !inside[order[static_cast<std::size_t>(it - ys.begin())]];
        }
    }
    return inside;
}

namespace {

template <typename Ring>
auto boundsOf(const Ring& ring) {
    double minX = ring[0].x, maxX = minX, minY = ring[0].y, maxY = minY;
    for (const PixelPoint& p : ring) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    return std::array<double, 4>{minX, minY, maxX, maxY};
}

} // namespace

void RingAssembly::ring(std::int32_t band, PixelRing&& points) {
    if (!keepCollinear_)
        dropCollinear(points);
    const double area = signedArea(points);
    const auto b = boundsOf(points);
    const Bounds bounds{b[0], b[1], b[2], b[3]};
    if (area < 0.0) {
        const double x = points.front().x;
        holes_[band].emplace(x, Hole{std::move(points), bounds});
        ++holeCount_;
    } else {
        closedOuters_.push_back({band, std::move(points), bounds, area});
    }
}

std::vector<std::pair<std::int32_t, PixelRing>> RingAssembly::takeWaitingHoles() {
    std::vector<std::pair<std::int32_t, PixelRing>> taken;
    for (auto& [band, holes] : holes_)
        for (auto& entry : holes)
            taken.emplace_back(band, std::move(entry.second.points));
    holes_.clear();
    holeCount_ = 0;
    return taken;
}

void RingAssembly::rowDone(double) {
    if (closedOuters_.empty())
        return;
    // The smaller of two nested outer rings of one band takes its holes first.
    std::sort(closedOuters_.begin(), closedOuters_.end(),
              [](const Outer& a, const Outer& b) { return a.area < b.area; });
    for (Outer& outer : closedOuters_)
        close(outer);
    closedOuters_.clear();
}

void RingAssembly::close(Outer& outer) {
    PixelPolygon polygon;
    polygon.band = outer.band;
    polygon.rings.push_back(std::move(outer.points));
    const auto found = holes_.find(outer.band);
    if (found != holes_.end()) {
        auto& waiting = found->second;
        std::vector<std::multimap<double, Hole>::iterator> candidates;
        std::vector<PixelPoint> firsts;
        for (auto it = waiting.lower_bound(outer.bounds.minX);
             it != waiting.end() && it->first <= outer.bounds.maxX; ++it) {
            const PixelPoint& p = it->second.points.front();
            if (p.y >= outer.bounds.minY && p.y <= outer.bounds.maxY) {
                candidates.push_back(it);
                firsts.push_back(p);
            }
        }
        const std::vector<bool> inside = insideRing(polygon.rings.front(), firsts);
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            if (!inside[i])
                continue;
            polygon.rings.push_back(std::move(candidates[i]->second.points));
            waiting.erase(candidates[i]);
            --holeCount_;
        }
        if (waiting.empty())
            holes_.erase(found);
    }
    sink_(std::move(polygon));
}

} // namespace orolith::dem
