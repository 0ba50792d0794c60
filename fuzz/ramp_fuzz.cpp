// Reading a colour ramp text in each of the three forms: a ramp read has stops with colours
// in range, each form's stops rise, and the band colours of any ramp read are unique.
#include "core/style/band_tint.h"
#include "core/style/ramp_readers.h"
#include "fuzz_support.h"

#include <set>

using namespace orolith;

namespace {

void check(const ColourRamp& ramp) {
    for (const auto* stops : {&ramp.day, &ramp.night})
        for (const RampStop& stop : *stops)
            for (const int c : {stop.colour.red, stop.colour.green, stop.colour.blue})
                if (c < 0 || c > 255)
                    fuzz::broken("a colour component outside 0..255");
    TintChoice tint;
    tint.ramp = ramp;
    TypeList types;
    for (int i = 0; i < 40; ++i)
        types.push_back({std::to_string(i * 10 - 100), "10300"});
    const BandColours colours = colourBands(defaultPalette(), false, tint, types, -100);
    std::set<std::int32_t> seen;
    for (const Rgb& c : colours.day)
        if (!seen.insert(packColour(c.red, c.green, c.blue)).second)
            fuzz::broken("two bands share a colour");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::textOf(data, size);
    ColourReliefReader relief;
    CptReader cpt;
    QgisColourMapReader qgis;
    for (RampTextReader* reader : std::initializer_list<RampTextReader*>{&relief, &cpt, &qgis}) {
        ColourRamp ramp;
        if (reader->read(text, ramp))
            check(ramp);
        else if (reader->error().empty())
            fuzz::broken("a failure without a reason");
    }
    return 0;
}
