// orolith fetch COORD | --bbox S,W,N,E: the elevation tiles of an area into the cache.
#include "cli/area_fetch.h"
#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/cli_places.h"

#include <algorithm>

namespace orolith::cli {

namespace {

const std::string kFetchUsage = std::string(
    "Usage: orolith fetch COORD [OPTIONS]\n"
    "       orolith fetch --bbox SOUTH,WEST,NORTH,EAST [OPTIONS]\n"
    "\n"
    "Fetches the 1-degree elevation tiles of an area into the tile cache and prints the path\n"
    "of each tile it has, one a line. COORD is latitude and longitude in decimal degrees\n"
    "(50.7531/-3.4354) and stands for the tile that holds it. A tile that no source has is\n"
    "sea: it is left out (the maps take it as 0 m). A tile already in the cache is not\n"
    "fetched again; an interrupted download resumes.\n"
    "\n"
    "Options:\n") + std::string(kAreaOptionsUsage) +
    "  --home DIR             one folder for the settings and the cache (HOME/dem)\n"
    "  --help                 show this text\n"
    "\n"
    "Exit status: 0 every tile is there or is sea, 1 some failed (listed on standard error),\n"
    "2 a usage error.\n";

const CommandInfo kFetchCommand{"fetch", kFetchUsage};

} // namespace

int runFetch(Args args, Streams& io) {
    std::set<std::string> valueOptions = areaOptions();
    valueOptions.insert("--home");
    std::set<std::string> flags = areaFlags();
    flags.insert("--help");
    const ParsedArgs parsed = readArgs(args, valueOptions, flags);
    if (parsed.has("--help") && parsed.error.empty()) {
        io.out << kFetchUsage;
        return 0;
    }
    if (!parsed.error.empty())
        return usageError(io, kFetchCommand, parsed.error);
    if (parsed.positional.size() > 1)
        return usageError(io, kFetchCommand, "more than one coordinate given");
    std::string problem;
    const std::string* coordinate = parsed.positional.empty() ? nullptr : &parsed.positional.front();
    const auto request = readAreaRequest(parsed, coordinate, placesOf(parsed), problem);
    if (!request)
        return usageError(io, kFetchCommand, problem);

    const download::FetchReport report = fetchArea(*request, io, "fetch");
    for (const auto& file : report.files())
        io.out << file.string() << "\n";
    const bool allSea = std::all_of(report.tiles.begin(), report.tiles.end(),
                                    [](const auto& tile) { return tile.state == download::TileState::None; });
    if (allSea)
        io.err << "orolith fetch: no source has a tile of this area: it is all sea\n";
    return report.complete() ? 0 : 1;
}

} // namespace orolith::cli
