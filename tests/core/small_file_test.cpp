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
    for (const auto& [path, expected] : cases) {
        const FileError error = expected == FileRead::Missing ? FileError::Missing : FileError::NotValid;
        SettingsFile settingsFile;
        Settings settings;
        EXPECT_EQ(settingsFile.read(path, settings), expected == FileRead::Done) << path;
        PaletteFile paletteFile;
        Palette palette = defaultPalette();
        EXPECT_EQ(paletteFile.read(path, palette), expected == FileRead::Done) << path;
        EXPECT_EQ(palette[0] == 0xFF, expected == FileRead::Done) << path;
        if (expected != FileRead::Done) {
            EXPECT_EQ(std::make_pair(settingsFile.error(), paletteFile.error()), std::make_pair(error, error));
        }
        // "FF" is no pattern text, so the one readable file is not a valid pattern file either.
        PatternFile patternFile;
        std::string pattern = "kept";
        EXPECT_FALSE(patternFile.read(path, pattern)) << path;
        EXPECT_EQ(patternFile.error(), error) << path;
        EXPECT_EQ(pattern, "kept") << path;
    }
    EXPECT_EQ(readSmallFile(huge, kPatternFileLimit + 1).outcome, FileRead::Done);
}

} // namespace
} // namespace orolith
