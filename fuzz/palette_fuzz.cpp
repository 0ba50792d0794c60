// Reading a palette file, and the saved text of what was read reading back the same.
#include "core/style/palette.h"
#include "fuzz_support.h"

using namespace orolith;

namespace {

void checkRange(const Palette& palette) {
    for (std::int32_t colour : palette)
        if (colour < 0 || colour > 0xFFFFFF)
            fuzz::broken("a colour outside 0..FFFFFF");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Palette palette = defaultPalette();
    readPalette(fuzz::scratchFile(fuzz::textOf(data, size), "input.col").string(), palette);
    checkRange(palette);
    Palette again{};
    readPalette(fuzz::scratchFile(paletteFileText(palette), "again.col").string(), again);
    if (again != palette)
        fuzz::broken("a saved palette reads back differently");
    desaturate(again);
    checkRange(again);
    shadePaletteFromFirst(palette);
    checkRange(palette);
    return 0;
}
