// `orolith img` from a Geo Vector file to gmapsupp.img with Debian's mkgmap: the summary,
// the default output folder, what is refused and what stays untouched then.

#include "core/platform/size_text.h"
#include "support/cli_run.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace orolith {
namespace {

using testing::readBytes;
using testing::runTool;
using testing::ToolRun;

TEST(ImgCommand, MakesTheImageBesideTheInputAndReplacesItOnlyWithForce) {
    if (!testing::haveMkgmap())
        GTEST_SKIP() << "mkgmap is not installed";
    testing::TempDir dir;
    const auto input = dir.write("sample.txt", readBytes(testing::sourceDir() / "data" / "sample.txt"));
    const auto folder = dir / "sample";

    // A missing mkgmap is found out before anything is written.
    ToolRun run = runTool({"img", input.string(), "--mkgmap", (dir / "nowhere" / "mkgmap").string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "orolith img: gmapsupp.img was not made: mkgmap was not found. Install the mkgmap "
                       "package, or name its program or .jar file.\n");
    EXPECT_FALSE(std::filesystem::exists(folder));

    run = runTool({"img", input.string(), "--family-id", "777", "--name", "Sample tint"});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto image = folder / "gmapsupp.img";
    const std::string bytes = readBytes(image);
    EXPECT_NE(run.out.find("\nCreated " + image.string() + " (" + sizeText(bytes.size()) + ")\nMap number: "),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\nFamily ID: 777\nTiles: 1\n"), std::string::npos) << run.out;
    EXPECT_NE(readBytes(folder / "sample.mp").find("\r\nEndLevel=2\r\nData0="), std::string::npos);
    EXPECT_NE(readBytes(folder / "sample-typ.txt").find("\r\nFID = 777\r\n"), std::string::npos);
    const std::string number = run.out.substr(run.out.find("Map number: ") + 12, 8);
    EXPECT_NE(bytes.find(number + "RGN"), std::string::npos);

    run = runTool({"img", input.string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "orolith img: gmapsupp.img was not made: gmapsupp.img already exists in " + folder.string() +
                           ". Use --force to replace it.\n");
    EXPECT_EQ(readBytes(image), bytes);

    // The same area gets the same number again.
    run = runTool({"img", input.string(), "--force"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("Map number: " + number + "\n"), std::string::npos);
    EXPECT_EQ(testing::fileNames(folder),
              (std::vector<std::string>{number + ".img", "gmapsupp.img", "osmmap.img", "osmmap.tdb", "sample-typ.txt",
                                        "sample-typ.typ", "sample.mp", "sample.tpgn"}));
}

// A 3" elevation tile rising from 0 m in the south-west to 2400 m in the north-east.
std::string rampTile() {
    std::string bytes;
    for (int row = 0; row < 1201; ++row)
        for (int column = 0; column < 1201; ++column) {
            const int height = 1200 - row + column;
            bytes += static_cast<char>(height >> 8);
            bytes += static_cast<char>(height & 0xFF);
        }
    return bytes;
}

TEST(ImgCommand, ElevationTilesWithHillShading) {
    if (!testing::haveMkgmap())
        GTEST_SKIP() << "mkgmap is not installed";
    testing::TempDir dir;
    const auto tile = dir.write("N46E007.hgt", rampTile());
    EXPECT_EQ(runTool({"img", dir.write("a.txt", "L 1 100").string(), "--hill-shading"}).code, 2);

    const ToolRun run = runTool({"img", tile.string(), "--interval", "500", "--hill-shading", "--map-id", "31000000",
                                 "--output-dir", (dir / "img").string()});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("Map number: 31000000\n"), std::string::npos);
    const std::string image = readBytes(dir / "img" / "gmapsupp.img");
    EXPECT_NE(image.find("31000000RGN"), std::string::npos);
    EXPECT_NE(image.find("31000000DEM"), std::string::npos) << "no hill shading in the image";
    // Each band once for both levels.
    const std::string map = readBytes(dir / "img" / "N46E007.mp");
    EXPECT_NE(map.find("Type=0x10304\r\nEndLevel=3\r\nData0="), std::string::npos);
    EXPECT_EQ(map.find("Data3="), std::string::npos);
}

// Ctrl+C while mkgmap runs: the stand-in for mkgmap interrupts this process, as a terminal
// does with the whole foreground group, and waits to be stopped.
TEST(ImgCommand, InterruptRemovesWhatTheRunMadeAndSaysCancelled) {
    testing::TempDir dir;
    const auto input = dir.write("sample.txt", readBytes(testing::sourceDir() / "data" / "sample.txt"));
    const auto mkgmap = dir.write("mkgmap", "#!/bin/sh\nkill -INT $PPID\nexec sleep 60\n");
    std::filesystem::permissions(mkgmap, std::filesystem::perms::owner_all);
    std::filesystem::create_directory(dir / "kept");
    dir.write("kept/sample.mp", "an earlier map");

    for (const char* folder : {"new", "kept"}) {
        const ToolRun run = runTool({"img", input.string(), "--mkgmap", mkgmap.string(), "--output-dir",
                                     (dir / folder).string(), "--force"});
        EXPECT_EQ(run.code, 130) << run.err; // 128 + SIGINT
        EXPECT_TRUE(run.err.ends_with("Cancelled\n")) << run.err;
        EXPECT_EQ(run.out.find("gmapsupp.img"), std::string::npos) << run.out;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "new")); // made by the run, so gone with it
    // The map replaced by --force stays (it is complete); the TYP text and list the run made go.
    EXPECT_EQ(testing::fileNames(dir / "kept"), std::vector<std::string>{"sample.mp"});
    EXPECT_EQ(readBytes(input), readBytes(testing::sourceDir() / "data" / "sample.txt"));
}

} // namespace
} // namespace orolith
