#pragma once
// The colour each elevation band is drawn in: the TYP file writes it as the band's "1" pixel
// colour and the preview paints with it, so both come from here.

#include "core/colour/colour_value.h"
#include "core/style/palette.h"

#include <cstddef>
#include <cstdint>

namespace orolith {

// The palette counter of a band: the hundreds of the lowest elevation (truncated toward
// zero), plus one for every four bands. Four bands in a row share one palette entry.
std::int64_t paletteCounter(std::int32_t lowest, std::size_t band);

// The table index of `counter`, wrapping both ways (negative counters count from the end).
std::size_t paletteIndex(std::int64_t counter);

// Entry `counter` of the table, wrapping both ways.
std::int32_t paletteEntry(const Palette& palette, std::int64_t counter);

// `colour` lightened by step/50 (step 0..3), components above 250 capped except at step 0;
// `oneColour` starts from grey 220 instead.
Rgb shadeOf(std::int32_t colour, int step, bool oneColour);

// The colour of band `band` (0-based, in the order of the type list).
Rgb bandColour(const Palette& palette, std::int32_t lowest, std::size_t band, bool oneColour);

} // namespace orolith
