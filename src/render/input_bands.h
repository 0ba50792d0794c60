#pragma once
// The bands of an input of either kind, for callers that do not tell them apart.

#include "core/host.h"
#include "render/band_set.h"

#include <optional>
#include <string>
#include <vector>

namespace orolith::render {

// Elevation models (anything GDAL reads as a raster; several make one mosaic) or else one
// Geo Vector file.
std::optional<BandSet> readInputBands(const std::vector<std::string>& paths, const BandReadSettings& settings, Host& host,
                                      const BatchReady& batchReady = {});

} // namespace orolith::render
