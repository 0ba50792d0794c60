#pragma once
// The TYP style text file (draw orders, one two-colour 32 x 32 polygon style and one line
// style per band) and its companion polygon list.

#include "core/conversion/conversion.h"
#include "core/host.h"
#include "core/style/palette.h"
#include "core/style/pattern.h"
#include "core/style/style_options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orolith {

// The family of products a style belongs to, 1..65535. A device applies a style only to
// maps compiled with the same family ID.
inline constexpr int kDefaultFamilyId = 1733;

struct TypJob {
    StyleOptions style;
    TypeList types;
    std::int32_t lowest = 0; // the lowest elevation of the listed input
    Palette palette = defaultPalette();
    std::string companionPath; // <home>/test.tpgn
    std::string toolPath;      // the external TYP tool; started on the TYP file when set
    int familyId = kDefaultFamilyId; // the FID line; a compiled map must use the same family ID
    // The Geo Vector input and the current map: never written over.
    std::vector<std::string> protectedPaths;
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

// The texts of the two files, for callers and tests that want them without writing.
struct TypTexts {
    std::string typ;
    std::string companion;
    bool drawOrderCapped = false;
    bool paletteExhausted = false;
};
TypTexts buildTypTexts(const TypJob& job, const Pattern& pattern, std::int16_t maxDrawOrder);

} // namespace orolith
