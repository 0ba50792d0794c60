// The update check's reading of a version page.
#include "core/app/version_page.h"
#include "fuzz_support.h"

using namespace orolith;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VersionPage page;
    const bool named = page.parse(fuzz::textOf(data, size));
    const std::string& text = page.versionText();
    if (text.size() > kVersionPageReadLimit)
        fuzz::broken("a version text longer than the bytes read");
    if (text.find_first_of(" \t\r\n") != std::string::npos)
        fuzz::broken("a version text with blanks or line breaks");
    if (!named && page.isNewerThan(0.0f))
        fuzz::broken("a newer version from a page that names none");
    return 0;
}
