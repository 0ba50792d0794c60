#include "download/synthetic_tiles.h"
#include "download/tile_fetcher.h"
#include "support/cli_run.h"
#include "support/loopback_server.h"
#include "support/test_support.h"

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
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(server.requests().size(), 7u); // 4 tiles at copernicus30, the 3 it lacks at skadi
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
    EXPECT_EQ(failed.err, "orolith fetch: N50W004: copernicus90: the server answered HTTP 500\n");
    const ToolRun sea = fetch("0.5,-30.5");
    EXPECT_EQ(sea.code, 0);
    EXPECT_EQ(sea.out, "");
    EXPECT_NE(sea.err.find("all sea"), std::string::npos);
}

} // namespace
} // namespace orolith
