#pragma once
// Reading the program's own small files (settings, palettes, patterns) whole. Only regular
// files are read, and only up to a limit the caller sets, so that a name that leads to a
// device, a pipe or a huge file costs nothing.

#include <cstddef>
#include <filesystem>
#include <string>

namespace orolith {

enum class FileRead {
    Done,
    Missing,  // no such file, or it cannot be opened
    NotValid, // not a regular file, or larger than the limit
};

struct SmallFile {
    FileRead outcome = FileRead::Missing;
    std::string bytes; // the whole file when outcome is Done
};

SmallFile readSmallFile(const std::filesystem::path& path, std::size_t limit);

} // namespace orolith
