// Coordinate texts into SRTM tile names and download addresses.
#include "core/tiles/srtm_tile.h"
#include "fuzz_support.h"

using namespace orolith;

namespace {

bool isTileName(std::string_view name) {
    auto digits = [&](std::size_t from, std::size_t count) {
        return name.substr(from, count).find_first_not_of("0123456789") == std::string_view::npos;
    };
    return name.size() == 7 && (name[0] == 'N' || name[0] == 'S') && digits(1, 2) &&
           (name[3] == 'E' || name[3] == 'W') && digits(4, 3);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string_view text = fuzz::textOf(data + 1, size - 1);
    const TileNameResult tile = srtmTileName(text);
    if ((tile.problem == TileProblem::None) != isTileName(tile.name))
        fuzz::broken("a tile name that is not N/S, two digits, E/W, three digits");
    if (tile.problem != TileProblem::None && tileProblemMessage(tile.problem).empty())
        fuzz::broken("a problem without a message");
    checkTileName(text);
    srtmDownloadAddress(static_cast<int>(data[0]) - 128, text);
    return 0;
}
