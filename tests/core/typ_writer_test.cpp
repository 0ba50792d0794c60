#include "core/conversion/elevation_types.h"
#include "core/conversion/legend_captions.h"
#include "core/style/typ_from_listing.h"
#include "core/style/typ_writer.h"
#include "support/test_support.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>

namespace orolith {
using testing::crlf;
using testing::crlfLines;
using testing::readBytes;

namespace {

const std::string kA = "01010101010101010101010101010101";
const std::string kB = "10101010101010101010101010101010";

// The default checkerboard's 32 lines of band `band`, with or without quotes.
std::string checker(int band, const std::string& quote) {
    std::string lines;
    for (int i = 0; i < 32; ++i)
        lines += quote + ((band + i) % 2 ? kB : kA) + quote + "\r\n";
    return lines;
}

TypeList bands(std::int32_t first, int count, std::uint32_t firstType = 0x10300) {
    TypeList list;
    for (int i = 0; i < count; ++i)
        list.push_back({std::to_string(first + i * 25), typeText(static_cast<std::int32_t>(firstType) + i)});
    return list;
}

struct TypWriter : ::testing::Test {
    testing::TempDir dir;
    testing::RecordingHost host;
    TypJob job;

    void SetUp() override {
        job.style.patternText = std::string(kDefaultPatternText);
        job.style.typPath = (dir / "typ" / "untitled.txt").string();
        job.companionPath = (dir / "test.tpgn").string();
        std::filesystem::create_directories(dir / "typ");
    }
    bool write() {
        host.messages.clear();
        return writeTypFile(job, host).written;
    }
    std::string typ() const { return readBytes(job.style.typPath); }
    std::string companion() const { return readBytes(job.companionPath); }
    std::vector<std::string> notices() const { return host.texts(MessageKind::Notice); }
    std::vector<std::string> failures() const { return host.texts(MessageKind::Failure); }
};

} // namespace

TEST_F(TypWriter, WorkedExampleByteForByte) {
    job.types = bands(100, 5, 0x10304);
    job.lowest = 100;
    job.style.maxDrawOrder = 1;
    job.toolPath = "/opt/stylesmith/stylesmith";
    const TypResult result = writeTypFile(job, host);
    ASSERT_TRUE(result.written);
    ASSERT_TRUE(result.pattern);

    const std::vector<std::string> hex = {"000080", "000083", "000085", "000088", "008000"};
    std::string typ = crlfLines("[_id]|ProductCode = 1|FID = 1733|CodePage = 1252|[End]|[_drawOrder]"),
                polygons, lines, companion = "10301,10302,10303,10304,10305,\r\n";
    for (std::size_t i = 0; i < 5; ++i) {
        const auto n = static_cast<std::int32_t>(i);
        const std::string type = typeText(0x10304 + n), label = std::to_string(100 + 25 * n) + " m";
        typ += crlfLines("Type=0x" + type + ",1");
        polygons += crlfLines("[_polygon]|Type=0x" + type + "|String1=0x0," + label +
                              "|ExtendedLabels=N|xpm=\"32 32 2 1\"|\"0 c none\"|\"1 c #" + hex[i] + "\"") +
                    checker(n, "\"") + crlfLines("[END]|");
        companion += crlfLines("pgon:" + type + "|14|1|string|String1=0x0," + label + "|endstring|label:00#" +
                               label + "|ExtendedLabels=N,|col|2|0 c none|1 c #" + hex[i] + "|bmp") +
                     checker(n, "") + crlfLines("##");
        lines +=
            crlfLines("[_line]|Type=0x" + type + "|LineWidth=2|BorderWidth=0|ExtendedLabels=N|String1=0x00," +
                      label + "|xpm=\"0 0 1 0\"|\"0 c #000000\" |[END]|");
    }
    EXPECT_EQ(this->typ(), typ + crlfLines("[End]|") + polygons + lines);
    EXPECT_EQ(this->companion(), companion);
    EXPECT_EQ(notices(),
              (std::vector<std::string>{"Reached maximum draworder of 1.", "created:" + job.style.typPath.string()}));
    EXPECT_TRUE(failures().empty());
    ASSERT_EQ(host.launches.size(), 1u);
    EXPECT_EQ(host.launches[0], std::make_pair(job.toolPath.string(), job.style.typPath.string()));
}

TEST(TypShades, StepsAreCappedAndRedComesFirst) {
    // Step 0 is never capped; the worked example has the steps of component 128.
    EXPECT_EQ(bandColourText(0xFFFFFF, 0, false), "FFFFFF");
    EXPECT_EQ(bandColourText(0xFFFFFF, 1, false), "FAFAFA");
    EXPECT_EQ(bandColourText(0x191919, 3, false), "1A1A1A");
    EXPECT_EQ(bandColourText(0x0000FF, 0, false), "FF0000");
}

TEST_F(TypWriter, DrawOrderCapIsReadLenientlyAndRoundedHalfToEven) {
    job.types = bands(0, 13);
    for (const auto& [box, last, capNotice] : std::vector<std::tuple<std::string, std::string, bool>>{
             {"2.5", "2", true}, {"3.5", "4", false}}) { // 13 bands fit into 4 but not into 2 orders
        job.style.maxDrawOrder = readMaxDrawOrder(box);
        ASSERT_TRUE(write());
        EXPECT_NE(typ().find("Type=0x1030C," + last + "\r\n[End]"), std::string::npos) << box;
        EXPECT_NE(companion().find("pgon:1030C\r\n14\r\n" + last + "\r\n"), std::string::npos) << box;
        EXPECT_EQ(notices().front() == "Reached maximum draworder of 2.", capNotice) << box;
    }
}

TEST_F(TypWriter, StopsBeforeWritingOnBadOptions) {
    job.types = bands(0, 3);
    job.toolPath = "tool";
    for (const auto& [order, pattern, message] :
         std::vector<std::tuple<std::int16_t, std::string, std::string>>{
             {0, "01\r\n", "Maximum draworder can't be zero"},
             {14, "  ", "Please add pattern."},
             {14, " \r\n", "Please add pattern."},
             {14, "\r\n011", "Length of 011 must be multiple of 32"}}) {
        job.style.maxDrawOrder = order;
        job.style.patternText = pattern;
        EXPECT_FALSE(write());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].second, message);
        EXPECT_EQ(testing::fileNames(dir.path()), std::vector<std::string>{"typ"});
        EXPECT_TRUE(testing::fileNames(dir / "typ").empty());
        EXPECT_TRUE(host.launches.empty());
    }
}

TEST_F(TypWriter, ListingThenStylingFailsWithoutBandsAndKeepsTheListedMap) {
    struct Case {
        std::string name;
        std::string pattern;
        ConversionResult listed;
        std::vector<std::string> failures;
        bool listCalled;
    };
    ConversionResult none;
    none.ranPasses = true;
    ConversionResult intoMap = none;
    intoMap.types = bands(0, 2);
    intoMap.mapPath = job.style.typPath;
    for (const auto& c : std::vector<Case>{
             {"no pattern", " \r\n", intoMap, {"Please add pattern."}, false},
             {"nothing listed", kA, none, {"No data"}, true},
             {"listing stopped", kA, ConversionResult{}, {}, true},
             {"over the map", kA, intoMap,
              {"The TYP file would replace the input or the map:\r\n" + job.style.typPath.string() +
               "\r\n\r\nNothing was written."},
              true}}) {
        job.style.patternText = c.pattern;
        host.messages.clear();
        bool called = false;
        const ListedTyp done = writeTypFromListing(job, [&](Host&) { called = true; return c.listed; }, host);
        EXPECT_FALSE(done.typ.written) << c.name;
        EXPECT_EQ(called, c.listCalled) << c.name;
        EXPECT_EQ(failures(), c.failures) << c.name;
        EXPECT_TRUE(testing::fileNames(dir / "typ").empty()) << c.name;
    }
    intoMap.mapPath = (dir / "in.mp").string();
    const ListedTyp done = writeTypFromListing(job, [&](Host&) { return intoMap; }, host);
    ASSERT_TRUE(done.typ.written);
    EXPECT_NE(typ().find("Type=0x10301,1\r\n[End]"), std::string::npos);
}

TEST_F(TypWriter, PaletteWrapsAroundTheTableEvenBelowZero) {
    auto colourOf = [this](int band) {
        const std::string text = typ();
        std::size_t at = 0;
        for (int i = 0; i <= band; ++i)
            at = text.find("\"1 c #", at) + 1;
        return text.substr(at + 5, 6);
    };
    for (int i = 0; i < 26; ++i)
        job.palette[static_cast<std::size_t>(i)] = i * 0x010101; // grey i: the shades stay near it
    job.types = bands(0, 105);
    ASSERT_TRUE(write());
    EXPECT_EQ(colourOf(100), "191919"); // entry 25
    EXPECT_EQ(colourOf(103), "1A1A1A"); // entry 25, step 3
    EXPECT_EQ(colourOf(104), "000000"); // entry 0 again
    EXPECT_EQ(notices()[1], "Reached maximum number of colours.");

    // 100 bands use entries 0..24; the 101st is the first on the last entry.
    for (const auto& [count, notice] : std::vector<std::pair<int, bool>>{{100, false}, {101, true}, {104, true}}) {
        job.types = bands(0, count);
        ASSERT_TRUE(write());
        const auto shown = notices();
        EXPECT_EQ(std::count(shown.begin(), shown.end(), "Reached maximum number of colours."), notice ? 1 : 0)
            << count;
    }

    job.types = bands(2750, 2);
    job.lowest = 2750;
    ASSERT_TRUE(write());
    EXPECT_EQ(colourOf(0), "010101"); // entry 27 mod 26 = 1
    EXPECT_EQ(notices().front(), "Reached maximum number of colours.");

    job.types = bands(-150, 8);
    job.lowest = -150; // counter -1: entry 25 for four bands, then entry 0
    ASSERT_TRUE(write());
    EXPECT_EQ(colourOf(0), "191919");
    EXPECT_EQ(colourOf(4), "000000");
    EXPECT_EQ(notices().size(), 1u); // only "created:"
}

// The legend's caption of an entry names the first band the TYP file paints in that entry's
// colour, and an entry without a caption paints no band, whatever the lowest elevation.
TEST_F(TypWriter, LegendCaptionsNameTheFirstBandOfTheirColour) {
    for (int i = 0; i < 26; ++i)
        job.palette[static_cast<std::size_t>(i)] = i * 0x010101; // grey i
    for (const std::int32_t lowest : {0, 99, 100, 150, 2750, -50, -150, -2650}) {
        job.types = bands(lowest, lowest == 100 ? 9 : 111); // 9 bands leave most entries unused
        job.lowest = lowest;
        ASSERT_TRUE(write());
        const std::string text = typ();
        std::vector<std::string> firstBandOf(26);
        std::size_t at = 0;
        for (std::size_t band = 0; band < job.types.size(); ++band) {
            at = text.find("\"1 c #", at) + 1;
            const auto entry = std::stoul(text.substr(at + 5, 2), nullptr, 16);
            if (band % 4 == 0 && firstBandOf.at(entry).empty())
                firstBandOf[entry] = job.types[band].elevation + "m";
        }
        EXPECT_EQ(legendCaptions(job.types, lowest), firstBandOf) << "lowest " << lowest;
    }
}

TEST_F(TypWriter, CompanionListSkipsHighSubTypesAndDropsQuotes) {
    job.style.firstType = 0x1031E;
    job.types = bands(0, 3, 0x1031E);
    job.types[0].elevation = "1\"2";
    ASSERT_TRUE(write());
    EXPECT_EQ(companion().substr(0, 22), "1031F,10400,10401,\r\npg");
    EXPECT_NE(typ().find("[_line]\r\nType=0x10320\r\nLineWidth=2\r\nBorderWidth=0\r\nExtendedLabels=N\r\n"
                         "String1=0x00,50 m\r\n"),
              std::string::npos); // a line is captioned as its band's polygon
    EXPECT_NE(typ().find("String1=0x0,1\"2 m\r\n"), std::string::npos);
    EXPECT_NE(companion().find("label:00#12 m\r\n"), std::string::npos);
    EXPECT_EQ(companion().find('"'), std::string::npos);
}

// Contour lines of an elevation model get three line styles after the bands' own.
TEST_F(TypWriter, ContourLineTypesFollowTheBandLines) {
    job.types = bands(0, 2);
    ASSERT_TRUE(write());
    const std::string plain = typ();
    job.contourLines = true;
    ASSERT_TRUE(write());
    const auto line = [](const char* type, int width, const char* colour, const char* caption) {
        return std::string("[_line]\r\nType=0x") + type + "\r\nLineWidth=" + std::to_string(width) +
               "\r\nBorderWidth=0\r\nExtendedLabels=N\r\nString1=0x00," + caption + "\r\nxpm=\"0 0 1 0\"\r\n\"0 c #" +
               colour + "\" \r\n[END]\r\n\r\n";
    };
    EXPECT_EQ(typ(), plain + line("20", 1, "A0703C", "Minor contour line") +
                         line("21", 2, "8C5A28", "Intermediate contour line") +
                         line("22", 3, "6E4118", "Major contour line"));
}

TEST_F(TypWriter, NeverWritesOverTheInputOrTheMap) {
    const auto input = dir.write("area.txt", "geo vector data");
    const auto map = dir.write("area.mp", "map data");
    job.types = bands(0, 2);
    job.protectedPaths = {input.string(), map.string()};
    job.toolPath = "tool";
    for (const auto& target : {input, map, dir.path() / "typ" / ".." / "area.txt"}) {
        job.style.typPath = target.string();
        EXPECT_FALSE(write());
        ASSERT_EQ(failures().size(), 1u);
        EXPECT_NE(failures()[0].find(target.string()), std::string::npos);
    }
    job.style.typPath = (dir / "typ" / "ok.txt").string();
    job.companionPath = map.string();
    EXPECT_FALSE(write());
    EXPECT_EQ(readBytes(input), "geo vector data");
    EXPECT_EQ(readBytes(map), "map data");
    EXPECT_FALSE(std::filesystem::exists(job.style.typPath));
    EXPECT_TRUE(host.launches.empty());
}

TEST_F(TypWriter, FailedWriteIsReportedAndSkipsCreatedAndLaunch) {
    job.types = bands(0, 2);
    job.toolPath = "tool";
    job.style.typPath = (dir / "gone" / "untitled.txt").string();
    EXPECT_FALSE(write());
    const std::string notCreated = "\r\n\r\nThe TYP file was not created.";
    EXPECT_EQ(failures(), std::vector<std::string>{job.style.typPath.string() + " No such file or directory" + notCreated});
    EXPECT_TRUE(notices().empty());
    EXPECT_FALSE(companion().empty()); // the companion list was written all the same

    const std::filesystem::path companionPath = job.companionPath;
    job.style.typPath = (dir / "typ" / "untitled.txt").string();
    job.companionPath = (dir / "gone" / "test.tpgn").string();
    EXPECT_TRUE(write()); // a companion list that cannot be written stops nothing
    EXPECT_EQ(failures(), std::vector<std::string>{job.companionPath.string() + " No such file or directory"});
    EXPECT_EQ(notices(), std::vector<std::string>{"created:" + job.style.typPath.string()});
    job.companionPath = companionPath;
    host.launches.clear();

    const auto old = dir.write("typ/untitled.txt", "old style");
    job.style.typPath = old.string();
    EXPECT_TRUE(host.launches.empty());
    if (!testing::makeReadOnly(dir / "typ"))
        GTEST_SKIP() << "a read-only folder binds nothing for this user";
    EXPECT_FALSE(write());
    EXPECT_EQ(readBytes(old), "old style");
    EXPECT_EQ(failures(), std::vector<std::string>{old.string() + " Permission denied" + notCreated});
}

// One colour and one row per band reach the file through the command line's tests.
TEST_F(TypWriter, NoBandsGiveTheHeaderAndAnEmptyCompanionList) {
    ASSERT_TRUE(write());
    EXPECT_EQ(companion(), "\r\n");
    EXPECT_EQ(typ(), crlfLines("[_id]|ProductCode = 1|FID = 1733|CodePage = 1252|[End]|[_drawOrder]|[End]|"));
    job.familyId = 65535; // the family ID a compiled map is given goes into the FID line
    ASSERT_TRUE(write());
    EXPECT_EQ(typ(),
              crlfLines("[_id]|ProductCode = 1|FID = 65535|CodePage = 1252|[End]|[_drawOrder]|[End]|"));
}

} // namespace orolith

namespace orolith {

TEST_F(TypWriter, RampGivesEachBandItsDayAndNightColour) {
    job.types = bands(0, 3);
    job.tint.ramp = {"mine", false,
                     {{0, StopScale::Metres, {0, 0, 0}}, {75, StopScale::Metres, {0, 0, 0}}},
                     {{0, StopScale::Metres, {16, 32, 48}}}};
    ASSERT_TRUE(write());
    const std::string text = typ();
    // All three bands lie on one black: each takes the nearest free colour.
    for (const std::string day : {"000000", "000001", "000100"})
        EXPECT_NE(text.find(crlfLines("xpm=\"32 32 4 1\"|\"0 c none\"|\"1 c #" + day +
                                      "\"|\"2 c none\"|\"3 c #102030\"")),
                  std::string::npos)
            << day;
    EXPECT_EQ(companion().find("3 c"), std::string::npos);
    EXPECT_NE(companion().find("1 c #000001\r\n"), std::string::npos);
    ASSERT_EQ(notices().size(), 2u);
    EXPECT_EQ(notices()[1], "Neighbouring bands differ by at least 0.4 in colour (CIEDE2000). Below 1 they look "
                            "alike: a larger interval gives fewer bands with clearer steps.");

    // Shares of a range with no elevation to take them of: nothing is written.
    std::filesystem::remove(job.style.typPath);
    job.tint.ramp.day[1].scale = StopScale::OfRange;
    job.types.clear();
    EXPECT_FALSE(write());
    EXPECT_FALSE(std::filesystem::exists(job.style.typPath));
    EXPECT_EQ(failures(), (std::vector<std::string>{"The colour ramp gives percentages of the elevation range, and "
                                                    "there is no elevation data to take them of.\r\n\r\nNothing was "
                                                    "written."}));
}

} // namespace orolith
