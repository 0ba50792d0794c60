#include "support/cli_run.h"

#include <gtest/gtest.h>

using orolith::testing::runTool;
using orolith::testing::ToolRun;

namespace {

const std::string kBase = "https://dds.cr.usgs.gov/srtm/version2_1/SRTM3/";

} // namespace

TEST(TileCommand, PrintsNameThenAddress) {
    for (const auto& [words, out] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"tile", "50.7531/-3.4354"}, "N50W004\n" + kBase + "Africa/N50W004.hgt.zip\n"},
             {{"tile", "-33.9,18.4", "--region", "Africa"}, "S34E018\n" + kBase + "Africa/S34E018.hgt.zip\n"},
             {{"tile", "--region=eurasia", "1.2\\103.8"}, "N01E103\n" + kBase + "Eurasia/N01E103.hgt.zip\n"},
             {{"tile", "-0.5/0.5", "--region", "5"},
              "S01E000\n" + kBase + "South_America/S01E000.hgt.zip\n"},
             // A leading "-." is a number, not an option; too small a number is 0.
             {{"tile", "-.5/1e-400"}, "S01E000\n" + kBase + "Africa/S01E000.hgt.zip\n"}}) {
        const ToolRun run = runTool(words);
        EXPECT_EQ(run.code, 0);
        EXPECT_EQ(run.out, out);
        EXPECT_EQ(run.err, "");
    }
    const ToolRun built = orolith::testing::runBuiltTool("tile 0.5/-0.5 --region 2");
    EXPECT_EQ(built.code, 0);
    EXPECT_EQ(built.out, "N00W001\n" + kBase + "Eurasia/N00W001.hgt.zip\n");
}

TEST(TileCommand, NoTileIsExitOne) {
    const ToolRun run = runTool({"tile", "50.7531 -3.4354"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(" N/S , EW  or NS/EW"), std::string::npos);
    EXPECT_EQ(runTool({"tile", "95/10"}).code, 1);
}
