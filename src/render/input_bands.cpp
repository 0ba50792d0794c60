#include "render/input_bands.h"

#include "dem/dem_bands.h"
#include "dem/dem_raster.h"
#include "render/elevation_model_bands.h"
#include "render/geo_vector_bands.h"

namespace orolith::render {

std::optional<BandSet> readInputBands(const dem::DemOptions& elevation, const BandReadSettings& settings,
                                      Host& host, const BatchReady& batchReady) {
    const std::vector<std::string>& paths = elevation.inputs;
    if (paths.size() == 1 && !dem::isElevationRaster(paths.front()))
        return readGeoVectorBands(paths.front(), settings, host, batchReady);
    return readElevationModelBands(elevation, settings, host, batchReady);
}

std::optional<BandSet> readInputBands(const std::vector<std::string>& paths, const BandReadSettings& settings,
                                      Host& host, const BatchReady& batchReady) {
    dem::DemOptions options;
    options.inputs = paths;
    return readInputBands(options, settings, host, batchReady);
}

} // namespace orolith::render
