// Every subcommand: wrong words exit 2 with the problem and a hint on stderr; --help prints the
// usage on stdout; inputs that cannot be read are named as given.

#include "support/cli_run.h"
#include "support/test_support.h"

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
        {"fetch", "1/2", "--connections", "9"}, {"fetch", "1/2", "--region", "Europe"},
        {"fetch", "--bbox", "50,-3,51,-4"}, {"img", "--bbox", "50,-3,51,-4"}};
    for (const std::vector<std::string>& words : wrong) {
        const ToolRun run = runTool(words);
        EXPECT_EQ(run.code, 2) << ::testing::PrintToString(words);
        // One line naming the problem, one pointing to the help.
        const std::string prefix = "orolith " + words[0] + ": ";
        const std::string hint = "\nTry 'orolith " + words[0] + " --help'.\n";
        EXPECT_EQ(run.err.rfind(prefix, 0), 0u) << run.err;
        EXPECT_TRUE(run.err.ends_with(hint)) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - hint.size()) << run.err;
        EXPECT_EQ(run.out, "");
    }
    const ToolRun unknown = runTool({"nosuch"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.err, "orolith: unknown command 'nosuch'\nTry 'orolith --help'.\n");
}

TEST(Usage, SwappedBoxEdgesNameBothReadings) {
    const ToolRun run = runTool({"fetch", "--bbox", "50,-3,51,-4"});
    EXPECT_EQ(run.err, "orolith fetch: west -3 lies east of east -4: either the edges are swapped "
                       "(50,-4,51,-3, 1° wide) or the box crosses the 180° meridian (359° wide); "
                       "the second needs --across-180\nTry 'orolith fetch --help'.\n");
}

TEST(Usage, InputsThatCannotBeReadAreNamedAsGiven) {
    testing::TempDir dir;
    std::filesystem::create_directory(dir / "tiles.hgt");
    const std::string present = dir.write("N50W004.hgt", std::string(2 * 1201 * 1201, '\0')).string();
    const std::string folder = (dir / "tiles.hgt").string();
    const struct {
        std::vector<std::string> words;
        std::string err;
    } cases[] = {
        {{"mp", "nosuch.hgt"}, "orolith mp: nosuch.hgt: no such file\n"},
        {{"mp", "dem/nosuch.tif"}, "orolith mp: dem/nosuch.tif: no such file\n"},
        {{"list", "nosuch.txt"}, "orolith list: nosuch.txt: no such file\n"},
        {{"typ", "./nosuch.asc", "--home", dir.path().string()}, "orolith typ: ./nosuch.asc: no such file\n"},
        {{"img", present, "nosuch.hgt.zip"}, "orolith img: nosuch.hgt.zip: no such file\n"},
        {{"render", "nosuch.vrt", "--output", (dir / "a.png").string()}, "orolith render: nosuch.vrt: no such file\n"},
        {{"mp", folder}, "orolith mp: " + folder + ": is a folder, not a file\n"},
    };
    for (const auto& c : cases) {
        const ToolRun run = runTool(c.words);
        EXPECT_EQ(run.code, 1) << c.err;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2); // nothing was written
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
