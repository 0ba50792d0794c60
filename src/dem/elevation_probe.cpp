#include "dem/elevation_probe.h"

#include <cmath>
#include <sstream>

namespace orolith::dem {

ElevationProbe::~ElevationProbe() {
    if (fromWgs84_ != nullptr)
        OCTDestroyCoordinateTransformation(fromWgs84_);
}

bool ElevationProbe::open(const std::string& path, std::string& error) {
    dataset_ = openRaster(path, error);
    if (!dataset_)
        return false;
    GDALDatasetH dataset = dataset_.get();
    width_ = static_cast<std::size_t>(GDALGetRasterXSize(dataset));
    height_ = static_cast<std::size_t>(GDALGetRasterYSize(dataset));
    if (GDALGetGeoTransform(dataset, geo_) != CE_None) {
        error = "The raster has no position on the earth.";
        return false;
    }
    OGRCoordinateTransformationH toWgs84 = transformToWgs84(dataset, geographic_, error);
    if (toWgs84 != nullptr) {
        fromWgs84_ = OCTGetInverse(toWgs84);
        OCTDestroyCoordinateTransformation(toWgs84);
    } else if (!error.empty()) {
        return false;
    }
    pixelSize_ = std::abs(geo_[1]) * (geographic_ ? 3600.0 : 1.0);
    return true;
}

std::optional<double> ElevationProbe::at(const GeoPoint& point) const {
    if (!dataset_)
        return std::nullopt;
    double x = point.lon, y = point.lat;
    if (fromWgs84_ != nullptr && !OCTTransform(fromWgs84_, 1, &x, &y, nullptr))
        return std::nullopt;
    // The inverse of the north-up (or rotated) geotransform.
    const double det = geo_[1] * geo_[5] - geo_[2] * geo_[4];
    if (det == 0.0)
        return std::nullopt;
    const double dx = x - geo_[0], dy = y - geo_[3];
    const double column = std::floor((geo_[5] * dx - geo_[2] * dy) / det);
    const double row = std::floor((geo_[1] * dy - geo_[4] * dx) / det);
    if (!(column >= 0 && row >= 0 && column < static_cast<double>(width_) &&
          row < static_cast<double>(height_)))
        return std::nullopt;
    GDALRasterBandH band = GDALGetRasterBand(dataset_.get(), 1);
    double value = 0.0;
    if (GDALRasterIO(band, GF_Read, static_cast<int>(column), static_cast<int>(row), 1, 1, &value, 1, 1,
                     GDT_Float64, 0, 0) != CE_None)
        return std::nullopt;
    int hasNoData = 0;
    const double noData = GDALGetRasterNoDataValue(band, &hasNoData);
    if (std::isnan(value) || (hasNoData != 0 && value == noData))
        return std::nullopt;
    return value;
}

std::string rasterSizeText(const ElevationProbe& probe) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    // Two decimals at most, none when whole: 3″, 1″, 0.5″, 30 m, 12.5 m.
    const double size = std::round(probe.pixelSize() * 100.0) / 100.0;
    text << probe.width() << " × " << probe.height() << ", " << size << (probe.inDegrees() ? "″" : " m");
    return text.str();
}

} // namespace orolith::dem
