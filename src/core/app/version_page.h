#pragma once
// The update check's reading of the maker's version page.

#include <cstddef>
#include <string>
#include <string_view>

namespace orolith {

// At most this many bytes of the page are read.
inline constexpr std::size_t kVersionPageReadLimit = 1000;

// The version text of a page: its first 1000 bytes, the part after the first "<body>" up
// to the next one (the whole text when there is none), cut before the first "</", with every
// blank and line break removed.
std::string extractVersionText(std::string_view page);

// True when the text's leading number ("." as decimal point, 0 when none) is greater
// than `current`.
bool isNewerVersion(std::string_view text, float current);

} // namespace orolith
