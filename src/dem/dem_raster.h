#pragma once
// One or more elevation rasters read through GDAL as a single raster: tiles given together
// form a mosaic, missing sea cells read as 0 m, and voids can be filled first. Rows come
// out as doubles with NaN where there is no data; positions go out as WGS84 degrees.

#include "core/conversion/band_geometry.h"
#include "core/tiles/srtm_tile.h"
#include "dem/band_tracer.h"

#include <memory>
#include <string>
#include <vector>

namespace orolith::dem {

// A 1° cell of sea by its south-west corner, e.g. {50, -4} for N50W004: a tile no source has.
using SeaCell = TileCorner;

struct RasterInputs {
    std::vector<std::string> paths;
    std::vector<SeaCell> seaCells; // read as 0 m where no tile covers them
    bool fillVoids = false;
};

// True when GDAL opens the file as a raster (a text file in another format never is).
bool isElevationRaster(const std::string& path);

// Writes a mosaic of `paths` and the sea cells (0 m) as a VRT file that holds both, so that
// it reads the same when opened again, and keeps the attribution the tiles' sources ask for
// (see DemRaster::attribution). False with `error` on failure.
bool writeMosaic(const std::vector<std::string>& paths, const std::vector<SeaCell>& seaCells,
                 const std::string& attribution, const std::string& vrtPath, std::string& error);

class DemRaster {
  public:
    DemRaster();
    ~DemRaster();
    DemRaster(const DemRaster&) = delete;
    DemRaster& operator=(const DemRaster&) = delete;

    // False with error(); notes() holds remarks for the user either way.
    bool open(const RasterInputs& inputs);
    const std::string& error() const { return error_; }
    const std::vector<std::string>& notes() const { return notes_; }
    // The attribution a mosaic file keeps for the map's Copyright line; empty for others.
    const std::string& attribution() const { return attribution_; }

    std::size_t width() const { return width_; }
    std::size_t height() const { return height_; }
    // Reads `count` rows from `first` on into `out` (count × width values); safe from several
    // threads at once.
    bool readRows(std::size_t first, std::size_t count, double* out);

    // A pixel/line position in WGS84 degrees; safe from several threads at once.
    GeoPoint toGeo(PixelPoint point) const;
    // Decimal places that keep a tenth of a pixel apart.
    int decimals() const { return decimals_; }

  private:
    struct Impl;
    bool openSources(const RasterInputs& inputs);
    bool checkMosaic();
    bool prepare(const RasterInputs& inputs);

    std::unique_ptr<Impl> impl_;
    std::string error_;
    std::vector<std::string> notes_;
    std::string attribution_;
    std::size_t width_ = 0;
    std::size_t height_ = 0;
    int decimals_ = 6;
};

} // namespace orolith::dem
