#pragma once
// The style settings the TYP writer and the preview take from the window's controls or the
// command line, and the checks both make before they use them.

#include "core/host.h"
#include "core/style/pattern.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orolith {

struct StyleOptions {
    std::string patternText;           // the pattern editor's text
    std::int16_t maxDrawOrder = 14;    // the highest draw order written (see readMaxDrawOrder)
    std::uint32_t firstType = 0x10300; // the first band's type (see FirstType)
    std::filesystem::path typPath;     // the TYP text file to write
    bool oneColour = false;            // light grey shades instead of palette colours
    bool rowPerBand = false;           // each band repeats one pattern row
};

// The draw-order box: a lenient decimal, rounded half to even, kept within 16 bits.
std::int16_t readMaxDrawOrder(std::string_view text);

// False, after telling the host "Please add pattern.", when the pattern text holds nothing
// but blanks and line breaks.
bool requirePattern(std::string_view patternText, Host& host);

// The checked pattern of the options; nothing, after telling the host why, when the draw
// order is zero or the pattern is missing or no tile.
std::optional<Pattern> checkStyle(const StyleOptions& style, Host& host);

} // namespace orolith
