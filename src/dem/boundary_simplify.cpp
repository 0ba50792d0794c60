#include "dem/boundary_simplify.h"

#include "dem/shortcut_check.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace orolith::dem {

namespace {

constexpr double kMetresPerDegree = 111320.0;

double cosLatitude(const GeoPoint& p) {
    return std::max(0.01, std::cos(p.lat * M_PI / 180.0));
}

// The rings of an area as vertex ids: equal points have one id, and for each id the places
// (ring, index) where it occurs.
struct Area {
    std::vector<GeoPoint> points;
    std::vector<std::vector<std::uint32_t>> rings; // open: the closing point left out
    std::vector<std::pair<std::size_t, std::size_t>> homes; // polygon and ring of each
    std::vector<std::uint32_t> placeStart;                  // per id, into places
    std::vector<std::pair<std::uint32_t, std::uint32_t>> places;
    std::vector<char> fixed;

    std::uint32_t before(std::uint32_t ring, std::uint32_t index) const {
        const auto& r = rings[ring];
        return r[index == 0 ? r.size() - 1 : index - 1];
    }
    std::uint32_t after(std::uint32_t ring, std::uint32_t index) const {
        const auto& r = rings[ring];
        return r[index + 1 == r.size() ? 0 : index + 1];
    }
};

Area indexArea(const std::vector<BandPolygon>& polygons) {
    Area area;
    struct Entry {
        GeoPoint point;
        std::uint32_t ring, index;
    };
    std::vector<Entry> entries;
    for (std::size_t p = 0; p < polygons.size(); ++p)
        for (std::size_t q = 0; q < polygons[p].rings.size(); ++q) {
            const Ring& ring = polygons[p].rings[q];
            const auto number = static_cast<std::uint32_t>(area.rings.size());
            std::uint32_t size = 0;
            for (std::size_t i = 0; i < ring.size(); ++i)
                if ((i == 0 || !(ring[i] == ring[i - 1])) && (i + 1 < ring.size() || !(ring[i] == ring.front())))
                    entries.push_back({ring[i], number, size++});
            area.rings.emplace_back(size);
            area.homes.emplace_back(p, q);
        }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.point.lon != b.point.lon)
            return a.point.lon < b.point.lon;
        if (a.point.lat != b.point.lat)
            return a.point.lat < b.point.lat;
        return a.ring != b.ring ? a.ring < b.ring : a.index < b.index;
    });
    area.places.reserve(entries.size());
    for (std::size_t k = 0; k < entries.size(); ++k) {
        if (k == 0 || !(entries[k].point == entries[k - 1].point)) {
            area.placeStart.push_back(static_cast<std::uint32_t>(k));
            area.points.push_back(entries[k].point);
        }
        area.rings[entries[k].ring][entries[k].index] = static_cast<std::uint32_t>(area.points.size() - 1);
        area.places.emplace_back(entries[k].ring, entries[k].index);
    }
    area.placeStart.push_back(static_cast<std::uint32_t>(entries.size()));
    return area;
}

// A vertex stays where anything but one ring, or two rings running along each other in
// opposite directions, passes through it.
void markJunctions(Area& area, const KeepVertex& keep) {
    area.fixed.assign(area.points.size(), 0);
    for (std::uint32_t v = 0; v < area.points.size(); ++v) {
        const std::uint32_t begin = area.placeStart[v], count = area.placeStart[v + 1] - begin;
        bool fixed = count != 1;
        if (count == 2) {
            const auto [r, i] = area.places[begin];
            const auto [p, k] = area.places[begin + 1];
            fixed = r == p || area.after(r, i) != area.before(p, k) || area.before(r, i) != area.after(p, k);
        }
        area.fixed[v] = fixed || (keep && keep(area.points[v]));
    }
}

// Every ring keeps at least three vertices that are not on one line, so none collapses.
void anchorRings(Area& area) {
    for (const auto& ring : area.rings) {
        if (ring.size() <= 3) {
            for (std::uint32_t v : ring)
                area.fixed[v] = 1;
            continue;
        }
        std::vector<std::uint32_t> anchors;
        for (std::uint32_t v : ring)
            if (area.fixed[v] && std::find(anchors.begin(), anchors.end(), v) == anchors.end()) {
                anchors.push_back(v);
                if (anchors.size() == 3)
                    break;
            }
        const double scale = cosLatitude(area.points[ring.front()]);
        auto x = [&](std::uint32_t v) { return area.points[v].lon * scale; };
        auto y = [&](std::uint32_t v) { return area.points[v].lat; };
        if (anchors.empty())
            anchors.push_back(*std::min_element(ring.begin(), ring.end(), [&](std::uint32_t a, std::uint32_t b) {
                return std::pair(x(a), y(a)) < std::pair(x(b), y(b));
            }));
        while (anchors.size() < 3) {
            const std::uint32_t a = anchors.front(), b = anchors.back();
            double best = 0.0;
            std::uint32_t chosen = a;
            for (std::uint32_t v : ring) {
                const double reach = anchors.size() == 1
                                         ? std::hypot(x(v) - x(a), y(v) - y(a))
                                         : std::abs((x(b) - x(a)) * (y(v) - y(a)) - (y(b) - y(a)) * (x(v) - x(a)));
                if (reach > best) {
                    best = reach;
                    chosen = v;
                }
            }
            if (best == 0.0)
                break; // all on one line: keep every vertex
            anchors.push_back(chosen);
        }
        if (anchors.size() < 3)
            for (std::uint32_t v : ring)
                anchors.push_back(v);
        for (std::uint32_t v : anchors)
            area.fixed[v] = 1;
    }
}

struct Chain {
    std::vector<std::uint32_t> ids; // from one fixed vertex to the next
    std::vector<char> kept;
};
struct ChainUse {
    std::uint32_t chain = 0;
    bool reversed = false;
};

// Splits the rings at their fixed vertices. A chain two rings share is made once: its inner
// vertices belong to it alone, which `chainOf` and `placeOf` record.
std::vector<std::vector<ChainUse>> splitChains(const Area& area, std::vector<Chain>& chains,
                                               std::vector<std::uint32_t>& chainOf,
                                               std::vector<std::uint32_t>& placeOf) {
    std::vector<std::vector<ChainUse>> uses(area.rings.size());
    chainOf.assign(area.points.size(), kNoChain);
    placeOf.assign(area.points.size(), 0);
    for (std::size_t r = 0; r < area.rings.size(); ++r) {
        const auto& ring = area.rings[r];
        const std::size_t n = ring.size();
        if (n == 0)
            continue;
        std::size_t start = 0;
        while (!area.fixed[ring[start]])
            ++start;
        std::vector<std::uint32_t> ids{ring[start]};
        for (std::size_t step = 1; step <= n; ++step) {
            const std::uint32_t v = ring[(start + step) % n];
            ids.push_back(v);
            if (!area.fixed[v])
                continue;
            const std::uint32_t known = ids.size() > 2 ? chainOf[ids[1]] : kNoChain;
            if (known != kNoChain) {
                const auto& made = chains[known].ids;
                uses[r].push_back({known, made.front() != ids.front() || made[1] != ids[1]});
            } else {
                const auto c = static_cast<std::uint32_t>(chains.size());
                for (std::size_t i = 1; i + 1 < ids.size(); ++i) {
                    chainOf[ids[i]] = c;
                    placeOf[ids[i]] = static_cast<std::uint32_t>(i);
                }
                chains.push_back({ids, std::vector<char>(ids.size(), 1)});
                uses[r].push_back({c, false});
            }
            ids.assign(1, v);
        }
    }
    return uses;
}

// Douglas–Peucker over one chain, taking a shortcut only where `check` finds it clear.
void simplifyChain(std::uint32_t number, Chain& chain, const Area& area, double tolerance, ShortcutCheck& check) {
    const auto& ids = chain.ids;
    const double scale = cosLatitude(area.points[ids.front()]) * kMetresPerDegree;
    const GeoPoint origin = area.points[ids.front()];
    std::vector<std::pair<double, double>> xy;
    xy.reserve(ids.size());
    for (std::uint32_t v : ids)
        xy.emplace_back((area.points[v].lon - origin.lon) * scale, (area.points[v].lat - origin.lat) * kMetresPerDegree);
    std::vector<std::pair<std::size_t, std::size_t>> parts{{0, ids.size() - 1}};
    while (!parts.empty()) {
        const auto [first, last] = parts.back();
        parts.pop_back();
        if (last - first < 2)
            continue;
        const auto [ax, ay] = xy[first];
        const double bx = xy[last].first - ax, by = xy[last].second - ay;
        const double length2 = bx * bx + by * by;
        double farthest = -1.0;
        std::size_t split = first + 1;
        for (std::size_t i = first + 1; i < last; ++i) {
            const double px = xy[i].first - ax, py = xy[i].second - ay;
            const double t = length2 > 0.0 ? std::clamp((px * bx + py * by) / length2, 0.0, 1.0) : 0.0;
            const double dx = px - t * bx, dy = py - t * by;
            const double distance = dx * dx + dy * dy; // squared
            if (distance > farthest) {
                farthest = distance;
                split = i;
            }
        }
        if (length2 > 0.0 && farthest <= tolerance * tolerance &&
            check.clear({number, &ids, first, last, scale / kMetresPerDegree})) {
            std::fill(chain.kept.begin() + static_cast<std::ptrdiff_t>(first) + 1,
                      chain.kept.begin() + static_cast<std::ptrdiff_t>(last), 0);
            check.addSegment(ids[first], ids[last]);
            continue;
        }
        parts.emplace_back(split, last);
        parts.emplace_back(first, split);
    }
}

} // namespace

void simplifyBoundaries(std::vector<BandPolygon>& polygons, double toleranceMetres, const KeepVertex& keep) {
    if (!(toleranceMetres > 0.0) || polygons.empty())
        return;
    Area area = indexArea(polygons);
    for (BandPolygon& polygon : polygons) // rebuilt from the area's ids below
        for (Ring& ring : polygon.rings)
            Ring().swap(ring);
    markJunctions(area, keep);
    decltype(area.places)().swap(area.places);
    decltype(area.placeStart)().swap(area.placeStart);
    anchorRings(area);
    std::vector<Chain> chains;
    std::vector<std::uint32_t> chainOf, placeOf;
    const auto uses = splitChains(area, chains, chainOf, placeOf);
    ShortcutCheck check(area.points, chainOf, placeOf, toleranceMetres);
    for (const Chain& chain : chains)
        if (chain.ids.size() == 2)
            check.addSegment(chain.ids[0], chain.ids[1]);
    for (std::size_t c = 0; c < chains.size(); ++c)
        if (chains[c].ids.size() > 2)
            simplifyChain(static_cast<std::uint32_t>(c), chains[c], area, toleranceMetres, check);

    for (std::size_t r = 0; r < area.rings.size(); ++r) {
        if (uses[r].empty())
            continue;
        Ring ring;
        ring.reserve(area.rings[r].size() + 1);
        for (const ChainUse& use : uses[r]) {
            const Chain& chain = chains[use.chain];
            const std::size_t n = chain.ids.size();
            for (std::size_t k = 0; k + 1 < n; ++k) {
                const std::size_t i = use.reversed ? n - 1 - k : k;
                if (chain.kept[i])
                    ring.push_back(area.points[chain.ids[i]]);
            }
        }
        ring.push_back(ring.front());
        const auto [p, q] = area.homes[r];
        polygons[p].rings[q] = std::move(ring);
    }
}

} // namespace orolith::dem
