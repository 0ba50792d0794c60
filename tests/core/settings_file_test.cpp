#include "core/settings/settings_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace orolith {
using testing::crlfLines;
using testing::readBytes;

TEST(SettingsFile, ReadsAndWritesTheTwentyLinesWithBlanksAroundNumbers) {
    testing::TempDir dir;
    const std::string lines =
        crlfLines("kept|/opt/stylesmith/stylesmith|10500|/maps/alps.txt|/home/me/col/alps.col|"
                  " 1 | 0 | 1 | 1 |/maps/alps.txt|/maps/a,b.txt|/maps/c.txt||30000|"
                  "/home/me/patterns/dots.ptn| 1 | 0 |/maps/alps.mp| 5 |9");
    auto s = readSettings(dir.write("in.dat", lines));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->detailLevels, (std::array<int, 4>{1, 0, 1, 1}));
    EXPECT_EQ(s->recentFiles[1], "/maps/a,b.txt");
    EXPECT_EQ(std::make_tuple(s->addContours, s->rowPerBand, s->region), std::make_tuple(1, 0, 5));
    const auto path = settingsPath(dir.path());
    EXPECT_EQ(path, dir.path() / "system" / "orolith.dat");
    std::filesystem::create_directories(path.parent_path());
    std::string error;
    ASSERT_TRUE(writeSettings(path, *s, error)) << error;
    EXPECT_EQ(readBytes(path), lines);

    for (const auto& [region, written] : std::vector<std::pair<int, int>>{{6, 6}, {7, 3}, {9, 3}}) {
        s->region = region; // above six: written as three
        ASSERT_TRUE(writeSettings(path, *s, error));
        EXPECT_EQ(readSettings(path)->region, written) << region;
    }
    Settings design, expected;
    ASSERT_TRUE(writeSettings(path, design, error));
    expected.recentFiles[0] = ""; // the design's blank-only line reads back as empty
    EXPECT_EQ(readSettings(path), expected);
}

TEST(SettingsFile, DamagedAndShortFilesLoadWhatTheyCan) {
    testing::TempDir dir;
    // Box values outside 0/1 read as 0, text where a number belongs keeps the design value,
    // blanks around numbers are ignored, and later lines are still read.
    const auto s = readSettings(
        dir.write("d.dat", crlfLines("|tool|10300|in.txt||2|x|  1\t|-1|r1||||45000||abc| 1|m.mp|oops|12")));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->detailLevels, (std::array<int, 4>{0, 0, 1, 0}));
    EXPECT_EQ(std::make_tuple(s->recentFiles[0], s->addContours, s->rowPerBand, s->region, s->maxDrawOrder),
              std::make_tuple("r1", 0, 1, 0, "12"));
    Settings expected;
    expected.reserved = "r";
    expected.toolPath = "/tools/tool"; // leading blanks are removed
    expected.firstType = "1A000";
    EXPECT_EQ(readSettings(dir.write("s.dat", "r\r\n  /tools/tool\r\n1A000")), expected);
    EXPECT_EQ(readSettings(dir.write("lf.dat", "a\nb\n"))->toolPath, "b");
    EXPECT_TRUE(
        readSettings(dir.write("junk.dat", std::string("\0\x01\xff\r\n\0\0", 7) + std::string(20000, 'x'))));
    EXPECT_FALSE(readSettings(dir / "missing.dat"));
    EXPECT_FALSE(readSettings(dir.path()));
}

TEST(SettingsFile, FailedWriteIsReportedAndKeepsTheOldFile) {
    testing::TempDir dir;
    std::string error;
    Settings s;
    EXPECT_FALSE(writeSettings(dir / "system" / "orolith.dat", s, error)); // the folder has gone
    EXPECT_EQ(error, "No such file or directory");
    const auto path = dir.write("keep.dat", "old");
    if (!testing::makeReadOnly(dir.path()))
        GTEST_SKIP() << "a read-only folder binds nothing for this user";
    EXPECT_FALSE(writeSettings(path, s, error));
    EXPECT_EQ(error, "Permission denied");
    EXPECT_EQ(readBytes(path), "old");
}

} // namespace orolith
