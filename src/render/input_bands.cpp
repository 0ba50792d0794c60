#include "render/input_bands.h"

#include "dem/dem_raster.h"
#include "render/elevation_model_bands.h"
#include "render/geo_vector_bands.h"

namespace orolith::render {

std::optional<BandSet> readInputBands(const std::vector<std::string>& paths, const BandReadSettings& settings,
                                      Host& host, const BatchReady& batchReady) {
    if (paths.size() == 1 && !dem::isElevationRaster(paths.front()))
        return readGeoVectorBands(paths.front(), settings, host, batchReady);
    dem::DemOptions options;
    options.inputs = paths;
    return readElevationModelBands(options, settings, host, batchReady);
}

} // namespace orolith::render
