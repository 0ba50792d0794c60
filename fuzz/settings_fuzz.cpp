// Reading the settings file, and what is written from it reading back the same (after the
// first round, which may turn blank-only lines into empty ones).
#include "core/settings/settings_file.h"
#include "fuzz_support.h"

using namespace orolith;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SettingsFile file;
    Settings first, second, third;
    if (!file.read(fuzz::scratchFile(fuzz::textOf(data, size), "orolith.dat"), first))
        return 0;
    if (!file.read(fuzz::scratchFile(SettingsFile::text(first), "second.dat"), second))
        fuzz::broken("written settings cannot be read");
    if (!file.read(fuzz::scratchFile(SettingsFile::text(second), "third.dat"), third) || third != second)
        fuzz::broken("settings change from one write and read to the next");
    return 0;
}
