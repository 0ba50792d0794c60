#pragma once
// The program's name, version and the addresses it knows: kept in this one place.

#include <string_view>

namespace orolith::app {

inline constexpr std::string_view kName = "Orolith Creator";

// The version is set once, as the project's version in the top CMakeLists.txt.
inline constexpr std::string_view kVersionText = OROLITH_VERSION_TEXT;

// "0.6" as 0.6: the digits before and after the first ".", for comparing with a published
// version number.
constexpr float versionNumber(std::string_view text) {
    double number = 0;
    double scale = 1;
    bool fraction = false;
    for (const char c : text) {
        if (c == '.' && !fraction) {
            fraction = true;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        if (fraction)
            number += (c - '0') * (scale /= 10);
        else
            number = number * 10 + (c - '0');
    }
    return static_cast<float>(number);
}
inline constexpr float kVersion = versionNumber(kVersionText);

// The maker's pages: the published version number, the manual, the download page.
inline constexpr std::string_view kVersionPageUrl = "https://orolith-creator.org/version.htm";
inline constexpr std::string_view kHelpPageUrl = "https://orolith-creator.org/help.htm";
inline constexpr std::string_view kDownloadPageUrl = "https://orolith-creator.org/download.htm";
inline constexpr std::string_view kUpdateAgentName = "mtm1";

// The public SRTM-3 archive (version 2.1): one folder per continent, one .hgt.zip per tile.
// Its hosts have moved over the years; change the address here only. Ends in "/".
inline constexpr std::string_view kSrtmBaseUrl = "https://dds.cr.usgs.gov/srtm/version2_1/SRTM3/";

} // namespace orolith::app
