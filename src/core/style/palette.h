#pragma once
// The elevation colour table: 26 colours, entry i colouring the bands from i x 100 m, and the
// two whole-table transforms of the Colours menu. Its file is palette_file.h.

#include <array>
#include <cstdint>

namespace orolith {

// Colour values are 0xBBGGRR (red in the low byte), 0 .. 0xFFFFFF.
using Palette = std::array<std::int32_t, 26>;

// Entry i is colour i mod 14 of the program's fixed list (black, navy, green, teal, ...).
Palette defaultPalette();

// Every entry becomes the grey of its components' mean.
void desaturate(Palette& palette);

// Entries 1..25 become darker shades of entry 0: entry j keeps (128 - 3(j - 1)) / 128 of
// each component (rounded down); entry 0 is unchanged.
void shadePaletteFromFirst(Palette& palette);

} // namespace orolith
