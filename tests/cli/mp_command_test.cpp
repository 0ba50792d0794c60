#include "cli/commands.h"
#include "support/test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace orolith::cli {
namespace {

using orolith::testing::crlf;
using orolith::testing::readBytes;
using orolith::testing::TempDir;

const std::string kInput =
    crlf({"export", "L 1 100.0", " -3.5 50.5", " -3.4 50.5", " -3.5 50.5", "L 2 150.0", " 7 50", " 7 51"});

struct ToolRun {
    int code;
    std::string out, err;
};

ToolRun tool(std::vector<std::string> words) {
    std::ostringstream out, err;
    Streams io{out, err, false};
    const int code = runMain(words, io);
    return {code, out.str(), err.str()};
}

struct Commands : ::testing::Test {
    TempDir dir;
    std::string input = dir.write("alps.txt", kInput).string();
    std::string map = (dir / "alps.mp").string();
};

TEST_F(Commands, MpWritesTheMapAndPrintsTheFinalMessage) {
    const ToolRun run = tool({"mp", input, "--levels", "highest,low", "--contours"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "Created " + map +
                           " (1 polygons not included)\n\nIncrease Max Distance to include more polygons.\n");
    EXPECT_EQ(run.err, "");
    const std::string text = readBytes(map);
    EXPECT_NE(text.find("Data0=(50.5,-3.5),(50.5,-3.4),(50.5,-3.5)\r\n"), std::string::npos);
    EXPECT_NE(text.find("[POLYLINE]\r\nType=0x10304\r\nData3="), std::string::npos);
}

TEST_F(Commands, MpOptionsReachTheConversion) {
    const std::string other = (dir / "other.mp").string();
    const ToolRun run = tool(
        {"mp", input, "--levels=2", "--first-type", "200", "--max-distance", "120000", "--output", other});
    EXPECT_EQ(run.code, 0) << run.err;
    const std::string text = readBytes(other);
    EXPECT_NE(text.find("Type=0x205\r\nData2="), std::string::npos);
    EXPECT_NE(text.find("Data2=(50,7),(51,7)"), std::string::npos);
}

TEST_F(Commands, MpReplacesOnlyWithForce) {
    dir.write("alps.mp", "mine");
    ToolRun run = tool({"mp", input});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(
        run.err,
        map + "\n\nFile exists.\n\nReplace?\nNo: the map was not replaced (use --force to replace it).\n");
    EXPECT_EQ(readBytes(map), "mine");
    run = tool({"mp", input, "--force"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(readBytes(map).substr(0, 8), "[IMG ID]");
}

TEST_F(Commands, MpFailuresExitOne) {
    ToolRun run = tool({"mp", (dir / "nothere.txt").string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "Cannot find file:" + (dir / "nothere.txt").string() + "\n");
    run = tool({"mp", input, "--levels", ""});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "Please select a 'Detail Level'.\n");
    run = tool({"mp", input, "--output", (dir / "no" / "such" / "folder.mp").string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("No such file or directory\n\nThe map was not created.\n"), std::string::npos);
}

TEST_F(Commands, UsageErrorsExitTwo) {
    for (const std::vector<std::string>& words : {std::vector<std::string>{"mp"},
                                                  {"mp", input, "--levels", "4"},
                                                  {"mp", input, "--levels", "top"},
                                                  {"mp", input, "--bogus"},
                                                  {"mp", input, input},
                                                  {"mp", input, "--output"},
                                                  {"list"},
                                                  {"list", input, "-x"}}) {
        const ToolRun run = tool(words);
        EXPECT_EQ(run.code, 2) << ::testing::PrintToString(words);
        EXPECT_NE(run.err.find("Usage: orolith"), std::string::npos);
    }
}

TEST_F(Commands, HelpGoesToStandardOutput) {
    for (const char* command : {"mp", "list"}) {
        const ToolRun run = tool({command, "--help"});
        EXPECT_EQ(run.code, 0);
        EXPECT_EQ(run.out.rfind(std::string("Usage: orolith ") + command, 0), 0u);
    }
}

TEST_F(Commands, ListPrintsElevationTabType) {
    ToolRun run = tool({"list", input});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "100\t10304\n150\t10305\n");
    run = tool({"list", input, "--first-type", "1031f"});
    EXPECT_EQ(run.out, "100\t10403\n150\t10404\n"); // 0x10323 moves on to 0x10403
    run = tool({"list", "*.txt"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "Cannot find file:*.txt\n");
}

TEST_F(Commands, TheBuiltToolExitsWithTheCommandsCode) {
    const std::string command = std::string("'") + OROLITH_CLI_BINARY + "' mp '" + input + "' --force >'" +
                                (dir / "out").string() + "' 2>&1";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readBytes(dir / "out").rfind("Created ", 0), 0u);
    status = std::system((std::string("'") + OROLITH_CLI_BINARY + "' mp >/dev/null 2>&1").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

} // namespace
} // namespace orolith::cli
