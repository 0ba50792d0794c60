// orolith tile COORD [--region NAME|INDEX]: the SRTM tile of a coordinate and its address.
#include "cli/commands.h"
#include "cli/option_reader.h"
#include "core/tiles/srtm_tile.h"

#include <optional>
#include <string_view>

namespace orolith::cli {

namespace {

constexpr std::string_view kTileUsage =
    "Usage: orolith tile COORD [--region NAME|INDEX]\n"
    "\n"
    "Prints the name of the SRTM-3 tile that holds COORD, then its download address.\n"
    "COORD is latitude and longitude in decimal degrees, separated by '/', ',' or '\\'\n"
    "(for example 50.7531/-3.4354).\n"
    "\n"
    "Options:\n"
    "  --region NAME|INDEX  continent folder of the archive (default Africa):\n"
    "                       0 Africa, 1 Australia, 2 Eurasia, 3 Islands,\n"
    "                       4 North_America, 5 South_America\n"
    "  --help               show this text\n";

constexpr CommandInfo kTileCommand{"tile", kTileUsage};

} // namespace

int runTile(Args args, Streams& io) {
    const ParsedArgs parsed = readArgs(args, {"--region"}, {"--help"});
    if (const auto code = checkCommonUsage(parsed, kTileCommand, io, "COORD"))
        return *code;
    int region = 0;
    if (const auto value = parsed.value("--region")) {
        const std::optional<int> continent = srtmContinentByName(*value);
        if (!continent)
            return usageError(io, kTileCommand, "unknown region '" + *value + "'");
        region = *continent;
    }
    const std::string& coordinate = parsed.positional.front();

    const TileNameResult tile = srtmTileName(coordinate);
    if (tile.problem != TileProblem::None) {
        io.err << "orolith tile: " << tileProblemMessage(tile.problem) << "\n";
        return 1;
    }
    io.out << tile.name << "\n" << srtmDownloadAddress(region, tile.name) << "\n";
    return 0;
}

} // namespace orolith::cli
