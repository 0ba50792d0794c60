#pragma once
// The archives that serve 1° elevation tiles: their names, their default base addresses,
// the path of a tile under the base, the cache file name and the attribution they require.
// Every address layout lives here and nowhere else.

#include "core/tiles/srtm_tile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orolith::download {

enum class SourceKind { Copernicus30, Copernicus90, Skadi, Srtm3 };

inline constexpr std::array<SourceKind, 4> kAllSources = {SourceKind::Copernicus30, SourceKind::Copernicus90,
                                                         SourceKind::Skadi, SourceKind::Srtm3};

// "copernicus30", "copernicus90", "skadi", "srtm3": the name on the command line, in the
// settings and of the cache folder.
std::string_view sourceName(SourceKind kind);
std::optional<SourceKind> sourceByName(std::string_view name);

// A line for lists: "Copernicus DEM GLO-30 (1″, Float32 GeoTIFF)".
std::string_view sourceTitle(SourceKind kind);

// The public base address: everything before the tile's own path, without a final "/".
std::string_view defaultBaseUrl(SourceKind kind);

// The attribution the source's licence asks for, in plain ASCII (it goes into map headers).
std::string_view sourceAttribution(SourceKind kind);
// The licence in a few words, for the About window and the user's guide.
std::string_view sourceLicence(SourceKind kind);


// One source as a fetch uses it: the base address (default or a mirror) and, for the
// SRTM-3 layout, the continent folder (index into kSrtmContinents).
struct TileSource {
    SourceKind kind = SourceKind::Copernicus30;
    std::string baseUrl;
    int continent = 0;
};
TileSource defaultSource(SourceKind kind);

// The tile's file name in the cache and in the archive:
// "Copernicus_DSM_COG_10_N50_00_W004_00_DEM.tif", "N50W004.hgt.gz", "N50W004.hgt.zip".
std::string tileFileName(SourceKind kind, TileCorner tile);

// The tile's path under the base, starting with "/".
std::string tilePath(const TileSource& source, TileCorner tile);

// Base and path, with exactly one "/" between them.
std::string tileUrl(const TileSource& source, TileCorner tile);

// The name GDAL opens a cached tile by: gzip-compressed height files are read through
// GDAL's /vsigzip/ layer, everything else as it is.
std::string gdalPathOf(const std::string& cachedFile);

// Every source with its licence and attribution, one paragraph each, for the About window.
std::string sourcesNotice();

// The attribution lines for a set of sources, each once, joined by "; ".
std::string attributionOf(const std::vector<SourceKind>& kinds);

} // namespace orolith::download
