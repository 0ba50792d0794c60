#pragma once
// The last check before a downloaded file joins the cache: GDAL must open it as the
// elevation raster of the expected tile (its 1° square, no more and no less; a height file
// of one of the two SRTM sizes) and read every block of it.

#include "core/tiles/srtm_tile.h"

#include <filesystem>
#include <string>

namespace orolith::download {

// Checks `file` as if it were named `finalName` (GDAL knows height files by their name:
// they are looked at under that name through a link in a private folder beside the file).
// Empty when the file is a sound raster of `tile`; otherwise what is wrong with it.
std::string checkTileRaster(const std::filesystem::path& file, const std::string& finalName, TileCorner tile);

// The quick check of a tile already in the cache, which an earlier run may have let in
// unchecked: its place, extent and size, without reading it through.
std::string checkCachedTile(const std::filesystem::path& file, TileCorner tile);

} // namespace orolith::download
