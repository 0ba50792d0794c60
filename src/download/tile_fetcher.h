#pragma once
// Fetches the tiles of an area into the cache, several at once. Each tile is asked of the
// sources in order: a tile already in a source's cache folder is taken as it is, a tile the
// source does not have (HTTP 404) sends the request on to the next source. A download goes
// into "<file>.part", resumes from where an interrupted one stopped, and is renamed to its
// final name only when it is complete and GDAL reads it as the tile's raster. Runs that
// share a cache take turns on a tile through a lock file beside it.

#include "download/tile_source.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orolith::download {

struct FetchLimits {
    long connectSeconds = 30;                // to open a connection
    long stallSeconds = 60;                  // a transfer that moves no byte this long is dropped
    long maxRedirects = 5;                   // more is taken as a loop
    long totalSeconds = 1800;                // one attempt at one tile, however slowly it moves
    std::uint64_t maxTileBytes = 512u << 20; // one tile's body
    int attempts = 3;                        // tries of one tile at one source
    long retryMilliseconds = 2000;           // before the second try after a server error; doubled after
};

struct FetchOptions {
    std::vector<TileSource> sources; // asked in this order
    std::filesystem::path cacheRoot; // tiles go to cacheRoot/<source name>/
    int connections = 4;             // transfers at once, 1..8
    FetchLimits limits;
};

enum class TileState {
    Cached,     // found in the cache, nothing fetched
    Downloaded, // fetched in this run
    None,       // no source has the tile (for Copernicus: sea)
    Failed,     // see problem
    Cancelled,  // the run was cancelled first; a partial download stays for the next run
};

struct TileResult {
    TileCorner tile;
    TileState state = TileState::Cancelled;
    SourceKind source = SourceKind::Copernicus30; // where the file came from (Cached, Downloaded)
    std::filesystem::path file;                   // the cached file (Cached, Downloaded)
    std::string problem;                          // Failed: "source: what went wrong", per source tried
};

struct FetchProgress {
    std::size_t tilesDone = 0;
    std::size_t tilesTotal = 0;
    std::uint64_t bytes = 0; // received in this run
    double seconds = 0;      // since the run started
    // Still to come of the transfers under way whose size the server gave, and the tiles
    // neither done nor of a size given (not begun yet, or sent without a length).
    std::uint64_t bytesAnnounced = 0;
    std::size_t tilesUnsized = 0;
};

// Told about the run; called on the thread that runs fetchTiles.
class FetchListener {
  public:
    virtual ~FetchListener() = default;
    virtual void progress(const FetchProgress& progress) { (void)progress; }
    // Polled several times a second; true stops the run.
    virtual bool cancelled() { return false; }
    // Another run holds the tile's lock: this one waits for it (told once per tile).
    virtual void waiting(TileCorner tile, const std::filesystem::path& lock) {
        (void)tile;
        (void)lock;
    }
};

struct FetchReport {
    std::vector<TileResult> tiles; // in the order asked (repeated tiles once)
    bool cancelled = false;

    // Every tile is there or known to be missing everywhere.
    bool complete() const;
    std::vector<std::filesystem::path> files() const;
    // The sources the files came from, each once.
    std::vector<SourceKind> sourcesUsed() const;
};

// The folder of one source in the cache, and where a tile lies in it.
std::filesystem::path cacheFolder(const std::filesystem::path& cacheRoot, SourceKind kind);
std::filesystem::path cachedTilePath(const std::filesystem::path& cacheRoot, SourceKind kind,
                                     TileCorner tile);

FetchReport fetchTiles(const std::vector<TileCorner>& tiles, const FetchOptions& options,
                       FetchListener& listener);

} // namespace orolith::download
