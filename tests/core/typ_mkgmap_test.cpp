// Compiles TYP files written by the TYP writer with the real map compiler (mkgmap).
// Skipped when mkgmap is not installed.

#include "core/conversion.h"
#include "core/typ_writer.h"
#include "support/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

using namespace orolith;
using orolith::testing::readBytes;
using orolith::testing::RecordingHost;
using orolith::testing::TempDir;

namespace {

bool haveMkgmap() {
    return std::system("command -v mkgmap >/dev/null 2>&1") == 0;
}

// Runs mkgmap on `files` in one go; returns its exit code and leaves its output in `log`.
int mkgmap(const std::filesystem::path& outDir, const std::vector<std::filesystem::path>& files,
           std::string& log) {
    std::ostringstream command;
    command << "mkgmap --output-dir='" << outDir.string() << "' --family-id=1733";
    for (const auto& file : files)
        command << " '" << file.string() << "'";
    const auto logFile = outDir.string() + ".log";
    command << " >'" << logFile << "' 2>&1";
    const int status = std::system(command.str().c_str());
    log = readBytes(logFile);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Band types as the conversion numbers them: one per elevation, sub-types above 0x1F skipped.
TypeList handMadeBands(int count, std::int32_t lowest) {
    TypeList types;
    std::uint32_t type = 0x10300;
    for (int i = 0; i < count; ++i) {
        types.push_back({std::to_string(lowest + 25 * i), fnhx(static_cast<std::int32_t>(type))});
        if (++type % 32 == 0)
            type += 224;
    }
    return types;
}

std::string rows(int count, int width) {
    std::string text;
    for (int r = 0; r < count; ++r) {
        for (int c = 0; c < width; ++c)
            text += (r + c) % 3 == 0 ? '1' : '0';
        text += "\r\n";
    }
    return text;
}

struct Listed {
    TypeList types;
    std::int32_t lowest = 0;
};

// The bands of the bundled sample as the "Create TYP" button lists them.
Listed sampleBands() {
    ConversionOptions options;
    options.inputPath = (orolith::testing::sourceDir() / "data" / "sample.txt").string();
    options.detailLevels = {true, false, false, false};
    RecordingHost host;
    const ConversionResult result = parse(ConversionMode::ListOnly, options, host);
    return {result.types, result.lowest};
}

TypJob styleJob(const TempDir& dir, const std::string& name, const Listed& bands) {
    TypJob job;
    job.style.patternText = std::string(kDefaultPatternText);
    job.types = bands.types;
    job.lowest = bands.lowest;
    job.style.typPath = (dir / (name + ".txt")).string();
    job.companionPath = (dir / (name + ".tpgn")).string();
    return job;
}

} // namespace

TEST(TypWithMkgmap, CompilesTheWriterOutputWithEveryOption) {
    if (!haveMkgmap())
        GTEST_SKIP() << "mkgmap is not installed";
    TempDir dir;
    const Listed sample = sampleBands();
    ASSERT_GT(sample.types.size(), 8u);
    struct Variant {
        std::string name;
        void (*adjust)(TypJob&);
    };
    const std::vector<Variant> variants = {
        {"plain", [](TypJob&) {}},
        {"one-colour", [](TypJob& j) { j.style.oneColour = true; }},
        {"row-per-band", [](TypJob& j) { j.style.rowPerBand = true; }},
        {"capped", [](TypJob& j) { j.style.maxDrawOrder = "3"; }},
        {"one-row", [](TypJob& j) { j.style.patternText = "1"; }},
        {"eight-rows", [](TypJob& j) { j.style.patternText = rows(8, 8); }},
        {"thirty-two-rows", [](TypJob& j) { j.style.patternText = rows(32, 32); }},
        {"many-bands",
         [](TypJob& j) { // wraps the palette, skips sub-types above 0x1F
             j.types = handMadeBands(105, -40);
             j.lowest = -40;
         }},
    };
    std::vector<std::filesystem::path> files;
    for (const auto& variant : variants) {
        TypJob job = styleJob(dir, variant.name, sample);
        variant.adjust(job);
        RecordingHost host;
        ASSERT_TRUE(create_typ(job, host).written) << variant.name;
        files.push_back(job.style.typPath);
    }
    std::string log;
    EXPECT_EQ(mkgmap(dir / "out", files, log), 0) << log;
    EXPECT_EQ(log.find("SEVERE"), std::string::npos) << log;
    EXPECT_EQ(log.find("ERROR"), std::string::npos) << log;
    for (const auto& variant : variants)
        EXPECT_GT(std::filesystem::file_size(dir / "out" / (variant.name + ".typ")), 300u) << variant.name;
}

TEST(TypWithMkgmap, CompilesTheSampleMapWithItsStyleIntoOneImage) {
    if (!haveMkgmap())
        GTEST_SKIP() << "mkgmap is not installed";
    TempDir dir;
    ConversionOptions options;
    options.inputPath = (orolith::testing::sourceDir() / "data" / "sample.txt").string();
    options.outputPath = (dir / "sample.mp").string();
    options.detailLevels = {true, false, false, true};
    options.addContours = true;
    RecordingHost host;
    const ConversionResult map = parse(ConversionMode::Write, options, host);
    ASSERT_TRUE(map.written);
    TypJob job = styleJob(dir, "sample-typ", {map.types, map.lowest});
    ASSERT_TRUE(create_typ(job, host).written);

    std::string log;
    EXPECT_EQ(mkgmap(dir / "img", {"--gmapsupp", options.outputPath, job.style.typPath}, log), 0) << log;
    const std::string image = readBytes(dir / "img" / "gmapsupp.img");
    EXPECT_NE(image.find("SAMPLE-TTYP"), std::string::npos) << "the style is not inside the image";
    EXPECT_NE(image.find("RGN"), std::string::npos);
}
