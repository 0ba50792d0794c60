// Polygons with holes made into single rings: the exact ring for holes side by side and for a
// hole reached through another one (on both sides of that hole's own cut), and a check that
// the area is kept and every point of a fine grid lies inside exactly as often as before.

#include "dem/hole_cut.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orolith::dem {
namespace {

Ring ring(std::initializer_list<std::pair<double, double>> points) {
    Ring out;
    for (const auto& [lon, lat] : points)
        out.push_back({lon, lat});
    out.push_back(out.front());
    return out;
}

double area(const Ring& r) {
    double twice = 0.0;
    for (std::size_t i = 0; i + 1 < r.size(); ++i)
        twice += r[i].lon * r[i + 1].lat - r[i + 1].lon * r[i].lat;
    return twice / 2;
}

// How often the ring winds around the point (nonzero rule): a polygon is covered once inside,
// never in its holes; a part covered twice would show as 2 or as 0 with even-odd.
int winding(const Ring& r, double x, double y) {
    int turns = 0;
    for (std::size_t i = 0; i + 1 < r.size(); ++i) {
        const GeoPoint &a = r[i], &b = r[i + 1];
        const double side = (b.lon - a.lon) * (y - a.lat) - (x - a.lon) * (b.lat - a.lat);
        if (a.lat <= y && b.lat > y && side > 0)
            ++turns;
        else if (a.lat > y && b.lat <= y && side < 0)
            --turns;
    }
    return turns;
}

bool insideEvenOdd(const Ring& r, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0; i + 1 < r.size(); ++i) {
        const GeoPoint &a = r[i], &b = r[i + 1];
        if ((a.lat > y) != (b.lat > y) && x < (b.lon - a.lon) * (y - a.lat) / (b.lat - a.lat) + a.lon)
            inside = !inside;
    }
    return inside;
}

// Points a quarter step off the grid, so none lies on an edge: each must be covered by the
// single ring exactly when the polygon covers it.
void expectSameCover(const std::vector<Ring>& rings, const Ring& cut) {
    double holes = 0.0;
    for (std::size_t i = 1; i < rings.size(); ++i)
        holes += area(rings[i]);
    EXPECT_DOUBLE_EQ(area(cut), area(rings[0]) + holes);
    int wrong = 0;
    for (double y = -0.75; y < 21; y += 0.5)
        for (double x = -0.75; x < 21; x += 0.5) {
            bool inside = insideEvenOdd(rings[0], x, y);
            for (std::size_t i = 1; i < rings.size(); ++i)
                inside = inside && !insideEvenOdd(rings[i], x, y);
            wrong += std::abs(winding(cut, x, y)) != (inside ? 1 : 0);
        }
    EXPECT_EQ(wrong, 0);
}

TEST(HoleCut, HolesSideBySideShareAnEdgeAndALoneCutGoesOnToItsEnd) {
    const std::vector<Ring> rings = {
        ring({{0, 0}, {10, 0}, {10, 10}, {0, 10}}),
        ring({{2, 4}, {4, 4}, {4, 2}, {2, 2}}),
        ring({{6, 7}, {8, 7}, {8, 5}, {6, 5}}),
    };
    const Ring cut = cutHoles(rings);
    EXPECT_EQ(cut, ring({{0, 0}, {10, 0}, {10, 10}, {6, 10}, {6, 7}, {8, 7}, {8, 5}, {6, 5}, {6, 7}, {6, 10},
                         {2, 10}, {2, 4}, {4, 4}, {4, 2}, {2, 2}, {2, 4}, {2, 10}, {0, 10}}));
    expectSameCover(rings, cut);
    // The points where the cuts meet the top edge are new, each on the way down and back up.
    std::vector<bool> added;
    cutHoles(rings, &added);
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < added.size(); ++i)
        if (added[i])
            at.push_back(i);
    EXPECT_EQ(added.size(), cut.size());
    EXPECT_EQ(at, (std::vector<std::size_t>{3, 9, 10, 16}));
    EXPECT_EQ(cutHoles({rings[0]}), rings[0]);
    EXPECT_TRUE(cutHoles({}).empty());
    // Alone on that edge, the cut goes to the edge's end: no new vertex.
    const std::vector<Ring> one = {rings[0], rings[1]};
    EXPECT_EQ(cutHoles(one), ring({{0, 0}, {10, 0}, {10, 10}, {2, 4}, {4, 4}, {4, 2}, {2, 2}, {2, 4}, {10, 10}, {0, 10}}));
    expectSameCover(one, cutHoles(one));
    // Vertices of the outer ring in both triangles that going on to an end would sweep: the
    // cut stays straight.
    const std::vector<Ring> dents = {ring({{0, 0}, {10, 0}, {10, 10}, {8, 10}, {4, 8.5}, {6, 10}, {0, 10}, {1, 8}}),
                                     rings[1]};
    EXPECT_EQ(cutHoles(dents), ring({{0, 0}, {10, 0}, {10, 10}, {8, 10}, {4, 8.5}, {6, 10}, {2, 10}, {2, 4}, {4, 4},
                                     {4, 2}, {2, 2}, {2, 4}, {2, 10}, {0, 10}, {1, 8}}));
    expectSameCover(dents, cutHoles(dents));
}

TEST(HoleCut, HoleBelowAnotherJoinsItsFirstVertexOnTheRightSideOfItsCut) {
    const Ring outer = ring({{0, 0}, {20, 0}, {20, 20}, {0, 20}});
    const Ring below = ring({{10, 8}, {11, 6}, {9, 6}});
    // The upper hole's first vertex is its northernmost; its next edge runs west of the line
    // below it, so the lower hole goes in before that edge.
    const std::vector<Ring> west = {outer, ring({{10, 15}, {9, 10}, {5, 10}, {5, 15}}), below};
    Ring cut = cutHoles(west);
    EXPECT_EQ(cut, ring({{0, 0}, {20, 0}, {20, 20}, {10, 20}, {10, 15}, {10, 8}, {11, 6}, {9, 6}, {10, 8}, {10, 15},
                         {9, 10}, {5, 10}, {5, 15}, {10, 15}, {10, 20}, {0, 20}}));
    expectSameCover(west, cut);
    // Its next edge runs east: the lower hole goes in after the ring has come round.
    const std::vector<Ring> east = {outer, ring({{10, 15}, {15, 15}, {15, 10}, {11, 10}}), below};
    cut = cutHoles(east);
    EXPECT_EQ(cut, ring({{0, 0}, {20, 0}, {20, 20}, {10, 20}, {10, 15}, {15, 15}, {15, 10}, {11, 10}, {10, 15},
                         {10, 8}, {11, 6}, {9, 6}, {10, 8}, {10, 15}, {10, 20}, {0, 20}}));
    expectSameCover(east, cut);
}

TEST(HoleCut, ManyHolesInAClockwiseOuterRingCoverEveryPointOnce) {
    // The outer ring the other way round, holes in rows whose columns share longitudes with
    // the row after next, so some cuts reach another hole's vertex, some its edge.
    std::vector<Ring> rings = {ring({{0, 0}, {0, 20}, {20, 20}, {20, 0}})};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            const double x = 1 + 4.5 * column + (row % 2), y = 1 + 4.5 * row;
            rings.push_back(ring({{x, y + 3}, {x, y}, {x + 3, y}, {x + 3, y + 3}, {x + 1.5, y + 1}}));
        }
    const Ring cut = cutHoles(rings);
    std::size_t vertices = 0;
    for (const Ring& r : rings)
        vertices += r.size();
    // The first row reaches the third at a vertex, the second the third's bottom edge and goes
    // on to an end of it (one vertex more each); the last two rows share the outer ring's top
    // edge, each cut meeting it at a new point (two more).
    EXPECT_EQ(cut.size(), vertices + 4 * 1 + 4 * 1 + 8 * 2);
    expectSameCover(rings, cut);
}

} // namespace
} // namespace orolith::dem
