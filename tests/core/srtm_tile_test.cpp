#include "core/tiles/srtm_tile.h"

#include <gtest/gtest.h>

namespace orolith {

TEST(SrtmTile, NamesTheSouthWestCorner) {
    const std::pair<const char*, const char*> table[] = {
        {"50.7531/-3.4354", "N50W004"}, {"50.7531,-3.4354", "N50W004"},
        {"-33.9,18.4", "S34E018"},      {"0.5/-0.5", "N00W001"},
        {"-0.5/0.5", "S01E000"},        {"1.2\\103.8", "N01E103"},
        {"1.5/106.9", "N01E106"},       {" 12 / 7 ", "N12E007"},
        {"-90/-180", "S90W180"},        {"0/0", "N00E000"},
        {"-1/-1", "S01W001"},           {"45,10,99", "N45E010"},
        {"50,5/-3,2", "N50W003"},       // the slash wins: "50,5" reads as 50
        {"90/180", "N89E179"}};         // the pole and the 180° meridian edge the last tile
    for (const auto& [coordinate, name] : table) {
        const TileNameResult result = srtmTileName(coordinate);
        EXPECT_EQ(result.problem, TileProblem::None) << coordinate;
        EXPECT_EQ(result.name, name) << coordinate;
    }
}

TEST(SrtmTile, TextsThatAreNoCoordinate) {
    EXPECT_EQ(srtmTileName("50.7531 -3.4354").problem, TileProblem::NoSeparator);
    EXPECT_EQ(srtmTileName("").problem, TileProblem::NoSeparator);
    for (const char* text : {"abc/def", "50/", "/3", "91/0", "0/180.5", "99999/1", "1e400/1", "-90.01/0"})
        EXPECT_EQ(srtmTileName(text).problem, TileProblem::NotACoordinate) << text;
}

TEST(SrtmTile, NameCheckAndAddress) {
    EXPECT_EQ(checkTileName("n01e106"), TileNameCheck::Ok);
    EXPECT_EQ(checkTileName(""), TileNameCheck::Empty);
    EXPECT_EQ(checkTileName("N01E10"), TileNameCheck::WrongLength);
    const std::string base = "https://dds.cr.usgs.gov/srtm/version2_1/SRTM3/";
    EXPECT_EQ(srtmDownloadAddress(0, "s34e018"), base + "Africa/s34e018.hgt.zip");
    EXPECT_EQ(srtmDownloadAddress(9, "N01E106"),
              base + "South_America/N01E106.hgt.zip"); // out of range: last
    EXPECT_EQ(clampSrtmContinent(-3), 0);
}

} // namespace orolith
