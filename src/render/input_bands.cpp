#include "render/input_bands.h"

#include "dem/dem_raster.h"
#include "render/elevation_model_bands.h"
#include "render/geo_vector_bands.h"

namespace orolith::render {

std::optional<BandSet> readInputBands(const std::string& path, const BandReadSettings& settings, Host& host,
                                      const BatchReady& batchReady) {
    if (!dem::isElevationRaster(path))
        return readGeoVectorBands(path, settings, host, batchReady);
    dem::DemOptions options;
    options.inputs = {path};
    return readElevationModelBands(options, settings, host, batchReady);
}

} // namespace orolith::render
