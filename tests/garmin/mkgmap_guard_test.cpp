// What mkgmap is given and what is taken from it: elevation folders in a form its list
// syntax cannot split, the hill-shading grid, map numbers, an image that is checked (its
// header, and mkgmap's count of failed tiles) before it replaces anything, and the work
// folder of a run that another run into the same folder leaves alone.

#include "core/conversion/conversion.h"
#include "garmin/garmin_image.h"
#include "garmin/map_number.h"
#include "support/test_support.h"

#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace orolith::garmin {
namespace {

namespace fs = std::filesystem;

struct MkgmapGuard : ::testing::Test {
    testing::TempDir dir;
    ImageJob job;
    ImageProgress progress;

    void SetUp() override {
        ConversionOptions options;
        options.inputPath = (testing::sourceDir() / "data" / "sample.txt").string();
        options.outputPath = (dir / "sample.mp").string();
        options.detailLevels = {true, false, false, false};
        testing::RecordingHost host;
        ASSERT_TRUE(convertGeoVector(options, host).written);
        job.map = options.outputPath;
        job.typText = dir.write("sample-typ.txt", "[_id]\r\nFID=4242\r\n[end]\r\n");
        job.outputDir = dir / "out";
        job.mapNumber = 12345678;
        job.replaceImage = true;
    }
    // A stand-in for mkgmap that keeps its arguments in args.txt, prints `output` and copies
    // `image` to gmapsupp.img in the folder it is given.
    void fakeMkgmap(const std::string& image, const std::string& output = "") {
        const fs::path copied = dir.write("made.img", image);
        const fs::path script = dir.write(
            "fake-mkgmap",
            "#!/bin/sh\nfor a; do echo \"$a\"; case $a in --output-dir=*) out=${a#--output-dir=};; "
            "esac; done > '" +
                (dir / "args.txt").string() + "'\nls dem-1 > '" + (dir / "dem-1.txt").string() +
                "' 2>&1\necho '" + output + "'\ncp '" + copied.string() + "' \"$out/gmapsupp.img\"\n");
        fs::permissions(script, fs::perms::owner_all);
        job.mkgmap = script.string();
    }
    static std::string garminHeader() {
        std::string header(1024, '\0');
        header.replace(0x10, 6, "DSKIMG");
        header.replace(0x41, 6, "GARMIN");
        return header;
    }
};

TEST_F(MkgmapGuard, OnlyAGarminImageWithoutFailedTilesReplacesTheOldOne) {
    const fs::path old = dir.write("out/gmapsupp.img", "old image");
    struct Case {
        const char* what;
        std::string image, output, error;
    };
    const Case cases[] = {
        {"not an image", std::string(1024, 'x'), "",
         "mkgmap wrote a gmapsupp.img that is no Garmin image; nothing was replaced."},
        {"no DSKIMG", std::string(0x41, '\0') + "GARMIN" + std::string(1024, '\0'), "",
         "mkgmap wrote a gmapsupp.img that is no Garmin image; nothing was replaced."},
        {"too short", garminHeader().substr(0, 100), "",
         "mkgmap wrote a gmapsupp.img that is no Garmin image; nothing was replaced."},
        {"failed tiles", garminHeader(), "Number of MapFailedExceptions: 2",
         "mkgmap did not make gmapsupp.img. Its last lines:\nNumber of MapFailedExceptions: 2"},
    };
    for (const Case& c : cases) {
        fakeMkgmap(c.image, c.output);
        const ImageResult result = makeGarminImage(job, progress);
        EXPECT_FALSE(result.made) << c.what;
        EXPECT_EQ(result.error, c.error) << c.what;
        EXPECT_EQ(testing::readBytes(old), "old image") << c.what;
    }
    fakeMkgmap(garminHeader(), "Number of MapFailedExceptions: 0");
    const ImageResult result = makeGarminImage(job, progress);
    EXPECT_TRUE(result.made) << result.error;
    EXPECT_EQ(testing::readBytes(old), garminHeader());
}

TEST_F(MkgmapGuard, ElevationFoldersReachMkgmapWhateverTheirNames) {
    const fs::path folder = dir / "tiles, 3 arc seconds";
    dir.write("tiles, 3 arc seconds/N46E007.hgt", "heights");
    job.demFolders = {folder};
    job.demDistances = hillShadingDistances(1200);
    fakeMkgmap(garminHeader());
    const ImageResult result = makeGarminImage(job, progress);
    ASSERT_TRUE(result.made) << result.error;
    const std::string args = testing::readBytes(dir / "args.txt");
    EXPECT_NE(args.find("\n--dem=dem-1\n--dem-dists=9942,39768,79536,159073,318146,636291\n"),
              std::string::npos)
        << args;
    EXPECT_EQ(testing::readBytes(dir / "dem-1.txt"), "N46E007.hgt\n");
    EXPECT_EQ(hillShadingDistances(3600), (std::vector<int>{3314, 13256, 26512, 53024, 106049, 212097}));
}

TEST_F(MkgmapGuard, AWorkFolderInUseSurvivesAnotherRunIntoTheSameFolder) {
    // The first run's mkgmap waits (at most about 30 s) until the second run has finished.
    const fs::path started = dir / "started", go = dir / "go";
    const fs::path image = dir.write("made.img", garminHeader());
    const fs::path waiting =
        dir.write("waiting-mkgmap",
                  "#!/bin/sh\nfor a; do case $a in --output-dir=*) out=${a#--output-dir=};; esac; done\n"
                  "touch '" +
                      started.string() + "'\nfor i in $(seq 1 600); do [ -e '" + go.string() +
                      "' ] && break; sleep 0.05; done\ncp '" + image.string() + "' \"$out/gmapsupp.img\"\n");
    fs::permissions(waiting, fs::perms::owner_all);
    ImageJob first = job;
    first.mkgmap = waiting.string();
    auto running = std::async(std::launch::async, [&] {
        ImageProgress quiet;
        return makeGarminImage(first, quiet);
    });
    for (int i = 0; i < 600 && !fs::exists(started); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    fakeMkgmap(garminHeader());
    EXPECT_TRUE(makeGarminImage(job, progress).made);
    std::ofstream(go).close();
    const ImageResult result = running.get();
    EXPECT_TRUE(result.made) << result.error;
}

TEST(MapNumber, AreasAHundredMetresApartGetTheirOwnNumberWithRoomForTheirTiles) {
    // 20 000 areas a hundred metres apart; the first 200 (two hashes in 90 million seldom meet) all differ.
    std::set<std::uint32_t> numbers;
    std::uint32_t lowest = kLastMapNumber, highest = 0;
    for (int i = 0; i < 20000; ++i) {
        const double shift = i * 0.001;
        const std::uint32_t number = mapNumberForArea(GeoBounds{46 + shift, 7, 47 + shift, 8});
        if (i < 200)
            numbers.insert(number);
        lowest = std::min(lowest, number);
        highest = std::max(highest, number);
    }
    EXPECT_EQ(numbers.size(), 200u);
    EXPECT_GE(lowest, kFirstMapNumber);
    EXPECT_LE(highest, kLastMapNumber - 100000 + 1);
    EXPECT_GT(highest, kLastMapNumber - 200000); // the numbers reach up to the room kept
}

} // namespace
} // namespace orolith::garmin
