#include "download/fetch_estimate.h"
#include "download/tile_area.h"
#include "download/tile_source.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace orolith::download {

namespace {

std::string names(const std::vector<TileCorner>& tiles) {
    std::string text;
    for (const TileCorner tile : tiles)
        text += (text.empty() ? "" : " ") + tileName(tile);
    return text;
}

std::vector<TileCorner> covering(const char* text) {
    std::string problem;
    const auto box = parseBoundingBox(text, problem, Crossing::Allowed);
    EXPECT_TRUE(box) << text << ": " << problem;
    return box ? tilesCovering(*box) : std::vector<TileCorner>{};
}

} // namespace

TEST(TileArea, TilesCoveringABox) {
    const std::pair<const char*, const char*> table[] = {
        {"50,-4,51,-3", "N50W004"},                    // edges on whole degrees take no neighbour
        {"50.2, -3.9, 50.3, -3.8", "N50W004"},         // inside one tile
        {"-0.5,-0.5,0.5,0.5", "S01W001 S01E000 N00W001 N00E000"}, // equator and prime meridian
        {"10,179.5,10.5,-179.5", "N10E179 N10W180"},   // across the 180° meridian
        {"0,179,1,180", "N00E179"},                    // up to the 180° meridian
        {"-90,-180,-89,-179", "S90W180"},
        {"89.5,0,90,0.5", "N89E000"},                  // up to the pole
        {"-33.95,18.4,-33.9,+18.5", "S34E018"}};
    for (const auto& [box, expected] : table)
        EXPECT_EQ(names(covering(box)), expected) << box;
    std::string problem;
    for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "a,b,c,d", "51,0,50,1", "0,0,1,0", "0,181,1,182",
                            "-91,0,0,1", "0,0,1,1x", "0,0,1,nan"}) {
        EXPECT_FALSE(parseBoundingBox(bad, problem, Crossing::Allowed)) << bad;
        EXPECT_FALSE(problem.empty());
    }
}

TEST(TileArea, WestBeyondEastIsRefusedUnlessCrossingIsAsked) {
    std::string problem;
    EXPECT_FALSE(parseBoundingBox("10, 179.5 ,10.5,-179.5", problem));
    EXPECT_EQ(problem, "west 179.5 lies east of east -179.5: either the edges are swapped "
                       "(10,-179.5,10.5,179.5, 359° wide) or the box crosses the 180° meridian (1° wide)");
    EXPECT_FALSE(parseBoundingBox("50.25,-3.5,51,-3.75", problem));
    EXPECT_NE(problem.find("(50.25,-3.75,51,-3.5, 0.25° wide)"), std::string::npos) << problem;
    EXPECT_NE(problem.find("(359.75° wide)"), std::string::npos) << problem;
    const auto box = parseBoundingBox("50,-3,51,-4", problem, Crossing::Allowed);
    ASSERT_TRUE(box);
    EXPECT_EQ(tilesCovering(*box).size(), 359u);
    EXPECT_EQ(boxWidth(*box), 359);
    EXPECT_TRUE(parseBoundingBox("50,-4,51,-3", problem)); // the usual order needs nothing
}

TEST(TileSource, AddressesAndFileNamesAtTheEdges) {
    struct Case {
        SourceKind kind;
        TileCorner tile;
        const char* path;
    };
    const Case table[] = {
        {SourceKind::Copernicus90, {-1, 0},
         "/Copernicus_DSM_COG_30_S01_00_E000_00_DEM/Copernicus_DSM_COG_30_S01_00_E000_00_DEM.tif"},
        {SourceKind::Copernicus30, {0, -180},
         "/Copernicus_DSM_COG_10_N00_00_W180_00_DEM/Copernicus_DSM_COG_10_N00_00_W180_00_DEM.tif"},
        {SourceKind::Copernicus90, {-90, -1},
         "/Copernicus_DSM_COG_30_S90_00_W001_00_DEM/Copernicus_DSM_COG_30_S90_00_W001_00_DEM.tif"},
        {SourceKind::Skadi, {-34, 18}, "/S34/S34E018.hgt.gz"},
        {SourceKind::Skadi, {-1, -180}, "/S01/S01W180.hgt.gz"},
        {SourceKind::Srtm3, {50, -4}, "/Eurasia/N50W004.hgt.zip"}};
    for (const Case& c : table) {
        TileSource source = defaultSource(c.kind);
        source.continent = 2;
        EXPECT_EQ(tilePath(source, c.tile), c.path);
        EXPECT_EQ("/" + tileFileName(c.kind, c.tile), std::string(c.path).substr(std::string(c.path).rfind('/')));
    }
    EXPECT_EQ(tileUrl(defaultSource(SourceKind::Copernicus30), {50, -4}),
              "https://copernicus-dem-30m.s3.amazonaws.com/Copernicus_DSM_COG_10_N50_00_W004_00_DEM/"
              "Copernicus_DSM_COG_10_N50_00_W004_00_DEM.tif");
    EXPECT_EQ(tileUrl(defaultSource(SourceKind::Skadi), {50, -4}),
              "https://s3.amazonaws.com/elevation-tiles-prod/skadi/N50/N50W004.hgt.gz");
    EXPECT_EQ(tileUrl({SourceKind::Srtm3, "http://mirror.example/srtm//", 9}, {1, 106}),
              "http://mirror.example/srtm/South_America/N01E106.hgt.zip");
    for (const SourceKind kind : kAllSources)
        EXPECT_EQ(sourceByName(sourceName(kind)), kind);
    EXPECT_FALSE(sourceByName("Skadi"));
    EXPECT_EQ(attributionOf({SourceKind::Copernicus30, SourceKind::Copernicus90}),
              sourceAttribution(SourceKind::Copernicus30)); // the same licence once
}

} // namespace orolith::download

namespace orolith::download {

TEST(FetchEstimate, CountsTheCacheAndAsksAboveFiftyTilesOrAGibibyte) {
    testing::TempDir cache;
    FetchOptions options;
    options.cacheRoot = cache.path();
    options.sources = {defaultSource(SourceKind::Copernicus30), defaultSource(SourceKind::Skadi)};
    std::filesystem::create_directories(cacheFolder(cache.path(), SourceKind::Skadi));
    cache.write("skadi/" + tileFileName(SourceKind::Skadi, {50, -3}), "x"); // the second source's cache counts
    const std::vector<TileCorner> tiles = {{50, -4}, {50, -3}, {51, -4}, {51, -3}};
    const FetchEstimate estimate = estimateFetch(tiles, options);
    EXPECT_EQ(estimate.cached, 1u);
    EXPECT_EQ(estimate.bytes, 90'000'000u);
    EXPECT_EQ(estimateText(estimate), "4 tiles (1 in the cache), about 86 MiB to download");
    EXPECT_EQ(estimateText(estimateFetch({{50, -3}}, options)), "1 tile, already in the cache");

    const auto many = [](std::size_t count, SourceKind kind) {
        return FetchEstimate{count, 0, count * typicalTileBytes(kind)};
    };
    EXPECT_FALSE(isLargeFetch(many(50, SourceKind::Srtm3)));
    EXPECT_TRUE(isLargeFetch(many(51, SourceKind::Srtm3)));
    EXPECT_FALSE(isLargeFetch(many(35, SourceKind::Copernicus30))); // 1.05 GB
    EXPECT_TRUE(isLargeFetch(many(36, SourceKind::Copernicus30)));  // 1.08 GB, above 1 GiB
    EXPECT_FALSE(isLargeFetch(FetchEstimate{60, 10, 0}));           // 50 to fetch
}

} // namespace orolith::download
