#pragma once
// Small elevation rasters written by the tests through GDAL, and a check of a written map
// against its raster: every pixel centre with data lies inside exactly one block (even-odd
// over the block's Data lines), and that block has the type of the pixel's band.

#include "core/conversion/conversion.h"
#include "dem/dem_conversion.h"
#include "support/test_support.h"

#include <cpl_conv.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace orolith::dem::testing {

struct TestRaster {
    std::size_t width = 0, height = 0;
    std::vector<double> values;        // row by row from the top
    double geo[6] = {7.0, 0.01, 0, 47.0, 0, -0.01};
    std::string srs = "EPSG:4326";     // empty: none
    double noData = -9999.0;
    GDALDataType type = GDT_Float32;
    int bands = 1;

    double at(std::size_t x, std::size_t y) const { return values[y * width + x]; }
};

inline TestRaster rasterFromRows(const std::vector<std::vector<double>>& rows) {
    TestRaster raster;
    raster.width = rows.front().size();
    raster.height = rows.size();
    for (const auto& row : rows)
        raster.values.insert(raster.values.end(), row.begin(), row.end());
    return raster;
}

// Writes the raster with a GDAL driver ("GTiff", "AAIGrid", …).
inline void writeRaster(const TestRaster& raster, const std::filesystem::path& path, const char* driver) {
    GDALAllRegister();
    GDALDatasetH memory = GDALCreate(GDALGetDriverByName("MEM"), "", static_cast<int>(raster.width),
                                     static_cast<int>(raster.height), raster.bands, raster.type, nullptr);
    double geo[6];
    std::copy(raster.geo, raster.geo + 6, geo);
    GDALSetGeoTransform(memory, geo);
    if (!raster.srs.empty()) {
        OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
        OSRSetFromUserInput(srs, raster.srs.c_str());
        char* wkt = nullptr;
        OSRExportToWkt(srs, &wkt);
        GDALSetProjection(memory, wkt);
        CPLFree(wkt);
        OSRDestroySpatialReference(srs);
    }
    std::vector<double> values = raster.values;
    for (double& v : values)
        if (std::isnan(v))
            v = raster.noData;
    for (int b = 1; b <= raster.bands; ++b) {
        GDALRasterBandH band = GDALGetRasterBand(memory, b);
        GDALSetRasterNoDataValue(band, raster.noData);
        const CPLErr written = GDALRasterIO(band, GF_Write, 0, 0, static_cast<int>(raster.width), static_cast<int>(raster.height),
                           values.data(), static_cast<int>(raster.width), static_cast<int>(raster.height),
                           GDT_Float64, 0, 0);
        (void)written;
    }
    GDALClose(GDALCreateCopy(GDALGetDriverByName(driver), path.string().c_str(), memory, FALSE, nullptr, nullptr,
                             nullptr));
    GDALClose(memory);
}

struct MapBlock {
    std::string kind, type;
    std::vector<std::vector<std::pair<double, double>>> rings; // (lon, lat)
};

inline std::vector<MapBlock> readBlocks(const std::string& map) {
    std::vector<MapBlock> blocks;
    std::istringstream in(map);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == "[POLYGON]" || line == "[POLYLINE]") {
            blocks.push_back({line, "", {}});
        } else if (!blocks.empty() && line.rfind("Type=0x", 0) == 0) {
            blocks.back().type = line.substr(7);
        } else if (!blocks.empty() && line.rfind("Data", 0) == 0) {
            auto& ring = blocks.back().rings.emplace_back();
            for (std::size_t at = line.find('('); at != std::string::npos; at = line.find('(', at + 1)) {
                double lat = 0, lon = 0;
                std::istringstream vertex(line.substr(at + 1));
                char comma = 0;
                vertex.imbue(std::locale::classic());
                vertex >> lat >> comma >> lon;
                ring.emplace_back(lon, lat);
            }
        }
    }
    return blocks;
}

inline bool insideBlock(const MapBlock& block, double lon, double lat) {
    bool inside = false;
    for (const auto& ring : block.rings)
        for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
            const auto [xi, yi] = ring[i];
            const auto [xj, yj] = ring[j];
            if ((yi > lat) != (yj > lat) && lon < (xj - xi) * (lat - yi) / (yj - yi) + xi)
                inside = !inside;
        }
    return inside;
}

// Failures as text, empty when every pixel centre with data is in exactly one block of its
// band's type. `toWgs84` turns a raster position into longitude/latitude. A centre on a cut
// between blocks lies on the edge of two blocks, so points a hundredth of a pixel from the centre
// on either side are checked (band edges keep further away from centres than that).
template <typename Transform>
std::string checkMap(const TestRaster& raster, const std::string& map, const ConversionResult& result,
                     double base, double interval, Transform toWgs84) {
    std::map<std::string, std::string> typeOf;
    for (const TypeEntry& entry : result.types)
        typeOf[entry.elevation] = entry.type;
    std::vector<MapBlock> polygons;
    for (MapBlock& block : readBlocks(map))
        if (block.kind == "[POLYGON]")
            polygons.push_back(std::move(block));
    std::ostringstream failures;
    for (std::size_t y = 0; y < raster.height; ++y)
        for (std::size_t x = 0; x < raster.width; ++x)
            for (const double shift : {0.01, -0.01}) {
                const double value = raster.at(x, y);
                const double px = static_cast<double>(x) + 0.5 + shift,
                             py = static_cast<double>(y) + 0.5 + shift * 1.5;
                auto [lon, lat] =
                    toWgs84(raster.geo[0] + px * raster.geo[1], raster.geo[3] + py * raster.geo[5]);
                std::vector<std::string> types;
                for (const MapBlock& block : polygons)
                    if (insideBlock(block, lon, lat))
                        types.push_back(block.type);
                std::string expected;
                if (!std::isnan(value)) {
                    const auto band = static_cast<long long>(std::floor((value - base) / interval));
                    expected = typeOf[std::to_string(static_cast<long long>(base) +
                                                     band * static_cast<long long>(interval))];
                }
                const bool good =
                    expected.empty() ? types.empty() : types.size() == 1 && types[0] == expected;
                if (!good)
                    failures << "pixel " << x << "," << y << " (" << value << "): in " << types.size()
                             << " polygons, expected type " << (expected.empty() ? "none" : expected) << "\n";
            }
    return failures.str();
}

// Pairs of segments (x1, y1, x2, y2) that cross each other, touching not counted.
inline int properCrossings(const std::vector<std::array<double, 4>>& segments) {
    const auto side = [](const std::array<double, 4>& s, double x, double y) {
        const double value = (s[2] - s[0]) * (y - s[1]) - (s[3] - s[1]) * (x - s[0]);
        return (value > 0) - (value < 0);
    };
    int crossings = 0;
    for (std::size_t i = 0; i < segments.size(); ++i)
        for (std::size_t j = i + 1; j < segments.size(); ++j) {
            const auto &a = segments[i], &b = segments[j];
            crossings += side(a, b[0], b[1]) * side(a, b[2], b[3]) < 0 && side(b, a[0], a[1]) * side(b, a[2], a[3]) < 0;
        }
    return crossings;
}

struct Converted {
    ConversionResult result;
    std::string map;
};

// `inputs` made into `folder`/out.mp at the first detail level, replacing an earlier map.
inline Converted convertToMap(const std::filesystem::path& folder, const std::vector<std::string>& inputs,
                              DemOptions dem = {}, bool contours = false) {
    dem.inputs = inputs;
    ConversionOptions options;
    options.detailLevels = {true, false, false, false};
    options.addContours = contours;
    options.outputPath = (folder / "out.mp").string();
    options.replaceExisting = true;
    orolith::testing::RecordingHost host;
    Converted converted;
    converted.result = convertDem(ConversionMode::Write, options, dem, host);
    converted.map = orolith::testing::readBytes(folder / "out.mp");
    return converted;
}

inline auto identity() {
    return [](double x, double y) { return std::pair<double, double>(x, y); };
}

} // namespace orolith::dem::testing
