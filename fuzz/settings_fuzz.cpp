// Reading the settings file, and what is written from it reading back the same (after the
// first round, which may turn blank-only lines into empty ones).
#include "core/settings/settings_file.h"
#include "fuzz_support.h"

using namespace orolith;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto first = readSettings(fuzz::scratchFile(fuzz::textOf(data, size), "orolith.dat"));
    if (!first)
        return 0;
    const auto second = readSettings(fuzz::scratchFile(settingsFileText(*first), "second.dat"));
    if (!second)
        fuzz::broken("written settings cannot be read");
    const auto third = readSettings(fuzz::scratchFile(settingsFileText(*second), "third.dat"));
    if (!third || *third != *second)
        fuzz::broken("settings change from one write and read to the next");
    return 0;
}
