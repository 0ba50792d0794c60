#pragma once
// Colour ramps: colours at elevations, mixed in OKLab in between, so that a band's tint reads
// as its height. A stop is given in metres or as a share of the data's elevation range; the
// built-in ramps are shares, so they stretch over whatever range the data has.

#include "core/colour/colour_value.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orolith {

enum class StopScale {
    Metres,  // an elevation
    OfRange, // a share 0..1 of [lowest, highest] of the data
    OfLand,  // a share of the data above 0 m (all of it when nothing lies below 0 m)
    OfSea,   // a share of the data below 0 m: 0 the deepest, 1 the sea level
};

struct RampStop {
    double at = 0.0; // metres, or a share 0..1
    StopScale scale = StopScale::Metres;
    Rgb colour;
};

struct ColourRamp {
    std::string name;     // a built-in name, or the file it was read from
    bool classic = false; // the colour table with four shades per entry instead of stops
    std::vector<RampStop> day;
    std::vector<RampStop> night; // empty: the day colours darkened

    // True when a stop is a share of the data's range rather than an elevation.
    bool needsRange() const;
};

struct ElevationRange {
    double lowest = 0.0;
    double highest = 0.0;
};

// A stop placed at an elevation.
struct PlacedStop {
    double elevation = 0.0;
    Rgb colour;
};

// The stops at elevations for data spanning `range`, in rising order. Nothing, with `error`
// said, when a stop is a share and there is no range to take it of.
std::optional<std::vector<PlacedStop>> placeStops(const std::vector<RampStop>& stops,
                                                  const std::optional<ElevationRange>& range,
                                                  std::string& error);

// The colour at `elevation`: a stop's own colour at the stop, mixed in OKLab between two
// stops, the end stops' colours beyond them. Where two stops share an elevation, the upper
// one starts there. Black when there is no stop.
Rgb colourAt(const std::vector<PlacedStop>& stops, double elevation);

// The built-in ramps by name: "atlas" (blues below 0 m; green, yellow, brown and white above),
// "high-contrast", "grey" and "classic".
const std::vector<std::string>& builtInRampNames();
std::optional<ColourRamp> builtInRamp(std::string_view name);

} // namespace orolith
