#include "core/home_folder.h"
#include "support/test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace orolith;
using orolith::testing::RecordingHost;
using orolith::testing::TempDir;

TEST(HomeFolder, WritableExecutableFolderIsTheHome) {
    TempDir dir;
    EXPECT_EQ(defaultHome(dir.path()), dir.path());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 0); // the probe is gone
}

TEST(HomeFolder, OtherwiseThePerUserDataFolder) {
    TempDir dir;
    ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    EXPECT_EQ(defaultHome(dir / "no-such-folder"), dir / "data" / "orolith-creator");
    ::setenv("XDG_DATA_HOME", "relative", 1); // not absolute: ignored
    ::setenv("HOME", dir.path().c_str(), 1);
    EXPECT_EQ(userDataHome(), dir / ".local" / "share" / "orolith-creator");
}

TEST(HomeFolder, CreatesTheFourFolders) {
    TempDir dir;
    RecordingHost host;
    const auto home = dir / "home";
    ensureHomeFolders(home, host);
    for (const char* name : {"typ", "col", "patterns", "system"})
        EXPECT_TRUE(std::filesystem::is_directory(home / name)) << name;
    EXPECT_TRUE(host.messages.empty());

    // A file in the way of one folder is reported; the others are still made.
    TempDir other;
    other.write("col", "not a folder");
    ensureHomeFolders(other.path(), host);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].second.rfind((other / "col").string(), 0), 0u);
    EXPECT_TRUE(std::filesystem::is_directory(other / "system"));
}
