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

struct GeoVectorReadSettings {
    double maxDistance = 45000.0;    // metres
    std::string firstType = "10300"; // hexadecimal: the type of the first band
    double tolerance = 0.0;          // degrees; vertices closer than this are merged
    GeoBox area;                     // rings outside it are left out; empty: keep all
};

// Called from the reading thread every few thousand polygons with everything read so far;
// polygons from `firstNew` on arrived since the last call.
using BatchReady = std::function<void(const BandSet& soFar, std::size_t firstNew)>;

// Reads the band list (a quick pass over the head lines), then the polygons. Failures and
// cancellation go through `host` (cancellation silently); nothing comes back then.
std::optional<BandSet> readGeoVectorBands(const std::string& path, const GeoVectorReadSettings& settings,
                                          Host& host, const BatchReady& batchReady = {});

} // namespace orolith::render
