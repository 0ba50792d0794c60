#pragma once
// Where a band polygon's outline is a band edge. A polygon traced in blocks is closed along the
// block's outline: along a cut between blocks, where the band goes on in the next block, or
// along the raster's edge, where the data ends. Neither is where the band ends, so outlines
// drawn or written as lines leave those stretches out.

#include "core/conversion/band_geometry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orolith {

// The sides of the traced area's outline a vertex lies on, one bit each.
enum OutlineSide : std::uint8_t { kLeftSide = 1, kTopSide = 2, kRightSide = 4, kBottomSide = 8 };

// True when the segment from vertex `i` to vertex `i + 1` of ring `ring` is a band edge: it does
// not run along one side of the outline the polygon was closed on.
bool isBandEdge(const BandPolygon& polygon, std::size_t ring, std::size_t i);

// The outline as lines: a ring that is band edge all round stays whole (closed); of the others,
// each run of band edges becomes an open line. Rings without a band edge give nothing.
std::vector<Ring> outlineLines(const BandPolygon& polygon);

} // namespace orolith
