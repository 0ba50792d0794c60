#include "core/platform/small_file.h"
#include "core/settings/settings_file.h"
#include "core/style/palette_file.h"
#include "core/style/pattern_file.h"
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
    const auto errorOf = [](FileRead outcome) {
        return outcome == FileRead::Done ? FileError::None
                                         : outcome == FileRead::Missing ? FileError::Missing : FileError::NotValid;
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(readSmallFile(path, kPatternFileLimit).outcome, expected) << path;
        SettingsFile settingsFile;
        Settings settings;
        EXPECT_EQ(settingsFile.read(path, settings), expected == FileRead::Done) << path;
        EXPECT_EQ(settingsFile.error(), errorOf(expected)) << path;

        PaletteFile paletteFile;
        Palette palette = defaultPalette();
        EXPECT_EQ(paletteFile.read(path, palette), expected == FileRead::Done) << path;
        EXPECT_EQ(paletteFile.error(), errorOf(expected)) << path;
        EXPECT_EQ(palette[0] == 0xFF, expected == FileRead::Done) << path;

        PatternFile patternFile;
        std::string pattern = "kept";
        // "FF" is no pattern text, so the one readable file is not a valid pattern file either.
        EXPECT_FALSE(patternFile.read(path, pattern)) << path;
        EXPECT_EQ(patternFile.error(), expected == FileRead::Done ? FileError::NotValid : errorOf(expected)) << path;
        EXPECT_EQ(pattern, "kept") << path;
    }
    EXPECT_EQ(readSmallFile(huge, kPatternFileLimit + 1).outcome, FileRead::Done);
}

} // namespace
} // namespace orolith
