#include "core/atomic_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace orolith {
using testing::readBytes;

TEST(AtomicFile, ReplacesTheTargetOnlyWhenCommitted) {
    testing::TempDir dir;
    const auto target = dir.write("map.mp", "old");
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write("new content"));
        EXPECT_EQ(readBytes(target), "old");
    } // dropped without commit
    EXPECT_EQ(readBytes(target), "old");
    std::string error;
    ASSERT_TRUE(writeFileAtomically(target, "new\r\n", error)) << error;
    EXPECT_EQ(readBytes(target), "new\r\n");
    EXPECT_EQ(testing::fileNames(dir.path()), std::vector<std::string>{"map.mp"});
}

TEST(AtomicFile, ReportsTheSystemsDescriptionAndLeavesNothing) {
    testing::TempDir dir;
    std::filesystem::create_directories(dir / "folder.mp");
    std::filesystem::create_directories(dir / "ro");
    std::string error;
    EXPECT_FALSE(writeFileAtomically(dir / "missing/x.mp", "x", error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_FALSE(writeFileAtomically(dir / "folder.mp", "x", error));
    EXPECT_EQ(error, "Is a directory");
    if (testing::makeReadOnly(dir / "ro")) {
        EXPECT_FALSE(writeFileAtomically(dir / "ro/x.mp", "x", error));
        EXPECT_EQ(error, "Permission denied");
    }
    EXPECT_EQ(testing::fileNames(dir.path()), (std::vector<std::string>{"folder.mp", "ro"}));
}

} // namespace orolith
