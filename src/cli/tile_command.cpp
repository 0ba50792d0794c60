// orolith tile COORD [--region NAME|INDEX]: the SRTM tile of a coordinate and its address.
#include "cli/commands.h"
#include "core/srtm_tile.h"

#include <algorithm>
#include <cctype>
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

bool sameLetters(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// A continent by its folder name (any case) or its index 0..5.
std::optional<int> continentOf(std::string_view text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + kSrtmContinentCount)
        return text[0] - '0';
    for (int i = 0; i < kSrtmContinentCount; ++i) {
        if (sameLetters(text, kSrtmContinents[static_cast<std::size_t>(i)]))
            return i;
    }
    return std::nullopt;
}

int usageError(Streams& io, std::string_view problem) {
    io.err << "orolith tile: " << problem << "\n\n" << kTileUsage;
    return 2;
}

} // namespace

int runTile(Args args, Streams& io) {
    std::optional<std::string_view> coordinate;
    int region = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            io.out << kTileUsage;
            return 0;
        }
        if (arg == "--region" || arg.starts_with("--region=")) {
            std::string_view value;
            if (arg == "--region") {
                if (i + 1 >= args.size())
                    return usageError(io, "--region needs a continent");
                value = args[++i];
            } else {
                value = arg.substr(9);
            }
            const std::optional<int> continent = continentOf(value);
            if (!continent)
                return usageError(io, "unknown region '" + std::string(value) + "'");
            region = *continent;
        } else if (arg.starts_with("--")) {
            return usageError(io, "unknown option '" + std::string(arg) + "'");
        } else if (coordinate) {
            return usageError(io, "only one coordinate, please");
        } else {
            coordinate = arg;
        }
    }
    if (!coordinate)
        return usageError(io, "a coordinate is needed");

    const TileNameResult tile = srtmTileName(*coordinate);
    if (tile.problem != TileProblem::None) {
        io.err << "orolith tile: " << tileProblemMessage(tile.problem) << "\n";
        return 1;
    }
    io.out << tile.name << "\n" << srtmDownloadAddress(region, tile.name) << "\n";
    return 0;
}

} // namespace orolith::cli
