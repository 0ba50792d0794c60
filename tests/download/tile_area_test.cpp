#include "download/tile_area.h"
#include "download/tile_source.h"

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
    const auto box = parseBoundingBox(text, problem);
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
        EXPECT_FALSE(parseBoundingBox(bad, problem)) << bad;
        EXPECT_FALSE(problem.empty());
    }
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
