// Elevation models through the command-line tool: choosing between Geo Vector and raster
// inputs, the band options, and a two-tile mosaic compiled by mkgmap with its TYP file.

#include "dem/dem_test_support.h"
#include "support/cli_run.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace orolith {
namespace {

using dem::testing::TestRaster;
using testing::runTool;

const double V = NAN;

// Two tiles of 9 × 9 pixels sharing their edge column: a plateau with a basin, a lake with
// an island, a ridge crossing the shared column, and a few voids.
void writeMosaic(const testing::TempDir& dir) {
    std::vector<std::vector<double>> rows = {
        {80, 80, 80, 80, 80, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20},
        {80, 30, 30, 80, 80, 20, 5, 5, 5, 5, 20, 20, 20, 20, 20, 20, 20},
        {80, 30, 30, 80, 80, 20, 5, 60, 5, 5, 20, 20, 20, 20, 20, 20, 20},
        {80, 80, 80, 80, 80, 20, 5, 5, 5, 5, 20, 20, V, V, 20, 20, 20},
        {40, 40, 40, 40, 40, 90, 90, 90, 90, 90, 90, 90, 90, 90, 90, 90, 40},
        {40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40},
        {40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100, 105, 110, 115, 120},
        {V, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40},
        {40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40},
    };
    for (int tile = 0; tile < 2; ++tile) {
        std::vector<std::vector<double>> part;
        for (const auto& row : rows)
            part.emplace_back(row.begin() + 8 * tile, row.begin() + 8 * tile + 9);
        TestRaster raster = dem::testing::rasterFromRows(part);
        raster.type = GDT_Int16;
        raster.geo[0] = 7.0 + 8 * 0.01 * tile;
        dem::testing::writeRaster(raster, dir / ("tile" + std::to_string(tile) + ".tif"), "GTiff");
    }
}

TEST(DemInput, MosaicMapAndTypCompileWithMkgmap) {
    testing::TempDir dir;
    writeMosaic(dir);
    const std::string a = (dir / "tile0.tif").string(), b = (dir / "tile1.tif").string();
    // Bands, their outlines and labelled contour lines in one map, compiled together below.
    const auto mp = runTool({"mp", a, b, "--levels", "0,2", "--contours", "--contour-lines", "10"});
    ASSERT_EQ(mp.code, 0) << mp.err;
    EXPECT_NE(mp.out.find(" holes, "), std::string::npos) << mp.out;
    EXPECT_NE(mp.out.find("% of the area has no elevation data"), std::string::npos) << mp.out;
    const std::string map = testing::readBytes(dir / "tile0.mp"); // beside the first input
    EXPECT_NE(map.find("\r\nData0=("), std::string::npos);
    EXPECT_NE(map.find("[POLYLINE]\r\nType=0x22\r\nLabel=100\r\nEndLevel=2\r\nData0=("), std::string::npos);
    const auto typ = runTool({"typ", a, b, "--output", (dir / "bands.txt").string(), "--home", dir.path().string(),
                              "--contour-lines", "10"});
    ASSERT_EQ(typ.code, 0) << typ.err;
    EXPECT_NE(testing::readBytes(dir / "bands.txt").find("[_line]\r\nType=0x22\r\n"), std::string::npos);
    const auto list = runTool({"list", a, b});
    EXPECT_EQ(list.out.substr(0, 9), "0\t10300\n2");
    if (!testing::haveMkgmap())
        GTEST_SKIP() << "mkgmap is not installed (tools/setup-debian.sh --tests installs it)";
    std::string log;
    EXPECT_EQ(testing::runMkgmap(dir / "img", {"--family-id=1733", "--gmapsupp", (dir / "tile0.mp").string(),
                                               (dir / "bands.txt").string()},
                                 log),
              0)
        << log;
    EXPECT_TRUE(std::filesystem::exists(dir / "img" / "gmapsupp.img")) << log;
    // Simplified by two pixels (about 1.5 km), the map still compiles.
    const std::string simplified = (dir / "simplified.mp").string();
    const auto mp2 = runTool({"mp", a, b, "--levels", "0,2", "--contours", "--simplify", "1500", "--output", simplified});
    ASSERT_EQ(mp2.code, 0) << mp2.err;
    EXPECT_LT(testing::readBytes(simplified).size(), map.size());
    EXPECT_EQ(testing::runMkgmap(dir / "img2", {"--family-id=1733", "--gmapsupp", simplified, (dir / "bands.txt").string()},
                                 log),
              0)
        << log;
    EXPECT_TRUE(std::filesystem::exists(dir / "img2" / "gmapsupp.img")) << log;
}

TEST(DemInput, UsageErrors) {
    testing::TempDir dir;
    writeMosaic(dir);
    const std::string tif = (dir / "tile0.tif").string();
    const std::string text =
        dir.write("bands.txt", "Geo Vector export: elevation bands\r\nL 1 100.0\r\n 8.2 46.3\r\n 8.3 46.5\r\n 8.2 46.3\r\n")
            .string();
    const struct {
        std::vector<std::string> words;
        const char* message;
    } cases[] = {
        {{"mp", tif, text}, "cannot be mixed"},
        {{"list", text, text}, "one Geo Vector file"},
        {{"mp", tif, "--interval", "0"}, "--interval takes a whole number"},
        {{"mp", tif, "--interval", "-25"}, "--interval takes a whole number"},
        {{"list", tif, "--interval", "abc"}, "--interval takes a whole number"},
        {{"typ", tif, "--interval", "12.5"}, "--interval takes a whole number"},
        {{"mp", text, "--interval", "50"}, "applies to elevation models only"},
        {{"mp", tif, "--smooth", "x"}, "--smooth takes"},
        {{"mp", tif, "--simplify", "-1"}, "--simplify takes a number of metres"},
        {{"img", tif, "--simplify", "ten"}, "--simplify takes a number of metres"},
        {{"mp", text, "--simplify", "10"}, "applies to elevation models only"},
        {{"mp", tif, "--contour-lines", "0"}, "--contour-lines takes a whole number of metres (feet with --feet) above 0, not '0'"},
        {{"mp", tif, "--contour-lines", "-10"}, "--contour-lines takes a whole number of metres (feet with --feet) above 0, not '-10'"},
        {{"img", tif, "--contour-lines", "ten"}, "--contour-lines takes a whole number of metres (feet with --feet) above 0, not 'ten'"},
        {{"mp", tif, "--contour-lines", "10", "--contour-major", "5,12"},
         "--contour-major: the major multiple 12 is not a multiple of the intermediate one 5"},
        {{"mp", text, "--feet"}, "--feet applies to elevation models only"},
        {{"mp", text, "--contour-lines", "10"}, "--contour-lines applies to elevation models only"},
        {{"mp", tif, "--threads", "0"}, "--threads takes a number of threads from 1 to 1024, not '0'"},
        {{"img", tif, "--threads", "two"}, "--threads takes a number of threads from 1 to 1024, not 'two'"},
        {{"render", tif, "--threads", "2x", "--output", "x.png"}, "--threads takes a number of threads"},
        {{"mp", tif, "--holes", "both"}, "--holes takes keep or cut, not 'both'"},
        {{"mp", tif, "--bands", "100,0"}, "--bands takes LOW,HIGH in whole metres"},
        {{"img", "--plan", "p"}, "--plan takes its area from --bbox, without INPUT"},
        {{"img", "--bbox", "50,-4,51,-3", "--plan", "p", "--map-id", "12345678"}, "--map-id does not go with --plan"},
    };
    for (const auto& c : cases) {
        const auto run = runTool(c.words);
        EXPECT_EQ(run.code, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "tile0.mp"));
    // The Geo Vector file, preamble and all, is still read as one.
    const auto list = runTool({"list", text});
    EXPECT_EQ(list.code, 0) << list.err;
    EXPECT_EQ(list.out, "100\t10304\n");
}

TEST(DemInput, ThreadsGiveTheSameMapAndTheToleranceFollowsThePixel) {
    testing::TempDir dir;
    writeMosaic(dir);
    const std::string tif = (dir / "tile0.tif").string();
    const auto one = runTool({"mp", tif, "--threads", "1", "--output", (dir / "one.mp").string()});
    const auto three = runTool({"mp", tif, "--threads", "3", "--output", (dir / "three.mp").string()});
    ASSERT_EQ(one.code, 0) << one.err;
    EXPECT_EQ(testing::readBytes(dir / "one.mp"), testing::readBytes(dir / "three.mp"));
    // Pixels of 0.01° at 46.95° N: 759.9 m wide, a tenth of that.
    EXPECT_NE(one.out.find(" vertices, simplified within 76.0 m; "), std::string::npos) << one.out;
    const auto exact = runTool({"mp", tif, "--simplify", "0", "--bands", "-100,200", "--output", (dir / "0.mp").string()});
    EXPECT_EQ(exact.out.find("simplified"), std::string::npos) << exact.out;
    EXPECT_GT(testing::readBytes(dir / "0.mp").size(), testing::readBytes(dir / "one.mp").size());
    const auto list = runTool({"list", tif, "--bands", "-100,200"});
    EXPECT_EQ(list.out.substr(0, 11), "-100\t10300\n");
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 13);
}

TEST(DemInput, IntervalAndBaseChooseTheBands) {
    testing::TempDir dir;
    writeMosaic(dir);
    const auto list = runTool({"list", (dir / "tile0.tif").string(), "--interval", "50", "--base", "10"});
    ASSERT_EQ(list.code, 0) << list.err;
    EXPECT_EQ(list.out, "-40\t10300\n10\t10301\n60\t10302\n");

    // A first type that doesn't read is said, and the types start at 0, as for Geo Vector input
    // and as the TYP file reads it.
    const std::string map = (dir / "bad-first-type.mp").string();
    const auto mp = runTool({"mp", (dir / "tile0.tif").string(), "--interval", "50", "--base", "10",
                             "--first-type", "10300x", "--output", map});
    EXPECT_NE(mp.err.find("\"10300x\" is not a hexadecimal number"), std::string::npos) << mp.err;
    const std::string text = testing::readBytes(map);
    EXPECT_NE(text.find("Type=0x0\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Type=0x10300"), std::string::npos);
}

} // namespace
} // namespace orolith
