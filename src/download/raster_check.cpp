#include "download/raster_check.h"

#include "dem/gdal_support.h"
#include "download/tile_source.h"

#include <cmath>
#include <cpl_error.h>
#include <cstdint>
#include <gdal.h>
#include <mutex>
#include <string_view>
#include <system_error>
#include <vector>

namespace orolith::download {

namespace fs = std::filesystem;

namespace {

// GDAL's messages go nowhere while a candidate is looked at: a bad file is an expected case.
struct QuietGdal {
    QuietGdal() {
        dem::setUpGdal();
        CPLPushErrorHandler(CPLQuietErrorHandler);
    }
    ~QuietGdal() { CPLPopErrorHandler(); }
};

// The raster is the tile: a north-up grid of at least 10 × 10 pixels whose edges lie within
// half a pixel of the tile's 1° square (a height file's pixels are centred on the square's
// edges, so it reaches half a pixel past them).
bool isTile(GDALDatasetH dataset, TileCorner tile) {
    double t[6] = {};
    if (GDALGetGeoTransform(dataset, t) != CE_None || !(t[1] > 0) || !(t[5] < 0) || t[2] != 0 || t[4] != 0)
        return false;
    const int width = GDALGetRasterXSize(dataset), height = GDALGetRasterYSize(dataset);
    const double east = t[0] + t[1] * width, south = t[3] + t[5] * height;
    const double halfX = t[1] / 2 + 1e-9, halfY = -t[5] / 2 + 1e-9;
    return width >= 10 && height >= 10 && std::abs(t[0] - tile.lon) <= halfX &&
           std::abs(east - (tile.lon + 1)) <= halfX && std::abs(t[3] - (tile.lat + 1)) <= halfY &&
           std::abs(south - tile.lat) <= halfY;
}

// A compressed height file inflates to exactly one of the two SRTM sizes; it is inflated no
// further than the larger, so a small file that inflates to gigabytes costs no more.
std::string inflatedSizeProblem(const std::string& gdalPath) {
    constexpr std::string_view layer = "/vsigzip/";
    if (gdalPath.rfind(layer, 0) != 0)
        return {};
    constexpr std::uint64_t small = 2u * 1201u * 1201u, large = 2u * 3601u * 3601u;
    const std::uint64_t size = dem::inflatedSizeUpTo(gdalPath.substr(layer.size()), large);
    if (size == small || size == large)
        return {};
    return "a height file of " +
           (size > large ? "more than " + std::to_string(large) : std::to_string(size)) +
           " bytes, not 1201 × 1201 or 3601 × 3601 heights";
}

// Reads band 1 block by block past GDAL's block cache, so that a truncated or damaged body
// shows while no more than one block is held.
bool readsThrough(GDALRasterBandH band) {
    int blockWidth = 0, blockHeight = 0;
    GDALGetBlockSize(band, &blockWidth, &blockHeight);
    const int cellBytes = GDALGetDataTypeSizeBytes(GDALGetRasterDataType(band));
    if (blockWidth <= 0 || blockHeight <= 0 || cellBytes <= 0)
        return false;
    const int columns = (GDALGetRasterBandXSize(band) + blockWidth - 1) / blockWidth;
    const int rows = (GDALGetRasterBandYSize(band) + blockHeight - 1) / blockHeight;
    std::vector<unsigned char> block(static_cast<std::size_t>(blockWidth) *
                                     static_cast<std::size_t>(blockHeight) *
                                     static_cast<std::size_t>(cellBytes));
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (GDALReadBlock(band, column, row, block.data()) != CE_None)
                return false;
        }
    }
    return true;
}

std::string checkOpened(const std::string& gdalPath, TileCorner tile, bool readAll) {
    if (std::string problem = inflatedSizeProblem(gdalPath); !problem.empty())
        return problem;
    GDALDatasetH dataset = GDALOpen(gdalPath.c_str(), GA_ReadOnly);
    if (!dataset)
        return "not an elevation raster";
    std::string problem;
    if (GDALGetRasterCount(dataset) < 1 || GDALGetRasterXSize(dataset) < 2 || GDALGetRasterYSize(dataset) < 2)
        problem = "a raster without elevations";
    else if (!isTile(dataset, tile))
        problem = "a raster of another place or size than tile " + tileName(tile);
    else if (readAll && !readsThrough(GDALGetRasterBand(dataset, 1)))
        problem = "a damaged or truncated raster";
    GDALClose(dataset);
    return problem;
}

} // namespace

std::string checkTileRaster(const fs::path& file, const std::string& finalName, TileCorner tile) {
    QuietGdal quiet;
    const fs::path folder = file.parent_path() / (".check-" + finalName);
    const fs::path named = folder / finalName;
    std::error_code error;
    fs::remove_all(folder, error);
    fs::create_directories(folder, error);
    fs::create_hard_link(file, named, error);
    if (error) { // a file system without links: a copy does as well
        error.clear();
        fs::copy_file(file, named, fs::copy_options::overwrite_existing, error);
    }
    std::string problem =
        error ? "cannot be checked: " + error.message() : checkOpened(gdalPathOf(named.string()), tile, true);
    fs::remove_all(folder, error);
    return problem;
}

std::string checkCachedTile(const fs::path& file, TileCorner tile) {
    QuietGdal quiet;
    return checkOpened(gdalPathOf(file.string()), tile, false);
}

} // namespace orolith::download
