#include "cli/area_fetch.h"

#include "cli/cli_host.h"
#include "core/platform/paths.h"
#include "core/platform/text_number.h"
#include "core/settings/home_folder.h"
#include "core/settings/settings_file.h"
#include "download/fetched_area.h"
#include "download/source_settings.h"

#include <cstdio>

namespace orolith::cli {

namespace dl = orolith::download;

const std::set<std::string>& areaOptions() {
    static const std::set<std::string> options = {"--bbox", "--source", "--base-url", "--dir", "--region",
                                                  "--connections"};
    return options;
}

const std::string_view kAreaOptionsUsage =
    "  --bbox S,W,N,E         the tiles of a bounding box (south, west, north, east in degrees)\n"
    "  --source NAME[,NAME]   sources, each tile tried in this order: copernicus30 (Copernicus\n"
    "                         DEM GLO-30), copernicus90 (GLO-90), skadi (SRTM 1\"), srtm3\n"
    "                         (SRTM-3 archive layout) (default: the last used, else\n"
    "                         copernicus30,skadi)\n"
    "  --base-url URL         a mirror's base address for the first source, for this run\n"
    "  --region NAME|INDEX    continent folder of the srtm3 layout (default: the settings')\n"
    "  --dir DIR              the tile cache (default HOME/dem; tiles go to DIR/<source>/)\n"
    "  --connections N        tiles fetched at once, 1 to 4 (default 4)\n";

std::set<std::string> withAreaOptions(std::set<std::string> values) {
    values.insert(areaOptions().begin(), areaOptions().end());
    return values;
}

namespace {

std::optional<std::vector<TileCorner>> areaTiles(const ParsedArgs& parsed, const std::string* coordinate,
                                                 std::string& problem) {
    if (const auto bbox = parsed.value("--bbox")) {
        if (coordinate) {
            problem = "give a coordinate or --bbox, not both";
            return std::nullopt;
        }
        const auto box = dl::parseBoundingBox(*bbox, problem);
        if (!box)
            return std::nullopt;
        std::vector<TileCorner> tiles = dl::tilesCovering(*box);
        if (tiles.size() > dl::kMaxTilesPerFetch) {
            problem = "the bounding box covers " + std::to_string(tiles.size()) + " tiles; at most " +
                      std::to_string(dl::kMaxTilesPerFetch) + " are fetched at once";
            return std::nullopt;
        }
        return tiles;
    }
    if (!coordinate) {
        problem = "no coordinate or --bbox given";
        return std::nullopt;
    }
    const TileNameResult tile = srtmTileName(*coordinate);
    if (tile.problem != TileProblem::None) {
        problem = std::string(trimBlanks(tileProblemMessage(tile.problem)));
        return std::nullopt;
    }
    return std::vector<TileCorner>{tile.tile};
}

// The continent folder for srtm3: --region, else the one the download window kept.
std::optional<int> continentOf(const ParsedArgs& parsed, const std::filesystem::path& home, std::string& problem) {
    if (const auto region = parsed.value("--region")) {
        const auto continent = srtmContinentByName(*region);
        if (!continent)
            problem = "unknown region '" + *region + "'";
        return continent;
    }
    Settings settings;
    SettingsFile().read(settingsPath(home), settings);
    return clampSrtmContinent(settings.region);
}

} // namespace

std::optional<AreaRequest> readAreaRequest(const ParsedArgs& parsed, const std::string* coordinate,
                                           const std::filesystem::path& home, std::string& problem) {
    AreaRequest request;
    auto tiles = areaTiles(parsed, coordinate, problem);
    if (!tiles)
        return std::nullopt;
    request.tiles = std::move(*tiles);
    const dl::SourceSettings settings = dl::readSourceSettings(dl::sourceSettingsPath(home));
    std::vector<dl::SourceKind> kinds = settings.chosen;
    if (const auto names = parsed.value("--source")) {
        auto listed = dl::parseSourceList(*names, problem);
        if (!listed)
            return std::nullopt;
        kinds = std::move(*listed);
    }
    const auto continent = continentOf(parsed, home, problem);
    if (!continent)
        return std::nullopt;
    for (const dl::SourceKind kind : kinds)
        request.options.sources.push_back(dl::configuredSource(settings, kind, *continent));
    if (const auto base = parsed.value("--base-url")) {
        if (!dl::isBaseUrl(*base)) {
            problem = "--base-url takes an http:// or https:// address, not '" + *base + "'";
            return std::nullopt;
        }
        request.options.sources.front().baseUrl = *base;
    }
    if (const auto connections = parsed.value("--connections")) {
        const std::string_view text = trimBlanks(*connections);
        if (text.size() != 1 || text[0] < '1' || text[0] > '4') {
            problem = "--connections takes 1 to 4, not '" + *connections + "'";
            return std::nullopt;
        }
        request.options.connections = text[0] - '0';
    }
    request.options.cacheRoot = parsed.value("--dir") ? std::filesystem::path(*parsed.value("--dir")) : home / "dem";
    return request;
}

namespace {

// The progress line: tiles, bytes and the mean rate so far.
class TerminalProgress : public dl::FetchListener {
  public:
    explicit TerminalProgress(Streams& io) : io_(io) {}
    ~TerminalProgress() override {
        if (drawn_)
            io_.err << "\r\033[K" << std::flush;
    }
    void progress(const dl::FetchProgress& p) override {
        if (!io_.errIsTerminal)
            return;
        const double megabytes = static_cast<double>(p.bytes) / 1e6;
        char line[128];
        std::snprintf(line, sizeof line, "\rFetching %zu/%zu tiles, %.1f MB, %.1f MB/s\033[K", p.tilesDone,
                      p.tilesTotal, megabytes, p.seconds > 0 ? megabytes / p.seconds : 0.0);
        io_.err << line << std::flush;
        drawn_ = true;
    }
    void waiting(TileCorner tile, const std::filesystem::path& lock) override {
        io_.err << (drawn_ ? "\r\033[K" : "") << "Waiting for another run that fetches " << tileName(tile)
                << " (" << pathText(lock) << ")\n"
                << std::flush;
    }

  private:
    Streams& io_;
    bool drawn_ = false;
};

} // namespace

dl::FetchReport fetchArea(const AreaRequest& request, Streams& io, std::string_view command) {
    dl::FetchReport report;
    {
        TerminalProgress progress(io);
        report = dl::fetchTiles(request.tiles, request.options, progress);
    }
    for (const dl::TileResult& tile : report.tiles) {
        if (tile.state == dl::TileState::Failed)
            io.err << "orolith " << command << ": " << tileName(tile.tile) << ": " << tile.problem << "\n";
    }
    return report;
}

std::optional<int> fetchAreaInputs(const ParsedArgs& parsed, const CommandInfo& command, Streams& io,
                                   InputFiles& inputs) {
    const std::filesystem::path home =
        parsed.value("--home") ? std::filesystem::path(*parsed.value("--home")) : defaultHome(executableFolder());
    std::string problem;
    const auto request = readAreaRequest(parsed, nullptr, home, problem);
    if (!request)
        return usageError(io, command, problem);
    const dl::FetchReport report = fetchArea(*request, io, command.name);
    if (!report.complete()) {
        io.err << "orolith " << command.name << ": not every tile of the area could be fetched\n";
        return 1;
    }
    dl::FetchedArea area = dl::fetchedArea(request->tiles, report);
    if (area.rasters.empty()) {
        io.err << "orolith " << command.name << ": no source has a tile of this area: it is all sea\n";
        return 1;
    }
    inputs.isDem = true;
    inputs.dem.inputs = std::move(area.rasters);
    inputs.dem.seaCells = std::move(area.sea);
    inputs.areaName = std::move(area.name);
    inputs.attribution = std::move(area.attribution);
    return std::nullopt;
}

} // namespace orolith::cli
