#include "download/fetched_area.h"

#include <algorithm>

namespace orolith::download {

std::string areaName(const std::vector<TileCorner>& tiles) {
    if (tiles.empty())
        return {};
    const auto [south, north] = std::minmax_element(tiles.begin(), tiles.end(),
                                                    [](TileCorner a, TileCorner b) { return a.lat < b.lat; });
    const auto [west, east] = std::minmax_element(tiles.begin(), tiles.end(),
                                                  [](TileCorner a, TileCorner b) { return a.lon < b.lon; });
    const std::string first = tileName({south->lat, west->lon});
    const std::string last = tileName({north->lat, east->lon});
    return first == last ? first : first + "-" + last;
}

std::filesystem::path areaFolder(const std::filesystem::path& mapsFolder, const std::string& areaName) {
    return mapsFolder / areaName;
}

FetchedArea fetchedArea(const std::vector<TileCorner>& tiles, const FetchReport& report) {
    FetchedArea area;
    for (const TileResult& tile : report.tiles) {
        if (tile.state == TileState::None)
            area.sea.push_back(tile.tile);
        else if (!tile.file.empty())
            area.rasters.push_back(gdalPathOf(tile.file.string()));
    }
    area.name = areaName(tiles);
    area.attribution = attributionOf(report.sourcesUsed());
    return area;
}

} // namespace orolith::download
