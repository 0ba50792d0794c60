#include "download/tile_fetcher.h"
#include "download/synthetic_tiles.h"

#include "support/loopback_server.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <thread>

namespace orolith::download {

namespace {

using testing::CannedReply;
using testing::LoopbackServer;
using testing::TempDir;

constexpr TileCorner kTile{50, -4};

// Each source under its own folder of the one server: BASE/<source name>.
TileSource sourceOn(const LoopbackServer& server, SourceKind kind) {
    return {kind, server.baseUrl() + "/" + std::string(sourceName(kind)), 2};
}

std::string servedPath(SourceKind kind, TileCorner tile) {
    TileSource source{kind, "", 2};
    return "/" + std::string(sourceName(kind)) + tilePath(source, tile);
}

FetchOptions optionsFor(const LoopbackServer& server, std::vector<SourceKind> kinds, const TempDir& cache) {
    FetchOptions options;
    for (const SourceKind kind : kinds)
        options.sources.push_back(sourceOn(server, kind));
    options.cacheRoot = cache.path();
    options.limits.stallSeconds = 1;
    options.limits.connectSeconds = 5;
    options.limits.retryMilliseconds = 10;
    return options;
}

FetchReport fetch(const std::vector<TileCorner>& tiles, const FetchOptions& options) {
    FetchListener quiet;
    return fetchTiles(tiles, options, quiet);
}

void serveTile(LoopbackServer& server, SourceKind kind, TileCorner tile, CannedReply reply = {}) {
    reply.body = testing::syntheticTile(kind, tile);
    server.serve(servedPath(kind, tile), reply);
}

} // namespace

TEST(TileFetcher, EveryLayoutIsFetchedOnceAndThenTakenFromTheCache) {
    LoopbackServer server;
    TempDir cache;
    for (const SourceKind kind : kAllSources) {
        serveTile(server, kind, kTile);
        const FetchOptions options = optionsFor(server, {kind}, cache);
        const FetchReport first = fetch({kTile, kTile}, options);
        ASSERT_EQ(first.tiles.size(), 1u);
        EXPECT_EQ(first.tiles[0].state, TileState::Downloaded) << sourceName(kind) << first.tiles[0].problem;
        const std::filesystem::path file = cachedTilePath(cache.path(), kind, kTile);
        EXPECT_EQ(first.tiles[0].file, file);
        EXPECT_EQ(testing::readBytes(file), testing::syntheticTile(kind, kTile));
        EXPECT_EQ(testing::fileNames(file.parent_path()), std::vector<std::string>{file.filename().string()});

        const FetchReport second = fetch({kTile}, options);
        EXPECT_EQ(second.tiles[0].state, TileState::Cached);
        EXPECT_EQ(server.requestCount(servedPath(kind, kTile)), 1);
    }
}

TEST(TileFetcher, MissingTilesAreSeaOrComeFromTheNextSource) {
    LoopbackServer server;
    TempDir cache;
    const TileCorner land{50, -4}, sea{49, -4};
    serveTile(server, SourceKind::Skadi, land);
    const FetchReport report =
        fetch({land, sea}, optionsFor(server, {SourceKind::Copernicus30, SourceKind::Skadi}, cache));
    ASSERT_EQ(report.tiles.size(), 2u);
    EXPECT_EQ(report.tiles[0].state, TileState::Downloaded);
    EXPECT_EQ(report.tiles[0].source, SourceKind::Skadi);
    EXPECT_EQ(report.tiles[1].state, TileState::None);
    EXPECT_TRUE(report.complete());
    EXPECT_EQ(report.sourcesUsed(), std::vector<SourceKind>{SourceKind::Skadi});
    EXPECT_EQ(server.requests().size(), 4u); // each tile once at each source
    EXPECT_FALSE(std::filesystem::exists(cache / "copernicus30" / (tileFileName(SourceKind::Copernicus30, sea) + ".part")));
}

TEST(TileFetcher, AnInterruptedDownloadResumes) {
    for (const bool ranges : {true, false}) {
        LoopbackServer server;
        TempDir cache;
        const std::string body = testing::syntheticTile(SourceKind::Skadi, kTile);
        serveTile(server, SourceKind::Skadi, kTile,
                  {.headers = {{"ETag", "\"v1\""}},
                   .ranges = ranges,
                   .dropAfter = body.size() / 2,
                   .dropTimes = 1});
        const FetchReport report = fetch({kTile}, optionsFor(server, {SourceKind::Skadi}, cache));
        EXPECT_EQ(report.tiles[0].state, TileState::Downloaded) << report.tiles[0].problem;
        EXPECT_EQ(testing::readBytes(report.tiles[0].file), body);
        const auto requests = server.requests();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[1].range, "bytes=" + std::to_string(body.size() / 2) + "-");
    }
}

TEST(TileFetcher, BadAnswersNeverReachTheCache) {
    const std::string tile = testing::syntheticTile(SourceKind::Copernicus30, kTile);
    const std::string path = servedPath(SourceKind::Copernicus30, kTile);
    struct Case {
        const char* what;
        CannedReply reply;
        const char* problem;
    };
    const std::string oversized(5000, 'x');
    const Case table[] = {
        {"truncated", {.body = tile.substr(0, tile.size() - 200)}, "raster"},
        {"not a raster", {.body = "<html><body>Welcome</body></html>"}, "not an elevation raster"},
        {"another place", {.body = testing::geoTiffTile({10, 10})}, "another place"},
        {"redirect loop", {.status = 302, .headers = {{"Location", path}}}, "redirects"},
        {"oversized", {.body = oversized}, "larger than"},
        {"oversized, no length", {.body = oversized, .declareLength = false}, "larger than"},
        {"server error", {.status = 500}, "HTTP 500"},
        {"stalled", {.body = tile, .stallMilliseconds = 2500}, "copernicus30: "},
        {"dropped every time", {.body = tile, .dropAfter = 100, .dropTimes = 9}, "copernicus30: "}};
    for (const Case& c : table) {
        LoopbackServer server;
        TempDir cache;
        server.serve(path, c.reply);
        FetchOptions options = optionsFor(server, {SourceKind::Copernicus30}, cache);
        options.limits.maxTileBytes = c.reply.body == oversized ? 4000 : 1 << 20;
        options.limits.attempts = 2;
        const FetchReport report = fetch({kTile}, options);
        EXPECT_EQ(report.tiles[0].state, TileState::Failed) << c.what;
        EXPECT_NE(report.tiles[0].problem.find(c.problem), std::string::npos) << c.what << ": " << report.tiles[0].problem;
        EXPECT_FALSE(report.complete());
        const auto left = testing::fileNames(cache / "copernicus30");
        const bool keepsPart = std::string(c.what) == "dropped every time"; // resumed by the next run
        EXPECT_EQ(left.size(), keepsPart ? 1u : 0u) << c.what;
        if (keepsPart) {
            EXPECT_EQ(left[0], tileFileName(SourceKind::Copernicus30, kTile) + ".part");
        }
    }
}

TEST(TileFetcher, TwoRunsShareOneCache) {
    LoopbackServer server;
    TempDir cache;
    std::vector<TileCorner> tiles;
    for (int lon = 0; lon < 6; ++lon) {
        tiles.push_back({45, lon});
        serveTile(server, SourceKind::Copernicus90, {45, lon}, {.stallMilliseconds = 100});
    }
    const FetchOptions options = optionsFor(server, {SourceKind::Copernicus90}, cache);
    FetchReport reports[2];
    std::thread other([&] { reports[1] = fetch(tiles, options); });
    reports[0] = fetch(tiles, options);
    other.join();
    for (const FetchReport& report : reports)
        EXPECT_TRUE(report.complete());
    for (const TileCorner tile : tiles) {
        EXPECT_EQ(server.requestCount(servedPath(SourceKind::Copernicus90, tile)), 1) << tileName(tile);
        EXPECT_EQ(testing::readBytes(cachedTilePath(cache.path(), SourceKind::Copernicus90, tile)),
                  testing::syntheticTile(SourceKind::Copernicus90, tile));
    }
    EXPECT_EQ(testing::fileNames(cache / "copernicus90").size(), tiles.size());
}

TEST(TileFetcher, CancelStopsAndTheNextRunFinishes) {
    struct CancelAtOnce : FetchListener {
        bool cancelled() override { return true; }
    } cancel;
    LoopbackServer server;
    TempDir cache;
    serveTile(server, SourceKind::Copernicus30, kTile);
    const FetchOptions options = optionsFor(server, {SourceKind::Copernicus30}, cache);
    const FetchReport stopped = fetchTiles({kTile}, options, cancel);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_FALSE(stopped.complete());
    EXPECT_EQ(stopped.tiles[0].state, TileState::Cancelled);
    EXPECT_EQ(fetch({kTile}, options).tiles[0].state, TileState::Downloaded);
}

} // namespace orolith::download
