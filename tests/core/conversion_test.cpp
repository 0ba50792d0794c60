#include "core/conversion/conversion.h"
#include "support/test_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <functional>
#include <random>

namespace orolith {
namespace {

namespace fs = std::filesystem;
using testing::crlf;
using testing::readBytes;

const std::vector<std::string> kExampleInput = {
    "header",     "L 1 100.0", " -3.5 50.5",   " -3.4 50.5",   " -3.4 50.6",
    " -3.5 50.5", "L 2 150.0", " -3.45 50.52", " -3.44 50.53", " -3.45 50.52",
};

std::string headerBlock() {
    return testing::crlfLines(
        "[IMG ID]|ID = 84887331|Name=|Preprocess = f|TreSize = 586|TreMargin = 0#|"
        "RgnLimit = 127|Transparent = Y|POIIndex = Y|POINumberFirst = Y|POIZipFirst = N|"
        "Copyright = PROGRAM|Levels = 6|Level0 = 24|Level1 = 22|Level2 = 20|Level3 = 18|"
        "Level4 = 16|Level5 = 15|Zoom0 = 0|Zoom1 = 1|Zoom2 = 2|Zoom3 = 3|Zoom4 = 4|"
        "Zoom5 = 5|[END-IMG ID]|");
}

// Closed rings of four vertices at (50, 7), one per elevation text.
std::string rings(const std::vector<std::string>& elevations) {
    std::vector<std::string> lines;
    for (const auto& elevation : elevations)
        lines.insert(lines.end(), {"L 1 " + elevation, " 7 50", " 7.1 50", " 7 50.1", " 7 50"});
    return crlf(lines);
}

struct Conversion : ::testing::Test {
    testing::TempDir dir;
    testing::RecordingHost host;
    ConversionOptions options;

    ConversionResult run(const std::string& input, bool listOnly = false) {
        options.inputPath = dir.write("in.txt", input).string();
        if (options.detailLevels == std::array<bool, 4>{})
            options.detailLevels = {true, false, false, false};
        return listOnly ? listElevations(options, host) : convertGeoVector(options, host);
    }
    std::string map() const { return readBytes(dir / "in.mp"); }
    std::vector<std::string> failures() const { return host.texts(MessageKind::Failure); }
    std::vector<std::string> files() const { return testing::fileNames(dir.path()); }
};

TEST_F(Conversion, WorkedExampleByteForByte) {
    options.detailLevels = {true, false, false, true};
    const ConversionResult result = run(crlf(kExampleInput));
    const std::string ring1 = "(50.5,-3.5),(50.5,-3.4),(50.6,-3.4),(50.5,-3.5)|[END]";
    const std::string ring2 = "(50.52,-3.45),(50.53,-3.44),(50.52,-3.45)|[END]";
    EXPECT_EQ(map(), headerBlock() + testing::crlfLines("[POLYGON]|Type=0x10304|EndLevel=2|Data0=" + ring1 +
                                                        "|[POLYGON]|Type=0x10304|Data3=" + ring1 +
                                                        "|[POLYGON]|Type=0x10305|EndLevel=2|Data0=" + ring2 +
                                                        "|[POLYGON]|Type=0x10305|Data3=" + ring2));
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.lowest, 100);
    ASSERT_EQ(result.types.size(), 2u);
    EXPECT_EQ(typeListText(result.types[0]), "100\t10304");
    EXPECT_EQ(typeListText(result.types[1]), "150\t10305");
    std::vector<std::string> captions(26);
    captions[1] = "100m"; // the colour of bands from 100 m
    EXPECT_EQ(result.legendCaptions, captions);
    EXPECT_EQ(result.mapPath, (dir / "in.mp").string());
    const std::string message = "Created " + result.mapPath.string() + " (0 polygons not included)";
    EXPECT_EQ(result.finalMessage, message);
    EXPECT_EQ(host.texts(MessageKind::Notice), std::vector<std::string>{message});
    EXPECT_TRUE(failures().empty());
    EXPECT_EQ(files(), (std::vector<std::string>{"in.mp", "in.txt"}));
}

TEST_F(Conversion, EveryLevelInOrderEachFollowedByItsContour) {
    options.detailLevels = {true, false, true, false};
    options.addContours = true;
    run("pre\r\n" + rings({"100.0"}));
    const std::string data = "=(50,7),(50,7.1),(50.1,7),(50,7)|[END]";
    EXPECT_EQ(map(), headerBlock() + testing::crlfLines("[POLYGON]|Type=0x10304|EndLevel=1|Data0" + data +
                                                        "|[POLYLINE]|Type=0x10304|EndLevel=1|Data0" + data +
                                                        "|[POLYGON]|Type=0x10304|Data2" + data +
                                                        "|[POLYLINE]|Type=0x10304|Data2" + data));
}

// A block is shown from its own level up to the next selected one, so no zoom between two
// selected levels is left blank; adjacent levels need no EndLevel line.
TEST_F(Conversion, EndLevelBridgesTheGapToTheNextSelectedLevel) {
    const std::vector<std::pair<std::array<bool, 4>, std::string>> cases = {
        {{true, false, false, false}, "0"},       {{true, true, false, false}, "0|1"},
        {{true, true, true, true}, "0|1|2|3"},    {{true, false, false, true}, "0>2|3"},
        {{true, true, false, true}, "0|1>2|3"},   {{false, true, false, true}, "1>2|3"},
        {{true, false, true, true}, "0>1|2|3"},
    };
    for (const auto& [levels, expected] : cases) {
        options.detailLevels = levels;
        options.addContours = true;
        run(rings({"100"}));
        std::string blocks;
        const std::string text = map();
        for (std::size_t at = text.find("[POLYGON]"); at != std::string::npos; at = text.find("[POLYGON]", at + 1)) {
            const std::size_t end = text.find("[END]", at);
            const std::size_t endLevel = text.find("EndLevel=", at);
            const std::size_t data = text.find("Data", at);
            blocks += blocks.empty() ? "" : "|";
            blocks += text[data + 4];
            if (endLevel < end)
                blocks += ">" + text.substr(endLevel + 9, 1);
        }
        EXPECT_EQ(blocks, expected);
        // Each polygon block is followed at once by itself as a line, EndLevel included.
        std::vector<std::string> written;
        for (std::size_t at = text.find("[POLY"); at != std::string::npos; at = text.find("[POLY", at + 1))
            written.push_back(text.substr(at, text.find("[END]", at) + 5 - at));
        ASSERT_EQ(written.size(), 2 * static_cast<std::size_t>(std::count(levels.begin(), levels.end(), true)));
        for (std::size_t k = 0; k + 1 < written.size(); k += 2)
            EXPECT_EQ("[POLYLINE]" + written[k].substr(9), written[k + 1]) << expected;
    }
}

TEST_F(Conversion, TypesFollowDistinctElevationsAndSkipSubTypesAbove1F) {
    struct Case {
        std::string firstType;
        std::vector<std::string> elevations, types;
    };
    for (const Case& c :
         std::vector<Case>{{"10319",
                            {"100.0", "200.0", "100.4", "300.0", "400.0", "500.0"}, // 100.4 is band 100 again
                            {"1031D", "1031E", "1031F", "10400", "10401"}},
                           // 0x10300 + 1600 / 25 = 0x10340: one step of 0xE0 would leave sub-type 0x20.
                           {"10300", {"1600.0", "1700.0"}, {"10500", "10501"}},
                           // The shift is the lowest band over 25, rounded to the nearest:
                           // band 337 (of 337.5) is 13.48 steps, band 13 is 0.52.
                           {"10300", {"400", "337.5"}, {"1030D", "1030E"}},
                           {"10300", {"13"}, {"10301"}}}) {
        options.firstType = FirstType::fromText(c.firstType);
        options.replaceExisting = true;
        const ConversionResult result = run(rings(c.elevations));
        std::vector<std::string> types;
        for (const auto& entry : result.types)
            types.push_back(entry.type);
        EXPECT_EQ(types, c.types);
        EXPECT_NE(map().find("Type=0x" + c.types.back() + "\r\n"), std::string::npos);
    }
}

// Each swatch names the first band its colour paints: four bands share a colour, and the
// first four take the colour of the lowest elevation's hundreds.
TEST_F(Conversion, LegendCaptionsNameTheFirstBandOfEachColour) {
    struct Case {
        int first, step, count;
        std::vector<std::pair<std::size_t, std::string>> captions; // the others are empty
    };
    const std::vector<Case> cases = {
        {100, 100, 25, {{1, "100m"}, {2, "500m"}, {7, "2500m"}}},
        {0, 25, 120, {{0, "0m"}, {1, "100m"}, {25, "2500m"}}}, // bands 104.. repeat entries 0..
        {0, -1, 120, {{25, "0m"}, {0, "-4m"}, {24, "-100m"}}}, // lowest -119: entry -1 wraps to 25
        {50, 10, 3, {{0, "50m"}}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> elevations;
        for (int i = 0; i < c.count; ++i)
            elevations.push_back(std::to_string(c.first + i * c.step));
        const ConversionResult result = run(rings(elevations), true);
        ASSERT_EQ(result.legendCaptions.size(), 26u);
        std::size_t captioned = 0;
        for (const std::string& caption : result.legendCaptions)
            captioned += caption.empty() ? 0 : 1;
        EXPECT_EQ(captioned, std::min<std::size_t>(26, (c.count + 3) / 4)) << c.first;
        for (const auto& [entry, caption] : c.captions)
            EXPECT_EQ(result.legendCaptions[entry], caption) << c.first << " entry " << entry;
    }
    EXPECT_TRUE(host.messages.empty()); // list-only: no file, no message
    EXPECT_EQ(files(), std::vector<std::string>{"in.txt"});
}

// "Increase Max Distance" only when the distance left something out.
TEST_F(Conversion, OpenPolygonsBeyondMaxDistanceAreLeftOutAndCounted) {
    const std::string advice = "\r\n\r\nIncrease Max Distance to include more polygons.";
    // The open outline's ends are one degree of latitude (111 km) apart.
    const std::string input =
        crlf({"L 1 100.0", " 7 50", " 7.5 50.5", " 7 51", "L 2 200.0", " 7 50", " 7 50"});
    ConversionResult result = run(input);
    EXPECT_EQ(result.notIncluded, 1);
    EXPECT_EQ(map().find("Type=0x10304"), std::string::npos);
    EXPECT_EQ(result.finalMessage, "Created " + result.mapPath.string() + " (1 polygons not included)" + advice);
    options.maxDistance = MaxDistance::fromText("111190");
    options.replaceExisting = true;
    result = run(input);
    EXPECT_EQ(result.notIncluded, 0);
    EXPECT_EQ(result.finalMessage, "Created " + result.mapPath.string() + " (0 polygons not included)");
    result = run(crlf({"L 1 100.0", "L 2 200.0", " 7 50", " 7 50"})); // left out for want of vertices
    EXPECT_EQ(result.notIncluded, 1);
    EXPECT_EQ(result.finalMessage, "Created " + result.mapPath.string() + " (1 polygons not included)");

    // Max Distance 0 keeps a ring whose ends are the same point, not one a metre short of it.
    options.maxDistance = MaxDistance::fromText("0");
    result = run(crlf({"L 1 100.0", " 7 50", " 7.5 50.5", " 7 50", "L 2 200.0", " 7 50", " 7.5 50.5", " 7 50.00001"}));
    EXPECT_EQ(result.notIncluded, 1);
    EXPECT_NE(map().find("Type=0x10304"), std::string::npos);
    EXPECT_EQ(map().find("Type=0x10305"), std::string::npos);
}

TEST_F(Conversion, ReplaceQuestionAndOutputPathRule) {
    dir.write("in.mp", "old map");
    host.answers = {false, true};
    EXPECT_FALSE(run(crlf(kExampleInput)).ranPasses);
    EXPECT_EQ(host.questions.at(0), (dir / "in.mp").string() + "\r\n\r\nFile exists.\r\n\r\nReplace?");
    EXPECT_EQ(map(), "old map");
    EXPECT_TRUE(run(crlf(kExampleInput)).written);
    EXPECT_EQ(map().substr(0, 8), "[IMG ID]");
    options.replaceExisting = true;
    EXPECT_TRUE(run(crlf(kExampleInput)).written);
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(files(), (std::vector<std::string>{"in.mp", "in.txt"}));

    EXPECT_EQ(outputPathFor("maps/ALPS.TXT"), "maps/ALPS.mp");
    EXPECT_EQ(outputPathFor("maps.txt/alps.Txt"), "maps.txt/alps.mp");
    EXPECT_EQ(outputPathFor("maps.txt/alps"), "maps.txt/alps.mp");
    EXPECT_EQ(outputPathFor("alps.mp"), "alps.mp.mp");
    options.outputPath = options.inputPath; // never over the input
    EXPECT_FALSE(run(crlf(kExampleInput)).written);
    EXPECT_EQ(readBytes(options.inputPath), crlf(kExampleInput));
}

TEST_F(Conversion, ShortVertexLinesAreLeftOutAndCountedOnce) {
    const ConversionResult result = run(crlf(
        {"pre", "L 1 100.0", " 7 50", " 7.2", " 7.5 50.5 812 (x", "", " 7 50", "L 2 200.0", "x", " 8 51", " 8 51"}));
    EXPECT_TRUE(result.written);
    EXPECT_EQ(failures(),
              (std::vector<std::string>{
                  "Record 1 (line 4): a vertex line has fewer than three fields; the vertex was left out.",
                  "2 more vertex lines with fewer than three fields were left out."}));
    EXPECT_NE(map().find("Data0=(50,7),(50.5,7.5),(50,7)\r\n"), std::string::npos);
    EXPECT_NE(map().find("Data0=(51,8),(51,8)\r\n"), std::string::npos); // first kept vertex starts
}

TEST_F(Conversion, EmptyLatitudeLosesItsComma) {
    run(crlf({"L 1 100.0", " 7 ", " 7 50", " 7 "}));
    EXPECT_NE(map().find("Data0=(7),(50,7),(7)\r\n"), std::string::npos);
    EXPECT_EQ(failures(), std::vector<std::string>{"Record 1: the point \",7\" is not a latitude and a "
                                                   "longitude; a missing value counts as 0."});
}

TEST_F(Conversion, UnusableInputPathOrNoLevelStopsBeforeAnything) {
    dir.write("a.txt", crlf(kExampleInput));
    for (const std::string& path :
         {(dir / "missing.txt").string(), (dir / "*.txt").string(), std::string(), dir.path().string()}) {
        options.inputPath = path;
        options.detailLevels = {true, false, false, false};
        EXPECT_FALSE(convertGeoVector(options, host).ranPasses) << path;
        EXPECT_EQ(failures().back(), "Cannot find file:" + path);
    }
    options.detailLevels = {};
    options.inputPath = (dir / "a.txt").string();
    EXPECT_FALSE(convertGeoVector(options, host).ranPasses);
    EXPECT_EQ(failures().back(), "Please select a 'Detail Level'.");
    EXPECT_EQ(files(), std::vector<std::string>{"a.txt"});
}

// Odd inputs give a complete map (header at least) and a clear message; nothing else is left behind.
TEST_F(Conversion, BadInputsGiveAMapAndAMessage) {
    struct Case {
        const char* what;
        std::string input, firstType, maxDistance;
        std::string failure;     // part of the first failure, "" for none
        std::string firstListed; // the first list entry, "" for no check
        bool headerOnly;
    };
    const std::string none = "Records without vertices were not written", example = crlf(kExampleInput);
    const std::vector<Case> cases = {
        {"empty file", "", "10300", "45000", "", "", true},
        {"no records", "just a preamble\r\nno records\r\n", "10300", "45000", "", "", true},
        // Their elevations still count: 50 is the lowest, so band 100 is type 0x10302.
        {"records without vertices", crlf({"L 1 100.0", "L 2 50.0", "L 3 300.0", " 7 50", " 7 50"}), "10300",
         "45000", none, "100\t10302", false},
        {"first type not hexadecimal", example, "1G300", "45000", "\"1G300\" is not a hexadecimal number",
         "100\t4", false}, // 0 shifted by 100 / 25
        {"max distance not a number", example, "10300", "none", "\"none\" is not a number", "100\t10304",
         false},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        options = {};
        options.replaceExisting = true;
        options.firstType = FirstType::fromText(c.firstType);
        options.maxDistance = MaxDistance::fromText(c.maxDistance);
        const ConversionResult result = run(c.input);
        EXPECT_TRUE(result.written) << c.what;
        EXPECT_EQ(c.headerOnly ? map() : map().substr(0, headerBlock().size()), headerBlock()) << c.what;
        if (!c.failure.empty()) {
            EXPECT_NE(failures().at(0).find(c.failure), std::string::npos) << c.what;
        }
        if (!c.firstListed.empty()) {
            EXPECT_EQ(typeListText(result.types.at(0)), c.firstListed) << c.what;
        }
        EXPECT_EQ(files(), (std::vector<std::string>{"in.mp", "in.txt"})) << c.what;
    }
}

// The readers of the two typed numbers: what is taken, and what is kept as rejected text
// with the value the run then uses.
TEST(TypedNumbers, ReadTheTextOnceAndKeepWhatTheyReject) {
    for (const auto& [text, value] : std::vector<std::pair<std::string, std::uint32_t>>{
             {"10300", 0x10300}, {" 1031e\t", 0x1031E}, {"FFFFFFFF", 0xFFFFFFFF}, {"0", 0}}) {
        EXPECT_EQ(FirstType::fromText(text).value, value) << text;
        EXPECT_EQ(FirstType::fromText(text).rejected, std::nullopt) << text;
    }
    for (const std::string text : {"10300x", "123456789", "0x10300", "", " "}) {
        EXPECT_EQ(FirstType::fromText(text).value, 0u) << text;
        EXPECT_EQ(FirstType::fromText(text).rejected, text) << text;
    }
    for (const auto& [text, metres] : std::vector<std::pair<std::string, double>>{
             {"45000", 45000.0}, {" 1.5e3 m", 1500.0}, {"-2", -2.0}, {"0", 0.0}}) {
        EXPECT_DOUBLE_EQ(MaxDistance::fromText(text).metres, metres) << text;
        EXPECT_EQ(MaxDistance::fromText(text).rejected, std::nullopt) << text;
    }
    for (const std::string text : {"none", "", "m45000"}) {
        EXPECT_EQ(MaxDistance::fromText(text).metres, 0.0) << text;
        EXPECT_EQ(MaxDistance::fromText(text).rejected, text) << text;
    }
}

// Records that hold not a single vertex line are no Geo Vector text: no list, no map.
TEST_F(Conversion, InputsWithoutAnyVertexAreRefused) {
    std::string garbage(300000, '\0');
    std::mt19937 random(7);
    for (char& c : garbage)
        c = static_cast<char>(random() % 255 + 1);
    std::replace(garbage.begin(), garbage.end(), '\r', '\0'); // no line ends, but some "L "
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"records without vertices", crlf({"L 1 100.0", "L 2 50.0", "L 3 300.0"})},
        {"LF line ends: records of one line", "L 1 100.0\n -3.5 50.5\nL 2 50.0\n -3.5 50.5\n"},
        {"one line of 100 MB", "L 1 100.0" + std::string(100u << 20, '7')},
        {"binary garbage", garbage + "L 7 L \r\nL "},
        {"vertex lines of two fields", crlf({"L 1 100.0", " 7", "", "L 2 200.0", "x"})},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [what, input] = cases[i];
        host.messages.clear();
        const ConversionResult result = run(input, i % 2 == 1);
        EXPECT_FALSE(result.ranPasses) << what;
        EXPECT_TRUE(result.types.empty()) << what;
        EXPECT_EQ(failures(), std::vector<std::string>{options.inputPath.string() + " holds no Geo Vector polygons"})
            << what;
        EXPECT_EQ(files(), std::vector<std::string>{"in.txt"}) << what;
    }
}

TEST_F(Conversion, WriteFailuresAreReportedAndLeaveNoFile) {
    dir.write("in.mp/keep", "a folder where the map would go");
    ConversionResult result = run(crlf(kExampleInput));
    EXPECT_TRUE(result.ranPasses);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.finalMessage,
              (dir / "in.mp").string() + " Is a directory\r\n\r\nThe map was not created.");
    EXPECT_EQ(failures().back(), result.finalMessage);
    options.outputPath = (dir / "in.txt" / "out.mp").string();
    EXPECT_FALSE(run(crlf(kExampleInput)).written);
    EXPECT_NE(failures().back().find("Not a directory"), std::string::npos);
    EXPECT_EQ(files(), (std::vector<std::string>{"in.mp", "in.txt"}));
    EXPECT_TRUE(host.texts(MessageKind::Notice).empty());
    testing::TempDir locked;
    if (!testing::makeReadOnly(locked.path()))
        GTEST_SKIP() << "a read-only folder binds nothing for this user";
    options.outputPath = (locked / "out.mp").string();
    EXPECT_FALSE(run(crlf(kExampleInput)).written);
    EXPECT_NE(failures().back().find("Permission denied"), std::string::npos);
    EXPECT_TRUE(testing::fileNames(locked.path()).empty());
}

TEST_F(Conversion, CancelledRunLeavesNoFile) {
    std::vector<std::string> elevations;
    for (int i = 0; i < 500; ++i)
        elevations.push_back(std::to_string(100 + i % 7));
    host.cancelAfterProgress = 2;
    const ConversionResult result = run(rings(elevations));
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(files(), std::vector<std::string>{"in.txt"});
    ASSERT_GE(host.progressValues.size(), 2u);
    EXPECT_DOUBLE_EQ(host.progressValues[1], 10.0); // record 50 of 500
}

// Whatever happens to the files between the passes, no map goes in place that the run
// cannot vouch for: another program's map stays, and a changed input gives no map.
TEST_F(Conversion, ChangesDuringTheRunLeaveNoMap) {
    const std::string input = rings(std::vector<std::string>(100, "100"));
    const std::string inputPath = (dir / "in.txt").string();
    struct Case {
        std::function<void()> change;
        bool force;
        std::string expectedMap, message;
    };
    const std::vector<Case> cases = {
        {[&] { dir.write("in.mp", "theirs"); }, false, "theirs", "appeared during the run and was not replaced"},
        {[&] { fs::resize_file(inputPath, input.size() / 2); }, false, "", "changed while it was being read"},
        {[&] { dir.write("in.txt", input + "L 2 300\r\n"); }, true, "", "changed while it was being read"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir / "in.mp");
        host.messages.clear();
        host.progressCalls = 0;
        options.replaceExisting = c.force;
        host.onProgress = [&](int call) {
            if (call == 2) // record 50 of the writing pass
                c.change();
        };
        EXPECT_FALSE(run(input).written) << c.message;
        EXPECT_EQ(map(), c.expectedMap) << c.message;
        ASSERT_FALSE(failures().empty()) << c.message;
        EXPECT_NE(failures().back().find(c.message), std::string::npos) << failures().back();
        EXPECT_EQ(files().size(), c.expectedMap.empty() ? 1u : 2u) << c.message;
    }
    host.progressCalls = 0;
    host.onProgress = [&](int call) {
        if (call == 2)
            dir.write("in.mp", "theirs");
    };
    options.replaceExisting = true; // agreed to replace: the new map wins
    EXPECT_TRUE(run(input).written);
    EXPECT_EQ(map().substr(0, 8), "[IMG ID]");
}

} // namespace
} // namespace orolith
