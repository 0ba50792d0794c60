#include "core/style/band_colour.h"

#include "core/platform/text_number.h"

#include <algorithm>

namespace orolith {

std::int64_t paletteCounter(std::int32_t lowest, std::size_t band) {
    return static_cast<std::int64_t>(lowest / 100) + static_cast<std::int64_t>(band / 4);
}

std::size_t paletteIndex(std::int64_t counter) {
    constexpr auto size = static_cast<std::int64_t>(std::tuple_size_v<Palette>);
    return static_cast<std::size_t>(((counter % size) + size) % size);
}

std::int32_t paletteEntry(const Palette& palette, std::int64_t counter) {
    return palette[paletteIndex(counter)];
}

Rgb shadeOf(std::int32_t colour, int step, bool oneColour) {
    Rgb rgb = splitColour(colour);
    if (oneColour)
        rgb = {220, 220, 220};
    if (step > 0) {
        for (int* x : {&rgb.red, &rgb.green, &rgb.blue}) {
            const auto lighter = roundHalfEven(static_cast<double>(*x) * step / 50.0 + *x);
            *x = static_cast<int>(std::min<std::int64_t>(lighter, 250));
        }
    }
    return rgb;
}

Rgb bandColour(const Palette& palette, std::int32_t lowest, std::size_t band, bool oneColour) {
    return shadeOf(paletteEntry(palette, paletteCounter(lowest, band)), static_cast<int>(band % 4), oneColour);
}

} // namespace orolith
