#pragma once
// The download settings kept beside the program's settings file: the sources chosen last
// and a mirror's base address for any source. The file (system/dem-sources.txt) holds
// "sources=copernicus30,skadi" and one "<source>=<base address>" line per mirror, CR LF
// ended; a missing or damaged file gives the defaults.

#include "download/tile_source.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orolith::download {

struct SourceSettings {
    std::vector<SourceKind> chosen{SourceKind::Copernicus30, SourceKind::Skadi};
    std::map<SourceKind, std::string> baseUrls; // only those that differ from the default

    bool operator==(const SourceSettings&) const = default;
};

// dem-sources.txt in the settings folder.
std::filesystem::path sourceSettingsIn(const std::filesystem::path& settingsFolder);
SourceSettings readSourceSettings(const std::filesystem::path& path);
// Replaces the file atomically; false with the system's description in `error`.
bool writeSourceSettings(const std::filesystem::path& path, const SourceSettings& settings, std::string& error);

// A base address is an http or https address; a final "/" is dropped.
bool isBaseUrl(std::string_view text);
// The address as kept: without blanks around it and without a final "/".
std::string tidyBaseUrl(std::string_view text);

// The source with the settings' base address (or the default) and the continent folder.
TileSource configuredSource(const SourceSettings& settings, SourceKind kind, int continent);

// "copernicus30,skadi" as kinds; nothing with `problem` set for an unknown or repeated name.
std::optional<std::vector<SourceKind>> parseSourceList(std::string_view text, std::string& problem);

} // namespace orolith::download
