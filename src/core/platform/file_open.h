#pragma once
// Opening files by their std::filesystem::path with std::fopen's modes. On Windows the wide
// name is used, so that every file name the system allows can be opened; elsewhere the path's
// own bytes are.

#include <cstdio>
#include <filesystem>

namespace orolith {

// std::fopen for a path: nullptr (with errno) when the file cannot be opened.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

} // namespace orolith
