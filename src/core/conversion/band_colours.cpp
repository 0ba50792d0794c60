#include "core/conversion/band_colours.h"

namespace orolith {

std::size_t colourEntryOfGroup(std::int32_t lowest, std::size_t group) {
    constexpr auto entries = static_cast<std::int64_t>(kColourEntries);
    const std::int64_t count = lowest / 100 + static_cast<std::int64_t>(group % kColourEntries);
    return static_cast<std::size_t>(((count % entries) + entries) % entries);
}

std::vector<std::string> legendCaptions(const TypeList& types, std::int32_t lowest) {
    std::vector<std::string> captions(kColourEntries);
    // The first 26 groups reach every entry once; later groups only repeat them.
    for (std::size_t group = 0; group < kColourEntries; ++group) {
        const std::size_t band = group * kBandsPerColour;
        if (band >= types.size())
            break;
        captions[colourEntryOfGroup(lowest, group)] = types[band].elevation + "m";
    }
    return captions;
}

} // namespace orolith
