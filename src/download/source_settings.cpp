#include "download/source_settings.h"

#include "core/platform/atomic_file.h"
#include "core/platform/small_file.h"
#include "core/platform/text_number.h"
#include "core/platform/text_split.h"

#include <algorithm>
#include <optional>

namespace orolith::download {

namespace fs = std::filesystem;

fs::path sourceSettingsIn(const fs::path& settingsFolder) {
    return settingsFolder / "dem-sources.txt";
}

std::string tidyBaseUrl(std::string_view text) {
    std::string url(trimBlanks(text));
    while (!url.empty() && url.back() == '/')
        url.pop_back();
    return url;
}

bool isBaseUrl(std::string_view text) {
    const std::string url = tidyBaseUrl(text);
    for (const std::string_view scheme : {"http://", "https://"}) {
        if (url.size() > scheme.size() && url.compare(0, scheme.size(), scheme) == 0)
            return url.find_first_of(" \t\r\n") == std::string::npos;
    }
    return false;
}

std::optional<std::vector<SourceKind>> parseSourceList(std::string_view text, std::string& problem) {
    std::vector<SourceKind> kinds;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        const std::string_view name = trimBlanks(text.substr(from, comma - from));
        const std::optional<SourceKind> kind = sourceByName(name);
        if (!kind) {
            problem = "unknown source '" + std::string(name) + "' (copernicus30, copernicus90, skadi, srtm3)";
            return std::nullopt;
        }
        if (std::find(kinds.begin(), kinds.end(), *kind) != kinds.end()) {
            problem = "source '" + std::string(name) + "' named twice";
            return std::nullopt;
        }
        kinds.push_back(*kind);
        from = comma + 1;
    }
    return kinds;
}

SourceSettings readSourceSettings(const fs::path& path) {
    SourceSettings settings;
    // A few lines of source names and addresses; anything larger is no such file.
    constexpr std::size_t kLimit = 64 * 1024;
    const SmallFile file = readSmallFile(path, kLimit);
    for (const std::string_view line : splitLines(file.bytes)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = trimBlanks(line.substr(0, equals));
        const std::string_view value = line.substr(equals + 1);
        std::string problem;
        if (key == "sources") {
            if (auto kinds = parseSourceList(value, problem); kinds && !kinds->empty())
                settings.chosen = std::move(*kinds);
        } else if (const auto kind = sourceByName(key); kind && isBaseUrl(value)) {
            if (tidyBaseUrl(value) != defaultBaseUrl(*kind))
                settings.baseUrls[*kind] = tidyBaseUrl(value);
        }
    }
    return settings;
}

bool writeSourceSettings(const fs::path& path, const SourceSettings& settings, std::string& error) {
    std::string text = "sources=";
    for (std::size_t i = 0; i < settings.chosen.size(); ++i)
        text += (i ? "," : "") + std::string(sourceName(settings.chosen[i]));
    text += "\r\n";
    for (const auto& [kind, url] : settings.baseUrls)
        text += std::string(sourceName(kind)) + "=" + url + "\r\n";
    std::error_code folderError;
    fs::create_directories(path.parent_path(), folderError);
    return writeFileAtomically(path, text, error);
}

TileSource configuredSource(const SourceSettings& settings, SourceKind kind, int continent) {
    TileSource source = defaultSource(kind);
    if (const auto found = settings.baseUrls.find(kind); found != settings.baseUrls.end())
        source.baseUrl = found->second;
    source.continent = clampSrtmContinent(continent);
    return source;
}

} // namespace orolith::download
