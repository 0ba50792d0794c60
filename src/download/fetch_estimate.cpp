#include "download/fetch_estimate.h"

#include "core/platform/size_text.h"

#include <system_error>

namespace orolith::download {

std::uint64_t typicalTileBytes(SourceKind kind) {
    constexpr std::uint64_t kMegabyte = 1000 * 1000;
    switch (kind) {
    case SourceKind::Copernicus30:
        return 30 * kMegabyte; // 3601² Float32, deflate-compressed
    case SourceKind::Copernicus90:
        return 4 * kMegabyte; // 1201² Float32, deflate-compressed
    case SourceKind::Skadi:
        return 12 * kMegabyte; // 3601² 16-bit heights, gzip
    case SourceKind::Srtm3:
        return 2 * kMegabyte; // 1201² 16-bit heights, zip
    }
    return 30 * kMegabyte;
}

FetchEstimate estimateFetch(const std::vector<TileCorner>& tiles, const FetchOptions& options) {
    FetchEstimate estimate;
    estimate.tiles = tiles.size();
    if (options.sources.empty())
        return estimate;
    const std::uint64_t perTile = typicalTileBytes(options.sources.front().kind);
    for (const TileCorner tile : tiles) {
        bool cached = false;
        for (const TileSource& source : options.sources) {
            std::error_code ec;
            cached = cached || std::filesystem::is_regular_file(cachedTilePath(options.cacheRoot, source.kind, tile), ec);
        }
        if (cached)
            ++estimate.cached;
        else
            estimate.bytes += perTile;
    }
    return estimate;
}

bool isLargeFetch(const FetchEstimate& estimate) {
    return estimate.tiles - estimate.cached > kAskAboveTiles || estimate.bytes > kAskAboveBytes;
}

std::string estimateText(const FetchEstimate& estimate) {
    std::string text = std::to_string(estimate.tiles) + (estimate.tiles == 1 ? " tile" : " tiles");
    if (estimate.cached == estimate.tiles)
        return text + (estimate.tiles == 1 ? ", already in the cache" : ", all in the cache");
    if (estimate.cached > 0)
        text += " (" + std::to_string(estimate.cached) + " in the cache)";
    return text + ", about " + sizeText(estimate.bytes) + " to download";
}

} // namespace orolith::download
