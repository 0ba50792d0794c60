// Simplified band maps checked against their pixels: no pixel centre in two polygons, none
// left out away from voids and the raster's edge, and every pixel centre further than the
// tolerance from another band in a polygon of its own band.

#include "dem/dem_conversion.h"
#include "dem_test_support.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace orolith::dem {
namespace {

using orolith::testing::TempDir;
using namespace orolith::dem::testing;

// Rolling terrain with a metre or two of noise and a void, pixels of 0.0001° (about 8 × 11 m).
TestRaster noisyTerrain() {
    TestRaster raster;
    raster.width = raster.height = 72;
    raster.geo[1] = 0.0001;
    raster.geo[5] = -0.0001;
    for (std::size_t y = 0; y < raster.height; ++y)
        for (std::size_t x = 0; x < raster.width; ++x) {
            const double noise = static_cast<double>((x * 7919 + y * 104729) % 17) / 17.0 * 6.0 - 3.0;
            const bool hole = x >= 50 && x < 55 && y >= 10 && y < 14;
            raster.values.push_back(hole ? NAN : 50 + 40 * std::sin(static_cast<double>(x) / 9.0) * std::cos(static_cast<double>(y) / 7.0) + noise);
        }
    return raster;
}

Converted convertWith(const TempDir& dir, const std::string& input, double simplify,
                      std::size_t blockSize = DemOptions{}.blockSize) {
    DemOptions dem;
    dem.interval = 10;
    dem.simplify = simplify;
    dem.blockSize = blockSize;
    return convertToMap(dir.path(), {input}, dem);
}

std::uint64_t verticesIn(const std::string& map) {
    std::uint64_t count = 0;
    for (const MapBlock& block : readBlocks(map))
        for (const auto& ring : block.rings)
            count += ring.size();
    return count;
}

// Failures as text: pixel centres in more than one polygon, in none away from voids and the
// edge, or in another band's polygon further than `reach` metres from any other band.
std::string checkSimplified(const TestRaster& raster, const Converted& written, double interval, double reach) {
    std::map<std::string, std::string> typeOf;
    for (const TypeEntry& entry : written.result.types)
        typeOf[entry.elevation] = entry.type;
    std::vector<MapBlock> polygons;
    for (MapBlock& block : readBlocks(written.map))
        if (block.kind == "[POLYGON]")
            polygons.push_back(std::move(block));
    const double metresX = raster.geo[1] * 111320.0 * std::cos(47.0 * M_PI / 180.0);
    const double metresY = -raster.geo[5] * 111320.0;
    auto bandOf = [&](std::size_t x, std::size_t y) {
        const double value = raster.at(x, y);
        return std::isnan(value) ? -1000000LL : static_cast<long long>(std::floor(value / interval));
    };
    const auto radius = static_cast<long long>(std::ceil(reach / std::min(metresX, metresY)));
    std::ostringstream failures;
    for (std::size_t y = 0; y < raster.height; ++y)
        for (std::size_t x = 0; x < raster.width; ++x) {
            bool nearVoidOrEdge = false, nearOtherBand = false;
            for (long long dy = -radius; dy <= radius; ++dy)
                for (long long dx = -radius; dx <= radius; ++dx) {
                    if (std::hypot(static_cast<double>(dx) * metresX, static_cast<double>(dy) * metresY) > reach)
                        continue;
                    const long long nx = static_cast<long long>(x) + dx, ny = static_cast<long long>(y) + dy;
                    if (nx < 0 || ny < 0 || nx >= static_cast<long long>(raster.width) ||
                        ny >= static_cast<long long>(raster.height) || bandOf(nx, ny) == -1000000LL)
                        nearVoidOrEdge = true;
                    else if (bandOf(nx, ny) != bandOf(x, y))
                        nearOtherBand = true;
                }
            const double lon = raster.geo[0] + (static_cast<double>(x) + 0.5) * raster.geo[1];
            const double lat = raster.geo[3] + (static_cast<double>(y) + 0.5) * raster.geo[5];
            std::vector<std::string> types;
            for (const MapBlock& block : polygons)
                if (insideBlock(block, lon, lat))
                    types.push_back(block.type);
            const std::string own =
                std::isnan(raster.at(x, y)) ? "" : typeOf[std::to_string(bandOf(x, y) * static_cast<long long>(interval))];
            if (types.size() > 1 || (types.empty() && !nearVoidOrEdge) ||
                (!nearVoidOrEdge && !nearOtherBand && types.front() != own))
                failures << "pixel " << x << "," << y << ": in " << types.size() << " polygons\n";
        }
    return failures.str();
}

// Pairs of polygon edges in the written map that cross each other.
int crossingEdges(const std::string& map) {
    std::vector<std::array<double, 4>> edges;
    for (const MapBlock& block : readBlocks(map))
        if (block.kind == "[POLYGON]")
            for (const auto& ring : block.rings)
                for (std::size_t i = 0; i + 1 < ring.size(); ++i)
                    edges.push_back({ring[i].first, ring[i].second, ring[i + 1].first, ring[i + 1].second});
    return properCrossings(edges);
}

// In one block, and cut into blocks whose outlines are kept as they are.
TEST(DemSimplify, SimplifiedBandsStayGapFreeWithinTheTolerance) {
    for (const std::size_t blockSize : {DemOptions{}.blockSize, std::size_t{20}}) {
        SCOPED_TRACE(blockSize);
        TempDir dir;
        const TestRaster raster = noisyTerrain();
        writeRaster(raster, dir / "t.tif", "GTiff");
        const Converted plain = convertWith(dir, (dir / "t.tif").string(), 0, blockSize);
        ASSERT_TRUE(plain.result.written);
        std::uint64_t previous = verticesIn(plain.map);
        for (const double tolerance : {6.0, 20.0}) {
            const Converted simplified = convertWith(dir, (dir / "t.tif").string(), tolerance, blockSize);
            ASSERT_TRUE(simplified.result.written) << tolerance;
            // A boundary runs between the pixel centres it separates, so it lies within a pixel
            // (11 m here) of another band's centre; simplifying moves it by the tolerance at most.
            EXPECT_EQ(checkSimplified(raster, simplified, 10, tolerance + 11.5), "") << tolerance;
            EXPECT_EQ(crossingEdges(simplified.map), 0) << tolerance;
            const std::uint64_t vertices = verticesIn(simplified.map);
            EXPECT_LT(vertices, previous) << tolerance;
            previous = vertices;
            // The final message counts what was written.
            EXPECT_NE(simplified.result.finalMessage.find(" " + std::to_string(vertices) + " vertices"), std::string::npos)
                << simplified.result.finalMessage;
        }
    }
}

} // namespace
} // namespace orolith::dem
