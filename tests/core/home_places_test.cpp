#include "core/settings/home_places.h"
#include "support/test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace orolith {

// --home DIR: everything in DIR, whatever exists elsewhere; the maps still in the documents.
TEST(HomePlaces, OneHomeFolderCreatedWithAFolderInTheWayReported) {
    testing::TempDir dir;
    testing::RecordingHost host;
    dir.write("col", "not a folder");
    std::filesystem::create_directories(dir / "bin" / "system");
    const HomePlaces places = placesFor(dir.path(), dir / "bin", {dir / "c", dir / "d", dir / "e", dir / "docs"});
    EXPECT_EQ(places.settings, dir / "system");
    EXPECT_EQ(places.tiles, dir / "dem");
    EXPECT_EQ(places.maps, dir / "docs" / "Orolith");
    ensurePlaces(places, host);
    EXPECT_EQ(testing::fileNames(dir.path()), (std::vector<std::string>{"bin", "col", "patterns", "system", "typ"}));
    for (const char* name : {"typ", "patterns", "system"})
        EXPECT_TRUE(std::filesystem::is_directory(dir / name)) << name;
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].second.rfind((dir / "col").string(), 0), 0u);
}

// The desktop's folders from the environment, as the command line learns them (HOME and
// XDG_* pointed at a temporary folder).
TEST(HomePlaces, DesktopFoldersThenTheProgramsFoldersBelowThem) {
    testing::TempDir dir;
    const auto home = dir.path();
    ::setenv("HOME", home.c_str(), 1);
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_DOCUMENTS_DIR");
    ::setenv("XDG_CONFIG_HOME", "relative", 1); // ignored, as the desktop does
    ::setenv("XDG_CACHE_HOME", (dir / "cache").c_str(), 1);
    std::filesystem::create_directories(home / ".config");
    dir.write(".config/user-dirs.dirs", "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                                        "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    const DesktopFolders folders = environmentFolders();
    EXPECT_EQ(folders.config, home / ".config");
    EXPECT_EQ(folders.data, home / ".local" / "share");
    EXPECT_EQ(folders.cache, home / "cache");
    EXPECT_EQ(folders.documents, home / "Dokumente");
    ::setenv("XDG_DOCUMENTS_DIR", (dir / "docs").c_str(), 1);
    EXPECT_EQ(environmentFolders().documents, home / "docs");
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("XDG_CACHE_HOME");
    ::unsetenv("XDG_DOCUMENTS_DIR");

    const auto exe = home / "bin";
    std::filesystem::create_directory(exe);
    HomePlaces places = choosePlaces(exe, folders);
    EXPECT_EQ(places.settings, home / ".config" / "orolith-creator");
    EXPECT_EQ(places.data, home / ".local" / "share" / "orolith-creator");
    EXPECT_EQ(places.tiles, home / "cache" / "orolith-creator" / "dem");
    EXPECT_EQ(places.maps, home / "Dokumente" / "Orolith");
    EXPECT_EQ(settingsFileIn(places), home / ".config" / "orolith-creator" / "orolith.dat");
    testing::RecordingHost host;
    ensurePlaces(places, host);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(testing::fileNames(places.data), (std::vector<std::string>{"col", "patterns", "typ"}));
    EXPECT_TRUE(std::filesystem::is_directory(places.settings));

    // A home that exists is kept whole: the per-user one of earlier versions, then one beside the program.
    for (const auto& existing : {places.data, exe}) {
        std::filesystem::create_directories(existing / "system");
        places = choosePlaces(exe, folders);
        EXPECT_EQ(places.data, existing);
        EXPECT_EQ(places.settings, existing / "system");
        EXPECT_EQ(places.tiles, existing / "dem");
        EXPECT_EQ(places.maps, home / "Dokumente" / "Orolith");
    }
}

} // namespace orolith
