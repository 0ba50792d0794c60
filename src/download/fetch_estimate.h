#pragma once
// What a fetch is about to cost, told before it starts: how many tiles the area has, how many
// of them are already in the cache, and about how many bytes the rest will take. The sizes are
// those of a typical land tile of the first source; sea tiles cost nothing, so the figure is an
// upper estimate.

#include "download/tile_fetcher.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orolith::download {

// The size of a typical land tile of a source, as served (compressed where the source is).
std::uint64_t typicalTileBytes(SourceKind kind);

struct FetchEstimate {
    std::size_t tiles = 0;  // in the area
    std::size_t cached = 0; // already in the cache of one of the sources
    std::uint64_t bytes = 0; // about this much to download for the others
};

FetchEstimate estimateFetch(const std::vector<TileCorner>& tiles, const FetchOptions& options);

// Beyond these a front end asks before it starts.
inline constexpr std::size_t kAskAboveTiles = 50;
inline constexpr std::uint64_t kAskAboveBytes = std::uint64_t{1} << 30;
bool isLargeFetch(const FetchEstimate& estimate);

// "16 tiles (3 in the cache), about 390 MiB to download".
std::string estimateText(const FetchEstimate& estimate);

} // namespace orolith::download
