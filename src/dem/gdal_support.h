#pragma once
// The GDAL calls the elevation reader needs, with GDAL's own messages kept off the terminal
// and turned into the program's wording.

#include "dem/dem_raster.h"

#include <cstdint>
#include <gdal.h>
#include <memory>
#include <ogr_srs_api.h>
#include <string>
#include <vector>

namespace orolith::dem {

struct DatasetCloser {
    void operator()(void* dataset) const {
        if (dataset != nullptr)
            GDALClose(static_cast<GDALDatasetH>(dataset));
    }
};
class GdalDataset {
  public:
    GdalDataset() = default;
    explicit GdalDataset(GDALDatasetH dataset) : dataset_(dataset) {}
    GDALDatasetH get() const { return dataset_.get(); }
    explicit operator bool() const { return dataset_ != nullptr; }

  private:
    std::unique_ptr<void, DatasetCloser> dataset_;
};

// Registers GDAL's drivers once, with its messages kept off the terminal (they reach the user
// through the program's own messages) and every way it has of reaching a network closed.
void setUpGdal();

// The size of a gzip file's content, inflated no further than `limit` + 1 MiB (0 when it
// cannot be read).
std::uint64_t inflatedSizeUpTo(const std::string& gzipPath, std::uint64_t limit);

// Opens a raster: a file GDAL reads, or the first raster inside a .zip archive. On failure
// an empty dataset and `error` says why in the user's terms.
GdalDataset openRaster(const std::string& path, std::string& error);

// A VRT mosaic of `sources` (in memory when `path` is empty) with the sea cells as sources
// of 0 m of their own, so that a mosaic written to a file reads the same when opened again.
GdalDataset buildMosaic(const std::string& path, const std::vector<GDALDatasetH>& sources, double noData,
                        const std::vector<SeaCell>& seaCells, std::string& error);

// An in-memory copy with every void filled by interpolation from its edges.
GdalDataset filledCopy(GDALDatasetH dataset, std::string& error);

// The coordinate system as WKT, empty when the raster has none.
std::string spatialReferenceText(GDALDatasetH dataset);
bool sameSpatialReference(const std::string& a, const std::string& b);

// The transformation to WGS84 longitude/latitude, or null when positions already are WGS84
// degrees (a raster without a coordinate system is taken as such). `geographic` tells whether
// the raster's units are degrees.
OGRCoordinateTransformationH transformToWgs84(GDALDatasetH dataset, bool& geographic, std::string& error);

} // namespace orolith::dem
