// A raster traced in small blocks against the same raster traced in one block: band edges that
// cross a cut between blocks cross it at the same points, every band covers the same area, and
// the outlines written as lines ("Add Contours") run along band edges only, as in one block.

#include "dem/dem_conversion.h"
#include "dem_test_support.h"
#include "support/test_support.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace orolith::dem {
namespace {

using orolith::testing::TempDir;
using namespace orolith::dem::testing;

constexpr double kPixel = 0.001; // degrees
constexpr std::size_t kBlock = 8;

// Smooth terrain whose band edges run obliquely through the blocks.
TestRaster obliqueSlope() {
    TestRaster raster;
    raster.width = 41;
    raster.height = 35;
    raster.geo[1] = kPixel;
    raster.geo[5] = -kPixel;
    for (std::size_t y = 0; y < raster.height; ++y)
        for (std::size_t x = 0; x < raster.width; ++x) {
            const double fx = static_cast<double>(x), fy = static_cast<double>(y);
            raster.values.push_back(3.1 * fx + 1.7 * fy + 6.0 * std::sin(0.23 * fx + 0.17 * fy));
        }
    return raster;
}

struct Traced {
    std::vector<MapBlock> blocks, outlines;
    std::map<std::string, double> areaByType; // square degrees
};

Traced traceInBlocks(const TempDir& dir, std::size_t blockSize, double simplify = 0.0) {
    DemOptions dem;
    dem.interval = 10;
    dem.blockSize = blockSize;
    dem.simplify = simplify;
    const Converted out = convertToMap(dir.path(), {(dir / "t.tif").string()}, dem, true);
    EXPECT_TRUE(out.result.written);
    Traced traced;
    for (MapBlock& block : readBlocks(out.map))
        (block.kind == "[POLYGON]" ? traced.blocks : traced.outlines).push_back(std::move(block));
    for (const MapBlock& block : traced.blocks)
        for (const auto& ring : block.rings) {
            double twice = 0.0;
            for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
                twice += ring[j].first * ring[i].second - ring[i].first * ring[j].second;
            traced.areaByType[block.type] += twice / 2.0;
        }
    return traced;
}

bool near(double a, double b) {
    return std::abs(a - b) < 1e-9;
}

// A position in pixels across (or down) the raster lies on a cut between blocks of kBlock.
bool onCut(double pixels, std::size_t count) {
    for (std::size_t k = kBlock; k < count - 1; k += kBlock)
        if (near(pixels, static_cast<double>(k) + 0.5))
            return true;
    return false;
}

// A position in pixels across (or down) the raster lies on its edge.
bool onEdge(double pixels, std::size_t count) {
    return near(pixels, 0) || near(pixels, static_cast<double>(count));
}

// Where a band edge crosses a cut: vertices on a cut line that are neither a pixel centre (where
// a cut runs straight on) nor on the raster's outline.
std::set<std::pair<double, double>> crossings(const std::vector<MapBlock>& blocks, const TestRaster& raster) {
    const auto onCentre = [&](double pixels) { return near(pixels - std::floor(pixels), 0.5); };
    std::set<std::pair<double, double>> found;
    for (const MapBlock& block : blocks)
        for (const auto& ring : block.rings)
            for (const auto& [lon, lat] : ring) {
                const double px = (lon - raster.geo[0]) / kPixel, py = (raster.geo[3] - lat) / kPixel;
                if (onEdge(px, raster.width) || onEdge(py, raster.height))
                    continue;
                if ((onCut(px, raster.width) && !onCentre(py)) || (onCut(py, raster.height) && !onCentre(px)))
                    found.emplace(lon, lat);
            }
    return found;
}

// The outline lines' segments that run along a cut or the raster's edge, their total length
// (degrees) and their vertices.
struct OutlineFigures {
    int alongOutline = 0;
    double length = 0.0;
    std::set<std::pair<double, double>> vertices;
};

OutlineFigures outlineFigures(const std::vector<MapBlock>& outlines, const TestRaster& raster) {
    OutlineFigures figures;
    const auto along = [](double a, double b, std::size_t count) {
        return near(a, b) && (onCut(a, count) || onEdge(a, count));
    };
    for (const MapBlock& line : outlines)
        for (std::size_t i = 0; i + 1 < line.rings.front().size(); ++i) {
            const auto [lon0, lat0] = line.rings.front()[i];
            const auto [lon1, lat1] = line.rings.front()[i + 1];
            const double x0 = (lon0 - raster.geo[0]) / kPixel, y0 = (raster.geo[3] - lat0) / kPixel;
            const double x1 = (lon1 - raster.geo[0]) / kPixel, y1 = (raster.geo[3] - lat1) / kPixel;
            figures.alongOutline += along(x0, x1, raster.width) || along(y0, y1, raster.height);
            figures.length += std::hypot(lon1 - lon0, lat1 - lat0);
            figures.vertices.emplace(lon0, lat0);
            figures.vertices.emplace(lon1, lat1);
        }
    return figures;
}

TEST(BlockSeams, BandEdgesCrossCutsWhereTheyWouldWithoutCuts) {
    TempDir dir;
    const TestRaster raster = obliqueSlope();
    writeRaster(raster, dir / "t.tif", "GTiff");
    const Traced blocks = traceInBlocks(dir, kBlock);
    const Traced whole = traceInBlocks(dir, 1000);
    EXPECT_EQ(whole.blocks.size(), 19u); // one polygon per band
    EXPECT_EQ(blocks.blocks.size(), 116u);

    const auto cutCrossings = crossings(blocks.blocks, raster);
    const auto wholeCrossings = crossings(whole.blocks, raster);
    EXPECT_EQ(cutCrossings.size(), 73u);
    EXPECT_EQ(cutCrossings, wholeCrossings);
    double largest = 0.0;
    for (const auto& [lon, lat] : cutCrossings) {
        double nearest = 1.0;
        for (const auto& [wholeLon, wholeLat] : wholeCrossings)
            nearest = std::min(nearest, std::max(std::abs(lon - wholeLon), std::abs(lat - wholeLat)));
        largest = std::max(largest, nearest);
    }
    EXPECT_LE(largest, 1e-9);

    ASSERT_EQ(blocks.areaByType.size(), whole.areaByType.size());
    for (const auto& [type, area] : whole.areaByType)
        EXPECT_NEAR(blocks.areaByType.at(type), area, 1e-12) << type;

    // The outlines leave out every stretch along a cut and along the raster's edge: in blocks
    // they are cut into more lines, but cover the very band edges of one block.
    const OutlineFigures blockLines = outlineFigures(blocks.outlines, raster);
    const OutlineFigures wholeLines = outlineFigures(whole.outlines, raster);
    EXPECT_EQ(whole.outlines.size(), 36u);
    EXPECT_EQ(blocks.outlines.size(), 182u);
    EXPECT_EQ(blockLines.alongOutline, 0);
    EXPECT_EQ(wholeLines.alongOutline, 0);
    EXPECT_EQ(blockLines.vertices, wholeLines.vertices);
    EXPECT_NEAR(blockLines.length, wholeLines.length, 1e-9);
    // Simplified, the rings are rebuilt: their vertices on the outline are found again.
    const Traced simplified = traceInBlocks(dir, kBlock, 30.0);
    EXPECT_EQ(outlineFigures(simplified.outlines, raster).alongOutline, 0);
    EXPECT_EQ(simplified.outlines.size(), 182u);
    EXPECT_NEAR(wholeLines.length, 0.998597914897, 1e-9); // each band edge twice, once per band
}

} // namespace
} // namespace orolith::dem
