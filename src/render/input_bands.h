#pragma once
// The bands of an input of either kind, for callers that do not tell them apart.

#include "core/host.h"
#include "render/band_set.h"

#include <optional>
#include <string>

namespace orolith::render {

// An elevation model (anything GDAL reads as a raster) or else a Geo Vector file.
std::optional<BandSet> readInputBands(const std::string& path, const BandReadSettings& settings, Host& host,
                                      const BatchReady& batchReady = {});

} // namespace orolith::render
