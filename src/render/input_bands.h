#pragma once
// The bands of an input of either kind, for callers that do not tell them apart.

#include "core/host.h"
#include "render/band_set.h"

#include <optional>
#include <string>
#include <vector>

namespace orolith::dem {
struct DemOptions;
}

namespace orolith::render {

// Elevation models (anything GDAL reads as a raster; several make one mosaic), banded as
// `elevation` says, or else the one Geo Vector file of `elevation.inputs`.
std::optional<BandSet> readInputBands(const dem::DemOptions& elevation, const BandReadSettings& settings,
                                      Host& host, const BatchReady& batchReady = {});

// The same with the elevation models banded by the default options.
std::optional<BandSet> readInputBands(const std::vector<std::string>& paths, const BandReadSettings& settings, Host& host,
                                      const BatchReady& batchReady = {});

} // namespace orolith::render
