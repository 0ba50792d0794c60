#include "core/style/palette.h"
#include "core/style/palette_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace orolith {
using testing::crlf;
using testing::readBytes;

namespace {

std::int32_t rgb(int r, int g, int b) {
    return b * 65536 + g * 256 + r;
}

} // namespace

TEST(Palette, DefaultTableSavesAndLoadsInTheFileFormat) {
    EXPECT_EQ(
        PaletteFile::text(defaultPalette()),
        testing::crlfLines("0|800000|8000|808000|80|800080|8080|C0C0C0|808080|FF0000|FF00|FFFF00|FF|FF00FF|"
                           "0|800000|8000|808000|80|800080|8080|C0C0C0|808080|FF0000|FF00|FFFF00|"));
    testing::TempDir dir;
    PaletteFile file;
    const auto path = dir / "mine.col";
    Palette saved = defaultPalette();
    saved[3] = 0xABCDEF;
    ASSERT_TRUE(file.write(path, saved));
    EXPECT_EQ(file.errorString(), "");
    EXPECT_EQ(readBytes(path), PaletteFile::text(saved));
    Palette loaded{};
    ASSERT_TRUE(file.read(path, loaded));
    EXPECT_EQ(loaded, saved);
}

TEST(Palette, LoadReadsOnlyStrictHexLinesAndKeepsTheRest) {
    testing::TempDir dir;
    Palette palette;
    palette.fill(0x123456);
    // Lower case, empty, above FFFFFF, blanks, eight digits, nine digits, not hex, sign, one
    // digit, the largest colour.
    PaletteFile file;
    EXPECT_TRUE(file.read(
        dir.write("odd.col", crlf({"ff", "", "1000000", "  FF", "00000080", "000000080", "xyz", "-1", "A", "FFFFFF"})),
        palette));
    const std::int32_t k = 0x123456; // kept, as is the rest of a short file
    EXPECT_EQ(std::vector<std::int32_t>(palette.begin(), palette.begin() + 11),
              (std::vector<std::int32_t>{255, k, k, k, 0x80, k, k, k, 0xA, 0xFFFFFF, k}));

    Palette untouched = defaultPalette();
    for (const auto& unreadable : {dir / "missing.col", dir / "*.col"}) {
        EXPECT_FALSE(file.read(unreadable, untouched));
        EXPECT_EQ(file.errorString(), "Cannot read file:" + unreadable.string());
    }
    EXPECT_EQ(untouched, defaultPalette());
    EXPECT_TRUE(file.read(dir.write("lf.col", "FF\n8000\n"), untouched));
    EXPECT_EQ(untouched[1], 0x8000);
}

TEST(Palette, FailedSaveIsReportedAndKeepsTheOldFile) {
    testing::TempDir dir;
    PaletteFile file;
    const auto gone = dir / "gone" / "x.col";
    EXPECT_FALSE(file.write(gone, defaultPalette()));
    EXPECT_EQ(file.error(), FileError::NotWritten);
    EXPECT_EQ(file.errorString(), gone.string() + " No such file or directory");

    const auto path = dir / "keep.col";
    ASSERT_TRUE(file.write(path, defaultPalette()));
    if (!testing::makeReadOnly(dir.path()))
        GTEST_SKIP() << "a read-only folder binds nothing for this user";
    EXPECT_FALSE(file.write(path, Palette{}));
    EXPECT_EQ(file.errorString(), path.string() + " Permission denied");
    EXPECT_EQ(readBytes(path), PaletteFile::text(defaultPalette()));
}

TEST(Palette, DesaturateAndShades) {
    Palette palette = defaultPalette();
    palette[0] = rgb(255, 0, 0);
    palette[1] = rgb(1, 1, 2); // 1.33 rounds down
    palette[2] = rgb(2, 2, 1); // 1.67 rounds up
    desaturate(palette);
    EXPECT_EQ(std::vector<std::int32_t>(palette.begin(), palette.begin() + 3),
              (std::vector<std::int32_t>{rgb(85, 85, 85), rgb(1, 1, 1), rgb(2, 2, 2)}));
    palette[0] = rgb(255, 0, 0);
    shadePaletteFromFirst(palette);
    EXPECT_EQ(std::vector<std::int32_t>(palette.begin(), palette.begin() + 5),
              (std::vector<std::int32_t>{rgb(255, 0, 0), rgb(255, 0, 0), rgb(250, 0, 0), rgb(244, 0, 0),
                                         rgb(238, 0, 0)}));
    palette[0] = rgb(100, 200, 50);
    shadePaletteFromFirst(palette);
    EXPECT_EQ(palette[25], rgb(100 - 56, 200 - 112, 50 - 28));
}

} // namespace orolith
