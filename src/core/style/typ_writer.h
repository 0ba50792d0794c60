#pragma once
// The TYP style text file (draw orders, one two-colour 32 x 32 polygon style and one line
// style per band) and its companion polygon list.

#include "core/conversion/conversion.h"
#include "core/host.h"
#include "core/style/palette.h"
#include "core/style/pattern.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orolith {

// The family of products a style belongs to, 1..65535. A device applies a style only to
// maps compiled with the same family ID.
inline constexpr int kDefaultFamilyId = 1733;

// What the TYP writer reads from the window's controls.
struct StyleOptions {
    std::string patternText;         // the pattern editor's text
    std::string maxDrawOrder = "14"; // read leniently as a decimal, rounded half to even
    std::string firstType = "10300"; // hexadecimal digits
    std::filesystem::path typPath;   // the TYP text file to write
    bool oneColour = false;          // light grey shades instead of palette colours
    bool rowPerBand = false;         // each band repeats one pattern row
};

struct TypJob {
    StyleOptions style;
    TypeList types;
    std::int32_t lowest = 0; // the lowest elevation of the listed input
    Palette palette = defaultPalette();
    std::filesystem::path companionPath; // <home>/test.tpgn
    std::filesystem::path toolPath;      // the external TYP tool; started on the TYP file when set
    int familyId = kDefaultFamilyId; // the FID line; a compiled map must use the same family ID
    // The Geo Vector input and the current map: never written over.
    std::vector<std::filesystem::path> protectedPaths;
};

struct TypResult {
    bool written = false;           // the TYP file was written completely
    std::optional<Pattern> pattern; // the checked pattern, when it passed
};

// Checks the options and the pattern, then writes the companion list and the TYP file, each
// completely or not at all, telling the host every notice; "created:" and the launch of the
// TYP tool follow only when the TYP file was written.
TypResult writeTypFile(const TypJob& job, Host& host);

// The six-digit colour text (red first) of one band: `step` 0..3 lightens the colour by
// step/50; components above 250 are capped except at step 0. `oneColour` starts from grey 220.
std::string bandColourText(std::int32_t colour, int step, bool oneColour);

// The draw-order box: a lenient decimal, rounded half to even, kept within 16 bits.
std::int16_t readMaxDrawOrder(std::string_view text);

// The texts of the two files, for callers and tests that want them without writing.
struct TypTexts {
    std::string typ;
    std::string companion;
    bool drawOrderCapped = false;
    bool paletteExhausted = false;
};
TypTexts buildTypTexts(const TypJob& job, const Pattern& pattern, std::int16_t maxDrawOrder);

} // namespace orolith
