#include "core/settings/home_folder.h"
#include "support/test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace orolith {

TEST(HomeFolder, WritableExecutableFolderOtherwiseThePerUserDataFolder) {
    testing::TempDir dir;
    EXPECT_EQ(defaultHome(dir.path()), dir.path());
    EXPECT_TRUE(testing::fileNames(dir.path()).empty()); // the probe is gone
    ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    EXPECT_EQ(defaultHome(dir / "no-such-folder"), dir / "data" / "orolith-creator");
    ::setenv("XDG_DATA_HOME", "relative", 1); // not absolute: ignored
    ::setenv("HOME", dir.path().c_str(), 1);
    EXPECT_EQ(userDataHome(), dir / ".local" / "share" / "orolith-creator");
}

TEST(HomeFolder, CreatesTheFourFoldersAndReportsOneInTheWay) {
    testing::TempDir dir;
    testing::RecordingHost host;
    dir.write("col", "not a folder");
    ensureHomeFolders(dir.path(), host);
    EXPECT_EQ(testing::fileNames(dir.path()), (std::vector<std::string>{"col", "patterns", "system", "typ"}));
    for (const char* name : {"typ", "patterns", "system"})
        EXPECT_TRUE(std::filesystem::is_directory(dir / name)) << name;
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].second.rfind((dir / "col").string(), 0), 0u);
}

} // namespace orolith
