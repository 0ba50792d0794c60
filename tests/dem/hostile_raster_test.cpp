// Rasters made to hurt: broken georeferencing, sizes beyond memory, VRTs that reach for other
// files or the network, tiles far apart or on both sides of the 180th meridian, NaN and
// absurd heights, and GDAL's own messages, which never reach the terminal.

#include "dem/dem_conversion.h"
#include "dem/dem_raster.h"
#include "dem_test_support.h"
#include "support/loopback_server.h"
#include "support/test_support.h"

#include <cpl_vsi.h>
#include <gtest/gtest.h>

namespace orolith::dem {
namespace {

using orolith::testing::RecordingHost;
using orolith::testing::TempDir;
using namespace orolith::dem::testing;
namespace fs = std::filesystem;

// The one failure a conversion of `inputs` reports; "" when it wrote a map.
std::string failureOf(const std::vector<std::string>& inputs, bool fillVoids = false) {
    DemOptions dem;
    dem.inputs = inputs;
    dem.fillVoids = fillVoids;
    ConversionOptions options;
    options.detailLevels = {true, false, false, false};
    options.outputPath = (fs::path(inputs.front()).parent_path() / "out.mp").string();
    options.replaceExisting = true;
    RecordingHost host;
    const ConversionResult result = convertDem(ConversionMode::Write, options, dem, host);
    const auto failures = host.texts(MessageKind::Failure);
    if (result.written || failures.size() != 1)
        return result.written ? "" : "failures: " + std::to_string(failures.size());
    return failures[0];
}

// A VRT of `width` × `height` zeros with the given geotransform and extra text inside its band.
std::string vrtText(const std::string& geo, long long width = 2, long long height = 2,
                    const std::string& band = "", const std::string& bandClass = "") {
    return "<VRTDataset rasterXSize=\"" + std::to_string(width) + "\" rasterYSize=\"" +
           std::to_string(height) + "\"><GeoTransform>" + geo +
           "</GeoTransform><VRTRasterBand dataType=\"Float32\" band=\"1\"" +
           (bandClass.empty() ? "" : " subClass=\"" + bandClass + "\"") + ">" + band +
           "</VRTRasterBand></VRTDataset>";
}

std::string simpleSource(const std::string& file) {
    return "<SimpleSource><SourceFilename relativeToVRT=\"0\">" + file +
           "</SourceFilename><SourceBand>1</SourceBand></SimpleSource>";
}

// A 10 × 10 tile of 0.1° pixels at a whole-degree corner, every height `height`.
std::string tileAt(const TempDir& dir, const std::string& name, double west, double north,
                   double height = 100) {
    TestRaster raster = rasterFromRows(std::vector<std::vector<double>>(10, std::vector<double>(10, height)));
    raster.geo[0] = west;
    raster.geo[1] = 0.1;
    raster.geo[3] = north;
    raster.geo[5] = -0.1;
    writeRaster(raster, dir / name, "GTiff");
    return (dir / name).string();
}

TEST(HostileRaster, BadPlacementsSizesAndSourcesAreRefusedBeforeReading) {
    TempDir dir;
    orolith::testing::LoopbackServer server;
    const std::string good = tileAt(dir, "good.tif", 7, 47);
    fs::create_directories(dir / "N45E007.hgt");
    const std::string url = "/vsicurl/" + server.baseUrl() + "/x.tif";
    {
        VSILFILE* zip = VSIFOpenL(("/vsizip/" + (dir / "grid.zip").string() + "/readme.txt").c_str(), "wb");
        const std::string grid = "ncols 2\nnrows 2\nxllcorner 7\nyllcorner 46\ncellsize 0.5\n1 2\n3 4\n";
        VSIFWriteL(grid.data(), 1, grid.size(), zip);
        VSIFCloseL(zip);
    }
    struct Case {
        std::string file, text, message;
        bool fillVoids = false;
    };
    const Case cases[] = {
        {"nan.vrt", vrtText("7, nan, 0, 47, 0, -0.01"),
         "nan.vrt: the raster's georeferencing is broken (pixel size nan × -0.01)."},
        {"zero.vrt", vrtText("7, 0, 0, 47, 0, -0.01"),
         "zero.vrt: the raster's georeferencing is broken (pixel size 0 × -0.01)."},
        {"east.vrt", vrtText("1000, 0.01, 0, 47, 0, -0.01"),
         "east.vrt: the raster has no coordinate system, and its corners (1000, 46.98 to 1000.02, 47) are "
         "not degrees "
         "of longitude and latitude."},
        {"west.vrt", vrtText("-1000, 0.01, 0, 47, 0, -0.01"),
         "west.vrt: the raster has no coordinate system, and its corners (-1000, 46.98 to -999.98, 47) are "
         "not "
         "degrees of longitude and latitude."},
        {"north.vrt",
         "<VRTDataset rasterXSize=\"2\" rasterYSize=\"2\"><SRS>EPSG:4326</SRS><GeoTransform>7, 0.01, 0, 95, "
         "0, "
         "-0.01</GeoTransform><VRTRasterBand dataType=\"Float32\" band=\"1\"/></VRTDataset>",
         "north.vrt: the raster's corners (7, 94.98 to 7.02, 95) lie beyond ±180° of longitude or ±90° of "
         "latitude."},
        {"wide.vrt", vrtText("7, 0.000001, 0, 47, 0, -0.01", 50000000, 1),
         "The elevation model is too large: 50000000 × 1 pixels; at most 100000 pixels across can be read."},
        {"wider.vrt", vrtText("7, 0.000001, 0, 47, 0, -0.01", 100001, 1),
         "The elevation model is too large: 100001 × 1 pixels; at most 100000 pixels across can be read."},
        {"filled.vrt", vrtText("7, 0.00001, 0, 47, 0, -0.00001", 100000, 5001),
         "The elevation model is too large to fill its voids: 100000 × 5001 pixels; --fill-voids holds at "
         "most 500 "
         "million pixels in memory.",
         true},
        {"N45E007.hgt", "", "N45E007.hgt: a folder or device, not an elevation raster."},
        {"raw.vrt",
         vrtText("7, 0.01, 0, 47, 0, -0.01", 2, 2,
                 "<SourceFilename relativetoVRT=\"0\">/etc/passwd</SourceFilename>", "VRTRawRasterBand"),
         "raw.vrt: VRT bands that read raw bytes of a file are not read"},
        {"net.vrt", vrtText("7, 0.01, 0, 47, 0, -0.01", 2, 2, simpleSource(url)),
         "net.vrt: a VRT source is not a local file (" + url + ")"},
        {"memory.vrt",
         vrtText("7, 0.01, 0, 47, 0, -0.01", 2, 2, simpleSource("MEM:::DATAPOINTER=0,PIXELS=2,LINES=2")),
         "memory.vrt: a VRT source is not a local file (MEM:::DATAPOINTER=0,PIXELS=2,LINES=2)"},
        {"nested.vrt", vrtText("7, 0.01, 0, 47, 0, -0.01", 2, 2, simpleSource((dir / "net.vrt").string())),
         "nested.vrt: a VRT source is not a local file (" + url + ")"},
        {"grid.zip", "", "grid.zip: the archive holds no elevation raster."},
    };
    for (const Case& c : cases) {
        if (!c.text.empty())
            dir.write(c.file, c.text);
        EXPECT_EQ(failureOf({(dir / c.file).string()}, c.fillVoids), c.message) << c.file;
    }
    EXPECT_EQ(server.requests().size(), 0u);
    EXPECT_EQ(
        failureOf({good, tileAt(dir, "far.tif", -170, -45)}),
        "good.tif and far.tif lie 176° apart; the tiles of one mosaic must each lie within 5° of another.");
    EXPECT_EQ(failureOf({good, tileAt(dir, "near.tif", 10, 47)}), ""); // 2° apart
}

TEST(HostileRaster, TilesOnBothSidesOfTheAntimeridianMakeANarrowMosaic) {
    TempDir dir;
    const std::string east = tileAt(dir, "east.tif", 179, 1), west = tileAt(dir, "west.tif", -180, 1, 200);
    DemRaster raster;
    ASSERT_TRUE(raster.open({{west, east}, {{-1, -180}}, false})) << raster.error();
    EXPECT_EQ(raster.width(), 20u);
    EXPECT_EQ(raster.height(), 20u);
    EXPECT_DOUBLE_EQ(raster.toGeo({0, 0}).lon, 179.0);
    EXPECT_DOUBLE_EQ(raster.toGeo({20, 0}).lon, 181.0);
    std::vector<double> rows(20 * 20);
    ASSERT_TRUE(raster.readRows(0, 20, rows.data()));
    EXPECT_EQ(rows[0], 100);                // the eastern tile on the left
    EXPECT_EQ(rows[19], 200);               // the western one moved past 180°
    EXPECT_EQ(rows[19 * 20 + 19], 0);       // the sea cell S01W180 under it
    EXPECT_TRUE(std::isnan(rows[19 * 20])); // no tile, no sea south of the eastern one
}

// A Float32 GeoTIFF without a no-data value.
void writeUntagged(const fs::path& path, const std::vector<float>& values, int width) {
    GDALAllRegister();
    const int height = static_cast<int>(values.size()) / width;
    GDALDatasetH file = GDALCreate(GDALGetDriverByName("GTiff"), path.string().c_str(), width, height, 1,
                                   GDT_Float32, nullptr);
    double geo[6] = {7, 0.01, 0, 47, 0, -0.01};
    GDALSetGeoTransform(file, geo);
    std::vector<float> copy = values;
    const CPLErr written = GDALRasterIO(GDALGetRasterBand(file, 1), GF_Write, 0, 0, width, height,
                                        copy.data(), width, height, GDT_Float32, 0, 0);
    ASSERT_EQ(written, CE_None);
    GDALClose(file);
}

TEST(HostileRaster, NanAndInfinityAreVoidsAndAbsurdHeightsAreNamed) {
    TempDir dir;
    const float nan = NAN, inf = INFINITY;
    writeUntagged(dir / "holes.tif", {100, 100, 100, 100, nan, 100, 100, 100, inf}, 3);
    for (const bool fill : {false, true}) {
        DemRaster raster;
        ASSERT_TRUE(raster.open({{(dir / "holes.tif").string()}, {}, fill})) << raster.error();
        std::vector<double> values(9);
        ASSERT_TRUE(raster.readRows(0, 3, values.data()));
        // NaN and infinity are voids, filled from their neighbours when asked.
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (!fill && (i == 4 || i == 8))
                EXPECT_TRUE(std::isnan(values[i])) << i;
            else
                EXPECT_EQ(values[i], 100.0) << i << (fill ? " filled" : "");
        }
    }
    writeUntagged(dir / "absurd.tif", {100, 120, 3e38f, 90}, 2);
    EXPECT_EQ(failureOf({(dir / "absurd.tif").string()}),
              "An interval of 25 m gives more than 100000 bands (the heights run from 90 m to 3.000e+38 m); "
              "choose a "
              "larger interval.");
}

TEST(HostileRaster, GdalMessagesNeverReachTheTerminal) {
    TempDir dir;
    TestRaster big = rasterFromRows(std::vector<std::vector<double>>(200, std::vector<double>(200, 50)));
    writeRaster(big, dir / "whole.tif", "GTiff");
    const std::string bytes = orolith::testing::readBytes(dir / "whole.tif");
    dir.write("cut.tif", bytes.substr(0, bytes.size() / 2));
    ::testing::internal::CaptureStderr();
    DemRaster raster;
    const bool opened = raster.open({{(dir / "cut.tif").string()}, {}, false});
    std::vector<double> rows(200 * 200);
    const bool read = opened && raster.readRows(0, 200, rows.data());
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(read);
    EXPECT_EQ(printed, "");
    EXPECT_NE(raster.error().find("reading the elevation model failed: "), std::string::npos)
        << raster.error();
}

} // namespace
} // namespace orolith::dem
