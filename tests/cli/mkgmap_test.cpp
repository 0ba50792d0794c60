// The maps written from the bundled sample compile with mkgmap, for every set of detail
// levels, with and without contours. All maps go to one mkgmap run (it starts a JVM).

#include "core/conversion/conversion.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace orolith {
namespace {

TEST(Mkgmap, CompilesTheSampleMapForEveryLevelSet) {
    if (!testing::haveMkgmap())
        GTEST_SKIP() << "mkgmap is not installed (tools/setup-debian.sh --tests installs it)";
    testing::TempDir dir;
    std::vector<std::string> files;
    // Every level set with and without contours; the last one has types that pass a sub-type
    // of 0x1F more than once, as a high lowest elevation does.
    for (int run = 2; run < 33; ++run) {
        ConversionOptions options;
        const int mask = run < 32 ? run / 2 : 15;
        for (std::size_t level = 0; level < 4; ++level)
            options.detailLevels[level] = (mask >> level & 1) != 0;
        options.addContours = run % 2 == 1;
        options.firstType.value = run < 32 ? 0x10300 : 0x1033C;
        options.inputPath = (testing::sourceDir() / "data" / "sample.txt").string();
        options.outputPath = (dir / ("map" + std::to_string(run) + ".mp")).string();
        testing::RecordingHost host;
        EXPECT_TRUE(convertGeoVector(options, host).written) << options.outputPath;
        if (mask == 9) { // Highest and Low: the Highest blocks reach down to level 2
            const std::string map = testing::readBytes(options.outputPath);
            EXPECT_NE(map.find("\r\nEndLevel=2\r\nData0="), std::string::npos);
        }
        files.push_back(options.outputPath);
    }
    std::string log;
    EXPECT_EQ(testing::runMkgmap(dir / "img", files, log), 0) << log;
    std::size_t images = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "img"))
        images += entry.path().extension() == ".img" && entry.path().stem() != "osmmap";
    EXPECT_EQ(images, files.size()) << log;
}

} // namespace
} // namespace orolith
