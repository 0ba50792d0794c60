// Reading a palette file, and the saved text of what was read reading back the same.
#include "core/style/palette.h"
#include "core/style/palette_file.h"
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
    PaletteFile file;
    file.read(fuzz::scratchFile(fuzz::textOf(data, size), "input.col"), palette);
    checkRange(palette);
    Palette again{};
    if (!file.read(fuzz::scratchFile(PaletteFile::text(palette), "again.col"), again))
        fuzz::broken("a saved palette cannot be read");
    if (again != palette)
        fuzz::broken("a saved palette reads back differently");
    desaturate(again);
    checkRange(again);
    shadePaletteFromFirst(palette);
    checkRange(palette);
    return 0;
}
