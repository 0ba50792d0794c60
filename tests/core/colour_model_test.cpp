#include "core/colour/colour_model.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orolith {

namespace {

std::int32_t hex(const char* rrggbb) {
    return *colourOfHexText(rrggbb);
}

} // namespace

TEST(ColourText, RedFirstUpperCaseAndShortTextsAsBlue) {
    EXPECT_EQ(swapRedBlueText("FF"), "FF0000");
    EXPECT_EQ(swapRedBlueText("E2202C"), "2C20E2");
    EXPECT_EQ(colourOfHexText("e2202c"), 0x2C20E2);
    EXPECT_EQ(colourOfHexText("FF"), 0xFF0000); // read as 0000FF
    for (const char* bad : {"GG0000", "#FF000", "12 456", "-12345", "0x1234"})
        EXPECT_FALSE(colourOfHexText(bad).has_value()) << bad;
}

TEST(ColourModel, RgbToHsvAndBack) {
    const std::vector<std::pair<const char*, Hsv>> toHsv = {
        {"FF0000", {0, 100, 100}}, {"FFFF00", {60, 100, 100}}, {"0000FF", {240, 100, 100}},
        {"808080", {0, 0, 50}},    {"7F7F7F", {0, 0, 50}},     {"000000", {0, 0, 0}},
        {"FFFFFF", {0, 0, 100}},   {"673FB4", {261, 65, 71}},  {"E2202C", {356, 86, 89}}};
    for (const auto& [text, hsv] : toHsv)
        EXPECT_EQ(rgbToHsv(hex(text)), hsv) << text;
    EXPECT_EQ(rgbToHsv(hex("FF0004")).hue, 359); // negative hue wraps round

    const std::vector<std::pair<Hsv, const char*>> toRgb = {
        {{120, 100, 50}, "008000"}, // 127.5 goes to 128
        {{0, 0, 50}, "808080"},     {{359, 100, 100}, "FF0004"}, {{360, 100, 100}, "FF0000"},
        {{60, 50, 50}, "808040"},   {{200, 40, 70}, "6B9AB2"},   {{0, 100, 0}, "000000"},
        {{356, 86, 89}, "E3202D"}}; // the round trip of E2202C is not exact
    for (const auto& [hsv, text] : toRgb)
        EXPECT_EQ(hexTextOfColour(hsvToRgb(hsv.hue, hsv.saturation, hsv.value)), text) << text;
}

TEST(ColourModel, HsvOutsideItsRangesGivesNoValidColour) {
    EXPECT_EQ(hsvToRgb(361, 100, 100), 0);
    EXPECT_EQ(hsvToRgb(-1, 100, 100), 0);
    EXPECT_EQ(hsvToRgb(400, 999, 999), 0);
    for (const auto& [sat, val] : std::vector<std::pair<int, int>>{{100, 101}, {150, 50}, {-50, 0}, {0, -1}})
        EXPECT_EQ(hsvToRgb(200, sat, val), kNoColour) << sat << " " << val;
}

TEST(ShadeStrip, CellsOfE2202C) {
    const std::vector<std::string> expected = {
        "020101", "100304", "1F0506", "2D0709", "3B090C", "490B0F", "570D11", "650F14",
        "731117", "81131A", "90151C", "9E171F", "AC1922", "BA1B25", "C81D27", "D61F2A",
        "E2202C", "E32D39", "E53B46", "E74953", "E95760", "EB656D", "EC737B", "EE8188",
        "F08F95", "F29DA2", "F4ABAF", "F5B9BD", "F7C7CA", "F9D5D7", "FBE3E4", "FDF1F1"};
    const ShadeCells cells = shadeCells(hex("E2202C"), 227);
    for (int n = 0; n < kShadeCellCount; ++n) {
        const ShadeCell& cell = cells[static_cast<std::size_t>(n)];
        EXPECT_EQ(hexTextOfColour(cell.colour), expected[static_cast<std::size_t>(n)]) << n;
        EXPECT_EQ(cell.x, n * 8) << n; // step 1: the cells abut
    }
    EXPECT_EQ(shadeColourAt(cells, 8), hex("100304"));   // the later cell covers the shared column
    EXPECT_EQ(shadeColourAt(cells, 128), hex("E2202C")); // the colour itself
    EXPECT_EQ(shadeColourAt(cells, 256), hex("FDF1F1"));
    EXPECT_EQ(shadeColourAt(cells, 257), kNoColour);
    EXPECT_EQ(shadeColourAt(cells, -1), kNoColour);
}

TEST(ShadeStrip, DarkHalfSpreadsWithTheStripWidth) {
    const ShadeCells narrow = shadeCells(255, 128); // step 0: all dark cells at x = 0
    EXPECT_EQ(narrow[15].x, 0);
    EXPECT_EQ(shadeColourAt(narrow, 4), narrow[15].colour); // k = 7 drawn last
    const ShadeCells wide = shadeCells(255, 512);           // step 2
    EXPECT_EQ(wide[15].x, 240);
    EXPECT_EQ(wide[16].x, 128); // the light half does not spread
    EXPECT_EQ(wide[31].x, 248);
}

TEST(ShadeStrip, PointerAndMarkerSitWhereTheColourIs) {
    for (const auto& [colour, x] : std::vector<std::pair<std::int32_t, int>>{
             {255, 127}, {hex("E2202C"), 127}, {kWhite, 7}, {hex("FAFAFA"), 103}, {0, 127}})
        EXPECT_EQ(shadePointerPosition(colour), x) << colour;
    EXPECT_EQ(markerPosition({0, 100, 100}, 233, 227, 16, 16), (MarkerPosition{-8, -8}));
    EXPECT_EQ(markerPosition({180, 100, 50}, 233, 227, 16, 16), (MarkerPosition{108, 219}));
    EXPECT_EQ(markerPosition({90, 0, 75}, 360, 100, 16, 16), (MarkerPosition{82, 42}));
    EXPECT_EQ(markerPosition({0, 0, 0}, 233, 227, 16, 16).top, 446); // below the field
}

TEST(Field, PictureCornersAndBands) {
    const std::vector<std::int32_t> picture = fieldPicture();
    ASSERT_EQ(picture.size(), static_cast<std::size_t>(kFieldWidth * kFieldHeight));
    EXPECT_EQ(hexTextOfColour(fieldColourAt(picture, 0, 0)), "FF0000");
    EXPECT_EQ(hexTextOfColour(fieldColourAt(picture, 232, 0)), "FF001A");
    EXPECT_EQ(hexTextOfColour(fieldColourAt(picture, 0, 226)), "847B7B");
    EXPECT_EQ(fieldColourAt(picture, 233, 0), kNoColour);
    EXPECT_EQ(fieldColourAt(picture, 0, -1), kNoColour);
    EXPECT_EQ(hexTextOfColour(fieldBandColour(20, 0)), "00FF00");  // 120 degrees
    EXPECT_EQ(hexTextOfColour(fieldBandColour(30, 15)), "40BFBF"); // 180, half saturation
}

} // namespace orolith
