#include "render/elevation_model_bands.h"

#include "core/conversion/elevation_types.h"
#include "dem/dem_conversion.h"

namespace orolith::render {

std::optional<BandSet> readElevationModelBands(const dem::DemOptions& options, const BandReadSettings& settings,
                                               Host& host, const BatchReady& batchReady) {
    dem::DemBands models;
    if (!models.open(options, host)) {
        if (!host.cancelled())
            host.message(MessageKind::Failure, models.error());
        return std::nullopt;
    }
    BandSet bands;
    bands.tolerance = settings.tolerance;
    bands.simplified = models.simplifyTolerance();
    const ElevationTypes table = dem::numberedBands(models.labels(), settings.firstType);
    bands.lowest = models.labels().empty() ? 0 : table.lowest();
    for (std::size_t i = 0; i < table.size(); ++i)
        bands.types.push_back({table.elevation(i), table.type(i)});
    const bool traced = models.trace(host, [&](BandPolygon&& polygon) {
        bands.take(std::move(polygon), settings, batchReady);
    });
    if (!traced) {
        if (!host.cancelled())
            host.message(MessageKind::Failure, models.error());
        return std::nullopt;
    }
    bands.finish(settings, batchReady);
    return bands;
}

} // namespace orolith::render
