#pragma once
// The update check's reading of the maker's version page.

#include "core/platform/file_format.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace orolith {

// At most this many bytes of the page are read.
inline constexpr std::size_t kVersionPageReadLimit = 1000;

class VersionPage : public FileFormat {
public:
    // Takes the version text of a page: its first 1000 bytes, the part after the first
    // "<body>" up to the next one (the whole text when there is none), cut before the first
    // "</", with every blank and line break removed. False (NotValid) when that text does not
    // start with a number; the text is kept all the same.
    bool parse(std::string_view page);

    const std::string& versionText() const { return versionText_; }

    // True when the text's leading number ("." as decimal point, 0 when none) is greater
    // than `current`.
    bool isNewerThan(float current) const;

private:
    std::string versionText_;
};

} // namespace orolith
