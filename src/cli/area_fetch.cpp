#include "cli/area_fetch.h"

#include "cli/cli_host.h"
#include "core/platform/paths.h"
#include "cli/cli_places.h"
#include "cli/interrupt_catcher.h"
#include "core/platform/text_number.h"
#include "core/settings/settings_file.h"
#include "core/platform/size_text.h"
#include "download/fetch_estimate.h"
#include "download/fetched_area.h"
#include "download/source_settings.h"

#include <algorithm>
#include <optional>

namespace orolith::cli {

namespace dl = orolith::download;

const std::set<std::string>& areaOptions() {
    static const std::set<std::string> options = {"--bbox", "--source", "--base-url", "--dir", "--region",
                                                  "--connections"};
    return options;
}

const std::set<std::string>& areaFlags() {
    static const std::set<std::string> flags = {"--across-180"};
    return flags;
}

const std::string_view kAreaOptionsUsage =
    "  --bbox S,W,N,E         the tiles of a bounding box (south, west, north, east in degrees)\n"
    "  --across-180           a --bbox whose west edge is greater than its east edge crosses the\n"
    "                         180° meridian (without it, such a box is refused as swapped)\n"
    "  --source NAME[,NAME]   sources, each tile tried in this order: copernicus30 (Copernicus\n"
    "                         DEM GLO-30), copernicus90 (GLO-90), skadi (SRTM 1\"), srtm3\n"
    "                         (SRTM-3 archive layout) (default: the last used, else\n"
    "                         copernicus30,skadi)\n"
    "  --base-url URL         a mirror's base address for the first source, for this run\n"
    "  --region NAME|INDEX    continent folder of the srtm3 layout (default: the settings')\n"
    "  --dir DIR              the tile cache (default ~/.cache/orolith-creator/dem, or HOME/dem\n"
    "                         with --home; tiles go to DIR/<source>/)\n"
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
        const dl::Crossing crossing = parsed.has("--across-180") ? dl::Crossing::Allowed : dl::Crossing::Refused;
        const auto box = dl::parseBoundingBox(*bbox, problem, crossing);
        if (!box) {
            std::string ignored;
            if (crossing == dl::Crossing::Refused && dl::parseBoundingBox(*bbox, ignored, dl::Crossing::Allowed))
                problem += "; the second needs --across-180";
            return std::nullopt;
        }
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
std::optional<int> continentOf(const ParsedArgs& parsed, const HomePlaces& places, std::string& problem) {
    if (const auto region = parsed.value("--region")) {
        const auto continent = srtmContinentByName(*region);
        if (!continent)
            problem = "unknown region '" + *region + "'";
        return continent;
    }
    Settings settings;
    SettingsFile().read(settingsFileIn(places), settings);
    return clampSrtmContinent(settings.region);
}

} // namespace

std::optional<AreaRequest> readAreaRequest(const ParsedArgs& parsed, const std::string* coordinate,
                                           const HomePlaces& places, std::string& problem) {
    AreaRequest request;
    auto tiles = areaTiles(parsed, coordinate, problem);
    if (!tiles)
        return std::nullopt;
    request.tiles = std::move(*tiles);
    const dl::SourceSettings settings = dl::readSourceSettings(dl::sourceSettingsIn(places.settings));
    std::vector<dl::SourceKind> kinds = settings.chosen;
    if (const auto names = parsed.value("--source")) {
        auto listed = dl::parseSourceList(*names, problem);
        if (!listed)
            return std::nullopt;
        kinds = std::move(*listed);
    }
    const auto continent = continentOf(parsed, places, problem);
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
    request.options.cacheRoot = parsed.value("--dir") ? std::filesystem::path(*parsed.value("--dir")) : places.tiles;
    return request;
}

namespace {

// The time left: from the larger of the shares done in bytes (of the estimate)
// and in tiles; nothing in the first second or once the estimate is passed.
std::optional<double> timeLeft(const dl::FetchProgress& p, std::uint64_t expectedBytes) {
    double done = p.tilesTotal > 0 ? static_cast<double>(p.tilesDone) / static_cast<double>(p.tilesTotal) : 0;
    if (expectedBytes > 0)
        done = std::max(done, static_cast<double>(p.bytes) / static_cast<double>(expectedBytes));
    if (done <= 0 || done >= 1 || p.seconds < 1)
        return std::nullopt;
    return p.seconds * (1 - done) / done;
}

// The progress line, drawn over itself on a terminal.
class TerminalProgress : public dl::FetchListener {
  public:
    TerminalProgress(Streams& io, std::uint64_t expectedBytes) : io_(io), expectedBytes_(expectedBytes) {}
    ~TerminalProgress() override {
        if (drawn_)
            io_.err << "\r\033[K" << std::flush;
    }
    void progress(const dl::FetchProgress& p) override {
        if (!io_.errIsTerminal)
            return;
        io_.err << '\r' << fetchProgressText(p, expectedBytes_) << "\033[K" << std::flush;
        drawn_ = true;
    }
    void waiting(TileCorner tile, const std::filesystem::path& lock) override {
        io_.err << (drawn_ ? "\r\033[K" : "") << "Waiting for another run that fetches " << tileName(tile)
                << " (" << pathText(lock) << ")\n"
                << std::flush;
    }
    bool cancelled() override { return InterruptCatcher::raised(); }

  private:
    Streams& io_;
    std::uint64_t expectedBytes_;
    bool drawn_ = false;
};

} // namespace

std::string fetchProgressText(const dl::FetchProgress& p, std::uint64_t expectedBytes) {
    std::string line = "Fetching " + std::to_string(p.tilesDone) + "/" + std::to_string(p.tilesTotal) + " tiles, " +
                       sizeText(p.bytes);
    if (expectedBytes > p.bytes)
        line += " of about " + sizeText(expectedBytes);
    if (p.seconds > 0)
        line += ", " + sizeText(static_cast<std::uint64_t>(static_cast<double>(p.bytes) / p.seconds)) + "/s";
    if (const auto left = timeLeft(p, expectedBytes))
        line += ", " + durationText(*left) + " left";
    return line;
}

dl::FetchReport fetchArea(const AreaRequest& request, Streams& io, std::string_view command) {
    const dl::FetchEstimate estimate = dl::estimateFetch(request.tiles, request.options);
    io.err << "Area: " << dl::estimateText(estimate) << "\n" << std::flush;
    dl::FetchReport report;
    {
        TerminalProgress progress(io, estimate.bytes);
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
    const HomePlaces places = placesOf(parsed);
    std::string problem;
    const auto request = readAreaRequest(parsed, nullptr, places, problem);
    if (!request)
        return usageError(io, command, problem);
    const dl::FetchReport report = fetchArea(*request, io, command.name);
    if (report.cancelled) {
        io.err << "Cancelled\n";
        return InterruptCatcher::cancelledStatus();
    }
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
    inputs.areaFolder = dl::areaFolder(places.maps, area.name);
    inputs.areaName = std::move(area.name);
    inputs.attribution = std::move(area.attribution);
    return std::nullopt;
}

} // namespace orolith::cli
