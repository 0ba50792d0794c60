#include "core/app/version_page.h"

#include "core/platform/text_number.h"

#include <algorithm>

namespace orolith {

bool VersionPage::parse(std::string_view page) {
    page = page.substr(0, std::min(page.size(), kVersionPageReadLimit));
    constexpr std::string_view kBody = "<body>";
    if (const std::size_t body = page.find(kBody); body != std::string_view::npos) {
        page.remove_prefix(body + kBody.size());
        page = page.substr(0, page.find(kBody));
    }
    page = page.substr(0, page.find("</"));
    versionText_.assign(page);
    std::erase_if(versionText_, [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
    if (!hasLeadingDecimal(versionText_))
        return fail(FileError::NotValid, "The version page names no version.");
    return succeed();
}

bool VersionPage::isNewerThan(float current) const {
    return leadingDecimal(versionText_) > static_cast<double>(current);
}

} // namespace orolith
