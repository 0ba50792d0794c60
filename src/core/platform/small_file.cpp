#include "core/platform/small_file.h"

#include <fstream>
#include <system_error>

namespace orolith {

SmallFile readSmallFile(const std::filesystem::path& path, std::size_t limit) {
    SmallFile file;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status))
        return file;
    const auto size = std::filesystem::is_regular_file(status) ? std::filesystem::file_size(path, ec) : 0;
    if (!std::filesystem::is_regular_file(status) || ec || size > limit) {
        file.outcome = FileRead::NotValid;
        return file;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return file;
    // The file may have grown since its size was taken: read one byte beyond the limit at most.
    file.bytes.resize(limit + 1);
    in.read(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
    file.bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        file.bytes.clear();
        return file;
    }
    file.outcome = file.bytes.size() > limit ? FileRead::NotValid : FileRead::Done;
    if (file.outcome != FileRead::Done)
        file.bytes.clear();
    return file;
}

} // namespace orolith
