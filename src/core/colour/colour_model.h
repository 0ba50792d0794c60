#pragma once
// The colour picker's arithmetic. A colour value packs blue × 65536 + green × 256 + red
// (red in the low byte) into a signed 32-bit integer; 0 to 0xFFFFFF is a colour and −1 is
// "no colour". The picker's texts use RRGGBB, red first: the reverse byte order.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orolith {

inline constexpr std::int32_t kNoColour = -1;
inline constexpr std::int32_t kWhite = 0xFFFFFF;

inline constexpr bool isColour(std::int64_t value) {
    return value >= 0 && value <= kWhite;
}

// Swaps the first and last digit pairs of a six-digit text (RRGGBB <-> value order). A
// shorter text is first filled with "0" on the left to six characters. Its own inverse.
std::string swapRedBlueText(std::string_view text);

// RRGGBB in upper case for a colour (0 to 0xFFFFFF); 255 gives "FF0000".
std::string hexTextOfColour(std::int32_t colour);

// The colour of an RRGGBB text, digits in either case; a short text is read with leading
// zeros ("FF" is blue). nullopt when the text holds anything but hexadecimal digits.
std::optional<std::int32_t> colourOfHexText(std::string_view text);

// Hue 0..359 degrees, saturation and value 0..100 percent (value: the largest component).
struct Hsv {
    int hue = 0;
    int saturation = 0;
    int value = 0;
    bool operator==(const Hsv&) const = default;
};

Hsv rgbToHsv(std::int32_t colour);

// Hue/saturation/value back to a colour. A hue outside 0..360 gives black (0); a saturation
// or value outside 0..100 has no colour (it would push components outside 0..255): kNoColour.
std::int32_t hsvToRgb(int hue, int saturation, int value);

// The shade strip: 16 darker cells, then 16 lighter ones, each drawn from x to x + 8
// inclusive over the strip's full height, in this order (a later cell covers an earlier one).
struct ShadeCell {
    int x = 0;
    std::int32_t colour = 0;
};
inline constexpr int kShadeCellCount = 32;
using ShadeCells = std::array<ShadeCell, kShadeCellCount>;

// The cells of `colour` for a strip `stripWidth` pixels wide (the dark half spreads with
// the strip's width, nearest(width / 256) pixels per shade step; the light half does not).
ShadeCells shadeCells(std::int32_t colour, int stripWidth);

// The colour the strip shows at pixel column x: the last cell drawn over it, or kNoColour.
std::int32_t shadeColourAt(const ShadeCells& cells, int x);

// The pointer's left edge within its track: 127 for most colours, where the two halves
// meet; for very light colours the last light cell equal to the colour (white: 7).
int shadePointerPosition(std::int32_t colour);

// Where the field marker goes: its centre at x = hue / 360 × W and y = (100 − val) / 50 × H,
// with W, H the field's inner size and w, h the marker's size; positions in whole pixels.
struct MarkerPosition {
    int left = 0;
    int top = 0;
    bool operator==(const MarkerPosition&) const = default;
};
MarkerPosition markerPosition(const Hsv& hsv, int fieldWidth, int fieldHeight, int markerWidth,
                              int markerHeight);

// The hue/saturation field: 60 hue bands of 6 degrees across, 30 saturation bands down,
// lightness one half. Pixels row by row, each a colour value (0xBBGGRR).
inline constexpr int kFieldWidth = 233;
inline constexpr int kFieldHeight = 227;
inline constexpr int kFieldColumnBands = 60;
inline constexpr int kFieldRowBands = 30;
extern const std::array<int, kFieldColumnBands> kFieldColumnStarts;
extern const std::array<int, kFieldRowBands> kFieldRowStarts;

// The colour of one band cell: hue 6 × column band, saturation 1 − row band / 30.
std::int32_t fieldBandColour(int columnBand, int rowBand);

std::vector<std::int32_t> fieldPicture();

// The field's colour at a pixel, or kNoColour outside the picture.
std::int32_t fieldColourAt(const std::vector<std::int32_t>& picture, int x, int y);

} // namespace orolith
