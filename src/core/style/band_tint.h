#pragma once
// The one rule that gives every band its colours, for the TYP file, the preview, `orolith
// render` and the legend alike: the colour table with its four shades (the classic look), or a
// colour ramp at each band's middle elevation with a night colour beside it.

#include "core/colour/colour_value.h"
#include "core/conversion/conversion.h"
#include "core/style/colour_ramp.h"
#include "core/style/palette.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orolith {

// How the bands are tinted besides the colour table and "One Color".
struct TintChoice {
    ColourRamp ramp = *builtInRamp("classic");
    bool seaAtZero = false;            // the band from 0 m is sea (tiles no source has read as 0 m)
    std::map<std::string, Rgb> edited; // by band label: a colour the user picked instead of the ramp's
};

// The water colour a sea band takes.
inline constexpr Rgb kWaterColour{164, 203, 234};

// The ramp for an input: the chosen one; else the atlas ramp for an elevation model whose
// colours no palette file gives; else the classic table.
ColourRamp rampFor(const std::optional<ColourRamp>& chosen, bool elevationModel, bool paletteChosen);

struct BandColours {
    std::vector<Rgb> day;
    std::vector<Rgb> night;        // empty with the classic table: its TYP has day colours only
    double smallestStep = 0.0;     // CIEDE2000 between bands next in elevation; 0 for fewer than two
    bool paletteExhausted = false; // classic: bands above the colour table's last entry
    std::string error;             // why there are no colours (a ramp of shares and no elevations)
};

// The colours of the listed bands. With a ramp no two bands share a day colour: a band whose
// colour is taken already gets the nearest free one.
BandColours colourBands(const Palette& palette, bool oneColour, const TintChoice& tint, const TypeList& types,
                        std::int32_t lowest);

// The elevation range the bands cover: the lowest band's lower limit to the top of the highest,
// each band reaching up to the next one (the highest as far as the step below it).
std::optional<ElevationRange> bandRange(const TypeList& types);

// Each band's elevations for a legend, in list order: "225–250 m" (up to the next band above,
// the highest as far as the step below it).
std::vector<std::string> bandCaptions(const TypeList& types);

// The message that gives the smallest step between neighbouring bands, suggesting a larger
// interval below 1.
std::string stepMessage(double smallestStep);
// True for a text stepMessage gave.
bool isStepMessage(std::string_view text);

} // namespace orolith
