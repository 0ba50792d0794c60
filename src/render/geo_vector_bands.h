#pragma once
// The elevation bands of a Geo Vector file as polygons: every record whose outline the map
// writer would write (its first and last vertex no further apart than the maximum distance)
// becomes one closed ring of its elevation's band.

#include "core/host.h"
#include "render/band_set.h"

#include <functional>
#include <optional>
#include <string>

namespace orolith::render {

// Reads the band list (a quick pass over the head lines), then the polygons. Failures and
// cancellation go through `host` (cancellation silently); nothing comes back then.
std::optional<BandSet> readGeoVectorBands(const std::string& path, const BandReadSettings& settings,
                                          Host& host, const BatchReady& batchReady = {});

} // namespace orolith::render
