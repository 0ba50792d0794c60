// Cutting a map into tiles by area: every block lands in exactly one tile, each tile stays
// within the limits, and each tile file is a map of its own with its own number.

#include "core/conversion/map_writer.h"
#include "garmin/map_number.h"
#include "garmin/map_tiles.h"
#include "support/test_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace orolith::garmin {
namespace {

// A rows x columns grid of small squares written by the map writer at levels 0 and 3.
std::filesystem::path gridMap(const testing::TempDir& dir, int rows, int columns) {
    MapWriter writer((dir / "grid.mp").string());
    EXPECT_TRUE(writer.open());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const std::string lat = std::to_string(50 + r * 0.01), lat2 = std::to_string(50.005 + r * 0.01);
            const std::string lon = std::to_string(7 + c * 0.01), lon2 = std::to_string(7.005 + c * 0.01);
            std::string vertices;
            appendVertex(vertices, lat, lon);
            appendVertex(vertices, lat2, lon);
            appendVertex(vertices, lat2, lon2);
            appendVertex(vertices, lat, lon);
            writer.polygon("10304", "03", vertices, c == 0);
        }
    EXPECT_TRUE(writer.commit());
    return dir / "grid.mp";
}

std::vector<std::string> blocksOf(const std::string& map) {
    std::vector<std::string> blocks;
    for (std::size_t at = map.find("[POLY"); at != std::string::npos; at = map.find("[POLY", at + 1))
        blocks.push_back(map.substr(at, map.find("[END]\r\n", at) + 7 - at));
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

TEST(MapTiles, SurveyCountsBlocksAtEveryLevelTheyAreShownAt) {
    testing::TempDir dir;
    MapSurvey survey;
    std::string error;
    ASSERT_TRUE(surveyMap(gridMap(dir, 3, 4), survey, error)) << error;
    // 12 squares: a Data0 block shown at levels 0..2 and a Data3 block; 3 of them followed at
    // each level by their contour line.
    EXPECT_EQ(survey.blocks.size(), 12u * 2 + 3 * 2);
    EXPECT_EQ(survey.weightedBlocks, 12u * 4 + 3 * 4);
    EXPECT_EQ(survey.vertices, 12u * 4 * 4 + 3 * 4 * 4);
    EXPECT_EQ(survey.header, mapHeader());
    EXPECT_NEAR(survey.bounds.minLat, 50, 1e-4);
    EXPECT_NEAR(survey.bounds.maxLat, 50.025, 1e-4);
    EXPECT_NEAR(survey.bounds.maxLon, 7.035, 1e-4);

    EXPECT_FALSE(surveyMap(dir.write("empty.mp", mapHeader()), survey, error));
    EXPECT_FALSE(surveyMap(dir / "missing.mp", survey, error));
}

TEST(MapTiles, LargeMapsAreCutByAreaIntoNumberedMapsThatHoldEveryBlockOnce) {
    testing::TempDir dir;
    const auto map = gridMap(dir, 10, 40);
    MapSurvey survey;
    std::string error;
    ASSERT_TRUE(surveyMap(map, survey, error)) << error;
    EXPECT_EQ(planTiles(survey, {}).size(), 1u);

    const TileLimits limits{300, 100000};
    const auto tiles = planTiles(survey, limits);
    ASSERT_GE(tiles.size(), 4u);
    std::size_t total = 0;
    for (const auto& tile : tiles) {
        std::uint64_t weight = 0;
        for (std::uint32_t i : tile)
            weight += survey.blocks[i].levels;
        EXPECT_LE(weight, limits.blocks);
        EXPECT_TRUE(std::is_sorted(tile.begin(), tile.end()));
        total += tile.size();
    }
    EXPECT_EQ(total, survey.blocks.size());
    // Cut across the longer side: the first tile lies wholly west of the last one.
    float firstEast = -180, lastWest = 180;
    for (std::uint32_t i : tiles.front())
        firstEast = std::max(firstEast, survey.blocks[i].lon);
    for (std::uint32_t i : tiles.back())
        lastWest = std::min(lastWest, survey.blocks[i].lon);
    EXPECT_LT(firstEast, lastWest);

    std::vector<std::filesystem::path> written;
    ASSERT_TRUE(writeTiles(map, survey, tiles, dir.path(), 12345678, written, error)) << error;
    ASSERT_EQ(written.size(), tiles.size());
    std::vector<std::string> all;
    for (std::size_t t = 0; t < written.size(); ++t) {
        EXPECT_EQ(written[t].filename(), std::to_string(12345678 + t) + ".mp");
        const std::string text = testing::readBytes(written[t]);
        EXPECT_NE(text.find("\r\nID = " + std::to_string(12345678 + t) + "\r\nName="), std::string::npos);
        const auto blocks = blocksOf(text);
        EXPECT_EQ(blocks.size(), tiles[t].size());
        all.insert(all.end(), blocks.begin(), blocks.end());
    }
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, blocksOf(testing::readBytes(map)));
}

TEST(MapNumber, EightDigitsAndFamilyIds) {
    for (const auto& [text, good] : std::vector<std::pair<std::string, bool>>{
             {"12345678", true}, {"99999999", true}, {"10000000", true}, {"09999999", false},
             {"1234567", false}, {"123456789", false}, {"1234567a", false}, {" 1234567", false}})
        EXPECT_EQ(parseMapNumber(text).has_value(), good) << text;
    for (const auto& [text, good] : std::vector<std::pair<std::string, bool>>{
             {"1", true}, {"1733", true}, {"65535", true}, {"0", false}, {"65536", false},
             {"-1", false}, {"", false}, {"17x", false}, {"000001", false}})
        EXPECT_EQ(parseFamilyId(text).has_value(), good) << text;

    const GeoBounds area{50, 7, 51, 8}, other{50, 8, 51, 9};
    const std::uint32_t number = mapNumberForArea(area);
    EXPECT_EQ(number, mapNumberForArea(GeoBounds{50.00001, 7, 51, 8}));
    EXPECT_NE(number, mapNumberForArea(other));
    EXPECT_GE(number, kFirstMapNumber);
    EXPECT_LE(number + 100000 - 1, kLastMapNumber);
}

} // namespace
} // namespace orolith::garmin
