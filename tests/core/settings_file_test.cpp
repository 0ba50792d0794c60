#include "core/settings/settings_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <optional>

namespace orolith {
using testing::crlfLines;
using testing::readBytes;

namespace {

std::optional<Settings> readSettings(const std::filesystem::path& path) {
    Settings settings;
    if (!SettingsFile().read(path, settings))
        return std::nullopt;
    return settings;
}

} // namespace

TEST(SettingsFile, ReadsAndWritesTheTwentyLinesWithBlanksAroundNumbers) {
    testing::TempDir dir;
    const std::string lines =
        crlfLines("kept|/opt/stylesmith/stylesmith|10500|/maps/alps.txt|/home/me/col/alps.col|"
                  " 1 | 0 | 1 | 1 |/maps/alps.txt|/maps/a,b.txt|/maps/c.txt||30000|"
                  "/home/me/patterns/dots.ptn| 1 | 0 |/maps/alps.mp| 5 |9");
    auto s = readSettings(dir.write("in.dat", lines));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->detailLevels, (std::array<bool, 4>{true, false, true, true}));
    EXPECT_EQ(s->recentFiles[1], "/maps/a,b.txt");
    EXPECT_EQ(std::make_tuple(s->addContours, s->rowPerBand, s->region), std::make_tuple(true, false, 5));
    const auto path = dir / "system" / "orolith.dat";
    std::filesystem::create_directories(path.parent_path());
    SettingsFile file;
    ASSERT_TRUE(file.write(path, *s)) << file.errorString();
    EXPECT_EQ(readBytes(path), lines);

    for (const auto& [region, written] : std::vector<std::pair<int, int>>{{6, 6}, {7, 3}, {9, 3}}) {
        s->region = region; // above six: written as three
        ASSERT_TRUE(file.write(path, *s));
        EXPECT_EQ(readSettings(path)->region, written) << region;
    }
    Settings design, expected;
    ASSERT_TRUE(file.write(path, design));
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
    EXPECT_EQ(s->detailLevels, (std::array<bool, 4>{false, false, true, false}));
    EXPECT_EQ(std::make_tuple(s->recentFiles[0], s->addContours, s->rowPerBand, s->region, s->maxDrawOrder),
              std::make_tuple("r1", false, true, 0, "12"));
    Settings expected;
    expected.reserved = "r";
    expected.toolPath = "/tools/tool"; // leading blanks are removed
    expected.firstType = "1A000";
    EXPECT_EQ(readSettings(dir.write("s.dat", "r\r\n  /tools/tool\r\n1A000")), expected);
    EXPECT_EQ(readSettings(dir.write("lf.dat", "a\nb\n"))->toolPath, "b");
    EXPECT_TRUE(
        readSettings(dir.write("junk.dat", std::string("\0\x01\xff\r\n\0\0", 7) + std::string(20000, 'x'))));
    SettingsFile file;
    Settings untouched;
    untouched.toolPath = "kept";
    EXPECT_FALSE(file.read(dir / "missing.dat", untouched));
    EXPECT_EQ(file.error(), FileError::Missing);
    EXPECT_FALSE(file.read(dir.path(), untouched));
    EXPECT_EQ(std::make_pair(file.error(), file.errorString()),
              std::make_pair(FileError::NotValid, std::string("Not a valid settings file.")));
    EXPECT_EQ(untouched.toolPath, "kept");
}

TEST(SettingsFile, FailedWriteIsReportedAndKeepsTheOldFile) {
    testing::TempDir dir;
    SettingsFile file;
    Settings s;
    const auto gone = dir / "system" / "orolith.dat";
    EXPECT_FALSE(file.write(gone, s)); // the folder has gone
    EXPECT_EQ(file.error(), FileError::NotWritten);
    EXPECT_EQ(file.errorString(), gone.string() + " No such file or directory");
    const auto path = dir.write("keep.dat", "old");
    if (!testing::makeReadOnly(dir.path()))
        GTEST_SKIP() << "a read-only folder binds nothing for this user";
    EXPECT_FALSE(file.write(path, s));
    EXPECT_EQ(file.errorString(), path.string() + " Permission denied");
    EXPECT_EQ(readBytes(path), "old");
}

} // namespace orolith
