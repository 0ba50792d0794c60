#include "core/style/band_tint.h"

#include "core/colour/perceptual.h"
#include "core/platform/text_number.h"
#include "core/style/band_colour.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_set>

namespace orolith {

namespace {

// Band indexes by rising elevation, and each band's lower limit.
struct Ordered {
    std::vector<std::size_t> order;
    std::vector<double> lower;
};

Ordered ordered(const TypeList& types) {
    Ordered bands;
    for (const TypeEntry& entry : types)
        bands.lower.push_back(leadingDecimal(entry.elevation));
    bands.order.resize(types.size());
    std::iota(bands.order.begin(), bands.order.end(), std::size_t{0});
    std::stable_sort(bands.order.begin(), bands.order.end(),
                     [&bands](std::size_t a, std::size_t b) { return bands.lower[a] < bands.lower[b]; });
    return bands;
}

// The step above the highest band: the one below it, else 1 m.
double topStep(const Ordered& bands) {
    const std::size_t n = bands.order.size();
    return n > 1 ? bands.lower[bands.order[n - 1]] - bands.lower[bands.order[n - 2]] : 1.0;
}

std::int32_t packed(const Rgb& c) {
    return packColour(c.red, c.green, c.blue);
}

// `colour`, or the nearest colour not yet used: one channel moved by 1, 2, … either way.
Rgb freeColour(Rgb colour, std::unordered_set<std::int32_t>& used) {
    for (int distance = 0; distance < 256; ++distance)
        for (int channel = 0; channel < 3; ++channel)
            for (const int sign : {1, -1}) {
                Rgb candidate = colour;
                int& value = channel == 0 ? candidate.blue : channel == 1 ? candidate.green : candidate.red;
                value += sign * distance;
                if (value < 0 || value > 255)
                    continue;
                if (used.insert(packed(candidate)).second)
                    return candidate;
            }
    return colour;
}

BandColours classicColours(const Palette& palette, bool oneColour, const TypeList& types,
                           std::int32_t lowest) {
    BandColours colours;
    for (std::size_t i = 0; i < types.size(); ++i) {
        colours.day.push_back(bandColour(palette, lowest, i, oneColour));
        if (paletteCounter(lowest, i) + 1 > 25)
            colours.paletteExhausted = true;
    }
    return colours;
}

double smallestStep(const std::vector<Rgb>& day, const Ordered& bands) {
    double smallest = 0.0;
    for (std::size_t k = 1; k < bands.order.size(); ++k) {
        const double step = ciede2000(day[bands.order[k - 1]], day[bands.order[k]]);
        smallest = k == 1 ? step : std::min(smallest, step);
    }
    return smallest;
}

} // namespace

ColourRamp rampFor(const std::optional<ColourRamp>& chosen, bool elevationModel, bool paletteChosen) {
    if (chosen)
        return *chosen;
    return *builtInRamp(elevationModel && !paletteChosen ? "atlas" : "classic");
}

std::optional<ElevationRange> bandRange(const TypeList& types) {
    if (types.empty())
        return std::nullopt;
    const Ordered bands = ordered(types);
    return ElevationRange{bands.lower[bands.order.front()], bands.lower[bands.order.back()] + topStep(bands)};
}

BandColours colourBands(const Palette& palette, bool oneColour, const TintChoice& tint, const TypeList& types,
                        std::int32_t lowest) {
    if (tint.ramp.classic || oneColour)
        return classicColours(palette, oneColour, types, lowest);
    BandColours colours;
    const Ordered bands = ordered(types);
    const auto range = bandRange(types);
    auto day = placeStops(tint.ramp.day, range, colours.error);
    auto night = placeStops(tint.ramp.night, range, colours.error);
    if (!day || !night)
        return colours;
    colours.day.resize(types.size());
    colours.night.resize(types.size());
    std::unordered_set<std::int32_t> used;
    for (std::size_t k = 0; k < bands.order.size(); ++k) {
        const std::size_t i = bands.order[k];
        const double top =
            k + 1 < bands.order.size() ? bands.lower[bands.order[k + 1]] : bands.lower[i] + topStep(bands);
        const double middle = (bands.lower[i] + top) / 2;
        const bool sea = tint.seaAtZero && bands.lower[i] == 0.0;
        const auto edited = tint.edited.find(types[i].elevation);
        const Rgb wanted = edited != tint.edited.end() ? edited->second
                           : sea                       ? kWaterColour
                                                       : colourAt(*day, middle);
        colours.day[i] = freeColour(wanted, used);
        colours.night[i] = night->empty() ? darkened(colours.day[i], 0.45, 0.7) : colourAt(*night, middle);
    }
    colours.smallestStep = smallestStep(colours.day, bands);
    return colours;
}

std::vector<std::string> bandCaptions(const TypeList& types) {
    const Ordered bands = ordered(types);
    std::vector<std::string> captions(types.size());
    for (std::size_t k = 0; k < bands.order.size(); ++k) {
        const std::size_t i = bands.order[k];
        const double top =
            k + 1 < bands.order.size() ? bands.lower[bands.order[k + 1]] : bands.lower[i] + topStep(bands);
        captions[i] = types[i].elevation + "\u2013" + decimalText(top) + " m";
    }
    return captions;
}

namespace {
constexpr std::string_view kStepLead = "Neighbouring bands differ by at least ";
}

bool isStepMessage(std::string_view text) {
    return text.starts_with(kStepLead);
}

std::string stepMessage(double smallestStep) {
    const auto tenths = static_cast<long long>(std::lround(smallestStep * 10));
    std::string text = std::string(kStepLead) + std::to_string(tenths / 10) + "." +
                       std::to_string(tenths % 10) + " in colour (CIEDE2000).";
    if (smallestStep < 1.0)
        text += " Below 1 they look alike: a larger interval gives fewer bands with clearer steps.";
    return text;
}

} // namespace orolith
