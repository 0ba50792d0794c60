#pragma once
// Paths between the program's texts and the system: a path as UTF-8 text (for messages and
// the files that record paths) and back, and the name and the folder of a path a user typed.

#include <filesystem>
#include <string>
#include <string_view>

namespace orolith {

// The path as UTF-8 text. Where the system's names are bytes (Linux, macOS) they are
// returned as they are.
std::string pathText(const std::filesystem::path& path);

// The path that UTF-8 text names; the inverse of pathText.
std::filesystem::path pathFromText(std::string_view text);

// The last component of a path text (split at "/" and "\"), up to its first ".":
// "C:/maps/N50W001.hgt.zip" gives "N50W001". A path ending in a separator gives "".
std::string baseNameOf(std::string_view path);

// The folder of a path text with its final separator ("C:\tools\tool.exe" gives "C:\tools\"),
// or `fallback` when the path names no file (empty, ends in a separator, holds "*").
std::string folderOf(std::string_view path, std::string_view fallback);

} // namespace orolith
