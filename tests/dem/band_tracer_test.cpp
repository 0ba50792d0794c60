// The tracer on small rasters built in the test: every pixel centre with data must lie inside
// exactly one polygon (even-odd over all its rings), the one of its own band.

#include "dem/band_tracer.h"
#include "dem/ring_assembly.h"
#include "dem/strip_seam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace orolith::dem {
namespace {

struct Grid {
    std::size_t width = 0, height = 0;
    std::vector<double> values;
    double at(std::size_t x, std::size_t y) const { return values[y * width + x]; }
};

// Traces in one piece, or (seam > 0) in two strips that share raster row `seam`.
std::vector<PixelPolygon> trace(const Grid& grid, BandLevels levels, std::size_t seam = 0) {
    std::vector<PixelPolygon> polygons;
    auto keep = [&](PixelPolygon&& polygon) { polygons.push_back(std::move(polygon)); };
    RingAssembly assembly(keep), lowerAssembly(keep);
    BandTracer tracer(grid.width, levels, assembly), lower(grid.width, levels, lowerAssembly);
    const auto row = [&](std::size_t y) { return grid.values.data() + y * grid.width; };
    for (std::size_t y = 0; y < grid.height && (seam == 0 || y <= seam); ++y)
        tracer.addRow(row(y));
    if (seam == 0) {
        tracer.finish();
    } else {
        lower.startBelow(row(seam), seam);
        for (std::size_t y = seam + 1; y < grid.height; ++y)
            lower.addRow(row(y));
        lower.finish();
        for (auto& [band, hole] : lowerAssembly.takeWaitingHoles())
            assembly.ring(band, std::move(hole));
        for (SeamRing& ring : joinAtSeam(tracer.takeBottomChains(), lower.takeTopChains()))
            assembly.ring(ring.band, std::move(ring.points));
        assembly.rowDone(static_cast<double>(grid.height));
        EXPECT_EQ(lower.openChains(), 0u);
    }
    EXPECT_EQ(tracer.openChains(), 0u);
    EXPECT_EQ(assembly.waitingHoles(), 0u);
    return polygons;
}

bool insidePolygon(const PixelPolygon& polygon, PixelPoint point) {
    bool inside = false;
    for (const PixelRing& ring : polygon.rings)
        if (insideRing(ring, {point})[0])
            inside = !inside;
    return inside;
}

// Every pixel centre in exactly one polygon of its own band; voids in none.
void expectTiled(const Grid& grid, BandLevels levels, std::size_t seam = 0) {
    const std::vector<PixelPolygon> polygons = trace(grid, levels, seam);
    for (const PixelPolygon& polygon : polygons) {
        ASSERT_FALSE(polygon.rings.empty());
        EXPECT_GT(signedArea(polygon.rings[0]), 0.0);
        for (std::size_t i = 1; i < polygon.rings.size(); ++i)
            EXPECT_LT(signedArea(polygon.rings[i]), 0.0);
    }
    for (std::size_t y = 0; y < grid.height; ++y)
        for (std::size_t x = 0; x < grid.width; ++x) {
            const PixelPoint centre{static_cast<double>(x) + 0.5, static_cast<double>(y) + 0.5};
            const std::int32_t band = levels.bandOf(grid.at(x, y));
            int containing = 0;
            for (const PixelPolygon& polygon : polygons)
                if (insidePolygon(polygon, centre)) {
                    ++containing;
                    EXPECT_EQ(polygon.band, band) << "pixel " << x << "," << y;
                }
            EXPECT_EQ(containing, band == BandLevels::kVoid ? 0 : 1) << "pixel " << x << "," << y;
        }
}

Grid fromRows(const std::vector<std::vector<double>>& rows) {
    Grid grid{rows[0].size(), rows.size(), {}};
    for (const auto& row : rows)
        grid.values.insert(grid.values.end(), row.begin(), row.end());
    return grid;
}

TEST(BandTracer, ShapesTileTheRaster) {
    const double v = NAN;
    const std::vector<std::vector<std::vector<double>>> cases = {
        {{5}},                                                    // one pixel
        {{5, 5, 5}, {5, 5, 5}},                                   // flat: one band
        {{50, 50, 50}, {50, 10, 50}, {50, 50, 50}},               // basin inside a plateau
        {{10, 10, 10, 10, 10}, {10, 50, 50, 50, 10}, {10, 50, 10, 50, 10}, {10, 50, 50, 50, 10},
         {10, 10, 10, 10, 10}},                                   // island in a lake in an island
        {{10, 60}, {60, 10}},                                     // saddle
        {{10, 60, 10}, {60, 10, 60}, {10, 60, 10}},               // chequerboard
        {{0, 30, 60}, {90, 120, 150}},                            // one band per pixel
        {{0, 30}, {90, 60}},                                      // four bands around a point
        {{0, 30}, {60, 0}},                                       // three bands, one diagonal
        {{10, v, 10}, {v, 10, v}, {10, v, 10}},                   // voids on diagonals
        {{v, v, v}, {v, 10, v}, {v, v, v}},                       // a pixel among voids
        {{10, 10, 10}, {10, v, 10}, {10, 10, 10}},                // a void hole
        {{30, 30, 30, 30}, {30, 0, 0, 30}, {30, 30, 30, 30}},     // a wide basin
    };
    for (const auto& rows : cases)
        expectTiled(fromRows(rows), {0.0, 25.0});
}

TEST(BandTracer, NoisyTerrainTilesTheRaster) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-20.0, 20.0);
    for (int round = 0; round < 6; ++round) {
        Grid grid{23, 17, {}};
        for (std::size_t y = 0; y < grid.height; ++y)
            for (std::size_t x = 0; x < grid.width; ++x) {
                double value = 40.0 * std::sin(0.4 * static_cast<double>(x)) + 30.0 * std::cos(0.3 * static_cast<double>(y)) + noise(random);
                if (round % 2 == 1 && random() % 9 == 0)
                    value = NAN;
                grid.values.push_back(value);
            }
        expectTiled(grid, {round < 4 ? 0.0 : 7.0, round < 2 ? 25.0 : 10.0});
        for (std::size_t seam = 1; seam + 1 < grid.height; seam += 4)
            expectTiled(grid, {0.0, 10.0}, seam);
    }
}

TEST(BandTracer, ValuesOnABandLimitBelongToTheUpperBand) {
    expectTiled(fromRows({{25, 24.999, 25}, {50, 25, 0}}), {0.0, 25.0});
    EXPECT_EQ((BandLevels{0.0, 25.0}.bandOf(25.0)), 1);
    EXPECT_EQ((BandLevels{0.0, 25.0}.bandOf(-0.5)), -1);
    EXPECT_EQ((BandLevels{10.0, 25.0}.bandOf(9.0)), -1);
}

TEST(BandTracer, BasinBecomesAHoleOfThePlateau) {
    const auto polygons = trace(fromRows({{50, 50, 50}, {50, 10, 50}, {50, 50, 50}}), {0.0, 25.0});
    ASSERT_EQ(polygons.size(), 2u);
    const auto& plateau = polygons[0].band == 2 ? polygons[0] : polygons[1];
    EXPECT_EQ(plateau.rings.size(), 2u);
    EXPECT_EQ(plateau.rings[0].size(), 4u); // the raster's outline, straight lines merged
}

} // namespace
} // namespace orolith::dem
