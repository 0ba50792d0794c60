// Servers and caches that misbehave: a file that changed between two parts, a wrong
// Content-Range, busy servers, bodies without end or that trickle, tiles of the wrong layout
// already in the cache, and locks that nobody will ever release.

#include "download/synthetic_tiles.h"
#include "download/tile_fetcher.h"
#include "support/loopback_server.h"
#include "support/test_support.h"

#include <QLockFile>
#include <QString>
#include <fstream>
#include <gtest/gtest.h>

namespace orolith::download {

namespace {

using testing::CannedReply;
using testing::LoopbackServer;
using testing::TempDir;
namespace fs = std::filesystem;

constexpr TileCorner kTile{46, 7};

struct Served {
    LoopbackServer server;
    TempDir cache;
    SourceKind kind = SourceKind::Copernicus30;
    FetchOptions options;

    explicit Served(SourceKind sourceKind = SourceKind::Copernicus30) : kind(sourceKind) {
        options.sources.push_back({kind, server.baseUrl() + "/" + std::string(sourceName(kind)), 2});
        options.cacheRoot = cache.path();
        options.limits.stallSeconds = 2;
        options.limits.connectSeconds = 5;
        options.limits.retryMilliseconds = 1;
        options.limits.attempts = 1;
        fs::create_directories(cached().parent_path());
    }
    std::string path() const { return "/" + std::string(sourceName(kind)) + tilePath({kind, "", 2}, kTile); }
    fs::path cached() const { return cachedTilePath(cache.path(), kind, kTile); }
    fs::path part() const { return fs::path(cached()).concat(".part"); }
    void serve(CannedReply reply) { server.serve(path(), std::move(reply)); }
    // A run that would wait without end is cancelled instead (and then fails the test).
    TileResult fetch() {
        struct Bounded : FetchListener {
            int polls = 0;
            bool cancelled() override { return ++polls > 2000; }
        } bounded;
        return fetchTiles({kTile}, options, bounded).tiles.at(0);
    }
};

std::string tiffWithHeight(float height) {
    return testing::geoTiffTile(kTile, height);
}

} // namespace

TEST(HostileServer, APartIsResumedOnlyFromTheSameFile) {
    const std::string first = tiffWithHeight(100), second = tiffWithHeight(200);
    ASSERT_EQ(first.size(), second.size());
    const std::size_t cut = first.size() / 2;
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> validators; // of the first and the second file
        bool resumed;
    };
    const Case cases[] = {
        {"ETag", {{"ETag", "\"one\""}, {"ETag", "\"two\""}}, false},
        {"Last-Modified",
         {{"Last-Modified", "Mon, 07 Dec 2026 01:00:00 GMT"}, {"Last-Modified", "Tue"}},
         false},
        {"same ETag", {{"ETag", "\"one\""}, {"ETag", "\"one\""}}, true},
    };
    for (const Case& c : cases) {
        Served served;
        served.serve({.body = first, .headers = {c.validators[0]}, .dropAfter = cut, .dropTimes = 1});
        EXPECT_EQ(served.fetch().state, TileState::Failed) << c.what;
        ASSERT_EQ(fs::file_size(served.part()), cut) << c.what;
        served.serve({.body = c.resumed ? first : second, .headers = {c.validators[1]}});
        const TileResult result = served.fetch();
        ASSERT_EQ(result.state, TileState::Downloaded) << c.what << ": " << result.problem;
        EXPECT_EQ(testing::readBytes(result.file), c.resumed ? first : second) << c.what;
        const auto requests = served.server.requests();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[1].range, "bytes=" + std::to_string(cut) + "-") << c.what;
        EXPECT_EQ(requests[1].ifRange, c.validators[0].second) << c.what;
        EXPECT_EQ(testing::fileNames(served.cache / "copernicus30"),
                  std::vector<std::string>{result.file.filename().string()});
    }
    // Bytes of unknown origin (no validator came with them) are not resumed from.
    Served served;
    std::ofstream(served.part(), std::ios::binary) << first.substr(0, cut);
    served.serve({.body = first});
    EXPECT_EQ(served.fetch().state, TileState::Downloaded);
    EXPECT_EQ(served.server.requests().at(0).range, "");
}

TEST(HostileServer, WrongPartsAndSizesAreRefused) {
    const std::string tile = tiffWithHeight(100);
    const std::size_t cut = 300;
    struct Case {
        const char* what;
        long long rangeShift;
        std::uint64_t maxBytes;
        const char* problem;
        const char* etag = "\"v\"";
    };
    const Case cases[] = {
        {"a 206 at another offset", 1, 1 << 20,
         "copernicus30: the server sent another part of the file than asked for"},
        {"a 206 of another file", 0, 1 << 20,
         "copernicus30: the server sent another part of the file than asked for", "\"w\""},
        {"a resumed tile past the size limit", 0, tile.size() - 100, "copernicus30: larger than 0 MB"},
    };
    for (const Case& c : cases) {
        Served served;
        std::ofstream(served.part(), std::ios::binary) << tile.substr(0, cut);
        std::ofstream(fs::path(served.part()).concat(".validator"), std::ios::binary) << "\"v\"\r\n";
        served.serve(
            {.body = tile, .headers = {{"ETag", c.etag}}, .rangeShift = c.rangeShift, .ignoreIfRange = true});
        served.options.limits.maxTileBytes = c.maxBytes;
        const TileResult result = served.fetch();
        EXPECT_EQ(result.state, TileState::Failed) << c.what;
        EXPECT_EQ(result.problem, c.problem) << c.what;
        EXPECT_FALSE(fs::exists(served.cached())) << c.what;
        EXPECT_FALSE(fs::exists(served.part())) << c.what;
    }
    // An oversize body is not asked for again; a 410 is sea, like a 404.
    Served oversize;
    oversize.serve({.body = std::string(5000, 'x'), .declareLength = false});
    oversize.options.limits.maxTileBytes = 4000;
    oversize.options.limits.attempts = 3;
    EXPECT_EQ(oversize.fetch().state, TileState::Failed);
    EXPECT_EQ(oversize.server.requestCount(oversize.path()), 1);
    Served gone;
    gone.serve({.status = 410, .body = "gone"});
    EXPECT_EQ(gone.fetch().state, TileState::None);
}

TEST(HostileServer, ServerErrorsAreRetriedAndBodiesNeverWaitedFor) {
    const std::string tile = tiffWithHeight(100);
    Served busy;
    busy.serve({.body = tile, .failStatus = 503, .failTimes = 2});
    busy.options.limits.attempts = 3;
    EXPECT_EQ(busy.fetch().state, TileState::Downloaded);
    EXPECT_EQ(busy.server.requestCount(busy.path()), 3);

    Served broken;
    broken.serve({.status = 500, .body = tile, .failTimes = 0, .endless = true});
    broken.options.limits.attempts = 2;
    const TileResult failed = broken.fetch();
    EXPECT_EQ(failed.problem, "copernicus30: the server answered HTTP 500");
    EXPECT_EQ(broken.server.requestCount(broken.path()), 2);
    EXPECT_LT(broken.server.bodyBytesSent(), std::uint64_t{64} << 20); // dropped at once, not read to the end

    Served slow;
    slow.serve({.body = tile, .trickleMilliseconds = 50});
    slow.options.limits.totalSeconds = 1;
    const TileResult late = slow.fetch();
    EXPECT_EQ(late.state, TileState::Failed);
    EXPECT_NE(late.problem.find("copernicus30: Operation timed out after"), std::string::npos)
        << late.problem;
    EXPECT_LT(slow.server.bodyBytesSent(), tile.size());
}

TEST(HostileServer, TilesOfTheWrongLayoutLeaveTheCacheAndAreFetchedAgain) {
    struct Case {
        const char* what;
        SourceKind kind;
        std::string cachedBytes;
    };
    // A 2 × 2 raster of 10° pixels at the tile's corner, and a height file of the wrong size.
    const std::string huge = [] {
        GDALAllRegister();
        const std::string name = "/vsimem/huge-pixels.tif";
        GDALDatasetH dataset =
            GDALCreate(GDALGetDriverByName("GTiff"), name.c_str(), 2, 2, 1, GDT_Float32, nullptr);
        double transform[6] = {7, 10, 0, 47, 0, -10};
        GDALSetGeoTransform(dataset, transform);
        GDALClose(dataset);
        return testing::takeMemFile(name);
    }();
    const std::string shortHeights = [] {
        VSILFILE* file = VSIFOpenL("/vsigzip//vsimem/short.hgt.gz", "wb");
        const std::string zeros(2 * 1201 * 1200, '\0');
        VSIFWriteL(zeros.data(), 1, zeros.size(), file);
        VSIFCloseL(file);
        return testing::takeMemFile("/vsimem/short.hgt.gz");
    }();
    const Case cases[] = {{"10° pixels", SourceKind::Copernicus30, huge},
                          {"two degrees wide", SourceKind::Copernicus30, testing::geoTiffTile(kTile, 100, 2)},
                          {"a short height file", SourceKind::Skadi, shortHeights}};
    for (const Case& c : cases) {
        Served served(c.kind);
        std::ofstream(served.cached(), std::ios::binary) << c.cachedBytes;
        const std::string good = testing::syntheticTile(c.kind, kTile);
        served.serve({.body = good});
        TileResult result = served.fetch();
        EXPECT_EQ(result.state, TileState::Downloaded) << c.what << ": " << result.problem;
        EXPECT_EQ(testing::readBytes(served.cached()), good) << c.what;
        // Served as a download, the same bytes are refused.
        fs::remove(served.cached());
        served.serve({.body = c.cachedBytes});
        result = served.fetch();
        EXPECT_EQ(result.state, TileState::Failed) << c.what;
        EXPECT_FALSE(fs::exists(served.cached())) << c.what;
    }
    Served skadi(SourceKind::Skadi);
    skadi.serve({.body = shortHeights});
    EXPECT_EQ(skadi.fetch().problem,
              "skadi: a height file of 2882400 bytes, not 1201 × 1201 or 3601 × 3601 heights");
}

TEST(HostileServer, DeadLocksAreTakenOverAndLiveOnesAnnounced) {
    Served served;
    served.serve({.body = tiffWithHeight(100)});
    const fs::path lock = fs::path(served.cached()).concat(".lock");
    std::ofstream(lock).close(); // empty: its writer died before filling it
    fs::last_write_time(lock, fs::file_time_type::clock::now() - std::chrono::minutes(1));
    EXPECT_EQ(served.fetch().state, TileState::Downloaded);

    // A lock this process holds is alive: the run says it waits, and waits until cancelled.
    fs::remove(served.cached());
    QLockFile held(QString::fromStdString(lock.string()));
    ASSERT_TRUE(held.tryLock(0));
    struct Waiting : FetchListener {
        std::vector<std::string> told;
        void waiting(TileCorner tile, const fs::path& path) override {
            told.push_back(tileName(tile) + " " + path.filename().string());
        }
        bool cancelled() override { return told.size() > 0 && ++polls > 20; }
        int polls = 0;
    } listener;
    const FetchReport report = fetchTiles({kTile}, served.options, listener);
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(listener.told, std::vector<std::string>{"N46E007 " + lock.filename().string()});
    EXPECT_EQ(served.server.requestCount(served.path()), 1);
}

} // namespace orolith::download
