#include "core/settings_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace orolith;
using orolith::testing::crlf;
using orolith::testing::readBytes;
using orolith::testing::TempDir;

namespace {

Settings sample() {
    Settings s;
    s.reserved = "kept";
    s.toolPath = "/opt/stylesmith/stylesmith";
    s.firstType = "10500";
    s.inputPath = "/maps/alps.txt";
    s.colFile = "/home/me/col/alps.col";
    s.levels = {1, 0, 1, 1};
    s.recent = {"/maps/alps.txt", "/maps/a,b.txt", "/maps/c.txt", ""};
    s.maxDistance = "30000";
    s.patFile = "/home/me/patterns/dots.ptn";
    s.addContours = 1;
    s.rowPerBand = 0;
    s.mpFile = "/maps/alps.mp";
    s.region = 5;
    s.maxDrawOrder = "9";
    return s;
}

} // namespace

TEST(SettingsFile, WritesTwentyLinesWithBlanksAroundNumbers) {
    TempDir dir;
    Settings s = sample();
    std::string error;
    const auto path = dir / "orolith.dat";
    ASSERT_TRUE(writeSettings(path, s, error)) << error;
    EXPECT_EQ(readBytes(path), crlf({"kept",
                                     "/opt/stylesmith/stylesmith",
                                     "10500",
                                     "/maps/alps.txt",
                                     "/home/me/col/alps.col",
                                     " 1 ",
                                     " 0 ",
                                     " 1 ",
                                     " 1 ",
                                     "/maps/alps.txt",
                                     "/maps/a,b.txt",
                                     "/maps/c.txt",
                                     "",
                                     "30000",
                                     "/home/me/patterns/dots.ptn",
                                     " 1 ",
                                     " 0 ",
                                     "/maps/alps.mp",
                                     " 5 ",
                                     "9"}));
}

TEST(SettingsFile, SaveAndReloadGivesTheSameLines) {
    TempDir dir;
    const auto path = dir / "orolith.dat";
    std::string error;
    for (Settings s : {sample(), Settings{}}) {
        ASSERT_TRUE(writeSettings(path, s, error));
        const std::string first = readBytes(path);
        const auto loaded = readSettings(path);
        ASSERT_TRUE(loaded);
        Settings again = *loaded;
        ASSERT_TRUE(writeSettings(path, again, error));
        const auto reloaded = readSettings(path);
        ASSERT_TRUE(reloaded);
        EXPECT_EQ(*reloaded, *loaded);
        if (s.recent[0] != " ") { // a blank-only line reads as empty
            EXPECT_EQ(readBytes(path), first);
        }
    }
    EXPECT_EQ(*readSettings(path), [] {
        Settings design;
        design.recent[0] = "";
        return design;
    }());
}

TEST(SettingsFile, RegionAboveSixIsWrittenAsThree) {
    TempDir dir;
    Settings s;
    s.region = 9;
    std::string error;
    ASSERT_TRUE(writeSettings(dir / "s.dat", s, error));
    EXPECT_EQ(s.region, 3);
    EXPECT_EQ(readSettings(dir / "s.dat")->region, 3);
}

TEST(SettingsFile, DamagedAndShortFilesLoadWhatTheyCan) {
    TempDir dir;
    // Box values outside 0/1 read as 0, text where a number belongs keeps the design value,
    // blanks around numbers are ignored, and later lines are still read.
    const auto damaged =
        dir.write("d.dat", crlf({"", "tool", "10300", "in.txt", "", "2",   "x",  "  1\t", "-1",   "r1",
                                 "", "",     "",      "45000",  "", "abc", " 1", "m.mp",  "oops", "12"}));
    const auto s = readSettings(damaged);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->levels, (std::array<int, 4>{0, 0, 1, 0}));
    EXPECT_EQ(s->recent[0], "r1");
    EXPECT_EQ(s->addContours, 0);
    EXPECT_EQ(s->rowPerBand, 1);
    EXPECT_EQ(s->mpFile, "m.mp");
    EXPECT_EQ(s->region, 0);
    EXPECT_EQ(s->maxDrawOrder, "12");

    const auto shortFile = dir.write("s.dat", "r\r\n  /tools/tool\r\n1A000");
    const auto partial = readSettings(shortFile);
    ASSERT_TRUE(partial);
    Settings expected;
    expected.reserved = "r";
    expected.toolPath = "/tools/tool"; // leading blanks are removed
    expected.firstType = "1A000";
    EXPECT_EQ(*partial, expected);

    const auto lf = dir.write("lf.dat", "a\nb\n");
    EXPECT_EQ(readSettings(lf)->toolPath, "b");

    const std::string binary("\0\x01\xff\r\n\0\0", 7);
    const auto junk = dir.write("junk.dat", binary + std::string(200000, 'x'));
    EXPECT_TRUE(readSettings(junk));

    EXPECT_FALSE(readSettings(dir / "missing.dat"));
    EXPECT_FALSE(readSettings(dir.path()));
}

TEST(SettingsFile, FailedWriteIsReportedAndKeepsTheOldFile) {
    TempDir dir;
    Settings s;
    std::string error;
    EXPECT_FALSE(writeSettings(dir / "system" / "orolith.dat", s, error)); // the folder has gone
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_EQ(settingsPath(dir.path()), dir.path() / "system" / "orolith.dat");
}
