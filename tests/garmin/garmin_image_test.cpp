// Making gmapsupp.img: mkgmap found or clearly missing, its failures explained, the output
// folder left as it was unless a complete image was made, and (with Debian's mkgmap) a map
// cut into two tiles compiled into one image with its style.

#include "core/conversion/conversion.h"
#include "garmin/garmin_image.h"
#include "garmin/java_heap.h"
#include "garmin/mkgmap_progress.h"
#include "garmin/mkgmap_program.h"
#include "support/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace orolith::garmin {
namespace {

namespace fs = std::filesystem;

class CancelAfter : public ImageProgress {
  public:
    explicit CancelAfter(int polls) : polls_(polls) {}
    void stage(std::string_view text, double) override { stages.emplace_back(text); }
    bool cancelled() override { return polls_ >= 0 && --polls_ < 0; }
    std::vector<std::string> stages;

  private:
    int polls_;
};

struct GarminImage : ::testing::Test {
    testing::TempDir dir;
    ImageJob job;

    void SetUp() override {
        ConversionOptions options;
        options.inputPath = (testing::sourceDir() / "data" / "sample.txt").string();
        options.outputPath = (dir / "sample.mp").string();
        options.detailLevels = {true, false, false, true};
        testing::RecordingHost host;
        const ConversionResult map = convertGeoVector(options, host);
        ASSERT_TRUE(map.written);
        TypJob typ;
        typ.style.patternText = std::string(kDefaultPatternText);
        typ.style.typPath = (dir / "sample-typ.txt").string();
        typ.companionPath = (dir / "sample.tpgn").string();
        typ.types = map.types;
        typ.lowest = map.lowest;
        typ.familyId = 4242;
        ASSERT_TRUE(writeTypFile(typ, host).written);
        job.map = options.outputPath;
        job.typText = typ.style.typPath;
        job.outputDir = dir / "out";
        job.familyId = typ.familyId;
        job.mapNumber = 12345678;
    }
    // A stand-in for mkgmap: a shell script with `body`.
    std::string fakeMkgmap(const std::string& body) const {
        const fs::path script = dir.write("fake-mkgmap", "#!/bin/sh\n" + body + "\n");
        fs::permissions(script, fs::perms::owner_all);
        return script.string();
    }
    std::vector<std::string> outFiles() const { return testing::fileNames(job.outputDir); }
};

TEST_F(GarminImage, MissingMkgmapOrJavaIsNamedAndNothingIsWritten) {
    job.mkgmap = (dir / "no-such-mkgmap").string();
    CancelAfter progress(-1);
    EXPECT_EQ(makeGarminImage(job, progress).error, kMkgmapMissing);

    job.mkgmap = dir.write("mkgmap.jar", "PK").string();
    const std::string path = std::getenv("PATH"), javaHome = std::getenv("JAVA_HOME") ? std::getenv("JAVA_HOME") : "";
    ::setenv("PATH", dir.path().c_str(), 1);
    ::unsetenv("JAVA_HOME");
    const ImageResult result = makeGarminImage(job, progress);
    ::setenv("PATH", path.c_str(), 1);
    if (!javaHome.empty())
        ::setenv("JAVA_HOME", javaHome.c_str(), 1);
    EXPECT_EQ(result.error, kJavaMissing);
    EXPECT_FALSE(result.made);
    EXPECT_TRUE(outFiles().empty());
}

TEST_F(GarminImage, FailingMkgmapShowsItsLastLinesAndKeepsTheOldImage) {
    fs::create_directories(job.outputDir);
    const auto old = job.outputDir / "gmapsupp.img";
    dir.write("out/gmapsupp.img", "old image");
    CancelAfter progress(-1);
    EXPECT_EQ(makeGarminImage(job, progress).error, "gmapsupp.img already exists in " + job.outputDir.string() + ".");

    job.replaceImage = true;
    job.mkgmap = fakeMkgmap("for i in $(seq 1 30); do echo \"line $i\"; done\necho 'Picked up JAVA_TOOL_OPTIONS: x'\nexit 3");
    ImageResult result = makeGarminImage(job, progress);
    EXPECT_FALSE(result.made);
    EXPECT_EQ(result.error.rfind("mkgmap stopped with exit code 3. Its last lines:\nline 19\n", 0), 0u) << result.error;
    EXPECT_EQ(result.error.substr(result.error.size() - 8), "\nline 30");

    // Cancel in the middle: mkgmap is stopped and its half-written image never reaches the folder,
    // nor does the work folder stay, or one that a killed run left.
    dir.write("out/.gmapsupp-Killed/12345678.mp", "left behind");
    job.mkgmap = fakeMkgmap("for a; do case $a in --output-dir=*) out=${a#--output-dir=};; esac; done\n"
                            "echo partial > \"$out/gmapsupp.img\"\nexec sleep 60");
    CancelAfter cancel(5);
    result = makeGarminImage(job, cancel);
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(result.made);
    EXPECT_EQ(testing::readBytes(old), "old image");
    EXPECT_EQ(outFiles(), std::vector<std::string>{"gmapsupp.img"});

    // mkgmap saying it is done without an image is a failure too.
    job.mkgmap = fakeMkgmap("echo 'Number of MapFailedExceptions: 1'");
    EXPECT_NE(makeGarminImage(job, progress).error.find("MapFailedExceptions: 1"), std::string::npos);
    EXPECT_EQ(testing::readBytes(old), "old image");

    // An output folder that cannot be made (a file is in its way) is named before mkgmap runs.
    job.outputDir = dir.write("in-the-way", "file") / "out";
    EXPECT_EQ(makeGarminImage(job, progress).error.rfind("cannot create the folder " + job.outputDir.string(), 0), 0u);
    job.outputDir = old.parent_path();
    if (testing::makeReadOnly(job.outputDir)) {
        job.mkgmap.clear();
        EXPECT_EQ(makeGarminImage(job, progress).error.rfind("cannot write into the folder", 0), 0u);
    }
}

TEST_F(GarminImage, JavaGetsAHeapForTheLargestTileTimesTheTilesAtOnceWithinTheMachine) {
    constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;
    EXPECT_EQ(javaHeapMiB(0, 1, 16 * kGiB), 256u);
    // 10 million vertices, two tiles at once: 256 + 2 × 10^9 bytes.
    EXPECT_EQ(javaHeapMiB(10000000, 2, 16 * kGiB), 256u + 1907u);
    EXPECT_EQ(javaHeapMiB(10000000, 2, 2 * kGiB), 1228u); // 60 % of the machine
    EXPECT_EQ(javaHeapMiB(10000000, 0, 0), 256u + 953u); // no tile counted as one, memory unknown
    // The small sample map: the least heap, handed to a program through the environment.
    const fs::path seen = dir / "java-options";
    job.mkgmap = fakeMkgmap("echo \"$JAVA_TOOL_OPTIONS\" > '" + seen.string() + "'; exit 1");
    CancelAfter progress(-1);
    EXPECT_FALSE(makeGarminImage(job, progress).made);
    EXPECT_EQ(testing::readBytes(seen), "-Xmx256m\n");
}

TEST_F(GarminImage, TwoTilesAndTheStyleCompileIntoOneImage) {
    if (!testing::haveMkgmap())
        GTEST_SKIP() << "mkgmap is not installed";
    MapSurvey survey;
    std::string error;
    ASSERT_TRUE(surveyMap(job.map, survey, error));
    job.limits.blocks = survey.weightedBlocks / 2 + 20;
    job.name = "Sample tint";
    CancelAfter progress(-1);
    const ImageResult result = makeGarminImage(job, progress);
    ASSERT_TRUE(result.made) << result.error;
    EXPECT_EQ(result.tiles, 2u);
    EXPECT_EQ(result.firstNumber, 12345678u);
    EXPECT_EQ(outFiles(), (std::vector<std::string>{"12345678.img", "12345679.img", "gmapsupp.img", "osmmap.img",
                                                    "osmmap.tdb", "sample-typ.typ"}));
    const std::string image = testing::readBytes(result.image);
    EXPECT_EQ(result.size, image.size());
    EXPECT_NE(image.find("12345678RGN"), std::string::npos);
    EXPECT_NE(image.find("12345679RGN"), std::string::npos);
    const std::string typ = testing::readBytes(job.outputDir / "sample-typ.typ");
    ASSERT_GT(typ.size(), 49u);
    EXPECT_EQ(static_cast<unsigned char>(typ[47]) | static_cast<unsigned char>(typ[48]) << 8, 4242);
    EXPECT_NE(image.find(typ), std::string::npos) << "the style is not inside the image";
    EXPECT_NE(std::find_if(progress.stages.begin(), progress.stages.end(),
                           [](const std::string& stage) { return stage.starts_with("Compiling map tile 1 of 2 with mkgmap, "); }),
              progress.stages.end());
}

// Beside the input in a folder named after it, unless a file is in the way; a downloaded
// area's mosaic already has a folder of its own.
TEST(ImageFolder, BesideTheInputOrInTheAreasOwnFolder) {
    testing::TempDir dir;
    EXPECT_EQ(imageFolderFor(dir.path(), "sample"), dir / "sample");
    dir.write("sample", "a file in the way");
    EXPECT_EQ(imageFolderFor(dir.path(), "sample"), dir / "sample-garmin");
    EXPECT_EQ(imageFolderFor(dir / "N49E005-N50E006", "N49E005-N50E006"), dir / "N49E005-N50E006");
}

TEST(MkgmapClock, ShareAndTimeLeftFromTheFinishedTiles) {
    MkgmapClock clock(4);
    MkgmapProgress p = clock.at(0, 60); // nothing finished: half of the first tile after a minute
    EXPECT_DOUBLE_EQ(p.percent, 12.5);
    EXPECT_FALSE(p.left);
    EXPECT_EQ(mkgmapProgressText(p), "Compiling map tile 1 of 4 with mkgmap, 1 min 00 s");
    p = clock.at(1, 100); // 100 s a tile
    EXPECT_DOUBLE_EQ(p.percent, 25);
    EXPECT_DOUBLE_EQ(*p.left, 300);
    p = clock.at(1, 150);
    EXPECT_DOUBLE_EQ(p.percent, 37.5);
    EXPECT_DOUBLE_EQ(*p.left, 250);
    EXPECT_EQ(mkgmapProgressText(p), "Compiling map tile 2 of 4 with mkgmap, 2 min 30 s, about 4 min 10 s left");
    p = clock.at(1, 400); // this tile takes longer than the first: most of it, never beyond
    EXPECT_DOUBLE_EQ(p.percent, 25 + 95.0 / 4);
    EXPECT_DOUBLE_EQ(*p.left, 0);
    p = clock.at(3, 500); // three tiles in 500 s: the last is expected to take 166.7 s
    EXPECT_NEAR(*p.left, 500.0 / 3, 1e-9);
    p = clock.at(4, 600);
    EXPECT_DOUBLE_EQ(p.percent, 100);
    EXPECT_FALSE(p.left);
    EXPECT_EQ(mkgmapProgressText(p), "Writing gmapsupp.img with mkgmap, 10 min 00 s");
}

} // namespace
} // namespace orolith::garmin
