#include "core/conversion/legend_captions.h"

#include "core/style/band_colour.h"

namespace orolith {

static_assert(std::tuple_size_v<Palette> == kLegendSwatches);

std::vector<std::string> legendCaptions(const TypeList& types, std::int32_t lowest) {
    std::vector<std::string> captions(kLegendSwatches);
    std::size_t captioned = 0;
    for (std::size_t band = 0; band < types.size() && captioned < kLegendSwatches; ++band) {
        std::string& caption = captions[paletteIndex(paletteCounter(lowest, band))];
        if (caption.empty()) {
            caption = types[band].elevation + "m";
            ++captioned;
        }
    }
    return captions;
}

} // namespace orolith
