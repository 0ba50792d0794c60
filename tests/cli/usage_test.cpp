// Every subcommand: wrong words exit 2 with its usage on stderr; --help prints it on stdout.

#include "support/cli_run.h"

#include <gtest/gtest.h>

namespace orolith {
namespace {

using testing::runTool;
using testing::ToolRun;

TEST(Usage, WrongWordsExitTwoWithTheUsage) {
    const std::vector<std::vector<std::string>> wrong = {
        {"mp"}, {"mp", "a.txt", "--levels", "4"}, {"mp", "a.txt", "--levels", "top"},
        {"mp", "a.txt", "--bogus"}, {"mp", "a.txt", "b.txt"}, {"mp", "a.txt", "--output"},
        {"list"}, {"list", "a.txt", "-x"},
        {"typ"}, {"typ", "a.txt", "b.txt"}, {"typ", "a.txt", "--pattern", "a.ptn", "--pattern-text", "01"},
        {"typ", "a.txt", "--first-type", "xyz"}, {"typ", "a.txt", "--colour"}, {"typ", "a.txt", "--output"},
        {"img"}, {"img", "a.txt", "--map-id", "1234567"}, {"img", "a.txt", "--map-id", "09999999"},
        {"img", "a.txt", "--family-id", "0"}, {"img", "a.txt", "--family-id", "65536"},
        {"img", "a.txt", "--hill-shading"}, {"img", "a.txt", "--levels", "5"},
        {"tile"}, {"tile", "1/2", "3/4"}, {"tile", "1/2", "--region"}, {"tile", "1/2", "--region", "6"},
        {"tile", "1/2", "--region", "Europe"}, {"tile", "1/2", "--colour"},
        {"fetch"}, {"fetch", "1/2", "--bbox", "1,2,3,4"}, {"fetch", "1 2"}, {"fetch", "--bbox", "3,2,1,4"},
        {"fetch", "--bbox", "0,0,30,30"}, {"fetch", "1/2", "--source", "copernicus30,nasa"},
        {"fetch", "1/2", "--source", "skadi,skadi"}, {"fetch", "1/2", "--base-url", "ftp://mirror/dem"},
        {"fetch", "1/2", "--connections", "9"}, {"fetch", "1/2", "--region", "Europe"}};
    for (const std::vector<std::string>& words : wrong) {
        const ToolRun run = runTool(words);
        EXPECT_EQ(run.code, 2) << ::testing::PrintToString(words);
        EXPECT_NE(run.err.find("Usage: orolith " + words[0]), std::string::npos)
            << ::testing::PrintToString(words);
        EXPECT_EQ(run.out, "");
    }
}

TEST(Usage, HelpGoesToStandardOutput) {
    for (const auto& [command, option] :
         std::vector<std::pair<std::string, std::string>>{{"mp", "--max-distance"},
                                                          {"list", "--first-type"},
                                                          {"typ", "--row-per-band"},
                                                          {"img", "--family-id N"},
                                                          {"tile", "--region NAME|INDEX"},
                                                          {"fetch", "--base-url URL"}}) {
        const ToolRun run = runTool({command, "--help"});
        EXPECT_EQ(run.code, 0) << command;
        EXPECT_EQ(run.out.rfind("Usage: orolith " + command, 0), 0u) << command;
        EXPECT_NE(run.out.find(option), std::string::npos) << command;
    }
}

} // namespace
} // namespace orolith
