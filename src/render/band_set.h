#pragma once
// The elevation bands of one input, ready to draw: the band list in the order the TYP file
// numbers them, the lowest elevation (which picks the first palette entry), and the polygons.

#include "core/conversion/band_geometry.h"
#include "core/conversion/conversion.h"
#include "render/geo_box.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orolith::render {

// How the bands of an input are read for drawing.
struct BandReadSettings {
    double maxDistance = 45000.0;    // metres; Geo Vector outlines open by more are left out
    std::uint32_t firstType = 0x10300; // the type of the first band
    double tolerance = 0.0;          // degrees; vertices closer than this are merged
    // Both above 0: the tolerance follows the extent read so far instead, one pixel of that
    // extent fitted into a picture of this size, so the geometry kept stays about as detailed
    // as such a picture can show however big the input is.
    int fitWidth = 0;
    int fitHeight = 0;
    GeoBox area;                     // polygons outside it are left out; empty: keep all
};

class BandSet;
// Called from the reading thread every few thousand polygons with everything read so far;
// polygons from `firstNew` on arrived since the last call.
using BatchReady = std::function<void(const BandSet& soFar, std::size_t firstNew)>;

class BandSet {
  public:
    TypeList types;          // band i: its elevation label and polygon type
    std::int32_t lowest = 0; // the lowest elevation of the input
    std::vector<BandPolygon> polygons; // in the order the map holds them
    std::vector<GeoBox> bounds;        // the outer ring's box of each polygon
    GeoBox extent;                     // of every polygon
    double tolerance = 0.0;            // degrees: vertices closer than this were merged
    double simplified = 0.0;           // metres: an elevation model's bands were simplified within this

    std::size_t vertexCount() const;
    // Adds a polygon, keeping its box and the extent.
    void add(BandPolygon polygon);
    // Adds it simplified, unless it lies outside the area; then calls `batchReady` when
    // enough polygons arrived since the last call.
    void take(BandPolygon polygon, const BandReadSettings& settings, const BatchReady& batchReady);
    // Hands the polygons not yet handed on to `batchReady`.
    void flush(const BatchReady& batchReady);
    // Ends a reading: the tolerance settles on the final extent, then the rest is handed on.
    void finish(const BandReadSettings& settings, const BatchReady& batchReady);

  private:
    // A tolerance following the extent grows with it; past `slack` times the current one,
    // every polygon kept so far is merged again at the new one.
    void followExtent(const GeoBox& box, const BandReadSettings& settings, double slack);

    std::size_t reported_ = 0;
};

// The ring with every vertex closer than `tolerance` (degrees, along either axis) to the last
// kept one merged into it. The first and last vertex are kept. A ring that would shrink below
// four points (it fits inside a pixel, or nearly) becomes its box, at least `tolerance` wide
// and high, so that it still covers a pixel of its own band. Tolerance 0 keeps the ring as it is.
// `sides`, the outline's sides of the ring's vertices (see BandPolygon), follows the vertices kept.
Ring simplifiedRing(const Ring& ring, double tolerance, std::vector<std::uint8_t>* sides = nullptr);

// The polygon with every ring simplified, its outline's sides kept with their vertices.
BandPolygon simplifiedPolygon(const BandPolygon& polygon, double tolerance);

} // namespace orolith::render
