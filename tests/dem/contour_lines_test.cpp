// Contour lines of a cone and of a saddle: how many lines at which elevations, where they run,
// that none crosses another, that blocks join into the same lines, and how they go into a map.

#include "dem/contour_lines.h"
#include "dem/dem_conversion.h"
#include "dem_test_support.h"
#include "support/test_support.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace orolith::dem {
namespace {

using orolith::testing::TempDir;
using namespace orolith::dem::testing;

constexpr double kPixel = 0.001; // degrees

// 41 × 41 pixels around a peak of 203 m at the centre pixel, falling 5 m per pixel.
TestRaster cone() {
    TestRaster raster;
    raster.width = raster.height = 41;
    raster.geo[1] = kPixel;
    raster.geo[5] = -kPixel;
    for (std::size_t y = 0; y < 41; ++y)
        for (std::size_t x = 0; x < 41; ++x)
            raster.values.push_back(
                203.0 - 5.0 * std::hypot(static_cast<double>(x) - 20.0, static_cast<double>(y) - 20.0));
    return raster;
}

// 21 × 21 pixels of (x - 10.3)(y - 10.6): a saddle just off the centre.
TestRaster saddle() {
    TestRaster raster = cone();
    raster.width = raster.height = 21;
    raster.values.clear();
    for (std::size_t y = 0; y < 21; ++y)
        for (std::size_t x = 0; x < 21; ++x)
            raster.values.push_back((static_cast<double>(x) - 10.3) * (static_cast<double>(y) - 10.6));
    return raster;
}

struct Traced {
    std::vector<GeoContour> lines;
    ContourCount count;
};

Traced traceLines(const TestRaster& raster, const TempDir& dir, std::size_t blockSize,
                  ContourOptions options) {
    writeRaster(raster, dir / "t.tif", "GTiff");
    DemRaster opened;
    EXPECT_TRUE(opened.open({{(dir / "t.tif").string()}, {}, false}));
    ContourLines lines(opened, 0, blockSize, options);
    Traced traced;
    EXPECT_TRUE(lines.trace([](double) { return true; },
                            [&](GeoContour&& line) { traced.lines.push_back(std::move(line)); }));
    traced.count = lines.count();
    return traced;
}

// Pixel position of a point of the test rasters (origin 7°E 47°N).
std::pair<double, double> pixelOf(const GeoPoint& p) {
    return {(p.lon - 7.0) / kPixel, (47.0 - p.lat) / kPixel};
}

int crossingsBetweenLines(const std::vector<GeoContour>& lines) {
    std::vector<std::array<double, 4>> segments;
    for (const GeoContour& line : lines)
        for (std::size_t i = 1; i < line.points.size(); ++i)
            segments.push_back(
                {line.points[i - 1].lon, line.points[i - 1].lat, line.points[i].lon, line.points[i].lat});
    return properCrossings(segments);
}

TEST(ContourLines, ConeGivesOneLoopPerLevelAndArcsWhereTheRasterCutsThem) {
    TempDir dir;
    for (const std::size_t block : {std::size_t{1000}, std::size_t{8}}) {
        SCOPED_TRACE(block);
        const Traced traced = traceLines(cone(), dir, block, {10.0});
        // Loops at 110..190 m; at 100..70 m the circle leaves the raster in four arcs; the
        // loop at 200 m around the peak pixel alone is dropped.
        std::map<std::int64_t, int> loops, arcs;
        double worst = 0.0;
        for (const GeoContour& line : traced.lines) {
            const bool closed = line.points.front() == line.points.back();
            ++(closed ? loops : arcs)[line.elevation];
            const double radius = (203.0 - static_cast<double>(line.elevation)) / 5.0;
            for (const GeoPoint& p : line.points) {
                const auto [x, y] = pixelOf(p);
                worst = std::max(worst, std::abs(std::hypot(x - 20.5, y - 20.5) - radius));
            }
            const ContourKind kind = line.elevation % 100 == 0  ? ContourKind::Major
                                     : line.elevation % 50 == 0 ? ContourKind::Intermediate
                                                                : ContourKind::Minor;
            EXPECT_EQ(line.kind, kind) << line.elevation;
        }
        EXPECT_EQ(
            loops,
            (std::map<std::int64_t, int>{
                {110, 1}, {120, 1}, {130, 1}, {140, 1}, {150, 1}, {160, 1}, {170, 1}, {180, 1}, {190, 1}}));
        EXPECT_EQ(arcs, (std::map<std::int64_t, int>{{70, 4}, {80, 4}, {90, 4}, {100, 4}}));
        EXPECT_EQ(traced.count.lines, 25u);
        EXPECT_EQ(traced.count.droppedLoops, 1u);
        EXPECT_LT(worst, 0.1); // pixels off the true circle
        EXPECT_EQ(crossingsBetweenLines(traced.lines), 0);
    }
}

// A void pixel on the 150 m circle (on a cut between blocks of 5) opens that loop into one
// line ending at the void; every other line stays as it was.
TEST(ContourLines, AVoidOpensTheLoopThroughIt) {
    TempDir dir;
    TestRaster raster = cone();
    raster.values[10 * 41 + 20] = NAN;
    for (const std::size_t block : {std::size_t{1000}, std::size_t{5}}) {
        SCOPED_TRACE(block);
        const Traced traced = traceLines(raster, dir, block, {10.0});
        std::map<std::int64_t, int> loops, open;
        for (const GeoContour& line : traced.lines) {
            const bool closed = line.points.front() == line.points.back();
            ++(closed ? loops : open)[line.elevation];
            if (line.elevation != 150)
                continue;
            for (const GeoPoint& end : {line.points.front(), line.points.back()}) {
                const auto [x, y] = pixelOf(end);
                EXPECT_LT(std::hypot(x - 20.5, y - 10.5), 1.5);
            }
        }
        EXPECT_EQ(loops, (std::map<std::int64_t, int>{{110, 1}, {120, 1}, {130, 1}, {140, 1}, {160, 1},
                                                      {170, 1}, {180, 1}, {190, 1}}));
        EXPECT_EQ(open, (std::map<std::int64_t, int>{{70, 4}, {80, 4}, {90, 4}, {100, 4}, {150, 1}}));
        EXPECT_EQ(crossingsBetweenLines(traced.lines), 0);
    }
}

TEST(ContourLines, SaddleLinesPassEachOtherAndBlocksJoinIntoTheSameLines) {
    TempDir dir;
    const Traced whole = traceLines(saddle(), dir, 1000, {10.0, 2, 4});
    const Traced blocks = traceLines(saddle(), dir, 4, {10.0, 2, 4});
    std::map<std::int64_t, int> byLevel;
    for (const GeoContour& line : whole.lines)
        ++byLevel[line.elevation];
    // Two branches of each hyperbola; at ±100 m one branch still reaches a corner; the two
    // lines of 0 m meet at the saddle and turn apart.
    std::map<std::int64_t, int> expected;
    for (int level = -90; level <= 90; level += 10)
        expected[level] = 2;
    expected[-100] = expected[100] = 1;
    EXPECT_EQ(byLevel, expected);
    EXPECT_EQ(crossingsBetweenLines(whole.lines), 0);
    // The saddle's mean lies below 0 m, so the ground below 0 m connects across it: one line of
    // 0 m cuts off the top left, the other the bottom right.
    const auto side = [](const GeoPoint& p) {
        const auto [x, y] = pixelOf(p);
        return y < 0.6 ? 'T' : x < 0.6 ? 'L' : y > 20.4 ? 'B' : x > 20.4 ? 'R' : '?';
    };
    std::set<std::string> zeroEnds;
    for (const GeoContour& line : whole.lines)
        if (line.elevation == 0) {
            std::string ends{side(line.points.front()), side(line.points.back())};
            std::sort(ends.begin(), ends.end());
            zeroEnds.insert(ends);
        }
    EXPECT_EQ(zeroEnds, (std::set<std::string>{"LT", "BR"}));
    EXPECT_EQ(whole.count.droppedLoops, 0u);

    // The same lines, point for point (a line may run either way round only if it is a loop).
    const auto sorted = [](std::vector<GeoContour> lines) {
        std::vector<std::pair<std::int64_t, std::vector<std::pair<double, double>>>> out;
        for (const GeoContour& line : lines) {
            std::vector<std::pair<double, double>> points;
            for (const GeoPoint& p : line.points)
                points.emplace_back(p.lon, p.lat);
            out.emplace_back(line.elevation, std::move(points));
        }
        std::sort(out.begin(), out.end());
        return out;
    };
    EXPECT_EQ(sorted(blocks.lines), sorted(whole.lines));
    for (const GeoContour& line : blocks.lines)
        EXPECT_EQ(line.kind, line.elevation % 40 == 0   ? ContourKind::Major
                             : line.elevation % 20 == 0 ? ContourKind::Intermediate
                                                        : ContourKind::Minor);
}

TEST(ContourLines, FeetGiveLinesAtFootIntervalsLabelledInFeet) {
    TempDir dir;
    ContourOptions options{100.0};
    options.feet = true;
    const Traced traced = traceLines(cone(), dir, 1000, options);
    std::map<std::int64_t, int> byLevel;
    for (const GeoContour& line : traced.lines)
        ++byLevel[line.elevation];
    // 400 ft is 121.92 m, 600 ft 182.88 m; below 200 ft (60.96 m) the cone has no pixel left.
    EXPECT_EQ(byLevel, (std::map<std::int64_t, int>{{300, 4}, {400, 1}, {500, 1}, {600, 1}}));
}

// Minor lines at the most detailed level only, intermediate ones one level further, major ones
// up to the coarsest; each labelled, after the bands in the same map.
TEST(ContourLines, GoIntoTheMapLabelledAtTheirLevels) {
    TempDir dir;
    writeRaster(cone(), dir / "t.tif", "GTiff");
    DemOptions dem;
    dem.inputs = {(dir / "t.tif").string()};
    dem.interval = 50;
    dem.contours.interval = 10;
    ConversionOptions options;
    options.detailLevels = {true, false, false, true};
    options.outputPath = (dir / "out.mp").string();
    orolith::testing::RecordingHost host;
    const ConversionResult result = convertDem(ConversionMode::Write, options, dem, host);
    ASSERT_TRUE(result.written);
    EXPECT_NE(result.finalMessage.find("\r\n\r\n25 contour lines every 10 m (1 tiny closed loops dropped)."),
              std::string::npos)
        << result.finalMessage;
    const std::string map = orolith::testing::readBytes(dir / "out.mp");
    std::map<std::string, int> heads; // the lines before Data, one per contour line
    for (std::size_t at = map.find("[POLYLINE]"); at != std::string::npos;
         at = map.find("[POLYLINE]", at + 1))
        ++heads[map.substr(at, map.find("Data", at) + 6 - at)];
    const auto head = [](const char* type, int label, const char* endLevel) {
        return std::string("[POLYLINE]\r\nType=0x") + type + "\r\nLabel=" + std::to_string(label) + "\r\n" +
               endLevel + "Data0=";
    };
    std::map<std::string, int> expected;
    for (int level = 70; level <= 190; level += 10)
        expected[level % 100 == 0  ? head("22", level, "EndLevel=3\r\n")
                 : level % 50 == 0 ? head("21", level, "EndLevel=1\r\n")
                                   : head("20", level, "")] = level <= 100 ? 4 : 1;
    EXPECT_EQ(heads, expected);
    EXPECT_LT(map.rfind("[POLYGON]"), map.find("[POLYLINE]"));
    // mkgmap reads contour labels as feet unless the header says metres.
    EXPECT_NE(map.find("Levels = 6\r\nLevel0 = 24"), std::string::npos);
    EXPECT_NE(map.find("Zoom5 = 5\r\nElevation=M\r\n[END-IMG ID]\r\n"), std::string::npos);
    dem.contours.feet = true;
    options.replaceExisting = true;
    ASSERT_TRUE(convertDem(ConversionMode::Write, options, dem, host).written);
    const std::string feet = orolith::testing::readBytes(dir / "out.mp");
    EXPECT_NE(feet.find("Zoom5 = 5\r\n[END-IMG ID]\r\n"), std::string::npos);
    EXPECT_NE(feet.find("Type=0x22\r\nLabel=500\r\n"), std::string::npos); // 152.4 m
}

TEST(ContourLines, MoreLinesThanATileHoldsWriteNoMap) {
    TempDir dir;
    writeRaster(cone(), dir / "t.tif", "GTiff");
    DemOptions dem;
    dem.contours.interval = 10;
    dem.contours.tileLines = 24;
    const Converted out = convertToMap(dir.path(), {(dir / "t.tif").string()}, dem);
    EXPECT_FALSE(out.result.written);
    EXPECT_EQ(
        out.result.finalMessage,
        (dir / "out.mp").string() +
            " could not be written: Contour lines every 10 m are more than one mkgmap map tile holds (about "
            "24 lines): choose a larger contour interval, or split the area into tiles.\r\n\r\nThe map was "
            "not created.");
    EXPECT_FALSE(std::filesystem::exists(dir / "out.mp"));
    dem.contours.tileLines = 25;
    EXPECT_TRUE(convertToMap(dir.path(), {(dir / "t.tif").string()}, dem).result.written);
}

TEST(ContourLines, MultiplesMustBeWholeAndNested) {
    std::string error;
    EXPECT_EQ(readMajorMultiples("5,10", error), std::pair(5, 10));
    EXPECT_EQ(readMajorMultiples("2,2", error), std::pair(2, 2));
    for (const char* bad : {"5", "5,", "0,10", "-5,10", "5,x", "5;10", " 5,10"}) {
        EXPECT_FALSE(readMajorMultiples(bad, error)) << bad;
        EXPECT_EQ(error, std::string("--contour-major takes two whole numbers N,M above 0 (every N-th line "
                                     "intermediate, every M-th major), such as 5,10, not '") +
                             bad + "'");
    }
    EXPECT_FALSE(readMajorMultiples("5,12", error));
    EXPECT_EQ(error, "--contour-major: the major multiple 12 is not a multiple of the intermediate one 5");
}

} // namespace
} // namespace orolith::dem
