// `orolith img` from a Geo Vector file to gmapsupp.img with Debian's mkgmap: the summary,
// the default output folder, what is refused and what stays untouched then.

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
    EXPECT_NE(run.out.find("gmapsupp.img: " + image.string() + "\nSize: " + std::to_string(bytes.size()) +
                           " bytes\nMap number: "),
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

} // namespace
} // namespace orolith
