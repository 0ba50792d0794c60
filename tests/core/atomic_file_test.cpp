#include "core/platform/atomic_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace orolith {

// Failures (missing folder, a folder in the way, no permission) are checked through the writers
// that use this: the map, the TYP file, the palette and the settings.
TEST(AtomicFile, ReplacesTheTargetOnlyWhenCommitted) {
    testing::TempDir dir;
    const auto target = dir.write("map.mp", "old");
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write("new content"));
        EXPECT_EQ(testing::readBytes(target), "old");
    } // dropped without commit
    EXPECT_EQ(testing::readBytes(target), "old");
    std::string error;
    ASSERT_TRUE(writeFileAtomically(target, "new\r\n", error)) << error;
    EXPECT_EQ(testing::readBytes(target), "new\r\n");
    EXPECT_EQ(testing::fileNames(dir.path()), std::vector<std::string>{"map.mp"});
}

} // namespace orolith
