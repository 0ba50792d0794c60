// A 2 × 2 tile area spread as a plan and run by GNU parallel: the tiles' images equal those of
// `orolith img` run tile by tile (dates aside), a job run again or twice at once leaves its
// tile whole, the join names a missing tile, and a folder holding another area's plan is refused.

#include "dem/dem_test_support.h"
#include "download/tile_source.h"
#include "garmin/image_join.h"
#include "support/cli_run.h"
#include "support/loopback_server.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace orolith {
namespace {

namespace fs = std::filesystem;
using testing::runTool;

// Where two Garmin images differ only in dates (year, month, day, hour, minute, second),
// nothing else: every differing byte lies in a 7-byte date that reads as one in both.
bool sameButDates(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    const auto isDate = [](const std::string& s, std::size_t at) {
        if (at + 7 > s.size())
            return false;
        const auto u = [&](std::size_t i) { return static_cast<unsigned char>(s[at + i]); };
        const int year = u(0) | u(1) << 8;
        return year >= 2000 && year < 2200 && u(2) <= 12 && u(3) <= 31 && u(4) < 24 && u(5) < 60 && u(6) < 60;
    };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i])
            continue;
        bool inDate = false;
        for (std::size_t start = i >= 6 ? i - 6 : 0; start <= i && !inDate; ++start)
            inDate = isDate(a, start) && isDate(b, start);
        if (!inDate)
            return false;
    }
    return true;
}

// A 12 × 12 Copernicus tile: a slope with a pit, different in every tile.
std::string slopeTile(TileCorner tile) {
    dem::testing::TestRaster raster;
    raster.width = raster.height = 12;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            raster.values.push_back((x > 4 && x < 8 && y > 4 && y < 8) ? 20.0 : 100.0 + 15 * x + 10 * y + 50 * (tile.lat - 50));
    raster.geo[0] = tile.lon;
    raster.geo[1] = 1.0 / 12;
    raster.geo[3] = tile.lat + 1;
    raster.geo[5] = -1.0 / 12;
    testing::TempDir dir;
    dem::testing::writeRaster(raster, dir / "tile.tif", "GTiff");
    return testing::readBytes(dir / "tile.tif");
}

std::string shell(const std::string& command) {
    const std::string out = (fs::temp_directory_path() / "orolith-plan-test.log").string();
    const int status = std::system((command + " > '" + out + "' 2>&1").c_str());
    return std::to_string(WEXITSTATUS(status)) + ":" + testing::readBytes(out);
}

TEST(Plan, ParallelRunsTheTilesAsImgDoesAndJoinMakesOneImage) {
    if (!testing::haveMkgmap() || std::system("parallel --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "mkgmap or GNU parallel is not installed";
    testing::LoopbackServer server;
    testing::TempDir work;
    const download::TileSource source{download::SourceKind::Copernicus30, "", 0};
    for (int lat : {50, 51})
        for (int lon : {-4, -3})
            server.serve("/c30" + download::tilePath(source, {lat, lon}), {200, slopeTile({lat, lon}), {}});
    const std::string common = " --source copernicus30 --base-url " + server.baseUrl() + "/c30 --dir '" +
                               (work / "cache").string() + "' --interval 50 --simplify 0";
    const fs::path plan = work / "plan";
    const auto planned = testing::runBuiltTool("img --bbox 50,-4,52,-2 --plan '" + plan.string() + "'" + common);
    ASSERT_EQ(planned.code, 0) << planned.out;
    const std::string jobs = testing::readBytes(plan / "jobs.txt");
    EXPECT_EQ(std::count(jobs.begin(), jobs.end(), '\n'), 4);
    EXPECT_NE(testing::readBytes(plan / "slurm.sh").find("\n#SBATCH --array=1-4\n"), std::string::npos);
    ASSERT_EQ(shell("cd '" + plan.string() + "' && parallel -j2 < jobs.txt").substr(0, 2), "0:");

    const char* tiles[] = {"N50W004", "N50W003", "N51W004", "N51W003"};
    for (const char* tile : tiles) {
        const std::string name(tile);
        const int lat = std::stoi(name.substr(1, 2)), lon = -std::stoi(name.substr(4, 3));
        const fs::path alone = work / "alone" / tile;
        const std::string box = std::to_string(lat) + "," + std::to_string(lon) + "," + std::to_string(lat + 1) + "," +
                                std::to_string(lon + 1);
        const auto img = testing::runBuiltTool("img --bbox " + box + " --output-dir '" + alone.string() +
                                               "' --name N50W004-N51W003 --bands -500,9000" + common);
        ASSERT_EQ(img.code, 0) << img.out;
        const auto fromPlan = garmin::mapTileImages(plan / "tiles" / tile), single = garmin::mapTileImages(alone);
        ASSERT_EQ(fromPlan.size(), 1u) << tile;
        ASSERT_EQ(single.size(), 1u) << tile;
        EXPECT_EQ(fromPlan[0].filename(), single[0].filename());
        EXPECT_TRUE(sameButDates(testing::readBytes(fromPlan[0]), testing::readBytes(single[0]))) << tile;
    }

    // Run again, the job leaves the tile as it was; two at once, one makes it, one waits and skips.
    const std::string first = jobs.substr(0, jobs.find('\n'));
    const fs::path tileImage = garmin::mapTileImages(plan / "tiles" / tiles[0]).front();
    const std::string before = testing::readBytes(tileImage);
    EXPECT_NE(shell(first).find("was made before; nothing to do"), std::string::npos);
    EXPECT_EQ(testing::readBytes(tileImage), before);
    fs::remove_all(plan / "tiles" / tiles[0]);
    std::ofstream(work / "twice.txt") << first << "\n" << first << "\n";
    const std::string twice = shell("parallel -j2 < '" + (work / "twice.txt").string() + "'");
    EXPECT_EQ(twice.substr(0, 2), "0:") << twice;
    EXPECT_NE(twice.find("nothing to do"), std::string::npos) << twice;
    EXPECT_TRUE(sameButDates(testing::readBytes(tileImage), before));

    const auto joined = runTool({"join", plan.string()});
    ASSERT_EQ(joined.code, 0) << joined.err;
    const std::string image = testing::readBytes(plan / "gmapsupp.img");
    for (const char* tile : tiles)
        EXPECT_NE(image.find(garmin::mapTileImages(plan / "tiles" / tile).front().stem().string() + "RGN"),
                  std::string::npos);

    fs::remove(plan / "gmapsupp.img");
    fs::remove(plan / "tiles" / tiles[3] / "gmapsupp.img");
    const auto missing = runTool({"join", plan.string()});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "orolith join: gmapsupp.img was not made: not every tile is made yet (run its job "
                           "first): N51W003\n");
    EXPECT_FALSE(fs::exists(plan / "gmapsupp.img"));

    const auto other = runTool({"img", "--bbox", "40,10,41,11", "--plan", plan.string()});
    EXPECT_EQ(other.code, 1);
    EXPECT_NE(other.err.find("already holds the plan of another area (50,-4,52,-2)"), std::string::npos) << other.err;
    EXPECT_EQ(testing::readBytes(plan / "jobs.txt"), jobs);
}

} // namespace
} // namespace orolith
