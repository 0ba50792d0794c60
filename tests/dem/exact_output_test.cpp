// Exact answers where a tiling check would pass a wrong one: the heights where a tile meets a
// sea cell, a no-data value a float cannot hold, the polygons of a saddle, a mirrored raster's
// polygons, and the largest deviation simplifying leaves.

#include "dem/dem_conversion.h"
#include "dem/dem_raster.h"
#include "dem_test_support.h"
#include "support/test_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace orolith::dem {
namespace {

using orolith::testing::TempDir;
using namespace orolith::dem::testing;

std::vector<double> allRows(DemRaster& raster) {
    std::vector<double> values(raster.width() * raster.height());
    EXPECT_TRUE(raster.readRows(0, raster.height(), values.data())) << raster.error();
    return values;
}

TEST(ExactOutput, TilesLieOverSeaCellsAndFloatNoDataIsVoid) {
    // An SRTM-like tile reaches half a pixel past its degree lines, over the sea cell east of it.
    TempDir dir;
    TestRaster tile = rasterFromRows(std::vector<std::vector<double>>(11, std::vector<double>(11, 30)));
    tile.geo[0] = 6.95;
    tile.geo[1] = 0.1;
    tile.geo[3] = 48.05;
    tile.geo[5] = -0.1;
    tile.values[5] = NAN;
    tile.noData = -3.4e38; // not a float: the file holds the nearest one
    writeRaster(tile, dir / "land.tif", "GTiff");
    DemRaster raster;
    ASSERT_TRUE(raster.open({{(dir / "land.tif").string()}, {{47, 8}}, false})) << raster.error();
    ASSERT_EQ(raster.width(), 21u);
    const std::vector<double> values = allRows(raster);
    std::vector<double> top(values.begin(), values.begin() + 21), expected(21, 30);
    std::fill(expected.begin() + 11, expected.end(), 0.0);
    expected[5] = NAN;
    for (std::size_t x = 0; x < 21; ++x) {
        if (std::isnan(expected[x]))
            EXPECT_TRUE(std::isnan(top[x])) << x;
        else
            EXPECT_EQ(top[x], expected[x]) << x;
    }
    DemRaster alone; // read directly, not through a mosaic
    ASSERT_TRUE(alone.open({{(dir / "land.tif").string()}, {}, false})) << alone.error();
    const std::vector<double> own = allRows(alone);
    EXPECT_TRUE(std::isnan(own[5]));
    EXPECT_EQ(std::count_if(own.begin(), own.end(), [](double v) { return std::isnan(v); }), 1);
}

// The polygons of a map as text that does not depend on their order, their rings' order or
// direction, or a mirror image about the vertical line at lon = axis / 2 (axis 0: as they are).
std::multiset<std::string> shapes(const std::string& map, double axis) {
    std::multiset<std::string> result;
    for (const MapBlock& block : readBlocks(map)) {
        std::multiset<std::string> rings;
        for (const auto& ring : block.rings) {
            std::vector<std::pair<long long, long long>> points;
            for (const auto& [lon, lat] : ring)
                points.emplace_back(std::llround((axis == 0 ? lon : axis - lon) * 1e6),
                                    std::llround(lat * 1e6));
            std::sort(points.begin(), points.end());
            points.erase(std::unique(points.begin(), points.end()), points.end());
            std::string text;
            for (const auto& [x, y] : points)
                text += std::to_string(x) + "," + std::to_string(y) + " ";
            rings.insert(text);
        }
        std::string text = block.type + ":";
        for (const std::string& ring : rings)
            text += " [" + ring + "]";
        result.insert(text);
    }
    return result;
}

std::size_t polygonsOfType(const std::string& map, const std::string& type) {
    const auto blocks = readBlocks(map);
    return static_cast<std::size_t>(std::count_if(blocks.begin(), blocks.end(),
                                                  [&](const MapBlock& block) { return block.type == type; }));
}

TEST(ExactOutput, ASaddleJoinsTheBandOfItsMeanAndMirrorsTraceAlike) {
    TempDir dir;
    DemOptions dem;
    dem.interval = 50;
    // Two pixels of the upper band (from 100 m) touching only at a corner: they join when the
    // mean of the four reaches 100 m (140 and 60), else the two of the lower band do (130 and 60).
    struct Case {
        double high;
        std::size_t lowerPolygons, upperPolygons;
    };
    for (const Case c : {Case{140, 2, 1}, Case{130, 1, 2}}) {
        writeRaster(rasterFromRows({{c.high, 60}, {60, c.high}}), dir / "saddle.tif", "GTiff");
        const Converted out = convertToMap(dir.path(), {(dir / "saddle.tif").string()}, dem);
        ASSERT_TRUE(out.result.written);
        ASSERT_EQ(out.result.types.size(), 2u);
        EXPECT_EQ(polygonsOfType(out.map, out.result.types[0].type), c.lowerPolygons) << c.high;
        EXPECT_EQ(polygonsOfType(out.map, out.result.types[1].type), c.upperPolygons) << c.high;
    }
    // Saddles in both diagonals, a ring around a low pixel and slopes, traced as they are and mirrored.
    const TestRaster raster = rasterFromRows({
        {100, 0, 0, 0, 0, 30},
        {0, 100, 0, 0, 100, 60},
        {0, 0, 0, 100, 0, 90},
        {0, 100, 100, 100, 0, 120},
        {0, 100, 0, 100, 70, 150},
        {0, 100, 100, 100, 20, 180},
    });
    TestRaster mirrored = raster;
    for (std::size_t y = 0; y < raster.height; ++y)
        std::reverse(mirrored.values.begin() + static_cast<long>(y * raster.width),
                     mirrored.values.begin() + static_cast<long>((y + 1) * raster.width));
    writeRaster(raster, dir / "plain.tif", "GTiff");
    writeRaster(mirrored, dir / "mirrored.tif", "GTiff");
    const Converted out = convertToMap(dir.path(), {(dir / "plain.tif").string()}, dem);
    const Converted back = convertToMap(dir.path(), {(dir / "mirrored.tif").string()}, dem);
    ASSERT_TRUE(out.result.written && back.result.written);
    const double axis = 2 * raster.geo[0] + static_cast<double>(raster.width) * raster.geo[1];
    EXPECT_EQ(shapes(back.map, axis), shapes(out.map, 0));
    EXPECT_EQ(shapes(out.map, 0).size(), readBlocks(out.map).size());
}

// The largest distance in metres of a map vertex of type `type` from the latitude `lat`.
double largestDeviation(const std::string& map, double lat) {
    double largest = 0;
    for (const MapBlock& block : readBlocks(map))
        for (const auto& ring : block.rings)
            for (const auto& [lon, vertexLat] : ring)
                if (lon > 7.0005 && lon < 7.0195 &&
                    std::abs(vertexLat) < 0.002) // the boundary, not the edges
                    largest = std::max(largest, std::abs(vertexLat - lat) * 111320.0);
    return largest;
}

TEST(ExactOutput, SimplifyingKeepsEveryDeviationBeyondTheTolerance) {
    // A straight boundary at the equator with a one-pixel bump, whose farthest vertex lies 61 m off.
    TempDir dir;
    TestRaster raster = rasterFromRows(std::vector<std::vector<double>>(10, std::vector<double>(20, 0)));
    raster.geo[0] = 7.0;
    raster.geo[1] = 0.001;
    raster.geo[3] = 0.005;
    raster.geo[5] = -0.001;
    for (std::size_t y = 0; y < 5; ++y)
        std::fill(raster.values.begin() + static_cast<long>(y * 20),
                  raster.values.begin() + static_cast<long>(y * 20 + 20), 100.0);
    raster.values[5 * 20 + 10] = 100;
    writeRaster(raster, dir / "bump.tif", "GTiff");
    struct Case {
        double tolerance, deviation;
    };
    for (const Case c : {Case{0, 61.226}, Case{50, 61.226}, Case{70, 0}}) {
        DemOptions dem;
        dem.interval = 50;
        dem.simplify = c.tolerance;
        const Converted out = convertToMap(dir.path(), {(dir / "bump.tif").string()}, dem);
        ASSERT_TRUE(out.result.written);
        EXPECT_NEAR(largestDeviation(out.map, 0.0), c.deviation, 0.01) << "tolerance " << c.tolerance;
    }
}

} // namespace
} // namespace orolith::dem
