#pragma once
// Two strips of a raster traced side by side leave chains open along the row they share;
// joined there, they close into rings.

#include "dem/band_tracer.h"

#include <utility>
#include <vector>

namespace orolith::dem {

struct SeamRing {
    std::int32_t band = 0;
    PixelRing points;
};

// `above`: the chains the upper strip left open on its last row; `below`: those the lower
// strip left open on the same row, its first.
std::vector<SeamRing> joinAtSeam(std::vector<BandTracer::OpenChain>&& above,
                                 std::vector<BandTracer::OpenChain>&& below);

} // namespace orolith::dem
