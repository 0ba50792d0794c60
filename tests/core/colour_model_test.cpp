#include "core/colour_model.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace orolith;

namespace {

std::int32_t hex(const char* rrggbb) {
    return *colourOfHexText(rrggbb);
}

} // namespace

TEST(ColourText, RevSwapsOuterPairsAndFillsShortTexts) {
    EXPECT_EQ(rev("FF"), "FF0000");
    EXPECT_EQ(rev(""), "000000");
    EXPECT_EQ(rev("ABCDEF"), "EFCDAB");
    EXPECT_EQ(rev("E2202C"), "2C20E2");
    for (const char* text : {"123456", "00FF00", "a1b2c3"})
        EXPECT_EQ(rev(rev(text)), text);
}

TEST(ColourText, HexTextIsRedFirstUpperCase) {
    EXPECT_EQ(hexTextOfColour(255), "FF0000");
    EXPECT_EQ(hexTextOfColour(0), "000000");
    EXPECT_EQ(hexTextOfColour(0xFF0000), "0000FF");
    EXPECT_EQ(hexTextOfColour(0x2C20E2), "E2202C");
    EXPECT_EQ(hexTextOfColour(0xABCDEF), "EFCDAB");
}

TEST(ColourText, ColourOfTextReadsEitherCaseAndShortTextsAsBlue) {
    EXPECT_EQ(colourOfHexText("FF0000"), 255);
    EXPECT_EQ(colourOfHexText("e2202c"), 0x2C20E2);
    EXPECT_EQ(colourOfHexText("FF"), 0xFF0000); // read as 0000FF
    EXPECT_EQ(colourOfHexText(""), 0);
    EXPECT_EQ(colourOfHexText("FFFFFF"), kWhite);
    for (const char* bad : {"GG0000", "#FF000", "12 456", "-12345", "0x1234"})
        EXPECT_FALSE(colourOfHexText(bad).has_value()) << bad;
    for (std::int32_t c : {0, 1, 0x80, 0x8000, 0x123456, kWhite})
        EXPECT_EQ(colourOfHexText(hexTextOfColour(c)), c);
}

TEST(ColourModel, RgbToHsv) {
    EXPECT_EQ(RGBToHSV(hex("FF0000")), (Hsv{0, 100, 100}));
    EXPECT_EQ(RGBToHSV(hex("FFFF00")), (Hsv{60, 100, 100}));
    EXPECT_EQ(RGBToHSV(hex("0000FF")), (Hsv{240, 100, 100}));
    EXPECT_EQ(RGBToHSV(hex("808080")), (Hsv{0, 0, 50}));
    EXPECT_EQ(RGBToHSV(hex("7F7F7F")), (Hsv{0, 0, 50}));
    EXPECT_EQ(RGBToHSV(hex("000000")), (Hsv{0, 0, 0}));
    EXPECT_EQ(RGBToHSV(hex("FFFFFF")), (Hsv{0, 0, 100}));
    EXPECT_EQ(RGBToHSV(hex("673FB4")), (Hsv{261, 65, 71}));
    EXPECT_EQ(RGBToHSV(hex("FF0004")).hue, 359); // negative hue wraps round
}

TEST(ColourModel, HsvToRgb) {
    EXPECT_EQ(hexTextOfColour(HSLToRGB02(120, 100, 50)), "008000"); // 127.5 goes to 128
    EXPECT_EQ(hexTextOfColour(HSLToRGB02(0, 0, 50)), "808080");
    EXPECT_EQ(hexTextOfColour(HSLToRGB02(359, 100, 100)), "FF0004");
    EXPECT_EQ(hexTextOfColour(HSLToRGB02(360, 100, 100)), "FF0000");
    EXPECT_EQ(hexTextOfColour(HSLToRGB02(60, 50, 50)), "808040");
    EXPECT_EQ(hexTextOfColour(HSLToRGB02(200, 40, 70)), "6B9AB2");
    EXPECT_EQ(hexTextOfColour(HSLToRGB02(0, 100, 0)), "000000");
}

TEST(ColourModel, HsvOutsideItsRangesGivesNoValidColour) {
    EXPECT_EQ(HSLToRGB02(361, 100, 100), 0);
    EXPECT_EQ(HSLToRGB02(-1, 100, 100), 0);
    EXPECT_EQ(HSLToRGB02(0, 100, 101), kNoColour);
    EXPECT_EQ(HSLToRGB02(200, 150, 50), kNoColour);
    EXPECT_EQ(HSLToRGB02(200, 100, 9999), kNoColour);
    EXPECT_EQ(HSLToRGB02(0, -50, 0), kNoColour);
    EXPECT_EQ(HSLToRGB02(100, 0, -1), kNoColour);
    EXPECT_EQ(HSLToRGB02(400, 999, 999), 0);
    for (int hue = 0; hue <= 360; hue += 7)
        for (int sat : {0, 33, 100})
            for (int val : {0, 50, 100})
                EXPECT_TRUE(isColour(HSLToRGB02(hue, sat, val)));
}

TEST(ColourModel, RoundTripIsNotExact) {
    const Hsv hsv = RGBToHSV(hex("E2202C"));
    EXPECT_EQ(hsv, (Hsv{356, 86, 89}));
    EXPECT_EQ(hexTextOfColour(HSLToRGB02(hsv.hue, hsv.sat, hsv.val)), "E3202D");
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
    EXPECT_EQ(shadeColourAt(cells, 0), hex("020101"));
    EXPECT_EQ(shadeColourAt(cells, 8), hex("100304"));   // the later cell covers the shared column
    EXPECT_EQ(shadeColourAt(cells, 128), hex("E2202C")); // the colour itself
    EXPECT_EQ(shadeColourAt(cells, 256), hex("FDF1F1"));
    EXPECT_EQ(shadeColourAt(cells, 257), kNoColour);
    EXPECT_EQ(shadeColourAt(cells, -1), kNoColour);
}

TEST(ShadeStrip, DarkHalfSpreadsWithTheStripWidth) {
    const ShadeCells narrow = shadeCells(255, 128); // step 0: all dark cells at x = 0
    for (int n = 0; n < 16; ++n)
        EXPECT_EQ(narrow[static_cast<std::size_t>(n)].x, 0);
    EXPECT_EQ(shadeColourAt(narrow, 4), narrow[15].colour); // k = 7 drawn last
    const ShadeCells wide = shadeCells(255, 512);           // step 2
    EXPECT_EQ(wide[15].x, 240);
    EXPECT_EQ(wide[16].x, 128); // the light half does not spread
    EXPECT_EQ(wide[31].x, 248);
}

TEST(ShadeStrip, PointerSitsWhereTheColourIs) {
    EXPECT_EQ(shadePointerPosition(255), 127);
    EXPECT_EQ(shadePointerPosition(hex("E2202C")), 127);
    EXPECT_EQ(shadePointerPosition(kWhite), 7);
    EXPECT_EQ(shadePointerPosition(hex("FAFAFA")), 103);
    EXPECT_EQ(shadePointerPosition(0), 127);
}

TEST(Field, MarkerCentreFollowsHueAndValue) {
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
    // Every band starts where the table says: the colour changes exactly there.
    for (int b = 1; b < kFieldColumnBands; ++b) {
        const int x = kFieldColumnStarts[static_cast<std::size_t>(b)];
        EXPECT_EQ(fieldColourAt(picture, x, 0), fieldBandColour(b, 0)) << b;
        EXPECT_EQ(fieldColourAt(picture, x - 1, 0), fieldBandColour(b - 1, 0)) << b;
    }
    for (int r = 1; r < kFieldRowBands; ++r) {
        const int y = kFieldRowStarts[static_cast<std::size_t>(r)];
        EXPECT_EQ(fieldColourAt(picture, 92, y), fieldBandColour(24, r)) << r;
        EXPECT_EQ(fieldColourAt(picture, 92, y - 1), fieldBandColour(24, r - 1)) << r;
    }
}

TEST(Field, BandColoursFollowHueAndSaturation) {
    EXPECT_EQ(hexTextOfColour(fieldBandColour(10, 0)), "FFFF00");  // 60 degrees
    EXPECT_EQ(hexTextOfColour(fieldBandColour(20, 0)), "00FF00");  // 120
    EXPECT_EQ(hexTextOfColour(fieldBandColour(40, 0)), "0000FF");  // 240
    EXPECT_EQ(hexTextOfColour(fieldBandColour(30, 15)), "40BFBF"); // 180, half saturation
    // Hue read back from the picture grows from left to right.
    for (int b = 1; b < 59; ++b)
        EXPECT_NEAR(RGBToHSV(fieldBandColour(b, 0)).hue, 6 * b, 1) << b;
}
