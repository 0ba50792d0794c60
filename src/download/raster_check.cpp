#include "download/raster_check.h"

#include "download/tile_source.h"

#include <cpl_error.h>
#include <gdal.h>

#include <cmath>
#include <mutex>
#include <system_error>
#include <vector>

namespace orolith::download {

namespace fs = std::filesystem;

namespace {

void registerDrivers() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

// GDAL's messages go nowhere while a candidate is looked at: a bad file is an expected case.
struct QuietGdal {
    QuietGdal() { CPLPushErrorHandler(CPLQuietErrorHandler); }
    ~QuietGdal() { CPLPopErrorHandler(); }
};

// The raster covers the tile: its corner within a hundredth of a degree of the tile's.
bool coversTile(GDALDatasetH dataset, TileCorner tile) {
    double transform[6] = {};
    if (GDALGetGeoTransform(dataset, transform) != CE_None)
        return false;
    const double west = transform[0];
    const double north = transform[3];
    return std::abs(west - tile.lon) < 0.01 && std::abs(north - (tile.lat + 1)) < 0.01 && transform[1] > 0 &&
           transform[5] < 0;
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
    std::vector<unsigned char> block(static_cast<std::size_t>(blockWidth) * static_cast<std::size_t>(blockHeight) *
                                     static_cast<std::size_t>(cellBytes));
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (GDALReadBlock(band, column, row, block.data()) != CE_None)
                return false;
        }
    }
    return true;
}

std::string checkOpened(const std::string& gdalPath, TileCorner tile) {
    GDALDatasetH dataset = GDALOpen(gdalPath.c_str(), GA_ReadOnly);
    if (!dataset)
        return "not an elevation raster";
    std::string problem;
    if (GDALGetRasterCount(dataset) < 1 || GDALGetRasterXSize(dataset) < 2 || GDALGetRasterYSize(dataset) < 2)
        problem = "a raster without elevations";
    else if (!coversTile(dataset, tile))
        problem = "a raster of another place than tile " + tileName(tile);
    else if (!readsThrough(GDALGetRasterBand(dataset, 1)))
        problem = "a damaged or truncated raster";
    GDALClose(dataset);
    return problem;
}

} // namespace

std::string checkTileRaster(const fs::path& file, const std::string& finalName, TileCorner tile) {
    registerDrivers();
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
    std::string problem = error ? "cannot be checked: " + error.message() : checkOpened(gdalPathOf(named.string()), tile);
    fs::remove_all(folder, error);
    return problem;
}

} // namespace orolith::download
