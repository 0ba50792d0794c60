#include "core/style/palette.h"
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
        paletteFileText(defaultPalette()),
        testing::crlfLines("0|800000|8000|808000|80|800080|8080|C0C0C0|808080|FF0000|FF00|FFFF00|FF|FF00FF|"
                           "0|800000|8000|808000|80|800080|8080|C0C0C0|808080|FF0000|FF00|FFFF00|"));
    testing::TempDir dir;
    testing::RecordingHost host;
    const std::string path = (dir / "mine.col").string();
    Palette saved = defaultPalette();
    saved[3] = 0xABCDEF;
    ASSERT_TRUE(writePalette(path, saved, host));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(readBytes(path), paletteFileText(saved));
    Palette loaded{};
    readPalette(path, loaded);
    EXPECT_EQ(loaded, saved);
}

TEST(Palette, LoadReadsOnlyStrictHexLinesAndKeepsTheRest) {
    testing::TempDir dir;
    Palette palette;
    palette.fill(0x123456);
    // Lower case, empty, above FFFFFF, blanks, eight digits, nine digits, not hex, sign, one
    // digit, the largest colour.
    readPalette(dir.write("odd.col",
                          crlf({"ff", "", "1000000", "  FF", "00000080", "000000080", "xyz", "-1", "A", "FFFFFF"}))
                    .string(),
                palette);
    const std::int32_t k = 0x123456; // kept, as is the rest of a short file
    EXPECT_EQ(std::vector<std::int32_t>(palette.begin(), palette.begin() + 11),
              (std::vector<std::int32_t>{255, k, k, k, 0x80, k, k, k, 0xA, 0xFFFFFF, k}));

    Palette untouched = defaultPalette();
    readPalette((dir / "missing.col").string(), untouched);
    readPalette((dir / "*.col").string(), untouched);
    EXPECT_EQ(untouched, defaultPalette());
    readPalette(dir.write("lf.col", "FF\n8000\n").string(), untouched);
    EXPECT_EQ(untouched[1], 0x8000);
}

TEST(Palette, FailedSaveIsReportedAndKeepsTheOldFile) {
    testing::TempDir dir;
    testing::RecordingHost host;
    const std::string gone = (dir / "gone" / "x.col").string();
    EXPECT_FALSE(writePalette(gone, defaultPalette(), host));
    EXPECT_EQ(host.texts(MessageKind::Failure),
              std::vector<std::string>{gone + " No such file or directory"});

    const std::string path = (dir / "keep.col").string();
    ASSERT_TRUE(writePalette(path, defaultPalette(), host));
    if (!testing::makeReadOnly(dir.path()))
        GTEST_SKIP() << "a read-only folder binds nothing for this user";
    EXPECT_FALSE(writePalette(path, Palette{}, host));
    EXPECT_EQ(host.messages.back().second, path + " Permission denied");
    EXPECT_EQ(readBytes(path), paletteFileText(defaultPalette()));
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
