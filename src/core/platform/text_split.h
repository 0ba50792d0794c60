#pragma once
// Cutting texts into pieces: lists at a separator and files into lines. The pieces are
// views into the text.

#include <string_view>
#include <vector>

namespace orolith {

// The text cut at every occurrence of `separator`: n occurrences give n + 1 pieces, empty
// ones included ("a,,b" at "," gives "a", "", "b"; "" gives one empty piece).
std::vector<std::string_view> splitAt(std::string_view text, std::string_view separator);

// The lines of a text: cut at every LF, a CR before it dropped, no line after a final line
// end ("a\r\nb\n" gives "a", "b"; "" gives none). Files with CR LF or bare LF read alike.
std::vector<std::string_view> splitLines(std::string_view text);

} // namespace orolith
