// Both passes of a conversion over an arbitrary input: the elevation scan and the polygon
// pass with the distance filter. The first byte picks the options. The map goes to the null
// device, which is written to directly, so runs stay fast.
#include "core/conversion/conversion.h"
#include "fuzz_support.h"

using namespace orolith;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static constexpr const char* kDistances[] = {"0", "45000", "1e308", "-1", "nan", "1e-400", "x", ".5"};
    const std::uint8_t choice = data[0];
    fuzz::QuietHost host;
    ConversionOptions options;
    options.inputPath = fuzz::scratchFile(fuzz::textOf(data + 1, size - 1), "input.txt").string();
    options.detailLevels = {(choice & 1) != 0, (choice & 2) != 0, true, (choice & 4) != 0};
    options.addContours = (choice & 8) != 0;
    options.maxDistance = MaxDistance::fromText(kDistances[(choice >> 4) & 7]);
    options.firstType = FirstType::fromText((choice & 128) != 0 ? "FFFFFFFF" : "10300");
#ifdef _WIN32
    options.outputPath = "NUL";
#else
    options.outputPath = "/dev/null";
#endif
    const ConversionResult listed = listElevations(options, host);
    const ConversionResult written = convertGeoVector(options, host);
    if (written.ranPasses && !written.written)
        fuzz::broken("a map to the null device was not written");
    if (listed.types.size() != written.types.size() || listed.lowest != written.lowest)
        fuzz::broken("the listing and the conversion disagree");
    if (written.legendCaptions.size() > 26)
        fuzz::broken("more captions than swatches");
    return 0;
}
