#pragma once
// Which entry of the 26-colour elevation table paints which band. Four consecutive bands
// share one entry; the first group takes the entry of the lowest elevation's hundreds, and
// each following group the next entry, wrapping around the table. The legend's captions
// follow the same rule, so a swatch always names a band its colour paints.

#include "core/conversion/conversion.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orolith {

inline constexpr std::size_t kColourEntries = 26;
inline constexpr std::size_t kBandsPerColour = 4;

// The table entry of band group `group` (bands 4 group .. 4 group + 3): the lowest elevation
// divided by 100 (truncated toward zero) plus `group`, wrapped into 0..25, so negative
// counts (a lowest elevation of -100 m and below) wrap to the end of the table.
std::size_t colourEntryOfGroup(std::int32_t lowest, std::size_t group);

// One caption per table entry: the elevation of the first band that entry paints followed
// by "m", or empty when it paints none of `types`.
std::vector<std::string> legendCaptions(const TypeList& types, std::int32_t lowest);

} // namespace orolith
