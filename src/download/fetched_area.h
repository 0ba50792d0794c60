#pragma once
// What a finished fetch hands to the conversion, the same for the command line and the
// window: the tiles as GDAL opens them, the tiles no source has (sea, which the mosaic reads
// as 0 m), a name for the area and the attribution its sources ask for.

#include "download/tile_fetcher.h"

#include <filesystem>
#include <string>
#include <vector>

namespace orolith::download {

struct FetchedArea {
    std::vector<std::string> rasters; // GDAL names of the tiles there are
    std::vector<TileCorner> sea;      // tiles no source has
    std::string name;                 // "N50W004-N51W003": the south-west and the north-east tile
    std::string attribution;          // for the map's Copyright line
};

// The name of the area `tiles` cover: "N50W004-N51W003" (the south-west and the north-east
// tile), or the one tile's name.
std::string areaName(const std::vector<TileCorner>& tiles);

// An area's map goes into a folder of its own, named after the area, in `mapsFolder`.
std::filesystem::path areaFolder(const std::filesystem::path& mapsFolder, const std::string& areaName);

// The area of a complete fetch (see FetchReport::complete) of `tiles`.
FetchedArea fetchedArea(const std::vector<TileCorner>& tiles, const FetchReport& report);

} // namespace orolith::download
