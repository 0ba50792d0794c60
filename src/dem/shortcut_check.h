#pragma once
// Whether a shortcut across part of a boundary chain keeps the rings as they are arranged: no
// other vertex lies between the shortcut and the part it replaces (or on the shortcut), and no
// segment that stays crosses or overlaps it. Vertices and kept segments sit in a grid of cells
// of about two vertices each, so a check looks only near the shortcut and within the part's
// bounds, however large the tolerance.

#include "core/conversion/band_geometry.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace orolith::dem {

constexpr std::uint32_t kNoChain = std::numeric_limits<std::uint32_t>::max();

// Vertices ids[first..last] of a chain, to be replaced by the segment ids[first]–ids[last].
struct ChainPart {
    std::uint32_t chain = kNoChain;
    const std::vector<std::uint32_t>* ids = nullptr;
    std::size_t first = 0, last = 0;
    double cosLatitude = 1.0; // the chain's scale of longitude to metres
};

class ShortcutCheck {
  public:
    // `points`: every distinct vertex of the area. `chainOf` and `placeOf`: for a vertex inside a
    // chain (not at one of its ends) the chain and its index there; kNoChain for the others.
    ShortcutCheck(const std::vector<GeoPoint>& points, const std::vector<std::uint32_t>& chainOf,
                  const std::vector<std::uint32_t>& placeOf, double toleranceMetres);

    // A segment that stays: an edge between two fixed vertices, or a shortcut taken.
    void addSegment(std::uint32_t a, std::uint32_t b);
    // True when `part` may be replaced by its shortcut. Its vertices lie within the tolerance.
    bool clear(const ChainPart& part);

  private:
    struct Local {
        double x = 0.0, y = 0.0;
    };
    struct Box {
        double west = -1e9, south = -1e9, east = 1e9, north = 1e9;
    };
    // The cells within the margins of the segment a–b, and within `clip`.
    template <typename Visit>
    void forCells(const GeoPoint& a, const GeoPoint& b, double marginLon, double marginLat, const Box& clip,
                  Visit&& visit) const;
    std::size_t cellOf(const GeoPoint& p) const;
    bool verticesClear(const ChainPart& part, double marginLon, double marginLat);
    bool segmentsClear(const ChainPart& part) const;

    const std::vector<GeoPoint>& points_;
    const std::vector<std::uint32_t>& chainOf_;
    const std::vector<std::uint32_t>& placeOf_;
    double tolerance_ = 0.0;
    double touch_ = 0.0; // closer than this counts as touching
    double originLon_ = 0.0, originLat_ = 0.0, cellLon_ = 1.0, cellLat_ = 1.0;
    std::size_t columns_ = 1, rows_ = 1;
    std::vector<std::uint32_t> vertexStart_, vertexItems_; // the vertices of each cell
    std::vector<std::vector<std::uint32_t>> segmentCells_; // the kept segments passing each cell
    std::vector<std::uint32_t> segmentEnds_;               // two vertices per kept segment
    std::vector<Local> region_;                            // scratch: the part being checked
    std::vector<Local> candidates_;                        // scratch: vertices near it
};

} // namespace orolith::dem
