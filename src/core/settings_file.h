#pragma once
// INTERIM stand-in until the styling branch is merged; removed before merging main.
#include <array>
#include <optional>
#include <string>

namespace orolith {

struct Settings {
    std::string reserved;
    std::string toolPath;
    std::string firstType = "10300";
    std::string inputPath = "*.txt";
    std::string paletteFile;
    std::array<bool, 4> detailLevels{true, false, false, false};
    std::array<std::string, 4> recentFiles{" ", "", "", ""};
    std::string maxDistance = "45000";
    std::string patternFile;
    bool addContours = false;
    bool rowPerBand = false;
    std::string mpFile;
    int region = 0;
    std::string maxDrawOrder = "14";
};

std::optional<Settings> readSettings(const std::string& path);
bool writeSettings(const std::string& path, Settings& settings, std::string& error);

} // namespace orolith
