// Elevation models of every kind converted to maps and checked against their pixels, the
// mosaic seam, and the inputs that must be refused with a clear message and no file.

#include "dem/dem_conversion.h"
#include "dem/dem_raster.h"
#include "dem_test_support.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cpl_vsi.h>

namespace orolith::dem {
namespace {

using orolith::testing::RecordingHost;
using orolith::testing::TempDir;
using namespace orolith::dem::testing;

const double V = NAN;

// A plateau with a basin, a lake with an island, a slope and voids.
TestRaster terrain() {
    return rasterFromRows({
        {60, 60, 60, 60, 60, 10, 10, 10, 10, 10, 30, 40},
        {60, 60, 60, 60, 60, 10, 10, 10, 10, 10, 35, 45},
        {60, 60, 5, 5, 60, 10, 10, 80, 10, 10, 40, 50},
        {60, 60, 5, 5, 60, 10, 10, 10, 10, 10, 45, 55},
        {60, 60, 60, 60, 60, 10, 10, 10, 10, V, 50, 60},
        {20, 25, 30, 35, 40, 45, 50, 55, 60, V, V, 70},
        {20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75},
        {21, 24, 26, 49, 51, 74, 76, 99, 101, 124, 126, 150},
    });
}

TEST(DemConversion, EveryPixelLiesInExactlyOnePolygonOfItsBand) {
    struct Case {
        const char* name;
        const char* driver;
        const char* file;
        GDALDataType type;
        double pixelX, pixelY;
        double base, interval;
        std::size_t blockSize = DemOptions{}.blockSize;
        bool cutHoles = false;
    };
    const Case cases[] = {
        {"ESRI ASCII grid", "AAIGrid", "t.asc", GDT_Float32, 0.01, -0.01, 0, 25},
        {"GeoTIFF Int16", "GTiff", "t.tif", GDT_Int16, 0.01, -0.01, 0, 25},
        {"Float32, pixels not square", "GTiff", "t.tif", GDT_Float32, 0.02, -0.01, 5, 10},
        {"VRT", "VRT", "t.vrt", GDT_Float32, 0.01, -0.01, 0, 20},
        {"cut into blocks", "GTiff", "t.tif", GDT_Float32, 0.01, -0.01, 0, 25, 5},
        {"cut into blocks of one row", "GTiff", "t.tif", GDT_Float32, 0.02, -0.01, 0, 10, 1},
        {"GeoTIFF read through gzip", "gzip", "t.tif.gz", GDT_Int16, 0.01, -0.01, 0, 25},
        {"holes cut", "GTiff", "t.tif", GDT_Float32, 0.02, -0.01, 5, 10, 512, true},
        {"holes cut in blocks", "GTiff", "t.tif", GDT_Float32, 0.01, -0.01, 0, 25, 5, true},
    };
    for (const Case& c : cases) {
        TempDir dir;
        TestRaster raster = terrain();
        raster.type = c.type;
        raster.geo[1] = c.pixelX;
        raster.geo[5] = c.pixelY;
        auto path = dir / c.file;
        if (std::string(c.driver) == "gzip") {
            writeRaster(raster, dir / "source.tif", "GTiff");
            const std::string tiff = orolith::testing::readBytes(dir / "source.tif");
            VSILFILE* gzip = VSIFOpenL(("/vsigzip/" + path.string()).c_str(), "wb");
            ASSERT_EQ(VSIFWriteL(tiff.data(), 1, tiff.size(), gzip), tiff.size());
            VSIFCloseL(gzip);
            path = "/vsigzip/" + path.string();
        } else if (std::string(c.driver) == "VRT") {
            writeRaster(raster, dir / "source.tif", "GTiff");
            std::string error;
            ASSERT_TRUE(writeMosaic({(dir / "source.tif").string()}, {}, {}, path.string(), error)) << error;
        } else {
            writeRaster(raster, path, c.driver);
        }
        DemOptions dem;
        dem.base = c.base;
        dem.interval = c.interval;
        dem.blockSize = c.blockSize;
        dem.cutHoles = c.cutHoles;
        const Converted out = convertToMap(dir.path(), {path.string()}, dem);
        ASSERT_TRUE(out.result.written) << c.name;
        EXPECT_EQ(checkMap(raster, out.map, out.result, c.base, c.interval, identity()), "") << c.name;
        EXPECT_NE(out.result.finalMessage.find("holes"), std::string::npos);
    }
}

TEST(DemConversion, ProjectedRasterComesOutInDegrees) {
    TempDir dir;
    TestRaster raster = terrain();
    raster.srs = "EPSG:32632";
    raster.geo[0] = 400000;
    raster.geo[1] = 30;
    raster.geo[3] = 5200000;
    raster.geo[5] = -30;
    writeRaster(raster, dir / "utm.tif", "GTiff");
    const Converted out = convertToMap(dir.path(), {(dir / "utm.tif").string()});
    ASSERT_TRUE(out.result.written);
    OGRSpatialReferenceH utm = OSRNewSpatialReference(nullptr), wgs84 = OSRNewSpatialReference(nullptr);
    OSRImportFromEPSG(utm, 32632);
    OSRSetWellKnownGeogCS(wgs84, "WGS84");
    OSRSetAxisMappingStrategy(utm, OAMS_TRADITIONAL_GIS_ORDER);
    OSRSetAxisMappingStrategy(wgs84, OAMS_TRADITIONAL_GIS_ORDER);
    OGRCoordinateTransformationH transform = OCTNewCoordinateTransformation(utm, wgs84);
    const auto toWgs84 = [&](double x, double y) {
        OCTTransform(transform, 1, &x, &y, nullptr);
        return std::pair<double, double>(x, y);
    };
    EXPECT_EQ(checkMap(raster, out.map, out.result, 0, 25, toWgs84), "");
    EXPECT_NE(out.map.find("(46.9"), std::string::npos); // 5200 km north of the equator
    OCTDestroyCoordinateTransformation(transform);
    OSRDestroySpatialReference(utm);
    OSRDestroySpatialReference(wgs84);
}

// Two tiles sharing their edge column, a ridge crossing the seam: the mosaic is one raster.
TEST(DemConversion, MosaicHasNoSeam) {
    TempDir dir;
    TestRaster whole = rasterFromRows({
        {10, 10, 10, 10, 10, 10, 10},
        {10, 40, 40, 40, 40, 40, 10},
        {10, 10, 60, 60, 60, 10, 10},
        {10, 40, 40, 40, 40, 40, 10},
        {10, 10, 10, 10, 10, 10, 10},
    });
    for (int tile = 0; tile < 2; ++tile) {
        TestRaster part = whole;
        part.width = 4;
        part.values.clear();
        for (std::size_t y = 0; y < whole.height; ++y)
            for (std::size_t x = 0; x < 4; ++x)
                part.values.push_back(whole.at(x + 3 * static_cast<std::size_t>(tile), y));
        part.geo[0] = whole.geo[0] + 3 * whole.geo[1] * tile;
        writeRaster(part, dir / ("tile" + std::to_string(tile) + ".tif"), "GTiff");
    }
    const Converted out = convertToMap(dir.path(), {(dir / "tile0.tif").string(), (dir / "tile1.tif").string()});
    ASSERT_TRUE(out.result.written);
    EXPECT_EQ(checkMap(whole, out.map, out.result, 0, 25, identity()), "");
    // Each band is whole across the seam; the lowland holds the ridge as one hole.
    const auto blocks = readBlocks(out.map);
    EXPECT_EQ(blocks.size(), 4u); // lowland, the two arms of the ridge, its top
}

// A cell no tile covers is sea at 0 m: beside tiles whose pixels straddle the degree lines
// and beside tiles whose pixels end on them, read directly, from a mosaic file written and
// opened again, and with voids filled (which must not spread the land over the sea).
TEST(DemConversion, SeaCellsReadAsZeroWhereNoTileIs) {
    struct Case {
        const char* name;
        double west, north, pixel; // the land tile; its cell is N47E007
        std::size_t side;
        SeaCell sea;
        bool throughFile, fillVoids;
        int mosaicWidth, mosaicHeight;
        double mosaicWest, mosaicNorth;
        const char* voidShare; // one void pixel in the land tile, unless filled
    };
    const Case cases[] = {
        {"pixels on the degree lines", 6.95, 48.05, 0.1, 11, {47, 8}, false, false, 21, 11, 6.95, 48.05, "0.4"},
        {"written and opened again", 6.95, 48.05, 0.1, 11, {47, 8}, true, false, 21, 11, 6.95, 48.05, "0.4"},
        {"pixels between the degree lines", 7.0, 48.0, 0.125, 8, {48, 7}, true, false, 8, 16, 7.0, 49.0, "0.8"},
        {"voids filled", 6.95, 48.05, 0.1, 11, {46, 6}, false, true, 0, 0, 0, 0, "0.0"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        TestRaster tile;
        tile.width = tile.height = c.side;
        tile.values.assign(c.side * c.side, 30.0);
        tile.values[c.side * c.side / 2] = V;
        tile.geo[0] = c.west;
        tile.geo[1] = c.pixel;
        tile.geo[3] = c.north;
        tile.geo[5] = -c.pixel;
        writeRaster(tile, dir / "land.tif", "GTiff");
        DemOptions dem;
        dem.fillVoids = c.fillVoids;
        std::string input = (dir / "land.tif").string();
        if (c.throughFile) {
            const std::string mosaic = (dir / "area.vrt").string();
            std::string error;
            ASSERT_TRUE(writeMosaic({input}, {c.sea}, {}, mosaic, error)) << error;
            GDALDatasetH written = GDALOpen(mosaic.c_str(), GA_ReadOnly);
            ASSERT_NE(written, nullptr) << c.name;
            double geo[6];
            GDALGetGeoTransform(written, geo);
            EXPECT_EQ(GDALGetRasterXSize(written), c.mosaicWidth) << c.name;
            EXPECT_EQ(GDALGetRasterYSize(written), c.mosaicHeight) << c.name;
            EXPECT_NEAR(geo[0], c.mosaicWest, 1e-9) << c.name;
            EXPECT_NEAR(geo[3], c.mosaicNorth, 1e-9) << c.name;
            GDALClose(written);
            input = mosaic;
        } else {
            dem.seaCells = {c.sea};
        }
        const Converted out = convertToMap(dir.path(), {input}, dem);
        ASSERT_TRUE(out.result.written) << c.name;
        ASSERT_EQ(out.result.types.size(), 2u) << c.name;
        EXPECT_EQ(out.result.types[0].elevation, "0") << c.name;
        EXPECT_EQ(out.result.types[1].elevation, "25") << c.name;
        const std::string voids = std::string(" ") + c.voidShare + " % of the area has no elevation data";
        EXPECT_NE(out.result.finalMessage.find(voids), std::string::npos) << c.name << ": " << out.result.finalMessage;
    }
}

// The map never goes over one of the mosaic's tiles, whichever it is; an existing map is
// replaced only after a Yes.
TEST(DemConversion, TheMapNeverReplacesAnInputAndAsksBeforeReplacingAMap) {
    TempDir dir;
    writeRaster(terrain(), dir / "a.tif", "GTiff");
    writeRaster(terrain(), dir / "b.tif", "GTiff");
    const std::string tile = orolith::testing::readBytes(dir / "b.tif");
    DemOptions dem;
    dem.inputs = {(dir / "a.tif").string(), (dir / "b.tif").string()};
    ConversionOptions options;
    options.detailLevels = {true, false, false, false};
    options.outputPath = dem.inputs[1];
    options.replaceExisting = true;
    RecordingHost host;
    EXPECT_FALSE(convertDem(ConversionMode::Write, options, dem, host).written);
    EXPECT_EQ(orolith::testing::readBytes(dir / "b.tif"), tile);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_NE(host.messages.back().second.find(" is an input file; the map was not created."), std::string::npos);

    dem.inputs.pop_back();
    options.outputPath = dir.write("out.mp", "theirs").string();
    options.replaceExisting = false;
    host.answers = {false};
    EXPECT_FALSE(convertDem(ConversionMode::Write, options, dem, host).written);
    EXPECT_EQ(orolith::testing::readBytes(dir / "out.mp"), "theirs");
}

TEST(DemConversion, BandsAscendWithContoursAndHolesInOneBlock) {
    TempDir dir;
    writeRaster(terrain(), dir / "t.tif", "GTiff");
    const Converted out = convertToMap(dir.path(), {(dir / "t.tif").string()}, {}, true);
    ASSERT_TRUE(out.result.written);
    std::vector<std::string> labels;
    for (const auto& entry : out.result.types)
        labels.push_back(entry.elevation);
    EXPECT_EQ(labels, (std::vector<std::string>{"0", "25", "50", "75", "100", "125", "150"}));
    EXPECT_EQ(out.result.types[0].type, "10300");
    // The legend names the first band of each colour, as for Geo Vector input.
    ASSERT_EQ(out.result.legendCaptions.size(), 26u);
    EXPECT_EQ(out.result.legendCaptions[0], "0m");
    EXPECT_EQ(out.result.legendCaptions[1], "100m");
    EXPECT_EQ(out.result.legendCaptions[2], "");
    // The plateau (50) holds the basin as a second Data0 line of the same block.
    EXPECT_NE(out.map.find("Type=0x10302\r\nData0=("), std::string::npos);
    const auto blocks = readBlocks(out.map);
    std::size_t lines = 0, withHoles = 0;
    for (const MapBlock& block : blocks)
        if (block.kind == "[POLYGON]") {
            withHoles += block.rings.size() > 1;
            for (const auto& ring : block.rings) {
                EXPECT_EQ(ring.front(), ring.back());
                for (std::size_t i = 1; i < ring.size(); ++i)
                    EXPECT_NE(ring[i], ring[i - 1]);
            }
        } else {
            ++lines;
        }
    EXPECT_GT(withHoles, 0u);
    EXPECT_GT(lines, 0u);
}

TEST(DemConversion, CutHolesOneBlockForEveryLevelAndContoursAlongTheRings) {
    TempDir dir;
    writeRaster(terrain(), dir / "t.tif", "GTiff");
    DemOptions dem;
    dem.inputs = {(dir / "t.tif").string()};
    ConversionOptions options;
    options.detailLevels = {true, true, false, true};
    options.addContours = true;
    options.outputPath = (dir / "keep.mp").string();
    RecordingHost host;
    ASSERT_TRUE(convertDem(ConversionMode::Write, options, dem, host).written);
    dem.cutHoles = true;
    options.outputPath = (dir / "cut.mp").string();
    const ConversionResult result = convertDem(ConversionMode::Write, options, dem, host);
    ASSERT_TRUE(result.written);
    const std::string keep = orolith::testing::readBytes(dir / "keep.mp");
    const std::string cut = orolith::testing::readBytes(dir / "cut.mp");
    EXPECT_EQ(cut.find("Data1="), std::string::npos);
    std::size_t polygons = 0;
    std::vector<std::vector<std::pair<double, double>>> contours, keptContours;
    for (const MapBlock& block : readBlocks(cut)) {
        polygons += block.kind == "[POLYGON]";
        if (block.kind == "[POLYLINE]")
            contours.push_back(block.rings.front());
        else
            EXPECT_EQ(block.rings.size(), 1u);
    }
    for (const MapBlock& block : readBlocks(keep))
        if (block.kind == "[POLYLINE]")
            keptContours.push_back(block.rings.front());
    // Every polygon once, shown from level 0 to 3; its outline and holes as they were traced,
    // but for the raster's edge.
    EXPECT_EQ(polygons, 13u);
    EXPECT_EQ(contours.size(), 16u); // a ring along the raster's edge is two lines
    EXPECT_EQ(std::count_if(contours.begin(), contours.end(), [](const auto& line) { return line.front() == line.back(); }),
              4); // the rings clear of the raster's edge stay closed
    EXPECT_EQ(contours, keptContours);
    const auto occurrences = [&cut](const std::string& what) {
        std::size_t count = 0;
        for (std::size_t at = cut.find(what); at != std::string::npos; at = cut.find(what, at + 1))
            ++count;
        return count;
    };
    // The outlines as lines over the same levels as their polygons.
    EXPECT_EQ(occurrences("Data3="), 0u);
    EXPECT_EQ(keep.find("EndLevel=2"), std::string::npos);
    EXPECT_EQ(occurrences("[POLYGON]\r\nType=0x"), polygons);
    EXPECT_EQ(occurrences("EndLevel=3\r\nData0=("), polygons + contours.size());
    EXPECT_EQ(checkMap(terrain(), cut, result, 0, 25, identity()), "");
    EXPECT_NE(result.finalMessage.find(" 2 holes, "), std::string::npos) << result.finalMessage;
}

TEST(DemConversion, BadInputsSayWhyAndWriteNothing) {
    TempDir dir;
    writeRaster(terrain(), dir / "good.tif", "GTiff");
    dir.write("broken.tif", "II*\0not really a tiff");
    dir.write("short.hgt", std::string(1000, '\0'));
    TestRaster voids = terrain();
    std::fill(voids.values.begin(), voids.values.end(), NAN);
    writeRaster(voids, dir / "void.tif", "GTiff");
    TestRaster coarse = terrain();
    coarse.geo[1] = 0.02;
    writeRaster(coarse, dir / "coarse.tif", "GTiff");
    TestRaster projected = terrain();
    projected.srs = "EPSG:32632";
    writeRaster(projected, dir / "utm.tif", "GTiff");
    {
        VSILFILE* zip = VSIFOpenL(("/vsizip/" + (dir / "empty.zip").string() + "/readme.txt").c_str(), "wb");
        VSIFWriteL("hello", 1, 5, zip);
        VSIFCloseL(zip);
    }
    writeRaster(rasterFromRows({{0, 9000}}), dir / "tall.tif", "GTiff");
    struct Case {
        std::vector<std::string> inputs;
        double interval;
        std::string message;
    };
    const auto p = [&](const char* name) { return (dir / name).string(); };
    const Case cases[] = {
        {{p("broken.tif")}, 25, "not an elevation raster GDAL can read"},
        {{p("short.hgt")}, 25, "1201 × 1201 or 3601 × 3601"},
        {{p("empty.zip")}, 25, "holds no elevation raster"},
        {{p("missing.tif")}, 25, "Cannot find file:"},
        {{p("void.tif")}, 25, "no elevation data"},
        {{p("good.tif"), p("coarse.tif")}, 25, "same resolution"},
        {{p("good.tif"), p("utm.tif")}, 25, "one coordinate system"},
        {{p("tall.tif")}, 1, "beyond 0x1FFFF; choose a larger interval"},
        {{p("good.tif")}, 0, "whole number of metres above 0"},
    };
    for (const Case& c : cases) {
        DemOptions dem;
        dem.inputs = c.inputs;
        dem.interval = c.interval;
        ConversionOptions options;
        options.detailLevels = {true, false, false, false};
        options.outputPath = p("out.mp");
        RecordingHost host;
        const ConversionResult result = convertDem(ConversionMode::Write, options, dem, host);
        EXPECT_FALSE(result.written) << c.message;
        const auto failures = host.texts(MessageKind::Failure);
        ASSERT_EQ(failures.size(), 1u) << c.message;
        EXPECT_NE(failures[0].find(c.message), std::string::npos) << failures[0];
        EXPECT_FALSE(std::filesystem::exists(dir / "out.mp")) << c.message;
    }
}

TEST(DemConversion, SeveralBandsUseBandOneAndFlatRasterIsOneBand) {
    TempDir dir;
    TestRaster two = terrain();
    two.bands = 2;
    writeRaster(two, dir / "two.tif", "GTiff");
    DemOptions dem;
    dem.inputs = {(dir / "two.tif").string()};
    RecordingHost host;
    ConversionOptions options;
    const ConversionResult listed = convertDem(ConversionMode::ListOnly, options, dem, host);
    EXPECT_TRUE(listed.ranPasses);
    ASSERT_EQ(host.texts(MessageKind::Notice).size(), 1u);
    EXPECT_NE(host.texts(MessageKind::Notice)[0].find("band 1 is used"), std::string::npos);

    TestRaster flat = rasterFromRows({{7, 7, 7}, {7, 7, 7}});
    writeRaster(flat, dir / "flat.tif", "GTiff");
    const Converted out = convertToMap(dir.path(), {(dir / "flat.tif").string()});
    ASSERT_TRUE(out.result.written);
    ASSERT_EQ(out.result.types.size(), 1u);
    EXPECT_EQ(readBlocks(out.map).size(), 1u);
}

TEST(DemConversion, RingTextDropsRepeatsAndWritesNewPointsMorePrecisely) {
    const Ring ring = {{7.0, 46.0}, {7.001, 46.0}, {7.0012345, 46.0004}, {7.0012345, 46.0004}, {7.0, 46.001}, {7.0, 46.0}};
    std::size_t vertices = 0;
    EXPECT_EQ(ringText(ring, 3, vertices), "(46.000,7.000),(46.000,7.001),(46.001,7.000),(46.000,7.000)");
    EXPECT_EQ(vertices, 4u);
    const std::vector<bool> precise = {false, false, true, false, false, false};
    EXPECT_EQ(ringText(ring, 3, vertices, &precise),
              "(46.000,7.000),(46.000,7.001),(46.000400,7.001234),(46.000,7.001),(46.001,7.000),(46.000,7.000)");
    EXPECT_EQ(vertices, 6u);
    EXPECT_EQ(ringText({{7.0, 46.0}, {7.0001, 46.0}, {7.0, 46.0001}, {7.0, 46.0}}, 3, vertices), "");
}

TEST(DemConversion, OutputPathDropsEveryExtension) {
    EXPECT_EQ(demOutputPathFor("/a/N50W004.hgt.zip"), std::filesystem::path("/a/N50W004.mp").string());
    EXPECT_EQ(demOutputPathFor("/a/b.c/dem.tif"), std::filesystem::path("/a/b.c/dem.mp").string());
    EXPECT_EQ(demOutputPathFor("tile"), "tile.mp");
}

TEST(DemConversion, GeoVectorTextIsNeverARaster) {
    EXPECT_FALSE(isElevationRaster((orolith::testing::sourceDir() / "data" / "sample.txt").string()));
    TempDir dir;
    const auto plain = dir.write("plain.txt", "L 1 100.0\r\n 8.2 46.3 0\r\n 8.3 46.5 0\r\n 8.0 46.7 0\r\n 8.2 46.3 0\r\n");
    EXPECT_FALSE(isElevationRaster(plain.string()));
    writeRaster(terrain(), dir / "grid.asc", "AAIGrid");
    EXPECT_TRUE(isElevationRaster((dir / "grid.asc").string()));
}

} // namespace
} // namespace orolith::dem
