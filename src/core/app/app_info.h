#pragma once
// The program's name, version and the addresses it knows: kept in this one place.

#include <string_view>

namespace orolith::app {

inline constexpr std::string_view kName = "Orolith Creator";
inline constexpr float kVersion = 0.6f;
inline constexpr std::string_view kVersionText = "0.6";

// The maker's pages: the published version number, the manual, the download page.
inline constexpr std::string_view kVersionPageUrl = "https://orolith-creator.org/version.htm";
inline constexpr std::string_view kHelpPageUrl = "https://orolith-creator.org/help.htm";
inline constexpr std::string_view kDownloadPageUrl = "https://orolith-creator.org/download.htm";
inline constexpr std::string_view kUpdateAgentName = "mtm1";

// The public SRTM-3 archive (version 2.1): one folder per continent, one .hgt.zip per tile.
// Its hosts have moved over the years; change the address here only. Ends in "/".
inline constexpr std::string_view kSrtmBaseUrl = "https://dds.cr.usgs.gov/srtm/version2_1/SRTM3/";

} // namespace orolith::app
