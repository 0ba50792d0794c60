#pragma once
// The fill pattern: a small tile of "0" (transparent) and "1" (band colour) characters that
// the pattern editor holds, checked and widened to 32 characters per row, and the 32-line
// bitmap each band of the TYP file gets from it.

#include "core/host.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orolith {

struct Pattern {
    std::vector<std::string> rows; // each exactly 32 characters of "0" and "1"
    int count() const { return static_cast<int>(rows.size()); }
};

// The checkerboard the editor gets on a first start.
inline constexpr std::string_view kDefaultPatternText = "01010101\r\n10101010\r\n";

// Checks the editor's text (lines separated by CR LF; empty lines are not rows) and builds
// the widened rows. On failure the reason goes to the host and nothing is returned.
std::optional<Pattern> patternFromText(std::string_view patternText, Host& host);

// The bitmap of one band: 32 lines, each a quote, 32 pattern characters, a quote, CR LF.
// Without `rowPerBand` the whole tile is repeated, shifted by one row per band; with it
// the band's single row is repeated. `pattern` must hold at least one row.
std::string fillPatternBitmap(const Pattern& pattern, std::int32_t band, bool rowPerBand);

// The editor's key filter: only "0", "1", carriage return and backspace reach the text.
bool acceptPatternKey(char c);

} // namespace orolith
