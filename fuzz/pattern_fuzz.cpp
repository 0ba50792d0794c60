// The pattern file's check, the pattern editor's text and a band's bitmap built from it.
#include "core/style/pattern.h"
#include "core/style/pattern_file.h"
#include "fuzz_support.h"

using namespace orolith;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    std::int32_t band = 0;
    for (int i = 0; i < 4; ++i)
        band = static_cast<std::int32_t>(static_cast<std::uint32_t>(band) << 8 | data[i]);
    const std::string_view text = fuzz::textOf(data + 4, size - 4);
    fuzz::QuietHost host;
    std::string fileText;
    PatternFile file;
    if (file.read(fuzz::scratchFile(text, "input.ptn"), fileText) != (file.errorLine() == 0 && fileText == text))
        fuzz::broken("a pattern file read that disagrees with its error line");
    const auto pattern = patternFromText(text, host);
    if (!pattern)
        return 0;
    if (pattern->count() < 1 || pattern->count() > 32 || 32 % pattern->count() != 0)
        fuzz::broken("a pattern of an unusable row count");
    for (bool rowPerBand : {false, true}) {
        const std::string bitmap = fillPatternBitmap(*pattern, band, rowPerBand);
        if (bitmap.size() != 32 * 36)
            fuzz::broken("a bitmap that is not 32 lines of 32 quoted characters");
        if (bitmap.find_first_not_of("01\"\r\n") != std::string::npos)
            fuzz::broken("a bitmap with other characters than 0 and 1");
    }
    return 0;
}
