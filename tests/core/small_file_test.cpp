#include "core/platform/small_file.h"
#include "core/settings/settings_file.h"
#include "core/style/palette.h"
#include "core/style/pattern.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace orolith {
namespace {

namespace fs = std::filesystem;

// The settings, palette and pattern readers take only regular files of sane size: a name
// that leads to an endless device or a huge file is "not valid" at once, whatever it holds.
TEST(SmallFiles, OnlySmallRegularFilesAreRead) {
    testing::TempDir dir;
    fs::create_symlink("/dev/zero", dir / "zero");
    const auto huge = dir.write("huge", std::string(kPatternFileLimit + 1, '0'));
    const auto fine = dir.write("fine", "FF\r\n0101\r\n");
    const std::vector<std::pair<fs::path, FileRead>> cases = {
        {dir / "zero", FileRead::NotValid}, {dir.path(), FileRead::NotValid},  {huge, FileRead::NotValid},
        {dir / "none", FileRead::Missing},  {fine, FileRead::Done},
    };
    for (const auto& [path, expected] : cases) {
        FileRead settings = FileRead::Done;
        EXPECT_EQ(readSettings(path, &settings).has_value(), expected == FileRead::Done) << path;
        EXPECT_EQ(settings, expected) << path;

        Palette palette = defaultPalette();
        EXPECT_EQ(readPalette(path.string(), palette), expected) << path;
        EXPECT_EQ(palette[0] == 0xFF, expected == FileRead::Done) << path;

        const SmallFile pattern = readPatternFile(path);
        // "FF" is no pattern text, so the one readable file is not a valid pattern file either.
        EXPECT_EQ(pattern.outcome, expected == FileRead::Done ? FileRead::NotValid : expected) << path;
        EXPECT_TRUE(pattern.bytes.empty()) << path;
    }
    EXPECT_EQ(readPatternFile(dir.write("tile.ptn", "0101\r\n1010\r\n")).bytes, "0101\r\n1010\r\n");
    EXPECT_EQ(readSmallFile(huge, kPatternFileLimit + 1).outcome, FileRead::Done);
}

} // namespace
} // namespace orolith
