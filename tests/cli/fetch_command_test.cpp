#include "cli/area_fetch.h"
#include "download/synthetic_tiles.h"
#include "download/tile_fetcher.h"
#include "support/cli_run.h"
#include "support/loopback_server.h"
#include "support/test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace orolith {
namespace {

using download::SourceKind;
using testing::CannedReply;
using testing::runTool;
using testing::ToolRun;

// Serves `kind`'s tile under /<folder> of the server.
void serveTile(testing::LoopbackServer& server, const std::string& folder, SourceKind kind, TileCorner tile) {
    CannedReply reply;
    reply.body = testing::syntheticTile(kind, tile);
    server.serve("/" + folder + download::tilePath({kind, "", 0}, tile), reply);
}

TEST(FetchCommand, FetchesABoxFromTwoSourcesAndPrintsTheTiles) {
    testing::LoopbackServer server;
    testing::TempDir home;
    std::filesystem::create_directories(home / "system");
    home.write("system/dem-sources.txt", "sources=srtm3\r\nskadi=" + server.baseUrl() + "/mirror/\r\n");
    serveTile(server, "c30", SourceKind::Copernicus30, {50, -4});
    serveTile(server, "mirror", SourceKind::Skadi, {50, -3}); // the others are sea everywhere

    const ToolRun run = runTool({"fetch", "--bbox", "50,-4,52,-2", "--source", "copernicus30,skadi", "--base-url",
                                 server.baseUrl() + "/c30", "--home", home.path().string()});
    EXPECT_EQ(run.code, 0) << run.err;
    const auto dem = home / "dem";
    EXPECT_EQ(run.out, download::cachedTilePath(dem, SourceKind::Copernicus30, {50, -4}).string() + "\n" +
                           download::cachedTilePath(dem, SourceKind::Skadi, {50, -3}).string() + "\n");
    EXPECT_EQ(run.err, "Area: 4 tiles, about 114 MiB to download\n"); // 30 MB a copernicus30 tile
    EXPECT_EQ(server.requests().size(), 7u); // 4 tiles at copernicus30, the 3 it lacks at skadi
}

TEST(FetchCommand, ProgressLineWithTheExpectedTotalAndTimeLeft) {
    const std::uint64_t expected = 120'000'000; // four copernicus30 tiles
    EXPECT_EQ(cli::fetchProgressText({1, 4, 30'000'000, 10}, expected),
              "Fetching 1/4 tiles, 29 MiB of about 114 MiB, 2.9 MiB/s, 30 s left");
    EXPECT_EQ(cli::fetchProgressText({1, 4, 90'000'000, 30}, expected), // three quarters of the bytes
              "Fetching 1/4 tiles, 86 MiB of about 114 MiB, 2.9 MiB/s, 10 s left");
    EXPECT_EQ(cli::fetchProgressText({3, 4, 130'000'000, 60}, expected), // past the estimate: no guess
              "Fetching 3/4 tiles, 124 MiB, 2.1 MiB/s");
    EXPECT_EQ(cli::fetchProgressText({0, 4, 0, 0.5}, expected), "Fetching 0/4 tiles, 0 bytes of about 114 MiB, 0 bytes/s");
}

TEST(FetchCommand, FailuresAndAllSea) {
    testing::LoopbackServer server;
    testing::TempDir cache;
    CannedReply broken;
    broken.status = 500;
    server.serve("/c90" + download::tilePath({SourceKind::Copernicus90, "", 0}, {50, -4}), broken);
    const auto fetch = [&](const char* coordinate) {
        return runTool({"fetch", coordinate, "--source", "copernicus90", "--base-url", server.baseUrl() + "/c90",
                        "--dir", cache.path().string(), "--home", cache.path().string()});
    };
    const ToolRun failed = fetch("50.7531/-3.4354");
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err, "Area: 1 tile, about 3.8 MiB to download\n"
                          "orolith fetch: N50W004: copernicus90: the server answered HTTP 500\n");
    const ToolRun sea = fetch("0.5,-30.5");
    EXPECT_EQ(sea.code, 0);
    EXPECT_EQ(sea.out, "");
    EXPECT_NE(sea.err.find("all sea"), std::string::npos);

    // A box across the 180° meridian, when asked for: one tile on each side.
    const ToolRun across = runTool({"fetch", "--bbox", "10,179.5,10.5,-179.5", "--across-180", "--source",
                                    "copernicus90", "--base-url", server.baseUrl() + "/c90", "--dir",
                                    cache.path().string(), "--home", cache.path().string()});
    EXPECT_EQ(across.code, 0);
    EXPECT_EQ(across.err, "Area: 2 tiles, about 7.6 MiB to download\n"
                          "orolith fetch: no source has a tile of this area: it is all sea\n");
}

} // namespace
} // namespace orolith

namespace orolith {
namespace {

// The converting commands take --bbox in place of input files: one land tile (100 m) of
// Copernicus beside a sea tile it does not have.
class AreaInput : public ::testing::Test {
  protected:
    void SetUp() override {
        serveTile(server_, "c30", SourceKind::Copernicus30, {50, -4});
        words_ = {"--bbox", "50.5,-3.5,50.9,-2.5", "--source", "copernicus30", "--base-url", server_.baseUrl() + "/c30",
                  "--dir", (work_ / "cache").string()};
    }
    ToolRun run(std::vector<std::string> words) {
        words.insert(words.end(), words_.begin(), words_.end());
        return runTool(words);
    }
    testing::LoopbackServer server_;
    testing::TempDir work_;
    std::vector<std::string> words_;
};

TEST_F(AreaInput, SeaTilesAreBandZeroAndTheMapCarriesTheAttribution) {
    const ToolRun list = run({"list"});
    EXPECT_EQ(list.code, 0) << list.err;
    EXPECT_EQ(list.out.rfind("0\t10300\n25\t10301\n", 0), 0u) << list.out; // the sea at 0 m, not a void
    EXPECT_TRUE(list.out.ends_with("\n100\t10304\n")) << list.out;
    const auto map = work_ / "area.mp";
    const ToolRun mp = run({"mp", "--output", map.string()});
    EXPECT_EQ(mp.code, 0) << mp.err;
    const std::string text = testing::readBytes(map);
    EXPECT_NE(text.find("\r\nCopyright = " + std::string(download::sourceAttribution(SourceKind::Copernicus30)) + "\r\n"),
              std::string::npos);
    EXPECT_EQ(server_.requests().size(), 3u); // the land tile came from the cache, the sea was asked again

    testing::LoopbackServer empty; // all sea
    const ToolRun sea = runTool({"mp", "--bbox", "0,-30,1,-29", "--source", "copernicus90", "--base-url", empty.baseUrl(), "--dir",
                                 (work_ / "cache").string(), "--output", map.string(), "--force"});
    EXPECT_EQ(sea.code, 1);
    EXPECT_NE(sea.err.find("all sea"), std::string::npos);
}

// Without --home and --output the desktop's folders are used: the tiles in the cache folder,
// the map in the documents folder, in a folder named after the area.
TEST_F(AreaInput, TheMapOfAnAreaGoesToTheDocumentsFolder) {
    const testing::TempDir home;
    const std::string realHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", home.path().c_str(), 1);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        ::unsetenv(name);
    ::setenv("XDG_DOCUMENTS_DIR", (home / "Docs").c_str(), 1);
    const ToolRun mp = runTool({"mp", "--bbox", "50.5,-3.5,50.9,-2.5", "--source", "copernicus30", "--base-url",
                                server_.baseUrl() + "/c30"});
    ::unsetenv("XDG_DOCUMENTS_DIR");
    ::setenv("HOME", realHome.c_str(), 1);
    EXPECT_EQ(mp.code, 0) << mp.err;
    const auto map = home / "Docs" / "Orolith" / "N50W004-N50W003" / "N50W004-N50W003.mp";
    EXPECT_EQ(mp.out.rfind("Created " + map.string() + " (", 0), 0u) << mp.out;
    EXPECT_TRUE(std::filesystem::is_regular_file(
        download::cachedTilePath(home / ".cache" / "orolith-creator" / "dem", SourceKind::Copernicus30, {50, -4})));
}

TEST_F(AreaInput, ImgMakesTheReceiverFileFromABox) {
    if (!testing::haveMkgmap())
        GTEST_SKIP() << "mkgmap is not installed";
    const auto out = work_ / "img";
    const ToolRun img = run({"img", "--output-dir", out.string()});
    EXPECT_EQ(img.code, 0) << img.err;
    EXPECT_TRUE(std::filesystem::exists(out / "gmapsupp.img"));
    EXPECT_TRUE(std::filesystem::exists(out / "N50W004-N50W003.mp"));
}

} // namespace
} // namespace orolith
