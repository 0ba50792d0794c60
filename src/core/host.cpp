#include "core/host.h"

namespace orolith {

std::string replaceQuestion(std::string_view path, std::string_view exists, std::string_view question) {
    constexpr std::string_view kBlankLine = "\r\n\r\n";
    std::string text(path);
    text.append(kBlankLine).append(exists).append(kBlankLine).append(question);
    return text;
}

} // namespace orolith
