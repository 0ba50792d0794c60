// Compiles TYP files written by the TYP writer with the real map compiler (mkgmap), for every
// style option. (A map and its style in one image: the Garmin image tests.) Skipped without mkgmap.

#include "core/conversion/conversion.h"
#include "core/conversion/elevation_types.h"
#include "core/style/typ_writer.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace orolith {
using testing::TempDir;

namespace {

std::string rows(int count, int width) {
    std::string text;
    for (int r = 0; r < count; ++r)
        for (int c = 0; c <= width; ++c)
            text += c == width ? "\r\n" : (r + c) % 3 == 0 ? "1" : "0";
    return text;
}

// The sample's list of bands, and a style job for them.
ConversionResult listSample() {
    ConversionOptions options;
    options.inputPath = (testing::sourceDir() / "data" / "sample.txt").string();
    options.detailLevels[0] = true;
    testing::RecordingHost host;
    return listElevations(options, host);
}

TypJob styleJob(const TempDir& dir, const std::string& name, const ConversionResult& bands) {
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
    if (!testing::haveMkgmap())
        GTEST_SKIP() << "mkgmap is not installed";
    TempDir dir;
    const ConversionResult sample = listSample();
    ASSERT_GT(sample.types.size(), 8u);
    const std::vector<std::pair<std::string, void (*)(TypJob&)>> variants = {
        {"one-colour", [](TypJob& j) { j.style.oneColour = true; }},
        {"row-per-band", [](TypJob& j) { j.style.rowPerBand = true; }},
        {"capped", [](TypJob& j) { j.style.maxDrawOrder = 3; }},
        {"one-row", [](TypJob& j) { j.style.patternText = "1"; }},
        {"eight-rows", [](TypJob& j) { j.style.patternText = rows(8, 8); }},
        {"thirty-two-rows", [](TypJob& j) { j.style.patternText = rows(32, 32); }},
        {"many-bands",
         [](TypJob& j) { // wraps the palette below zero, skips sub-types above 0x1F
             j.types.clear();
             for (int i = 0, type = 0x10300; i < 105; ++i, type += type % 32 == 31 ? 225 : 1)
                 j.types.push_back({std::to_string(25 * i - 140), typeText(type)});
             j.lowest = -140;
         }},
        {"atlas-night", [](TypJob& j) { j.tint.ramp = *builtInRamp("atlas"); }},
    };
    std::vector<std::string> files = {"--family-id=1733"};
    for (const auto& [name, adjust] : variants) {
        TypJob job = styleJob(dir, name, sample);
        adjust(job);
        testing::RecordingHost host;
        ASSERT_TRUE(writeTypFile(job, host).written) << name;
        files.push_back(job.style.typPath);
    }
    std::string log;
    EXPECT_EQ(testing::runMkgmap(dir / "out", files, log), 0) << log;
    EXPECT_EQ(log.find("SEVERE"), std::string::npos) << log;
    EXPECT_EQ(log.find("ERROR"), std::string::npos) << log;
    for (const auto& variant : variants)
        EXPECT_GT(std::filesystem::file_size(dir / "out" / (variant.first + ".typ")), 300u) << variant.first;
    // A night colour is three bytes more per band than the same bands by day only.
    EXPECT_EQ(std::filesystem::file_size(dir / "out" / "atlas-night.typ"),
              std::filesystem::file_size(dir / "out" / "one-colour.typ") + 3 * sample.types.size());
}

} // namespace orolith
