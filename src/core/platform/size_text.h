#pragma once
// Sizes and durations as the programs' messages write them, the same in every front end and
// independent of the locale: "820 bytes", "27 KiB", "14.8 MiB", "1.2 GiB"; "45 s",
// "3 min 05 s", "2 h 07 min".

#include <cstdint>
#include <string>

namespace orolith {

// Bytes in binary units: whole KiB and up to 10 of a unit with one decimal below it.
std::string sizeText(std::uint64_t bytes);

// Whole seconds, rounded.
std::string durationText(double seconds);

} // namespace orolith
