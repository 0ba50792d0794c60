#include "core/platform/file_open.h"

#include <string>

namespace orolith {

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    const std::string narrow(mode);
    const std::wstring wide(narrow.begin(), narrow.end()); // modes are plain ASCII
    return ::_wfopen(path.c_str(), wide.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

} // namespace orolith
