#pragma once
// The elevation bands of one or more elevation models (a mosaic) as polygons with holes.

#include "core/host.h"
#include "dem/dem_bands.h"
#include "render/band_set.h"

#include <optional>

namespace orolith::render {

// Opens the models, numbers their bands as the map does, and traces the polygons. Failures
// go through `host`; cancellation silently. Nothing comes back then.
std::optional<BandSet> readElevationModelBands(const dem::DemOptions& options, const BandReadSettings& settings,
                                               Host& host, const BatchReady& batchReady = {});

} // namespace orolith::render
