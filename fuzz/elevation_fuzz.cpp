// The elevation path: rasters of any small size, georeferencing and heights (NaN, infinities
// and extremes included) read, banded and traced; and the bytes themselves as a file of each
// format the program accepts, opened through GDAL's readers.
//   byte 0: the kind (0: a raster made of the rest; 1..6: .tif, .asc, .vrt, .hgt.gz, .zip, .gz)
//   made raster: width, height, interval, flags (bit 0 fill voids, bit 1 smooth), six doubles
//   of the geotransform, then one 2-byte height per pixel (0x8000: NaN, 0x7FFF: infinity).
#include "dem/dem_bands.h"
#include "fuzz_support.h"

#include <cmath>
#include <cpl_conv.h>
#include <cstring>
#include <gdal.h>
#include <limits>
#include <vector>

using namespace orolith;

namespace {

constexpr const char* kNames[] = {"made.tif",       "input.tif", "input.asc",   "input.vrt",
                                  "N46E007.hgt.gz", "input.zip", "input.tif.gz"};

double doubleAt(const std::uint8_t* data) {
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    return value;
}

// A Float32 GeoTIFF of the heights; false when the bytes are too few for one.
bool makeRaster(const std::uint8_t* data, std::size_t size, const std::filesystem::path& path,
                dem::DemOptions& options) {
    constexpr std::size_t kHead = 4 + 6 * sizeof(double);
    if (size < kHead)
        return false;
    const int width = 1 + data[0] % 24, height = 1 + data[1] % 24;
    options.interval = 1 + data[2] % 200;
    options.fillVoids = (data[3] & 1) != 0;
    options.smooth = (data[3] & 2) != 0 ? 1 : 0;
    double geo[6];
    for (int i = 0; i < 6; ++i)
        geo[i] = doubleAt(data + 4 + i * sizeof(double));
    std::vector<float> heights(static_cast<std::size_t>(width) * height, 0.0f);
    for (std::size_t i = 0; i < heights.size() && kHead + 2 * i + 1 < size; ++i) {
        const auto raw = static_cast<std::int16_t>(data[kHead + 2 * i] | data[kHead + 2 * i + 1] << 8);
        heights[i] = raw == std::numeric_limits<std::int16_t>::min()   ? NAN
                     : raw == std::numeric_limits<std::int16_t>::max() ? INFINITY
                                                                       : static_cast<float>(raw);
    }
    GDALDatasetH file = GDALCreate(GDALGetDriverByName("GTiff"), path.string().c_str(), width, height, 1,
                                   GDT_Float32, nullptr);
    if (file == nullptr)
        return false;
    GDALSetGeoTransform(file, geo);
    const CPLErr written = GDALRasterIO(GDALGetRasterBand(file, 1), GF_Write, 0, 0, width, height,
                                        heights.data(), width, height, GDT_Float32, 0, 0);
    GDALClose(file);
    return written == CE_None;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 65536)
        return 0;
    static const bool registered = [] {
        GDALAllRegister();
        CPLSetErrorHandler(CPLQuietErrorHandler);
        return true;
    }();
    (void)registered;
    const std::size_t kind = data[0] % std::size(kNames);
    dem::DemOptions options;
    std::filesystem::path path;
    if (kind == 0) {
        path = fuzz::scratchFile("", kNames[0]);
        if (!makeRaster(data + 1, size - 1, path, options))
            return 0;
    } else {
        path = fuzz::scratchFile(fuzz::textOf(data + 1, size - 1), kNames[kind]);
    }
    options.inputs = {path.string()};
    fuzz::QuietHost host;
    dem::DemBands bands;
    if (!bands.open(options, host))
        return 0;
    if (bands.labels().empty() || bands.labels().size() > dem::kMaxBands)
        fuzz::broken("an opened raster without bands, or with more than the limit");
    bands.trace(host, [](BandPolygon&& polygon) {
        for (const auto& ring : polygon.rings)
            for (const GeoPoint& point : ring)
                if (!std::isfinite(point.lon) || !std::isfinite(point.lat) || std::abs(point.lat) > 90.5 ||
                    std::abs(point.lon) > 540.5)
                    fuzz::broken("a vertex off the globe");
    });
    return 0;
}
