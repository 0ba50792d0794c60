#include "core/app/version_page.h"

#include "core/platform/text_number.h"

#include <algorithm>

namespace orolith {

std::string extractVersionText(std::string_view page) {
    page = page.substr(0, std::min(page.size(), kVersionPageReadLimit));
    constexpr std::string_view kBody = "<body>";
    if (const std::size_t body = page.find(kBody); body != std::string_view::npos) {
        page.remove_prefix(body + kBody.size());
        page = page.substr(0, page.find(kBody));
    }
    page = page.substr(0, page.find("</"));
    std::string text(page);
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
    return text;
}

bool isNewerVersion(std::string_view text, float current) {
    return leadingDecimal(text) > static_cast<double>(current);
}

} // namespace orolith
