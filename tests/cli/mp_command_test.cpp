#include "support/cli_run.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace orolith {
namespace {

using testing::readBytes;
using testing::runTool;
using testing::ToolRun;

struct MapCommands : ::testing::Test {
    testing::TempDir dir;
    std::string input =
        dir.write("alps.txt", testing::crlf({"export", "L 1 100.0", " -3.5 50.5", " -3.4 50.5", " -3.5 50.5",
                                             "L 2 150.0", " 7 50", " 7 51"}))
            .string();
    std::string map = (dir / "alps.mp").string();
};

TEST_F(MapCommands, MpWritesTheMapAndPrintsTheFinalMessage) {
    const ToolRun run = runTool({"mp", input, "--levels", "highest,low", "--contours"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "Created " + map +
                           " (1 polygons not included)\n\nIncrease Max Distance to include more polygons.\n");
    EXPECT_EQ(run.err, "");
    EXPECT_NE(readBytes(map).find("Data0=(50.5,-3.5),(50.5,-3.4),(50.5,-3.5)\r\n"), std::string::npos);
    EXPECT_NE(readBytes(map).find("[POLYLINE]\r\nType=0x10304\r\nEndLevel=2\r\nData0="), std::string::npos);
    EXPECT_NE(readBytes(map).find("[POLYLINE]\r\nType=0x10304\r\nData3="), std::string::npos);

    const std::string other = (dir / "other.mp").string();
    EXPECT_EQ(runTool({"mp", input, "--levels=2", "--first-type", "200", "--max-distance", "120000",
                       "--output", other})
                  .code,
              0);
    EXPECT_NE(readBytes(other).find("Type=0x205\r\nData2=(50,7),(51,7)"), std::string::npos);
}

TEST_F(MapCommands, MpReplacesOnlyWithForce) {
    dir.write("alps.mp", "mine");
    ToolRun run = runTool({"mp", input});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(
        run.err,
        map + "\n\nFile exists.\n\nReplace?\nNo: the map was not replaced (use --force to replace it).\n");
    EXPECT_EQ(readBytes(map), "mine");
    EXPECT_EQ(runTool({"mp", input, "--force"}).code, 0);
    EXPECT_EQ(readBytes(map).substr(0, 8), "[IMG ID]");
}

TEST_F(MapCommands, FailuresExitOne) {
    const std::string missing = (dir / "nothere.txt").string();
    for (const auto& [words, err] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"mp", input, "--levels", ""}, "Please select a 'Detail Level'.\n"},
             {{"mp", input, "--output", (dir / "no" / "folder.mp").string()},
              (dir / "no" / "folder.mp").string() +
                  " No such file or directory\n\nThe map was not created.\n"}}) {
        const ToolRun run = runTool(words);
        EXPECT_EQ(run.code, 1) << err;
        EXPECT_EQ(run.err, err);
    }
}

TEST_F(MapCommands, ListAndTheBuiltProgram) {
    const ToolRun run = testing::runBuiltTool("mp '" + input + "' --force");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out.rfind("Created ", 0), 0u);
    EXPECT_EQ(testing::runBuiltTool("mp").code, 2);
    EXPECT_EQ(runTool({"list", input}).out, "100\t10304\n150\t10305\n");
    EXPECT_EQ(runTool({"list", input, "--first-type", "1031f"}).out,
              "100\t10403\n150\t10404\n"); // 0x10323 moves on
}

} // namespace
} // namespace orolith
