// Simplifying band polygons: a boundary two bands share comes out the same for both, a
// shortcut that would pass over another ring is not taken, and no ring collapses. (Vertices
// the caller keeps are covered by the block-cut cases of the map test.)

#include "dem/boundary_simplify.h"
#include "dem_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace orolith::dem {
namespace {

// Points given in metres east and north of 7° E, 47° N.
const double kLonMetres = 111320.0 * std::cos(47.0 * M_PI / 180.0);

GeoPoint at(double east, double north) {
    return {7.0 + east / kLonMetres, 47.0 + north / 111320.0};
}

Ring closed(std::vector<GeoPoint> points) {
    points.push_back(points.front());
    return points;
}

// A wavy line from (x0, 0) to (x0, 100): up to 3 m to either side, a vertex every metre.
std::vector<GeoPoint> wave(double x0) {
    std::vector<GeoPoint> line;
    for (int y = 0; y <= 100; ++y)
        line.push_back(at(x0 + 2.0 * std::sin(y / 7.0) + ((y * 37) % 11) / 10.0, y));
    return line;
}

// The points of `ring` for which `inside` holds, in ring order, starting after one for which
// it does not (so a run that wraps round the ring's start comes out whole).
template <typename Inside>
std::vector<GeoPoint> run(const Ring& ring, Inside inside) {
    const std::size_t n = ring.size() - 1;
    std::size_t start = 0;
    while (start < n && inside(ring[start]))
        ++start;
    std::vector<GeoPoint> points;
    for (std::size_t k = 1; k <= n; ++k)
        if (inside(ring[(start + k) % n]))
            points.push_back(ring[(start + k) % n]);
    return points;
}

double area(const Ring& ring) {
    double twice = 0.0;
    for (std::size_t i = 0; i + 1 < ring.size(); ++i)
        twice += (ring[i].lon - 7.0) * (ring[i + 1].lat - 47.0) - (ring[i + 1].lon - 7.0) * (ring[i].lat - 47.0);
    return twice / 2.0;
}

bool contains(const Ring& ring, const GeoPoint& p) {
    return std::find(ring.begin(), ring.end(), p) != ring.end();
}

// Segments of different rings, or of one ring but not neighbours, that cross.
int crossings(const std::vector<BandPolygon>& polygons) {
    std::vector<std::array<double, 4>> segments;
    for (const BandPolygon& polygon : polygons)
        for (const Ring& ring : polygon.rings)
            for (std::size_t i = 0; i + 1 < ring.size(); ++i)
                segments.push_back({ring[i].lon, ring[i].lat, ring[i + 1].lon, ring[i + 1].lat});
    return testing::properCrossings(segments);
}

TEST(BoundarySimplify, SharedBoundariesComeOutTheSameForBothBands) {
    // Two bands side by side along a wavy boundary; in the left one an island of a third band
    // smaller than the tolerance.
    std::vector<GeoPoint> left{at(0, 100), at(0, 0)}, right{at(100, 0), at(100, 100)};
    for (const GeoPoint& p : wave(50))
        left.push_back(p);
    const auto line = wave(50);
    right.insert(right.end(), line.rbegin(), line.rend());
    std::vector<GeoPoint> island;
    for (int k = 0; k < 24; ++k)
        island.push_back(at(20 + 4 * std::cos(k * M_PI / 12), 50 + 4 * std::sin(k * M_PI / 12)));
    std::vector<GeoPoint> hole(island.rbegin(), island.rend());
    std::vector<BandPolygon> polygons{{0, {closed(left), closed(hole)}}, {1, {closed(right)}}, {2, {closed(island)}}};
    const auto original = polygons;

    simplifyBoundaries(polygons, 10.0);

    const auto onWave = [](const GeoPoint& p) { return p.lon > at(40, 0).lon && p.lon < at(60, 0).lon; };
    const auto fromLeft = run(polygons[0].rings[0], onWave);
    auto fromRight = run(polygons[1].rings[0], onWave);
    std::reverse(fromRight.begin(), fromRight.end());
    EXPECT_EQ(fromLeft, fromRight);
    EXPECT_LT(fromLeft.size(), 20u);
    EXPECT_GE(fromLeft.size(), 2u);

    // The island and its hole: the same vertices in opposite order, at least three, not flat.
    const Ring& islandRing = polygons[2].rings[0];
    const Ring& holeRing = polygons[0].rings[1];
    ASSERT_EQ(islandRing.size(), holeRing.size());
    EXPECT_GE(islandRing.size(), 4u);
    EXPECT_LT(islandRing.size(), 25u);
    for (const GeoPoint& p : islandRing)
        EXPECT_TRUE(contains(holeRing, p));
    EXPECT_NE(area(islandRing), 0.0);
    EXPECT_LT(area(islandRing) * area(holeRing), 0.0);

    // Vertices are dropped, never moved.
    for (std::size_t p = 0; p < polygons.size(); ++p)
        for (std::size_t r = 0; r < polygons[p].rings.size(); ++r)
            for (const GeoPoint& point : polygons[p].rings[r])
                EXPECT_TRUE(contains(original[p].rings[r], point));
}

TEST(BoundarySimplify, NoShortcutPassesOverAnotherRing) {
    // A lower band below y = 100 with a notch 8 m deep the upper band reaches into; in the
    // upper band an island straddling the notch's mouth. Straightening the notch (within the
    // tolerance of 10 m) would cut through the island.
    std::vector<GeoPoint> edge; // the shared boundary from west to east
    for (int x = 0; x <= 200; x += 2) {
        const bool inNotch = x > 96 && x < 108;
        edge.push_back(at(x, inNotch ? 92 + (x % 4) : 100 + (x % 3) * 0.5));
    }
    std::vector<GeoPoint> lower{at(200, 0), at(0, 0)};
    lower.insert(lower.end(), edge.begin(), edge.end());
    std::vector<GeoPoint> upper{at(0, 200), at(200, 200)};
    upper.insert(upper.end(), edge.rbegin(), edge.rend());
    const std::vector<GeoPoint> island{at(99, 99), at(102, 96), at(105, 99), at(102, 102)};
    const std::vector<GeoPoint> hole(island.rbegin(), island.rend());
    std::vector<BandPolygon> polygons{{0, {closed(lower)}}, {2, {closed(upper), closed(hole)}}, {1, {closed(island)}}};
    ASSERT_EQ(crossings(polygons), 0);

    simplifyBoundaries(polygons, 10.0);

    EXPECT_EQ(crossings(polygons), 0);
    EXPECT_LT(polygons[0].rings[0].size(), lower.size() / 2);
    const auto deep = std::count_if(polygons[0].rings[0].begin(), polygons[0].rings[0].end(),
                                    [](const GeoPoint& p) { return p.lat < at(0, 97).lat && p.lat > at(0, 50).lat; });
    EXPECT_GT(deep, 0) << "the notch around the island is kept";
}

} // namespace
} // namespace orolith::dem
