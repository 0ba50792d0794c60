// The maps written from the bundled sample compile with mkgmap, for every set of detail
// levels, with and without contours. All maps go to one mkgmap run (it starts a JVM).

#include "core/conversion.h"
#include "support/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace orolith {
namespace {

namespace fs = std::filesystem;

bool haveMkgmap() {
    return std::system("command -v mkgmap >/dev/null 2>&1") == 0;
}

fs::path writeMap(const testing::TempDir& dir, const std::string& name, const ConversionOptions& base) {
    testing::RecordingHost host;
    ConversionOptions options = base;
    options.inputPath = (testing::sourceDir() / "data" / "sample.txt").string();
    options.outputPath = (dir / (name + ".mp")).string();
    const ConversionResult result = parse(ConversionMode::Write, options, host);
    EXPECT_TRUE(result.written) << name;
    return options.outputPath;
}

TEST(Mkgmap, CompilesTheSampleMapForEveryLevelSet) {
    if (!haveMkgmap())
        GTEST_SKIP() << "mkgmap is not installed (tools/setup-debian.sh --tests installs it)";
    testing::TempDir dir;
    std::string files;
    int maps = 0;
    for (int mask = 1; mask < 16; ++mask) {
        for (bool contours : {false, true}) {
            ConversionOptions options;
            for (int level = 0; level < 4; ++level)
                options.detailLevels[level] = (mask >> level & 1) != 0;
            options.addContours = contours;
            const std::string name = "levels" + levelDigits(options.detailLevels) + (contours ? "c" : "");
            files += " '" + writeMap(dir, name, options).string() + "'";
            ++maps;
        }
    }
    // Types that pass a sub-type of 0x1F more than once, as a high lowest elevation does.
    ConversionOptions stepped;
    stepped.firstType = "1033C";
    stepped.detailLevels = {true, true, true, true};
    files += " '" + writeMap(dir, "stepped", stepped).string() + "'";
    ++maps;

    const fs::path out = dir / "img";
    fs::create_directories(out);
    const fs::path log = dir / "mkgmap.log";
    const std::string command =
        "mkgmap --output-dir='" + out.string() + "'" + files + " >'" + log.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << testing::readBytes(log);
    int images = 0;
    for (const auto& entry : fs::directory_iterator(out))
        images += entry.path().extension() == ".img" && entry.path().stem() != "osmmap";
    EXPECT_EQ(images, maps) << testing::readBytes(log);
}

} // namespace
} // namespace orolith
