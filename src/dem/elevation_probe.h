#pragma once
// One elevation raster (or mosaic file) asked about single places: its size, its pixel size
// and the elevation under a WGS84 position, as the window's pointer needs them.

#include "core/conversion/band_geometry.h"
#include "dem/gdal_support.h"

#include <optional>
#include <string>

namespace orolith::dem {

class ElevationProbe {
  public:
    ElevationProbe() = default;
    ~ElevationProbe();
    ElevationProbe(const ElevationProbe&) = delete;
    ElevationProbe& operator=(const ElevationProbe&) = delete;

    // False with `error` when GDAL cannot read the file as a raster.
    bool open(const std::string& path, std::string& error);

    std::size_t width() const { return width_; }
    std::size_t height() const { return height_; }
    // The width of a pixel: in arc-seconds when the raster's units are degrees, else in its
    // own units (metres, as a rule).
    double pixelSize() const { return pixelSize_; }
    bool inDegrees() const { return geographic_; }

    // The elevation of the pixel under `point`; nothing outside the raster or on a void.
    std::optional<double> at(const GeoPoint& point) const;

  private:
    GdalDataset dataset_;
    OGRCoordinateTransformationH fromWgs84_ = nullptr; // null: the raster is in WGS84 degrees
    double geo_[6] = {0, 1, 0, 0, 0, 1};
    std::size_t width_ = 0, height_ = 0;
    double pixelSize_ = 0.0;
    bool geographic_ = true;
};

// "1201 × 1201, 3″" or "500 × 400, 30 m": the raster's size and pixel size for people.
std::string rasterSizeText(const ElevationProbe& probe);

} // namespace orolith::dem
