#pragma once
// The TYP style text file (draw orders, one two-colour 32 x 32 polygon style and one line
// style per band) and its companion polygon list.

#include "core/conversion/conversion.h"
#include "core/platform/file_format.h"
#include "core/style/band_tint.h"
#include "core/style/palette.h"
#include "core/style/pattern.h"
#include "core/style/style_options.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
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
    TintChoice tint; // the classic table unless a ramp is chosen
    std::filesystem::path companionPath; // <home>/test.tpgn
    std::filesystem::path toolPath;      // the external TYP tool; started on the TYP file when set
    int familyId = kDefaultFamilyId; // the FID line; a compiled map must use the same family ID
    // The Geo Vector input and the current map: never written over.
    std::vector<std::filesystem::path> protectedPaths;
    bool contourLines = false; // styles for the contour line types 0x20, 0x21 and 0x22 too
};

// The texts of the two files.
struct TypTexts {
    std::string typ;
    std::string companion;
    bool drawOrderCapped = false;  // more bands than the draw orders up to the maximum hold
    bool paletteExhausted = false; // bands above the colour table's last entry
    std::optional<double> smallestStep; // with a ramp: CIEDE2000 between neighbouring bands
};

class TypFile : public FileFormat {
public:
    // Writes the companion list, then the TYP file, each completely or not at all, from a
    // job whose pattern has been checked. False (NotWritten) when either would replace a
    // protected path (nothing is written) or the TYP file could not be written. A companion
    // list that could not be written stops nothing: companionError() says why.
    bool write(const TypJob& job, const Pattern& pattern);

    const TypTexts& texts() const { return texts_; }
    const std::string& companionError() const { return companionError_; }

private:
    static TypTexts buildTypTexts(const TypJob& job, const Pattern& pattern, const BandColours& colours);

    TypTexts texts_;
    std::string companionError_;
};

// The six-digit colour text (red first) of one band: `step` 0..3 lightens the colour by
// step/50; components above 250 are capped except at step 0. `oneColour` starts from grey 220.
std::string bandColourText(std::int32_t colour, int step, bool oneColour);

} // namespace orolith
