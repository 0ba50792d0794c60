#include "core/style/colour_ramp.h"

#include "core/colour/perceptual.h"

#include <algorithm>
#include <cmath>

namespace orolith {

namespace {

constexpr Rgb rgb(int value) {
    return {(value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF};
}

// The CIEDE2000 length of the OKLab path from one colour to another.
double pathLength(const Rgb& from, const Rgb& to) {
    constexpr int kSteps = 16;
    double length = 0.0;
    Rgb last = from;
    for (int i = 1; i <= kSteps; ++i) {
        const Rgb next = mixOkLab(from, to, static_cast<double>(i) / kSteps);
        length += ciede2000(last, next);
        last = next;
    }
    return length;
}

// Stops spaced by the CIEDE2000 length of the path between them, from share 0 to 1, so that
// the colour changes at an even pace along the ramp.
std::vector<RampStop> evenlyPaced(const std::vector<int>& colours, StopScale scale) {
    std::vector<RampStop> stops;
    std::vector<double> along{0.0};
    for (const int colour : colours) {
        if (!stops.empty())
            along.push_back(along.back() + pathLength(stops.back().colour, rgb(colour)));
        stops.push_back({0.0, scale, rgb(colour)});
    }
    for (std::size_t i = 0; i < stops.size(); ++i)
        stops[i].at = along.back() > 0 ? along[i] / along.back() : 0.0;
    return stops;
}

ColourRamp atlas() {
    ColourRamp ramp{
        "atlas", false, evenlyPaced({0x0A1A40, 0x1C4F96, 0x3F8CCB, 0x9CD0EE}, StopScale::OfSea), {}};
    const auto land = evenlyPaced(
        {0x2F7D3B, 0x77A94F, 0xC9D77A, 0xEBD48C, 0xD3A560, 0xA86F3F, 0x7E5A4A, 0xB3A9A2, 0xFFFFFF},
        StopScale::OfLand);
    ramp.day.insert(ramp.day.end(), land.begin(), land.end());
    return ramp;
}

std::vector<ColourRamp> makeBuiltIns() {
    std::vector<ColourRamp> ramps;
    ramps.push_back(atlas());
    ramps.push_back({"high-contrast",
                     false,
                     evenlyPaced({0x003C00, 0x00A000, 0xD2E600, 0xFFA000, 0xD20000, 0x7A0064, 0xFFFFFF},
                                 StopScale::OfRange),
                     {}});
    std::vector<int> greys;
    for (int grey = 0; grey <= 255; grey += 17)
        greys.push_back(grey * 0x010101);
    ramps.push_back({"grey", false, evenlyPaced(greys, StopScale::OfRange), {}});
    ramps.push_back({"classic", true, {}, {}});
    return ramps;
}

const std::vector<ColourRamp>& builtIns() {
    static const std::vector<ColourRamp> ramps = makeBuiltIns();
    return ramps;
}

// The elevations a share of `scale` runs over, or nothing when the data has none of it.
std::optional<ElevationRange> spanOf(StopScale scale, const ElevationRange& range) {
    const bool sea = range.lowest < 0;
    switch (scale) {
    case StopScale::OfSea:
        if (!sea)
            return std::nullopt;
        return ElevationRange{range.lowest, std::min(range.highest, 0.0)};
    case StopScale::OfLand:
        if (sea && range.highest <= 0)
            return std::nullopt;
        return ElevationRange{std::max(range.lowest, 0.0), range.highest};
    default:
        return range;
    }
}

} // namespace

bool ColourRamp::needsRange() const {
    const auto share = [](const RampStop& stop) { return stop.scale != StopScale::Metres; };
    return std::any_of(day.begin(), day.end(), share) || std::any_of(night.begin(), night.end(), share);
}

std::optional<std::vector<PlacedStop>> placeStops(const std::vector<RampStop>& stops,
                                                  const std::optional<ElevationRange>& range,
                                                  std::string& error) {
    std::vector<PlacedStop> placed;
    for (const RampStop& stop : stops) {
        if (stop.scale == StopScale::Metres) {
            placed.push_back({stop.at, stop.colour});
            continue;
        }
        if (!range) {
            error = "The colour ramp gives percentages of the elevation range, and there is no elevation "
                    "data to take them of.";
            return std::nullopt;
        }
        if (const auto span = spanOf(stop.scale, *range))
            placed.push_back({span->lowest + stop.at * (span->highest - span->lowest), stop.colour});
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const PlacedStop& a, const PlacedStop& b) { return a.elevation < b.elevation; });
    return placed;
}

Rgb colourAt(const std::vector<PlacedStop>& stops, double elevation) {
    if (stops.empty())
        return {};
    // The first stop above the elevation; the one before it starts the stretch.
    const auto above = std::upper_bound(stops.begin(), stops.end(), elevation,
                                        [](double e, const PlacedStop& stop) { return e < stop.elevation; });
    if (above == stops.begin())
        return stops.front().colour;
    if (above == stops.end())
        return stops.back().colour;
    const PlacedStop& low = *(above - 1);
    if (elevation == low.elevation)
        return low.colour;
    return mixOkLab(low.colour, above->colour,
                    (elevation - low.elevation) / (above->elevation - low.elevation));
}

const std::vector<std::string>& builtInRampNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const ColourRamp& ramp : builtIns())
            list.push_back(ramp.name);
        return list;
    }();
    return names;
}

std::optional<ColourRamp> builtInRamp(std::string_view name) {
    for (const ColourRamp& ramp : builtIns())
        if (ramp.name == name)
            return ramp;
    return std::nullopt;
}

} // namespace orolith
