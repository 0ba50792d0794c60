#pragma once
// Elevation bands as geometry: what the elevation model tracer produces, the map writer writes
// as polygons with holes, and the preview draws. Coordinates are WGS84 degrees.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orolith {

struct GeoPoint {
    double lon = 0.0;
    double lat = 0.0;
    friend bool operator==(const GeoPoint&, const GeoPoint&) = default;
};

// A closed ring: the last point repeats the first.
using Ring = std::vector<GeoPoint>;

// One polygon of a band: rings[0] is the outer ring, every further ring a hole in it.
struct BandPolygon {
    std::size_t band = 0; // index into the run's band list (ascending elevation)
    std::vector<Ring> rings;
    // For a polygon closed along the outline of the area it was traced in (a block's cuts, the
    // raster's edge): per ring, per vertex, the sides of that outline the vertex lies on (bits,
    // see band_outline.h). Empty when every edge of the rings is a band edge.
    std::vector<std::vector<std::uint8_t>> outlineSides = {};
};

} // namespace orolith
