#pragma once
// The settings file (system/orolith.dat): 20 lines kept from one run to the next.

#include "core/platform/file_format.h"

#include <array>
#include <filesystem>
#include <string>

namespace orolith {

// One value per line of the file, in file order. Defaults are the window's design values.
struct Settings {
    std::string reserved;                                    // line 1, written back as read
    std::string toolPath;                                    // 2: the external TYP tool
    std::string firstType = "10300";                         // 3
    std::string inputPath = "*.txt";                         // 4: the Geo Vector input box
    std::string palettePath;                                 // 5: the current palette file
    std::array<bool, 4> detailLevels{true, false, false, false}; // 6-9: Highest, High, Medium, Low
    std::array<std::string, 4> recentFiles{" ", "", "", ""}; // 10-13: recent files, newest first
    std::string maxDistance = "45000";                       // 14
    std::string patternPath;                                 // 15: the current pattern file
    bool addContours = false;                                // 16
    bool rowPerBand = false;                                 // 17
    std::string mapPath;                                     // 18: the current map ("" until known)
    int region = 0;                                          // 19: 0..6
    std::string maxDrawOrder = "14";                         // 20

    bool operator==(const Settings&) const = default;
};

// The largest settings file read: twenty lines, paths among them, fit many times over.
inline constexpr std::size_t kSettingsFileLimit = 32 * 1024;

// The settings file: twenty lines, check boxes written as " 1 " or " 0 ", every line ended
// by CR LF.
class SettingsFile : public FileFormat {
public:
    // Reads the file into `settings`. False (Missing or NotValid, "Not a valid settings
    // file.") when it cannot be opened, is not a regular file or is larger than
    // kSettingsFileLimit; `settings` is then unchanged. A short or damaged file gives what its
    // lines hold and design values for the rest: blanks around numbers are ignored, a level,
    // contour or row box that is no 1 reads as cleared, a line that holds no number keeps the
    // default.
    bool read(const std::filesystem::path& path, Settings& settings);

    // Replaces the file by a complete new one. A region above 6 is first set to 3 (in
    // `settings` too). False (NotWritten: the path, a blank and the system's description) when it failed; the old
    // file then stays as it was.
    bool write(const std::filesystem::path& path, Settings& settings);

    // The file's 20 lines.
    static std::string text(const Settings& settings);
};

} // namespace orolith
