#pragma once
// A polygon with holes as one ring without holes, for map compilers that would otherwise cut
// the holes out themselves (slowly, and into many pieces).
//
// Each hole is joined to the ring just north of it by a cut of zero width: from the hole's
// northernmost vertex straight north to the first edge or vertex of the outer ring or of
// another hole. The single ring runs along the outer ring, down each cut, once around the
// hole (and the holes joined to it), and back up the same cut. The area is unchanged: every
// point that was inside the polygon still is, every point in a hole still is not, and the
// cuts cover no area. Only a point where a cut meets an edge is new (two vertices per hole).
//
// Rings are closed (the last point repeats the first); the outer ring and the holes turn in
// opposite directions, as the tracer makes them, and neither cross nor touch one another.

#include "core/conversion/band_geometry.h"

#include <vector>

namespace orolith::dem {

// `rings[0]` is the outer ring, every further ring a hole in it. The result is closed; with
// no holes it is the outer ring itself. Empty when `rings` is. With `added`, it says which
// points of the result are new (where a cut meets an edge between its ends): written with a
// few more decimals, they stay on the edge their neighbouring band keeps.
Ring cutHoles(const std::vector<Ring>& rings, std::vector<bool>* added = nullptr);

} // namespace orolith::dem
