#include "support/cli_run.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace orolith {
namespace {

using testing::crlf;
using testing::readBytes;
using testing::runTool;
using testing::ToolRun;

// Five bands (100, 125, 150, 175, 200) of small closed squares, 100 appearing twice.
std::string geoVector() {
    std::string text = "exported\r\n";
    for (int elevation : {100, 125, 150, 100, 175, 200})
        text += "L 1 " + std::to_string(elevation) + ".0\r\n" +
                crlf({" 6.0 45.0", " 6.01 45.0", " 6.01 45.01", " 6.0 45.0"});
    return text;
}

struct TypCommand : ::testing::Test {
    testing::TempDir dir;
    std::string input = dir.write("area.txt", geoVector()).string();
    std::string home = (dir / "home").string();
    std::string typPath = (dir / "home" / "typ" / "untitled.txt").string();

    ToolRun typ(std::vector<std::string> args) {
        args.insert(args.begin(), "typ");
        args.insert(args.end(), {"--home", home});
        return runTool(args);
    }
};

// The files' contents are the writer's (see its tests); here: defaults, messages and exit codes.
TEST_F(TypCommand, WritesBothFilesIntoTheHomeFolder) {
    const ToolRun run = typ({input, "--max-draworder", "1"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Reached maximum draworder of 1.\nCreated " + typPath + "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_NE(readBytes(typPath).find("Type=0x10308,1\r\n[End]"), std::string::npos); // five bands
    EXPECT_NE(readBytes(typPath).find("\"1 c #008000\""), std::string::npos); // band 4: default entry 2
    EXPECT_EQ(readBytes(dir / "home" / "test.tpgn").substr(0, 32), "10301,10302,10303,10304,10305,\r\n");
    EXPECT_EQ(testing::fileNames(dir / "home"),
              (std::vector<std::string>{"col", "patterns", "system", "test.tpgn", "typ"}));
}

TEST_F(TypCommand, OptionsReachTheWriter) {
    const auto palette = dir.write("blue.col", crlf({"FF0000", "FF0000"}));
    const auto output = (dir / "style.txt").string();
    const auto companion = (dir / "list.tpgn").string();
    ASSERT_EQ(typ({input, "--output", output, "--companion", companion, "--pattern-text", "1\\n0",
                   "--palette", palette.string(), "--first-type", "1031E", "--row-per-band"})
                  .code,
              0);
    const std::string ones = "\"" + std::string(32, '1') + "\"\r\n";
    EXPECT_NE(readBytes(output).find("\"1 c #0000FF\"\r\n" + ones + ones), std::string::npos);
    EXPECT_EQ(readBytes(companion).substr(0, 18), "1031F,10400,10401,");
    EXPECT_FALSE(std::filesystem::exists(dir / "home" / "test.tpgn"));

    const auto pattern = dir.write("dots.ptn", "1000\r\n0000\r\n\r\n");
    ASSERT_EQ(typ({input, "--pattern", pattern.string(), "--one-colour"}).code, 0);
    EXPECT_NE(readBytes(typPath).find("\"1 c #DCDCDC\"\r\n\"1000100010001000"), std::string::npos);
}

TEST_F(TypCommand, FailuresExitOneAndWriteNothing) {
    const auto badPattern = dir.write("bad.ptn", "0101\r\n01x1\r\n");
    const auto empty = dir.write("empty.txt", "no records here\r\n");
    const std::string missing = (dir / "missing.txt").string();
    const std::string map = dir.write("area.mp", "my map").string();
    const auto hugePalette = dir.write("huge.col", std::string(1 << 20, '0'));
    for (const auto& [args, err] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{input, "--pattern-text", "011"}, "Length of 011 must be multiple of 32\n"},
             {{input, "--pattern", badPattern.string()}, "Not a valid pattern file.\n"},
             {{empty.string()}, "No data\n"},
             {{input, "--palette", hugePalette.string()}, "Not a valid palette file.\n"},
             {{input, "--output", input},
              "The TYP file would replace the input or the map:\n" + input + "\n\nNothing was written.\n"},
             {{input, "--output", map},
              "The TYP file would replace the input or the map:\n" + map + "\n\nNothing was written.\n"}}) {
        const ToolRun run = typ(args);
        EXPECT_EQ(run.code, 1) << err;
        EXPECT_EQ(run.err, err);
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(std::filesystem::exists(typPath)) << err;
    }
    EXPECT_EQ(readBytes(input), geoVector());
    EXPECT_EQ(readBytes(map), "my map");
}

} // namespace
} // namespace orolith
