#include "cli/commands.h"
#include "support/test_support.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TileRun {
    int code = 0;
    std::string out;
    std::string err;
};

TileRun tile(const std::vector<std::string>& words) {
    std::vector<std::string> args{"tile"};
    args.insert(args.end(), words.begin(), words.end());
    std::ostringstream out;
    std::ostringstream err;
    orolith::cli::Streams io{out, err};
    const int code = orolith::cli::runMain(args, io);
    return {code, out.str(), err.str()};
}

const std::string kBase = "https://dds.cr.usgs.gov/srtm/version2_1/SRTM3/";

} // namespace

TEST(TileCommand, PrintsNameThenAddress) {
    TileRun run = tile({"50.7531/-3.4354"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "N50W004\n" + kBase + "Africa/N50W004.hgt.zip\n");
    EXPECT_EQ(run.err, "");

    run = tile({"-33.9,18.4", "--region", "Africa"});
    EXPECT_EQ(run.out, "S34E018\n" + kBase + "Africa/S34E018.hgt.zip\n");
    run = tile({"--region=eurasia", "1.2\\103.8"});
    EXPECT_EQ(run.out, "N01E103\n" + kBase + "Eurasia/N01E103.hgt.zip\n");
    run = tile({"-0.5/0.5", "--region", "5"});
    EXPECT_EQ(run.out, "S01E000\n" + kBase + "South_America/S01E000.hgt.zip\n");
}

TEST(TileCommand, NoTileIsExitOne) {
    TileRun run = tile({"50.7531 -3.4354"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(" N/S , EW  or NS/EW"), std::string::npos);
    EXPECT_EQ(tile({"north/west"}).code, 1);
    EXPECT_EQ(tile({"95/10"}).code, 1);
}

TEST(TileCommand, UsageErrorsAreExitTwo) {
    const std::vector<std::vector<std::string>> wrong = {{},
                                                         {"1/2", "3/4"},
                                                         {"1/2", "--region"},
                                                         {"1/2", "--region", "6"},
                                                         {"1/2", "--region", "Europe"},
                                                         {"1/2", "--colour"}};
    for (const auto& words : wrong) {
        const TileRun run = tile(words);
        EXPECT_EQ(run.code, 2) << (words.empty() ? "" : words.back());
        EXPECT_NE(run.err.find("Usage: orolith tile"), std::string::npos);
    }
    const TileRun help = tile({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--region NAME|INDEX"), std::string::npos);
}

TEST(TileCommand, TheToolItself) {
    const std::string command = std::string(OROLITH_CLI_BINARY) + " tile 0.5/-0.5 --region 2";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        out += buffer;
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(out, "N00W001\n" + kBase + "Eurasia/N00W001.hgt.zip\n");
}
