#include "core/colour/colour_model.h"

#include "core/colour/colour_value.h"
#include "core/platform/text_number.h"

#include <cstdlib>

namespace orolith {

namespace {

int nearest(double value) {
    return static_cast<int>(roundHalfEven(value));
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace

std::string swapRedBlueText(std::string_view text) {
    std::string s(text);
    if (s.size() < 6)
        s.insert(0, 6 - s.size(), '0');
    return s.substr(s.size() - 2) + s.substr(2, 2) + s.substr(0, 2);
}

std::string hexTextOfColour(std::int32_t colour) {
    return swapRedBlueText(hexUpper(static_cast<std::uint32_t>(colour)));
}

std::optional<std::int32_t> colourOfHexText(std::string_view text) {
    for (char c : text) {
        if (!isHexDigit(c))
            return std::nullopt;
    }
    return parseHex32(swapRedBlueText(text));
}

Hsv rgbToHsv(std::int32_t colour) {
    const auto [red, green, blue] = splitColour(colour);
    const int max = red > green ? (red > blue ? red : blue) : (green > blue ? green : blue);
    const int min = red < green ? (red < blue ? red : blue) : (green < blue ? green : blue);

    Hsv hsv;
    hsv.value = nearest(max * 100 / 255.0);
    if (max <= 0)
        return hsv;
    const int delta = max - min;
    hsv.saturation = nearest(static_cast<double>(delta) / max * 100);
    if (delta <= 0)
        return hsv;
    float h = 0;
    if (max == red)
        h = static_cast<float>(static_cast<double>(green - blue) / delta);
    else if (max != green)
        h = static_cast<float>(static_cast<double>(red - green) / delta + 4);
    else
        h = static_cast<float>(static_cast<double>(blue - red) / delta + 2);
    hsv.hue = nearest(static_cast<double>(h) * 60);
    if (hsv.hue < 0)
        hsv.hue += 360;
    return hsv;
}

std::int32_t hsvToRgb(int hue, int sat, int val) {
    if (hue < 0 || hue > 360)
        return 0;
    if (sat < 0 || sat > 100 || val < 0 || val > 100)
        return kNoColour;
    const int mx = nearest(val * 255 / 100.0);
    const int mn = nearest((100 - sat) * mx / 100.0);
    const float step = static_cast<float>((mx - mn) / 60.0);
    const auto along = [&](int degrees) { return nearest(static_cast<double>(step) * degrees + mn); };

    if (hue <= 60)
        return packColour(mx, along(hue), mn);
    if (hue <= 120)
        return packColour(along(120 - hue), mx, mn);
    if (hue <= 180)
        return packColour(mn, mx, along(hue - 120));
    if (hue <= 240)
        return packColour(mn, along(240 - hue), mx);
    if (hue <= 300)
        return packColour(along(hue - 240), mn, mx);
    return packColour(mx, mn, along(360 - hue));
}

ShadeCells shadeCells(std::int32_t colour, int stripWidth) {
    const Rgb rgb = splitColour(colour);
    const int step = nearest(stripWidth / 256.0);
    ShadeCells cells{};
    std::size_t n = 0;
    // Darker: each component loses k/128 of itself, k from 127 (almost black) down to 7.
    for (int i = 0; i <= 120; i += 8) {
        const int k = 127 - i;
        const auto darker = [k](int c) { return c - c * k / 128; };
        cells[n++] = {i * step, packColour(darker(rgb.red), darker(rgb.green), darker(rgb.blue))};
    }
    // Lighter: each component moves k/128 of the way to 255, k from 0 (the colour) to 120.
    for (int i = 127; i >= 7; i -= 8) {
        const int k = 127 - i;
        const auto lighter = [k](int c) { return c + (255 - c) * k / 128; };
        cells[n++] = {128 + k, packColour(lighter(rgb.red), lighter(rgb.green), lighter(rgb.blue))};
    }
    return cells;
}

std::int32_t shadeColourAt(const ShadeCells& cells, int x) {
    std::int32_t found = kNoColour;
    for (const ShadeCell& cell : cells) {
        if (x >= cell.x && x <= cell.x + 8)
            found = cell.colour;
    }
    return found;
}

int shadePointerPosition(std::int32_t colour) {
    const ShadeCells cells = shadeCells(colour, 256);
    int position = 127;
    for (int n = 16; n < kShadeCellCount; ++n) {
        if (cells[static_cast<std::size_t>(n)].colour == colour)
            position = 127 - 8 * (n - 16);
    }
    return position;
}

MarkerPosition markerPosition(const Hsv& hsv, int fieldWidth, int fieldHeight, int markerWidth,
                              int markerHeight) {
    const double left = hsv.hue / 360.0 * fieldWidth - markerWidth / 2.0;
    const double top = (100 - hsv.value) / 50.0 * fieldHeight - markerHeight / 2.0;
    return {nearest(left), nearest(top)};
}

const std::array<int, kFieldColumnBands> kFieldColumnStarts = {
    0,   2,   6,   10,  14,  18,  22,  26,  30,  34,  38,  41,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  80,  84,  88,  92,  96,  100, 104, 108, 112, 116, 119, 123, 127, 131, 135, 139, 143, 147, 151,
    155, 158, 162, 166, 170, 174, 178, 182, 186, 190, 194, 197, 201, 205, 209, 213, 217, 221, 225, 229};

const std::array<int, kFieldRowBands> kFieldRowStarts = {0,   7,   15,  23,  30,  38,  46,  53,  61,  69,
                                                         76,  84,  92,  99,  107, 115, 122, 130, 138, 145,
                                                         153, 161, 168, 176, 184, 191, 199, 207, 214, 222};

std::int32_t fieldBandColour(int columnBand, int rowBand) {
    // HSL with lightness 1/2 and saturation s = (30 − r) / 30, in 600ths of full scale:
    // the largest component is 255 × (60 − r) / 60, the smallest 255 × r / 60, and the
    // middle one rises from the smallest by s × f, f = 1 − |hue / 60 mod 2 − 1| (tenths).
    const int r = rowBand;
    const int sector = columnBand / 10; // 60 degrees each
    const int within = columnBand % 10; // tenths of a sector
    const int f = (sector % 2 == 0) ? within : 10 - within;
    const auto scaled = [](int sixHundredths) { return (255 * sixHundredths + 300) / 600; };
    const int high = scaled(10 * (60 - r));
    const int low = scaled(10 * r);
    const int middle = scaled(10 * r + 2 * (30 - r) * f);
    switch (sector) {
    case 0:
        return packColour(high, middle, low);
    case 1:
        return packColour(middle, high, low);
    case 2:
        return packColour(low, high, middle);
    case 3:
        return packColour(low, middle, high);
    case 4:
        return packColour(middle, low, high);
    default:
        return packColour(high, low, middle);
    }
}

std::vector<std::int32_t> fieldPicture() {
    std::vector<std::int32_t> picture(static_cast<std::size_t>(kFieldWidth * kFieldHeight));
    int rowBand = 0;
    for (int y = 0; y < kFieldHeight; ++y) {
        while (rowBand + 1 < kFieldRowBands && y >= kFieldRowStarts[static_cast<std::size_t>(rowBand + 1)])
            ++rowBand;
        int columnBand = 0;
        for (int x = 0; x < kFieldWidth; ++x) {
            while (columnBand + 1 < kFieldColumnBands &&
                   x >= kFieldColumnStarts[static_cast<std::size_t>(columnBand + 1)])
                ++columnBand;
            picture[static_cast<std::size_t>(y * kFieldWidth + x)] = fieldBandColour(columnBand, rowBand);
        }
    }
    return picture;
}

std::int32_t fieldColourAt(const std::vector<std::int32_t>& picture, int x, int y) {
    if (x < 0 || y < 0 || x >= kFieldWidth || y >= kFieldHeight ||
        picture.size() != static_cast<std::size_t>(kFieldWidth * kFieldHeight))
        return kNoColour;
    return picture[static_cast<std::size_t>(y * kFieldWidth + x)];
}

} // namespace orolith
