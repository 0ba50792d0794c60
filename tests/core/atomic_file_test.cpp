#include "core/atomic_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace orolith;
using orolith::testing::readBytes;
using orolith::testing::TempDir;

namespace {

std::size_t entries(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

} // namespace

TEST(AtomicFile, ReplacesTheTargetOnlyWhenCommitted) {
    TempDir dir;
    const auto target = dir.write("map.mp", "old");
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write("new content"));
        EXPECT_EQ(readBytes(target), "old");
        // dropped without commit
    }
    EXPECT_EQ(readBytes(target), "old");
    EXPECT_EQ(entries(dir.path()), 1u);

    std::string error;
    ASSERT_TRUE(writeFileAtomically(target, "new\r\n", error)) << error;
    EXPECT_EQ(readBytes(target), "new\r\n");
    EXPECT_EQ(entries(dir.path()), 1u);
}

TEST(AtomicFile, ReportsTheSystemsDescriptionAndLeavesNothing) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(writeFileAtomically(dir / "missing/x.mp", "x", error));
    EXPECT_EQ(error, "No such file or directory");

    std::filesystem::create_directory(dir / "folder.mp");
    EXPECT_FALSE(writeFileAtomically(dir / "folder.mp", "x", error));
    EXPECT_EQ(error, "Is a directory");

    if (::geteuid() != 0) { // root writes anywhere
        std::filesystem::create_directory(dir / "ro");
        std::filesystem::permissions(dir / "ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_FALSE(writeFileAtomically(dir / "ro/x.mp", "x", error));
        EXPECT_EQ(error, "Permission denied");
    }
    EXPECT_EQ(entries(dir.path()), 1u);
}
