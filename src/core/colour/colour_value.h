#pragma once
// A colour value packs blue × 65536 + green × 256 + red: red in the low byte.

#include <cstdint>

namespace orolith {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

inline Rgb splitColour(std::int32_t colour) {
    return {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
}

inline std::int32_t packColour(int red, int green, int blue) {
    return blue * 0x10000 + green * 0x100 + red;
}

} // namespace orolith
