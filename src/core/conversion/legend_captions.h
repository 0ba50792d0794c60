#pragma once
// The captions of the elevation legend's 26 swatches. Each swatch shows one entry of the
// colour table, and its caption names the first band the TYP file paints in that colour.

#include "core/conversion/conversion.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orolith {

inline constexpr std::size_t kLegendSwatches = 26;

// One caption per table entry: the elevation of the first of `types` painted in that entry's
// colour (`lowest` is their lowest elevation) followed by "m", or empty when none is.
std::vector<std::string> legendCaptions(const TypeList& types, std::int32_t lowest);

} // namespace orolith
