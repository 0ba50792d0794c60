#include "core/palette.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace orolith;
using orolith::testing::crlf;
using orolith::testing::readBytes;
using orolith::testing::RecordingHost;
using orolith::testing::TempDir;

namespace {

std::int32_t rgb(int r, int g, int b) {
    return b * 65536 + g * 256 + r;
}

const std::vector<std::string> kDefaultLines = {
    "0",      "800000", "8000",   "808000", "80",     "800080", "8080",   "C0C0C0", "808080",
    "FF0000", "FF00",   "FFFF00", "FF",     "FF00FF", "0",      "800000", "8000",   "808000",
    "80",     "800080", "8080",   "C0C0C0", "808080", "FF0000", "FF00",   "FFFF00", "",
};

} // namespace

TEST(Palette, DefaultTableFileText) {
    const Palette palette = defaultPalette();
    EXPECT_EQ(palette[1], rgb(0, 0, 128));
    EXPECT_EQ(palette[12], rgb(255, 0, 0));
    EXPECT_EQ(palette[25], palette[11]);
    EXPECT_EQ(paletteFileText(palette), crlf(kDefaultLines));
}

TEST(Palette, SaveAndLoadRoundTrip) {
    TempDir dir;
    const std::string path = (dir / "mine.col").string();
    Palette saved = defaultPalette();
    saved[3] = 0xABCDEF;
    RecordingHost host;
    ASSERT_TRUE(savecols(path, saved, host));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(readBytes(path), paletteFileText(saved));

    Palette loaded{};
    loadcols(path, loaded);
    EXPECT_EQ(loaded, saved);
}

TEST(Palette, LoadReadsOnlyStrictHexLinesAndKeepsTheRest) {
    TempDir dir;
    Palette palette;
    palette.fill(0x123456);
    const auto path = dir.write(
        "odd.col", crlf({"ff", "", "1000000", "  FF", "00000080", "000000080", "xyz", "FfFfFf", "-1", "A"}));
    loadcols(path.string(), palette);
    EXPECT_EQ(palette[0], 255);      // lower case
    EXPECT_EQ(palette[1], 0x123456); // empty line
    EXPECT_EQ(palette[2], 0x123456); // above FFFFFF
    EXPECT_EQ(palette[3], 0x123456); // blanks
    EXPECT_EQ(palette[4], 0x80);     // eight digits with leading zeros
    EXPECT_EQ(palette[5], 0x123456); // nine digits
    EXPECT_EQ(palette[6], 0x123456); // not hexadecimal
    EXPECT_EQ(palette[7], 0xFFFFFF);
    EXPECT_EQ(palette[8], 0x123456);
    EXPECT_EQ(palette[9], 0xA);
    for (std::size_t i = 10; i < palette.size(); ++i)
        EXPECT_EQ(palette[i], 0x123456) << i; // a short file keeps the rest

    Palette untouched = defaultPalette();
    loadcols((dir / "missing.col").string(), untouched);
    loadcols((dir / "*.col").string(), untouched);
    EXPECT_EQ(untouched, defaultPalette());

    const auto bareLf = dir.write("lf.col", "FF\n8000\n");
    loadcols(bareLf.string(), untouched);
    EXPECT_EQ(untouched[0], 0xFF);
    EXPECT_EQ(untouched[1], 0x8000);
}

TEST(Palette, FailedSaveIsReportedAndKeepsTheOldFile) {
    TempDir dir;
    RecordingHost host;
    const std::string gone = (dir / "gone" / "x.col").string();
    EXPECT_FALSE(savecols(gone, defaultPalette(), host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].second, gone + " No such file or directory");

    if (::geteuid() == 0) // root writes anywhere
        return;
    const std::string path = (dir / "keep.col").string();
    ASSERT_TRUE(savecols(path, defaultPalette(), host));
    const std::string before = readBytes(path);
    std::filesystem::permissions(dir.path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    Palette other = defaultPalette();
    other[0] = 0xFFFFFF;
    EXPECT_FALSE(savecols(path, other, host));
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(host.messages.back().second, path + " Permission denied");
    EXPECT_EQ(readBytes(path), before);
}

TEST(Palette, Desaturate) {
    Palette palette = defaultPalette();
    palette[0] = rgb(255, 0, 0);
    palette[1] = rgb(255, 255, 1);
    palette[2] = rgb(1, 1, 2); // 1.33 rounds down
    palette[3] = rgb(2, 2, 1); // 1.67 rounds up
    desaturate(palette);
    EXPECT_EQ(palette[0], rgb(85, 85, 85));
    EXPECT_EQ(palette[1], rgb(170, 170, 170));
    EXPECT_EQ(palette[2], rgb(1, 1, 1));
    EXPECT_EQ(palette[3], rgb(2, 2, 2));
    EXPECT_EQ(palette[7], rgb(192, 192, 192));
}

TEST(Palette, ShadesOfTheFirstColour) {
    Palette palette = defaultPalette();
    palette[0] = rgb(255, 0, 0);
    shades2(palette);
    EXPECT_EQ(palette[0], rgb(255, 0, 0));
    EXPECT_EQ(palette[1], rgb(255, 0, 0));
    EXPECT_EQ(palette[2], rgb(250, 0, 0));
    EXPECT_EQ(palette[3], rgb(244, 0, 0));
    EXPECT_EQ(palette[4], rgb(238, 0, 0));
    EXPECT_EQ(palette[25], rgb(112, 0, 0));

    palette[0] = rgb(100, 200, 50);
    shades2(palette);
    EXPECT_EQ(palette[25], rgb(100 - 56, 200 - 112, 50 - 28));

    palette.fill(0x777777);
    palette[0] = 0;
    shades2(palette);
    for (auto colour : palette)
        EXPECT_EQ(colour, 0);
}
