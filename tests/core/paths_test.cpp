#include "core/platform/paths.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace orolith {
namespace {

TEST(Paths, BaseNameAndFolderSplitOnBothSeparators) {
    EXPECT_EQ(baseNameOf("C:\\maps\\N50W001.hgt.zip"), "N50W001");
    EXPECT_EQ(baseNameOf("/home/me/a.b.txt"), "a");
    EXPECT_EQ(baseNameOf("/home/me/"), "");
    EXPECT_EQ(folderOf("", "/app"), "/app");
    EXPECT_EQ(folderOf("C:\\tools\\*.exe", "/app"), "/app");
    EXPECT_EQ(folderOf("C:\\tools\\tool.exe", "/app"), "C:\\tools\\");
    EXPECT_EQ(folderOf("/opt/tool.d/tool.exe", "/app"), "/opt/tool.d/");
}

TEST(Paths, WriteFileAddsALineBreakOrReportsWhy) {
    testing::TempDir dir;
    testing::RecordingHost host;
    EXPECT_TRUE(writeFile((dir / "a.txt").string(), "a\r\nb", host));
    EXPECT_EQ(testing::readBytes(dir / "a.txt"), "a\r\nb\r\n");
    const std::string bad = (dir / "missing" / "x.txt").string();
    EXPECT_FALSE(writeFile(bad, "text", host));
    EXPECT_EQ(host.texts(MessageKind::Failure), std::vector<std::string>{bad + " No such file or directory"});
}

} // namespace
} // namespace orolith
