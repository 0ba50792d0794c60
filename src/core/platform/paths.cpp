#include "core/platform/paths.h"

namespace orolith {

namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

} // namespace

std::string pathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::filesystem::path pathFromText(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string baseNameOf(std::string_view path) {
    std::size_t start = path.size();
    while (start > 0 && !isSeparator(path[start - 1]))
        --start;
    std::string_view name = path.substr(start);
    return std::string(name.substr(0, name.find('.')));
}

std::string folderOf(std::string_view path, std::string_view fallback) {
    const std::string name = baseNameOf(path);
    if (name.empty() || name.find('*') != std::string::npos)
        return std::string(fallback);
    std::size_t end = path.size();
    while (end > 0 && !isSeparator(path[end - 1]))
        --end;
    return std::string(path.substr(0, end));
}

} // namespace orolith
