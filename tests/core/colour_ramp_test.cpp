#include "core/colour/perceptual.h"
#include "core/style/band_tint.h"
#include "core/style/colour_ramp.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace orolith {

namespace {

std::string hex(const Rgb& c) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", c.red, c.green, c.blue);
    return text;
}

// Bands of `interval` metres from `base` up, as an elevation model lists them.
TypeList bands(int base, int count, int interval = 25) {
    TypeList types;
    for (int i = 0; i < count; ++i)
        types.push_back({std::to_string(base + interval * i), "1030" + std::to_string(i % 10)});
    return types;
}

TintChoice tintOf(const std::string& name) {
    TintChoice tint;
    tint.ramp = *builtInRamp(name);
    return tint;
}

} // namespace

TEST(Perceptual, MatchesPublishedDifferencesAndMixesInOkLab) {
    // Pairs of Sharma, Wu and Dalal's CIEDE2000 test data.
    const struct {
        CieLab a, b;
        double expected;
    } pairs[] = {{{50, 2.6772, -79.7751}, {50, 0, -82.7485}, 2.0425},
                 {{50, 3.1571, -77.2803}, {50, 0, -82.7485}, 2.8615},
                 {{50, 0, 0}, {50, -1, 2}, 2.3669},
                 {{50, 2.5, 0}, {73, 25, -18}, 27.1492},
                 {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644}};
    for (const auto& pair : pairs)
        EXPECT_NEAR(ciede2000(pair.a, pair.b), pair.expected, 1e-4);
    const CieLab red = cieLabOf({255, 0, 0});
    EXPECT_NEAR(red.l, 53.24, 0.01);
    EXPECT_NEAR(red.a, 80.09, 0.01);
    EXPECT_NEAR(red.b, 67.20, 0.01);
    // Half way from black to white is OKLab's middle grey, far darker than RGB's 128.
    EXPECT_EQ(hex(mixOkLab({0, 0, 0}, {255, 255, 255}, 0.5)), "636363");
    for (const Rgb c : {Rgb{0, 0, 0}, Rgb{255, 255, 255}, Rgb{12, 200, 77}, Rgb{255, 0, 128}})
        EXPECT_EQ(hex(rgbOf(okLabOf(c))), hex(c));
}

TEST(ColourRamp, StopsKeepTheirColoursAndTheAtlasSpansSeaAndLand) {
    std::string error;
    const ColourRamp atlas = *builtInRamp("atlas");
    const auto placed = placeStops(atlas.day, ElevationRange{-1000, 3000}, error);
    ASSERT_TRUE(placed);
    EXPECT_EQ(hex(colourAt(*placed, -1000)), "0A1A40"); // the deepest blue
    EXPECT_EQ(hex(colourAt(*placed, -5000)), "0A1A40");
    EXPECT_EQ(hex(colourAt(*placed, -0.001)), "9CD0EE"); // shallow water just below the coast
    EXPECT_EQ(hex(colourAt(*placed, 0)), "2F7D3B");      // the land starts green at 0 m
    EXPECT_EQ(hex(colourAt(*placed, 3000)), "FFFFFF");
    for (const PlacedStop& stop : *placed) {
        if (stop.elevation != 0) { // where sea and land meet, the land starts
            EXPECT_EQ(hex(colourAt(*placed, stop.elevation)), hex(stop.colour)) << stop.elevation;
        }
    }
    // Without sea the whole range is land.
    const auto land = placeStops(atlas.day, ElevationRange{200, 1200}, error);
    EXPECT_EQ(land->front().elevation, 200);
    EXPECT_EQ(hex(land->front().colour), "2F7D3B");
    EXPECT_EQ(hex(colourAt(*land, 100)), "2F7D3B");

    // Shares need elevations to be taken of.
    EXPECT_FALSE(placeStops(atlas.day, std::nullopt, error));
    EXPECT_EQ(error,
              "The colour ramp gives percentages of the elevation range, and there is no elevation data "
              "to take them of.");
    EXPECT_TRUE(placeStops({{100, StopScale::Metres, {1, 2, 3}}}, std::nullopt, error));
}

TEST(ColourRamp, GreyRisesInLightnessAndEqualStopsJump) {
    std::string error;
    const auto grey = placeStops(builtInRamp("grey")->day, ElevationRange{0, 1000}, error);
    double last = -1;
    for (int e = 0; e <= 1000; e += 5) {
        const Rgb c = colourAt(*grey, e);
        EXPECT_EQ(c.red, c.green);
        EXPECT_EQ(c.green, c.blue);
        const double l = okLabOf(c).l;
        EXPECT_GE(l, last) << e;
        last = l;
    }
    EXPECT_EQ(hex(colourAt(*grey, 0)), "000000");
    EXPECT_EQ(hex(colourAt(*grey, 1000)), "FFFFFF");
    // Two stops at one elevation (a step in a GMT table): the upper one starts there.
    const std::vector<PlacedStop> step = {
        {0, {0, 0, 0}}, {10, {0, 0, 100}}, {10, {200, 0, 0}}, {20, {200, 0, 0}}};
    EXPECT_EQ(hex(colourAt(step, 10)), "C80000");
    EXPECT_EQ(hex(colourAt(step, 9.999)), "000064");
    EXPECT_EQ(hex(colourAt({}, 5)), "000000");
}

TEST(BandTint, BuiltInRampsScaledToTheDataKeepNeighboursApart) {
    for (const std::string name : {"atlas", "high-contrast"})
        for (const int base : {0, 400, -300})
            for (int count = 2; count <= 40; ++count) {
                const BandColours colours =
                    colourBands(defaultPalette(), false, tintOf(name), bands(base, count), base);
                ASSERT_EQ(colours.day.size(), static_cast<std::size_t>(count));
                EXPECT_GE(colours.smallestStep, 2.0) << name << " from " << base << ", " << count << " bands";
            }
    // Grey is only about 75 units long from black to white.
    for (int count = 2; count <= 32; ++count)
        EXPECT_GE(colourBands(defaultPalette(), false, tintOf("grey"), bands(0, count), 0).smallestStep, 2.0)
            << count;
    EXPECT_LT(colourBands(defaultPalette(), false, tintOf("grey"), bands(0, 40), 0).smallestStep, 2.0);
}

TEST(BandTint, RampColoursAreUniqueMiddleOfBandAndSeaTakesWater) {
    // 400 bands of grey: far more bands than greys, and still no colour twice.
    const BandColours many = colourBands(defaultPalette(), false, tintOf("grey"), bands(0, 400, 1), 0);
    std::set<std::string> seen;
    for (const Rgb& c : many.day)
        EXPECT_TRUE(seen.insert(hex(c)).second) << hex(c);
    EXPECT_LT(many.smallestStep, 1.0);
    EXPECT_EQ(stepMessage(many.smallestStep).substr(0, 38), "Neighbouring bands differ by at least ");
    EXPECT_NE(stepMessage(0.4).find("a larger interval"), std::string::npos);
    EXPECT_EQ(stepMessage(2.25), "Neighbouring bands differ by at least 2.3 in colour (CIEDE2000).");

    // A ramp in metres: each band takes the colour at its middle, listed in any order.
    TintChoice tint;
    tint.ramp = {
        "mine", false, {{0, StopScale::Metres, {0, 0, 0}}, {100, StopScale::Metres, {0, 0, 200}}}, {}};
    const TypeList shuffled = {{"50", "10302"}, {"0", "10300"}, {"25", "10301"}, {"75", "10303"}};
    const BandColours colours = colourBands(defaultPalette(), false, tint, shuffled, 0);
    const std::string middle12 = hex(mixOkLab({0, 0, 0}, {0, 0, 200}, 0.125));
    EXPECT_EQ(hex(colours.day[1]), middle12);
    EXPECT_EQ(hex(colours.day[0]), hex(mixOkLab({0, 0, 0}, {0, 0, 200}, 0.625)));
    EXPECT_EQ(hex(colours.night[1]), hex(darkened(colours.day[1], 0.45, 0.7)));
    // By night a band keeps 45 % of its OKLab lightness and 70 % of its chroma.
    TintChoice bright;
    bright.ramp = {"bright", false, {{0, StopScale::Metres, {200, 120, 40}}}, {}};
    EXPECT_EQ(hex(colourBands(defaultPalette(), false, bright, {{"0", "10300"}}, 0).night[0]), "4B1C00");
    EXPECT_EQ(bandRange(shuffled)->highest, 100);

    // Night stops of the ramp give the night colours.
    tint.ramp.night = {{0, StopScale::Metres, {10, 10, 10}}};
    EXPECT_EQ(hex(colourBands(defaultPalette(), false, tint, shuffled, 0).night[3]), "0A0A0A");
    // A colour picked for one band replaces the ramp's there.
    tint.edited["25"] = {1, 2, 3};
    EXPECT_EQ(hex(colourBands(defaultPalette(), false, tint, shuffled, 0).day[2]), "010203");
    EXPECT_EQ(bandCaptions(shuffled),
              (std::vector<std::string>{"50\u201375 m", "0\u201325 m", "25\u201350 m", "75\u2013100 m"}));
    EXPECT_EQ(bandCaptions({{"-12.5", "1"}}), (std::vector<std::string>{"-12.5\u2013-11.5 m"}));

    TintChoice sea = tintOf("atlas");
    sea.seaAtZero = true;
    const BandColours coast = colourBands(defaultPalette(), false, sea, bands(0, 5, 100), 0);
    EXPECT_EQ(hex(coast.day[0]), hex(kWaterColour));
    EXPECT_NE(hex(coast.day[1]), hex(kWaterColour));
    sea.seaAtZero = false;
    EXPECT_NE(hex(colourBands(defaultPalette(), false, sea, bands(0, 5, 100), 0).day[0]), hex(kWaterColour));
}

TEST(BandTint, ClassicAndOneColourKeepTheTableWithoutNightColours) {
    const TypeList types = bands(2700, 5, 25);
    for (const bool oneColour : {false, true}) {
        const BandColours colours =
            colourBands(defaultPalette(), oneColour, oneColour ? tintOf("atlas") : TintChoice{}, types, 2700);
        EXPECT_TRUE(colours.night.empty());
        EXPECT_TRUE(colours.paletteExhausted);
        EXPECT_EQ(hex(colours.day[1]), oneColour ? "E0E0E0" : "000083");
    }
    EXPECT_EQ(rampFor(std::nullopt, true, false).name, "atlas");
    EXPECT_EQ(rampFor(std::nullopt, true, true).name, "classic");
    EXPECT_EQ(rampFor(std::nullopt, false, false).name, "classic");
    EXPECT_EQ(rampFor(builtInRamp("grey"), false, true).name, "grey");
}

} // namespace orolith
