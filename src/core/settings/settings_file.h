#pragma once
// The settings file (system/orolith.dat): 20 lines kept from one run to the next.

#include "core/platform/small_file.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace orolith {

// One value per line of the file, in file order. Defaults are the window's design values.
struct Settings {
    std::string reserved;                                    // line 1, written back as read
    std::string toolPath;                                    // 2: the external TYP tool
    std::string firstType = "10300";                         // 3
    std::string inputPath = "*.txt";                         // 4: the Geo Vector input box
    std::string palettePath;                                 // 5: the current palette file
    std::array<int, 4> detailLevels{1, 0, 0, 0};             // 6-9: Highest, High, Medium, Low (0/1)
    std::array<std::string, 4> recentFiles{" ", "", "", ""}; // 10-13: recent files, newest first
    std::string maxDistance = "45000";                       // 14
    std::string patternPath;                                 // 15: the current pattern file
    int addContours = 0;                                     // 16 (0/1)
    int rowPerBand = 0;                                      // 17 (0/1)
    std::string mapPath;                                     // 18: the current map ("" until known)
    int region = 0;                                          // 19: 0..6
    std::string maxDrawOrder = "14";                         // 20

    bool operator==(const Settings&) const = default;
};

// <home>/system/orolith.dat
std::filesystem::path settingsPath(const std::filesystem::path& home);

// The largest settings file read: twenty lines, paths among them, fit many times over.
inline constexpr std::size_t kSettingsFileLimit = 32 * 1024;

// Reads the file; nothing when it cannot be opened, is not a regular file or is larger
// than kSettingsFileLimit (`outcome`, when given, tells which). A short or damaged file
// gives what its lines hold and design values for the rest: blanks around numbers are
// ignored, a level, contour or row box outside 0/1 reads as 0, a line that holds no number
// keeps the default.
std::optional<Settings> readSettings(const std::filesystem::path& path, FileRead* outcome = nullptr);

// The file's 20 lines, each ended by CR LF; numbers as " 1 ".
std::string settingsFileText(const Settings& settings);

// Replaces the file by a complete new one. A region above 6 is first set to 3 (in
// `settings` too). False with the system's description in `error` when it failed; the old
// file then stays as it was.
bool writeSettings(const std::filesystem::path& path, Settings& settings, std::string& error);

} // namespace orolith
