#include "core/paths.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace orolith {
namespace {

TEST(BaseName, IsTheLastComponentUpToItsFirstPoint) {
    std::string path = "C:/maps/N50W001.hgt.zip";
    EXPECT_EQ(baseName(path), "N50W001");
    EXPECT_EQ(baseNameOf("C:\\maps\\N50W001.hgt.zip"), "N50W001");
    EXPECT_EQ(baseNameOf("/home/me/a.b.txt"), "a");
    EXPECT_EQ(baseNameOf("/home/me/"), "");
    EXPECT_EQ(baseNameOf("plain"), "plain");
}

TEST(FolderOf, KeepsTheFinalSeparatorOrFallsBackToTheProgramFolder) {
    EXPECT_EQ(folderOf("", "/app"), "/app");
    EXPECT_EQ(folderOf("C:\\tools\\", "/app"), "/app");
    EXPECT_EQ(folderOf("C:\\tools\\*.exe", "/app"), "/app");
    EXPECT_EQ(folderOf("C:\\tools\\tool.exe", "/app"), "C:\\tools\\");
    EXPECT_EQ(folderOf("/opt/tool/tool", "/app"), "/opt/tool/");
    EXPECT_EQ(folderOf("/opt/tool.d/tool.exe", "/app"), "/opt/tool.d/");
}

TEST(SplitRGB, RedIsTheLowByte) {
    int red = -1, green = -1, blue = -1;
    EXPECT_TRUE(splitRGB(16711680, red, green, blue));
    EXPECT_EQ(red, 0);
    EXPECT_EQ(green, 0);
    EXPECT_EQ(blue, 255);
    splitRGB(0x123456, red, green, blue);
    EXPECT_EQ(red, 0x56);
    EXPECT_EQ(green, 0x34);
    EXPECT_EQ(blue, 0x12);
}

TEST(WriteFile, WritesTheTextAndALineBreakOrReportsWhy) {
    testing::TempDir dir;
    testing::RecordingHost host;
    EXPECT_TRUE(writeFile((dir / "empty.txt").string(), "", host));
    EXPECT_EQ(testing::readBytes(dir / "empty.txt"), "\r\n");
    EXPECT_TRUE(writeFile((dir / "empty.txt").string(), "a\r\nb", host));
    EXPECT_EQ(testing::readBytes(dir / "empty.txt"), "a\r\nb\r\n");
    const std::string bad = (dir / "missing" / "x.txt").string();
    EXPECT_FALSE(writeFile(bad, "text", host));
    EXPECT_EQ(host.texts(MessageKind::Failure), std::vector<std::string>{bad + " No such file or directory"});
}

} // namespace
} // namespace orolith
