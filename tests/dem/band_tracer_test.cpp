// The tracer on small rasters built in the test: every pixel centre with data must lie inside
// exactly one polygon (even-odd over all its rings), the one of its own band. A centre on a cut
// between blocks lies on the edge of two polygons, so points just beside it are checked.

#include "dem/band_tracer.h"
#include "dem/block_tracing.h"
#include "dem/ring_assembly.h"
#include "dem_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <random>
#include <vector>

namespace orolith::dem {
namespace {

using Grid = testing::TestRaster;
using testing::rasterFromRows;

// Traces in one piece, or (block > 0) cut into square blocks of that many pixels.
std::vector<PixelPolygon> trace(const Grid& grid, BandLevels levels, std::size_t block = 0, unsigned threads = 2) {
    std::vector<PixelPolygon> polygons;
    auto keep = [&](PixelPolygon&& polygon) { polygons.push_back(std::move(polygon)); };
    const auto row = [&](std::size_t y) { return grid.values.data() + y * grid.width; };
    if (block > 0) {
        std::size_t next = 0;
        BlockTracing tracing(grid.width, grid.height, levels, {block, threads});
        auto keepBlock = [&](std::vector<PixelPolygon>&& traced, const BlockArea&) -> std::function<void()> {
            return [&polygons, traced = std::move(traced)]() mutable {
                std::move(traced.begin(), traced.end(), std::back_inserter(polygons));
            };
        };
        EXPECT_TRUE(tracing.run([&](double* out) { std::copy_n(row(next++), grid.width, out); return true; },
                                keepBlock, [](double) { return true; }));
        return polygons;
    }
    RingAssembly assembly(keep);
    BandTracer tracer(grid.width, levels, assembly);
    for (std::size_t y = 0; y < grid.height; ++y)
        tracer.addRow(row(y));
    tracer.finish();
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

// Every pixel centre in exactly one polygon of its own band; voids in none. Without voids the
// polygons also cover the raster's rectangle exactly: no gap and no overlap between centres.
void expectTiled(const Grid& grid, BandLevels levels, std::size_t block = 0) {
    const std::vector<PixelPolygon> polygons = trace(grid, levels, block);
    double area = 0.0;
    for (const PixelPolygon& polygon : polygons) {
        ASSERT_FALSE(polygon.rings.empty());
        EXPECT_GT(signedArea(polygon.rings[0]), 0.0);
        for (std::size_t i = 1; i < polygon.rings.size(); ++i)
            EXPECT_LT(signedArea(polygon.rings[i]), 0.0);
        for (const PixelRing& ring : polygon.rings)
            area += signedArea(ring);
    }
    if (std::none_of(grid.values.begin(), grid.values.end(), [](double v) { return std::isnan(v); })) {
        EXPECT_NEAR(area, static_cast<double>(grid.width * grid.height), 1e-9) << "block " << block;
    }
    for (std::size_t y = 0; y < grid.height; ++y)
        for (std::size_t x = 0; x < grid.width; ++x)
            for (const double shift : {0.01, -0.01}) {
                const PixelPoint centre{static_cast<double>(x) + 0.5 + shift,
                                        static_cast<double>(y) + 0.5 + shift * 1.5};
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
    for (const auto& rows : cases) {
        expectTiled(rasterFromRows(rows), {0.0, 25.0});
        expectTiled(rasterFromRows(rows), {0.0, 25.0}, 2);
    }
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
        for (std::size_t block : {1, 4, 7, 16})
            expectTiled(grid, {0.0, 10.0}, block);
    }
}

// Blocks traced on several threads come out in one order, the same as on one thread.
TEST(BandTracer, BlocksComeOutInTheSameOrderOnAnyNumberOfThreads) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> height(0.0, 100.0);
    Grid grid{40, 30, {}};
    for (std::size_t i = 0; i < grid.width * grid.height; ++i)
        grid.values.push_back(height(random));
    const auto one = trace(grid, {0.0, 25.0}, 6, 1);
    const auto three = trace(grid, {0.0, 25.0}, 6, 3);
    ASSERT_EQ(one.size(), three.size());
    for (std::size_t i = 0; i < one.size(); ++i) {
        ASSERT_EQ(one[i].band, three[i].band);
        ASSERT_EQ(one[i].rings.size(), three[i].rings.size());
        for (std::size_t r = 0; r < one[i].rings.size(); ++r)
            ASSERT_TRUE(std::equal(one[i].rings[r].begin(), one[i].rings[r].end(), three[i].rings[r].begin(),
                                   three[i].rings[r].end(),
                                   [](PixelPoint a, PixelPoint b) { return a.x == b.x && a.y == b.y; }));
    }
}

TEST(BandTracer, ValuesOnABandLimitBelongToTheUpperBand) {
    expectTiled(rasterFromRows({{25, 24.999, 25}, {50, 25, 0}}), {0.0, 25.0});
    EXPECT_EQ((BandLevels{0.0, 25.0}.bandOf(25.0)), 1);
    EXPECT_EQ((BandLevels{0.0, 25.0}.bandOf(-0.5)), -1);
    EXPECT_EQ((BandLevels{10.0, 25.0}.bandOf(9.0)), -1);
}

TEST(BandTracer, BasinBecomesAHoleOfThePlateau) {
    const auto polygons = trace(rasterFromRows({{50, 50, 50}, {50, 10, 50}, {50, 50, 50}}), {0.0, 25.0});
    ASSERT_EQ(polygons.size(), 2u);
    const auto& plateau = polygons[0].band == 2 ? polygons[0] : polygons[1];
    EXPECT_EQ(plateau.rings.size(), 2u);
    EXPECT_EQ(plateau.rings[0].size(), 4u); // the raster's outline, straight lines merged
}

} // namespace
} // namespace orolith::dem
