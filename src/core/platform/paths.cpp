#include "core/platform/paths.h"

#include "core/platform/atomic_file.h"

#include <filesystem>

namespace orolith {

namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

} // namespace

void toNativeSeparators(std::string& path) {
#ifdef _WIN32
    for (char& c : path)
        if (c == '/')
            c = '\\';
#else
    (void)path;
#endif
}

std::string baseNameOf(std::string_view path) {
    std::size_t start = path.size();
    while (start > 0 && !isSeparator(path[start - 1]))
        --start;
    std::string_view name = path.substr(start);
    return std::string(name.substr(0, name.find('.')));
}

std::string baseName(std::string& path) {
    toNativeSeparators(path);
    return baseNameOf(path);
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

bool writeFile(std::string_view path, std::string_view text, Host& host) {
    std::string bytes;
    bytes.reserve(text.size() + 2);
    bytes.append(text).append("\r\n");
    std::string error;
    if (writeFileAtomically(std::filesystem::path(std::string(path)), bytes, error))
        return true;
    host.message(MessageKind::Failure, std::string(path) + " " + error);
    return false;
}

} // namespace orolith
