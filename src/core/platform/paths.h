#pragma once
// Small path and colour helpers shared by the windows: the name and the folder of a path,
// writing a text file in one go, the components of a colour value.

#include "core/host.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orolith {

// The platform's path separator and the other one, which paths typed by users may hold.
#ifdef _WIN32
inline constexpr char kNativeSeparator = '\\';
#else
inline constexpr char kNativeSeparator = '/';
#endif

// Turns the non-native separator into the native one where that is a separator ("/" on
// Windows); elsewhere the path is left alone.
void toNativeSeparators(std::string& path);

// The last component of a path (split at "/" and "\"), up to its first ".":
// "C:/maps/N50W001.hgt.zip" gives "N50W001". A path ending in a separator gives "".
// This form also turns the caller's path to native separators.
std::string baseName(std::string& path);
std::string baseNameOf(std::string_view path);

// The folder of a path with its final separator ("C:\tools\tool.exe" gives "C:\tools\"),
// or `fallback` when the path names no file (empty, ends in a separator, holds "*").
std::string folderOf(std::string_view path, std::string_view fallback);

// Replaces the file with `text` and a CR LF, atomically. On failure the host is told
// `path`, a blank and the system's description, and the old file (if any) is untouched.
bool writeFile(std::string_view path, std::string_view text, Host& host);

} // namespace orolith
