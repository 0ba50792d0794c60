#include "core/style/style_options.h"

#include "core/platform/text_number.h"

#include <algorithm>
#include <limits>

namespace orolith {

std::int16_t readMaxDrawOrder(std::string_view text) {
    const double value = leadingDecimal(text);
    const auto rounded = roundHalfEven(value);
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(
        rounded, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

bool requirePattern(std::string_view patternText, Host& host) {
    if (patternText.find_first_not_of(" \t\r\n") != std::string_view::npos)
        return true;
    host.message(MessageKind::Failure, "Please add pattern.");
    return false;
}

std::optional<Pattern> checkStyle(const StyleOptions& style, Host& host) {
    if (style.maxDrawOrder == 0) {
        host.message(MessageKind::Failure, "Maximum draworder can't be zero");
        return std::nullopt;
    }
    if (!requirePattern(style.patternText, host))
        return std::nullopt;
    return patternFromText(style.patternText, host);
}

} // namespace orolith
