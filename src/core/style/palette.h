#pragma once
// The elevation colour table: 26 colours, entry i colouring the bands from i x 100 m, its
// palette file (.col) and the two whole-table transforms of the Colours menu.

#include "core/host.h"
#include "core/platform/small_file.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace orolith {

// Colour values are 0xBBGGRR (red in the low byte), 0 .. 0xFFFFFF.
using Palette = std::array<std::int32_t, 26>;

// Entry i is colour i mod 14 of the program's fixed list (black, navy, green, teal, ...).
Palette defaultPalette();

// The palette file's content: 26 lines of upper-case hexadecimal digits without leading
// zeros, then one empty line. Every line ends with CR LF.
std::string paletteFileText(const Palette& palette);

// Replaces `path` by a complete new palette file. A failure leaves the old file and is
// reported to the host as the path, a blank and the system's description; returns false.
bool writePalette(const std::filesystem::path& path, const Palette& palette, Host& host);

// The largest palette file read; its 26 lines need a few hundred bytes.
inline constexpr std::size_t kPaletteFileLimit = 64 * 1024;

// Reads a palette file into `palette`. Line i (0..25) sets entry i only when it is 1 to 8
// hexadecimal digits (either case) with a value up to FFFFFF; any other line, and every
// line a short or missing file does not have, keeps its entry. Reports nothing itself;
// NotValid (palette unchanged) means the path names something other than a regular file
// or a file larger than kPaletteFileLimit, for the caller to say "Not a valid palette file.".
FileRead readPalette(const std::filesystem::path& path, Palette& palette);

// Every entry becomes the grey of its components' mean.
void desaturate(Palette& palette);

// Entries 1..25 become darker shades of entry 0: entry j keeps (128 - 3(j - 1)) / 128 of
// each component (rounded down); entry 0 is unchanged.
void shadePaletteFromFirst(Palette& palette);

} // namespace orolith
