#include "core/conversion.h"
#include "core/map_writer.h"
#include "support/test_support.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace orolith {
namespace {

using testing::crlf;
using testing::readBytes;
using testing::RecordingHost;
using testing::TempDir;

const std::vector<std::string> kExampleInput = {
    "header",     "L 1 100.0", " -3.5 50.5",   " -3.4 50.5",   " -3.4 50.6",
    " -3.5 50.5", "L 2 150.0", " -3.45 50.52", " -3.44 50.53", " -3.45 50.52",
};

std::string headerBlock() {
    return crlf({"[IMG ID]",           "ID = 84887331",   "Name=",
                 "Preprocess = f",     "TreSize = 586",   "TreMargin = 0#",
                 "RgnLimit = 127",     "Transparent = Y", "POIIndex = Y",
                 "POINumberFirst = Y", "POIZipFirst = N", "Copyright = PROGRAM",
                 "Levels = 6",         "Level0 = 24",     "Level1 = 22",
                 "Level2 = 20",        "Level3 = 18",     "Level4 = 16",
                 "Level5 = 15",        "Zoom0 = 0",       "Zoom1 = 1",
                 "Zoom2 = 2",          "Zoom3 = 3",       "Zoom4 = 4",
                 "Zoom5 = 5",          "[END-IMG ID]",    ""});
}

// A ring of four vertices around (lat, lon), closed.
std::vector<std::string> ring(const std::string& head, double lat, double lon) {
    auto vertex = [](double y, double x) { return " " + std::to_string(x) + " " + std::to_string(y); };
    return {"L " + head, vertex(lat, lon), vertex(lat, lon + 0.1), vertex(lat + 0.1, lon), vertex(lat, lon)};
}

std::string join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> lines;
    for (const auto& part : parts)
        lines.insert(lines.end(), part.begin(), part.end());
    return crlf(lines);
}

struct Conversion : ::testing::Test {
    TempDir dir;
    RecordingHost host;
    ConversionOptions options;

    ConversionResult run(const std::string& input, ConversionMode mode = ConversionMode::Write) {
        options.inputPath = dir.write("in.txt", input).string();
        if (options.detailLevels == std::array<bool, 4>{})
            options.detailLevels = {true, false, false, false};
        return parse(mode, options, host);
    }
    std::string map() const { return readBytes(dir / "in.mp"); }
    std::vector<std::string> failures() const { return host.texts(MessageKind::Failure); }
    std::vector<std::string> folderContents() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(Conversion, WorkedExampleByteForByte) {
    options.detailLevels = {true, false, false, true};
    const ConversionResult result = run(crlf(kExampleInput));
    const std::string expected =
        headerBlock() +
        crlf({"[POLYGON]", "Type=0x10304", "Data0=(50.5,-3.5),(50.5,-3.4),(50.6,-3.4),(50.5,-3.5)", "[END]",
              "[POLYGON]", "Type=0x10304", "Data3=(50.5,-3.5),(50.5,-3.4),(50.6,-3.4),(50.5,-3.5)", "[END]",
              "[POLYGON]", "Type=0x10305", "Data0=(50.52,-3.45),(50.53,-3.44),(50.52,-3.45)", "[END]",
              "[POLYGON]", "Type=0x10305", "Data3=(50.52,-3.45),(50.53,-3.44),(50.52,-3.45)", "[END]"});
    EXPECT_EQ(map(), expected);
    EXPECT_EQ(mapHeader(), headerBlock());
    EXPECT_TRUE(result.ranPasses);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.lowest, 100);
    ASSERT_EQ(result.types.size(), 2u);
    EXPECT_EQ(typeListText(result.types[0]), "100\t10304");
    EXPECT_EQ(typeListText(result.types[1]), "150\t10305");
    EXPECT_EQ(result.legendCaptions, std::vector<std::string>{"100"});
    EXPECT_EQ(result.mpfile, (dir / "in.mp").string());
    const std::string message =
        "Created " + result.mpfile +
        " (0 polygons not included)\r\n\r\nIncrease Max Distance to include more polygons.";
    EXPECT_EQ(result.finalMessage, message);
    EXPECT_EQ(host.texts(MessageKind::Notice), std::vector<std::string>{message});
    EXPECT_TRUE(failures().empty());
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"in.mp", "in.txt"}));
}

TEST_F(Conversion, EveryLevelInOrderThenTheContourOfTheLastLevel) {
    options.detailLevels = {true, false, true, false};
    options.addContours = true;
    run(join({{"pre"}, ring("1 100.0", 50, 7)}));
    const std::string data =
        "=(50.000000,7.000000),(50.000000,7.100000),(50.100000,7.000000),(50.000000,7.000000)";
    EXPECT_EQ(map(), headerBlock() + crlf({"[POLYGON]", "Type=0x10304", "Data0" + data, "[END]", "[POLYGON]",
                                           "Type=0x10304", "Data2" + data, "[END]", "[POLYLINE]",
                                           "Type=0x10304", "Data2" + data, "[END]"}));
}

TEST_F(Conversion, DistinctElevationsGetConsecutiveTypesInOrderOfAppearance) {
    const ConversionResult result = run(join(
        {ring("1 100.0", 50, 7), ring("2 200.0", 50, 7), ring("3 100.4", 50, 7), ring("4 300.0", 50, 7)}));
    ASSERT_EQ(result.types.size(), 3u);
    EXPECT_EQ(typeListText(result.types[2]), "300\t10306");
    const std::string text = map();
    std::size_t count = 0;
    for (std::size_t at = text.find("Type=0x10304"); at != std::string::npos;
         at = text.find("Type=0x10304", at + 1))
        ++count;
    EXPECT_EQ(count, 2u);
}

TEST_F(Conversion, TypesSkipSubTypesAbove1F) {
    options.firstType = "10319";
    const ConversionResult result =
        run(join({ring("1 100.0", 50, 7), ring("1 200.0", 50, 7), ring("1 300.0", 50, 7),
                  ring("1 400.0", 50, 7), ring("1 500.0", 50, 7)}),
            ConversionMode::ListOnly);
    std::vector<std::string> types;
    for (const auto& entry : result.types)
        types.push_back(entry.type);
    EXPECT_EQ(types, (std::vector<std::string>{"1031D", "1031E", "1031F", "10400", "10401"}));
}

TEST_F(Conversion, HighLowestElevationStillGivesValidSubTypes) {
    // 0x10300 + 1600 / 25 = 0x10340: one step of 0xE0 would leave sub-type 0x20.
    const ConversionResult result = run(join({ring("1 1600.0", 50, 7), ring("1 1700.0", 50, 7)}));
    ASSERT_EQ(result.types.size(), 2u);
    EXPECT_EQ(result.types[0].type, "10500");
    EXPECT_EQ(result.types[1].type, "10501");
    EXPECT_NE(map().find("Type=0x10500\r\n"), std::string::npos);
}

TEST_F(Conversion, LegendCaptionsAreEveryFourthElevationUpToType100) {
    std::vector<std::string> lines;
    for (int i = 0; i < 120; ++i)
        lines.push_back("L 1 " + std::to_string(-i));
    const ConversionResult result = run(crlf(lines), ConversionMode::ListOnly);
    ASSERT_EQ(result.legendCaptions.size(), 26u);
    EXPECT_EQ(result.legendCaptions[1], "-4");
    EXPECT_EQ(result.legendCaptions[25], "-100");
    EXPECT_EQ(result.lowest, -119);
    EXPECT_EQ(result.types[0].type, "10300"); // no shift below 1 m
}

TEST_F(Conversion, OpenPolygonsBeyondMaxDistanceAreLeftOutAndCounted) {
    // Ends one degree of latitude apart: 111 km.
    const std::string input =
        crlf({"L 1 100.0", " 7 50", " 7.5 50.5", " 7 51", "L 2 200.0", " 7 50", " 7.5 50.5", " 7 50"});
    ConversionResult result = run(input);
    EXPECT_EQ(result.notIncluded, 1);
    EXPECT_EQ(map().find("Type=0x10304"), std::string::npos);
    EXPECT_NE(result.finalMessage.find("(1 polygons not included)"), std::string::npos);
    options.maxDistance = "111190";
    options.replaceExisting = true;
    result = run(input);
    EXPECT_EQ(result.notIncluded, 0);
    options.maxDistance = "none";
    result = run(input);
    EXPECT_EQ(result.notIncluded, 1); // only the closed ring
    EXPECT_NE(failures().back().find("\"none\" is not a number"), std::string::npos);
}

TEST_F(Conversion, ListOnlyWritesNothing) {
    const ConversionResult result = run(crlf(kExampleInput), ConversionMode::ListOnly);
    EXPECT_TRUE(result.ranPasses);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.types.size(), 2u);
    EXPECT_EQ(result.mpfile, (dir / "in.mp").string());
    EXPECT_TRUE(result.finalMessage.empty());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(folderContents(), std::vector<std::string>{"in.txt"});
}

TEST_F(Conversion, ReplaceAnsweredNoLeavesTheMapUntouched) {
    dir.write("in.mp", "old map");
    host.answers = {false};
    const ConversionResult result = run(crlf(kExampleInput));
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], (dir / "in.mp").string() + "\r\n\r\nFile exists.\r\n\r\nReplace?");
    EXPECT_FALSE(result.ranPasses);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(map(), "old map");
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"in.mp", "in.txt"}));

    host.answers = {true};
    EXPECT_TRUE(run(crlf(kExampleInput)).written);
    EXPECT_EQ(map().substr(0, 8), "[IMG ID]");
    options.replaceExisting = true;
    EXPECT_TRUE(run(crlf(kExampleInput)).written);
    EXPECT_EQ(host.questions.size(), 2u);
}

TEST_F(Conversion, OutputPathNeverTheInput) {
    EXPECT_EQ(outputPathFor("maps/alps.txt"), "maps/alps.mp");
    EXPECT_EQ(outputPathFor("maps/ALPS.TXT"), "maps/ALPS.mp");
    EXPECT_EQ(outputPathFor("maps.txt/alps.Txt"), "maps.txt/alps.mp");
    EXPECT_EQ(outputPathFor("maps.txt/alps"), "maps.txt/alps.mp");
    EXPECT_EQ(outputPathFor("alps.mp"), "alps.mp.mp");
    EXPECT_EQ(levelDigits({true, true, false, true}), "013");

    options.outputPath = dir.write("in.txt", "").string();
    options.replaceExisting = true;
    EXPECT_FALSE(run(crlf(kExampleInput)).written);
    EXPECT_EQ(readBytes(dir / "in.txt"), crlf(kExampleInput));
}

TEST_F(Conversion, ShortVertexLinesAreLeftOutAndCountedOnce) {
    const ConversionResult result = run(crlf(
        {"pre", "L 1 100.0", " 7 50", " 7.2", " 7.5 50.5", "", " 7 50", "L 2 200.0", "x", " 8 51", " 8 51"}));
    EXPECT_TRUE(result.written);
    const auto texts = failures();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0],
              "Record 1 (line 4): a vertex line has fewer than three fields; the vertex was left out.");
    EXPECT_EQ(texts[1], "2 more vertex lines with fewer than three fields were left out.");
    EXPECT_NE(map().find("Data0=(50,7),(50.5,7.5),(50,7)\r\n"), std::string::npos);
    EXPECT_NE(map().find("Data0=(51,8),(51,8)\r\n"), std::string::npos); // first kept vertex starts
}

TEST_F(Conversion, EmptyLatitudeLosesItsComma) {
    run(crlf({"L 1 100.0", " 7 ", " 7 50", " 7 "}));
    EXPECT_NE(map().find("Data0=(7),(50,7),(7)\r\n"), std::string::npos);
    ASSERT_EQ(failures().size(), 1u); // the point ",7" has no latitude: it counts as 0
    EXPECT_EQ(failures()[0],
              "Record 1: the point \",7\" is not a latitude and a longitude; a missing value counts as 0.");
}

TEST_F(Conversion, MissingInputOrWildcardOrNoLevelStopsBeforeAnything) {
    options.inputPath = (dir / "missing.txt").string();
    options.detailLevels = {true, false, false, false};
    EXPECT_FALSE(parse(ConversionMode::Write, options, host).ranPasses);
    dir.write("a.txt", crlf(kExampleInput));
    options.inputPath = (dir / "*.txt").string();
    EXPECT_FALSE(parse(ConversionMode::ListOnly, options, host).ranPasses);
    options.inputPath = "";
    EXPECT_FALSE(parse(ConversionMode::Write, options, host).ranPasses);
    options.inputPath = dir.path().string(); // a folder is no file
    EXPECT_FALSE(parse(ConversionMode::Write, options, host).ranPasses);
    EXPECT_EQ(failures(),
              (std::vector<std::string>{"Cannot find file:" + (dir / "missing.txt").string(),
                                        "Cannot find file:" + (dir / "*.txt").string(),
                                        "Cannot find file:", "Cannot find file:" + dir.path().string()}));
    options.detailLevels = {false, false, false, false};
    options.inputPath = (dir / "a.txt").string();
    EXPECT_FALSE(parse(ConversionMode::Write, options, host).ranPasses);
    EXPECT_EQ(failures().back(), "Please select a 'Detail Level'.");
    EXPECT_EQ(folderContents(), std::vector<std::string>{"a.txt"});
}

TEST_F(Conversion, InputsWithoutPolygonsGiveTheHeaderOnly) {
    for (const std::string& input : {std::string(), std::string("just a preamble\r\nno records\r\n")}) {
        options.replaceExisting = true;
        const ConversionResult result = run(input);
        EXPECT_TRUE(result.written);
        EXPECT_EQ(result.lowest, 999999999);
        EXPECT_TRUE(result.types.empty());
        EXPECT_EQ(map(), headerBlock());
        EXPECT_NE(result.finalMessage.find("(0 polygons not included)"), std::string::npos);
    }
}

TEST_F(Conversion, RecordsWithoutVerticesAreCountedNotWritten) {
    // The second file ends its lines with LF alone: each record is one line without vertices.
    for (const std::string& input :
         {crlf({"L 1 100.0", "L 2 50.0", "L 3 300.0"}),
          std::string("L 1 100.0\n -3.5 50.5\n -3.4 50.5\nL 2 50.0\n -3.5 50.5\n")}) {
        options.replaceExisting = true;
        const ConversionResult result = run(input);
        EXPECT_TRUE(result.written);
        EXPECT_EQ(map(), headerBlock());
        EXPECT_GE(result.notIncluded, 2);
        EXPECT_EQ(result.lowest, 50); // their elevations still count
        EXPECT_NE(failures().back().find("Records without vertices were not written"), std::string::npos);
    }
}

TEST_F(Conversion, NonHexadecimalFirstTypeStartsAtZero) {
    options.firstType = "1G300";
    const ConversionResult result = run(crlf(kExampleInput), ConversionMode::ListOnly);
    EXPECT_EQ(result.types[0].type, "4"); // 0 shifted by 100 / 25
    EXPECT_NE(failures().at(0).find("\"1G300\" is not a hexadecimal number"), std::string::npos);
}

TEST_F(Conversion, BinaryGarbageNeitherCrashesNorLeavesPartialFiles) {
    std::string garbage;
    std::uint32_t state = 12345;
    for (int i = 0; i < 300000; ++i) {
        state = state * 1664525u + 1013904223u;
        garbage += static_cast<char>(state >> 24);
    }
    garbage += "L 7 L \r\nL ";
    const ConversionResult result = run(garbage);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(map().substr(0, headerBlock().size()), headerBlock());
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"in.mp", "in.txt"}));
}

TEST_F(Conversion, OneLineOf100MegabytesIsOneRecordWithoutVertices) {
    std::string input = "L 1 100.0";
    const std::string chunk = " 7.123456 46.123456\n";
    input.reserve(100u << 20);
    while (input.size() < (100u << 20))
        input += chunk;
    const ConversionResult result = run(input);
    EXPECT_TRUE(result.written);
    ASSERT_EQ(result.types.size(), 1u);
    EXPECT_EQ(result.types[0].elevation, "100");
    EXPECT_EQ(result.notIncluded, 1);
    EXPECT_EQ(map(), headerBlock());
}

TEST_F(Conversion, WriteFailuresAreReportedAndLeaveNoFile) {
    dir.write("in.mp/keep", "a folder where the map would go");
    ConversionResult result = run(crlf(kExampleInput));
    EXPECT_TRUE(result.ranPasses);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(failures().back(),
              (dir / "in.mp").string() + " Is a directory\r\n\r\nThe map was not created.");
    EXPECT_EQ(result.finalMessage, failures().back());
    options.outputPath = (dir / "in.txt" / "out.mp").string();
    result = run(crlf(kExampleInput));
    EXPECT_FALSE(result.written);
    EXPECT_NE(failures().back().find("Not a directory"), std::string::npos);
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"in.mp", "in.txt"}));
    EXPECT_TRUE(host.texts(MessageKind::Notice).empty());
}

TEST_F(Conversion, CancelledRunLeavesNoFile) {
    std::vector<std::string> lines;
    for (int i = 0; i < 500; ++i) {
        const auto part = ring("1 " + std::to_string(100 + i % 7) + ".0", 50, 7);
        lines.insert(lines.end(), part.begin(), part.end());
    }
    host.cancelAfterProgress = 2;
    const ConversionResult result = run(crlf(lines));
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(folderContents(), std::vector<std::string>{"in.txt"});
    ASSERT_GE(host.progressValues.size(), 2u);
    EXPECT_EQ(host.progressValues[0], 1.0);
    EXPECT_DOUBLE_EQ(host.progressValues[1], 10.0); // record 50 of 500
}

} // namespace
} // namespace orolith
