#include "core/style/palette.h"

#include "core/colour/colour_value.h"
#include "core/platform/paths.h"
#include "core/platform/text_number.h"

namespace orolith {

Palette defaultPalette() {
    static constexpr std::array<std::int32_t, 14> kColours = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
        0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF,
    };
    Palette palette{};
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette[i] = kColours[i % kColours.size()];
    return palette;
}

void desaturate(Palette& palette) {
    for (std::int32_t& colour : palette) {
        const Rgb c = splitColour(colour);
        const int grey = static_cast<int>(roundHalfEven((c.red + c.green + c.blue) / 3.0));
        colour = packColour(grey, grey, grey);
    }
}

void shadePaletteFromFirst(Palette& palette) {
    const Rgb base = splitColour(palette[0]);
    for (int j = 1; j < static_cast<int>(palette.size()); ++j) {
        const int k = 3 * (j - 1);
        palette[static_cast<std::size_t>(j)] =
            packColour(base.red - base.red * k / 128, base.green - base.green * k / 128,
                       base.blue - base.blue * k / 128);
    }
}

} // namespace orolith
