#include "core/platform/text_split.h"

namespace orolith {

std::vector<std::string_view> splitAt(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + separator.size();
    }
}

std::vector<std::string_view> splitLines(std::string_view text) {
    if (text.empty())
        return {};
    std::vector<std::string_view> lines = splitAt(text, "\n");
    if (text.back() == '\n')
        lines.pop_back();
    for (std::string_view& line : lines)
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
    return lines;
}

} // namespace orolith
