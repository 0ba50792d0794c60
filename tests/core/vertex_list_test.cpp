#include "core/conversion/geo_vector.h"
#include "core/conversion/map_writer.h"
#include "core/conversion/vertex_list.h"

#include <gtest/gtest.h>
#include <random>

namespace orolith {
namespace {

// What a run of lines must give: each line split on its own and appended by the map
// writer's vertex rule.
struct Reference {
    std::string text;
    std::string firstPoint, lastPoint;
    std::int64_t count = 0, shortLines = 0;

    explicit Reference(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            std::string_view longitude, latitude;
            if (!vertexFields(line, longitude, latitude)) {
                ++shortLines;
                continue;
            }
            appendVertex(text, latitude, longitude);
            lastPoint = std::string(latitude) + "," + std::string(longitude);
            if (count++ == 0)
                firstPoint = lastPoint;
        }
    }
};

// `lines` are followed by usual ones, so that each of them is far enough from the end of
// the run for the quick path to try it.
void expectSameAsReference(std::vector<std::string> lines) {
    lines.insert(lines.end(), 6, " 7.5 46.25");
    std::string run;
    for (const std::string& line : lines)
        run += line + "\r\n";
    const Reference expected(lines);
    VertexList list;
    list.add("0", "0"); // something before, then cleared: nothing of it may stay
    list.clear();
    const VertexList::RunCounts counts = list.addLines(run);
    const std::string where = "lines: " + ::testing::PrintToString(lines);
    EXPECT_EQ(list.text(), expected.text) << where;
    EXPECT_EQ(counts.lines, static_cast<std::int64_t>(lines.size())) << where;
    EXPECT_EQ(counts.shortLines, expected.shortLines) << where;
    ASSERT_EQ(list.count(), expected.count) << where;
    if (expected.count > 0) {
        EXPECT_EQ(list.firstPoint(), expected.firstPoint) << where;
        EXPECT_EQ(list.lastPoint(), expected.lastPoint) << where;
    }
}

TEST(VertexList, OddLinesGiveWhatEachLineAloneGives) {
    const std::vector<std::vector<std::string>> cases = {
        {" -3.5 50.5", " -3.4 50.6"},
        {"  6.25 45.5", "x 1 2 3 4", " 1 2 "},           // empty field 1; fields past the third
        {" 1 ", " 1", "", "7", " 2 3"},                  // empty latitude, short lines between
        {" (1 2", " 1 (2", " 1 2 (", "( 1 2", " 1 (,2"}, // "(" inside and outside the fields
        {" 1 ,2", " (, ,", " 1 2(", " ( ("},             // "(," made across the comma
        {" 1\r2 3\n4", "\r 5 6\r", " 7 \n", "\n1 2"},    // lone CR and LF belong to the fields
        {" 123456789012345 1234567890123", " 12345678901234567 123456789012"},     // lines of 32 bytes
        {" 123456789012345 12345678901234", " 1234567890123456789012345678901 1"}, // and longer
    };
    for (const auto& lines : cases)
        expectSameAsReference(lines);
}

TEST(VertexList, RandomLinesGiveWhatEachLineAloneGives) {
    std::mt19937 random(13);
    const std::string alphabet = "  ((,,\r\n1.-";
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> lines(1 + random() % 6);
        for (std::string& line : lines) {
            const int length = static_cast<int>(random() % 14);
            for (int i = 0; i < length; ++i)
                line += alphabet[random() % alphabet.size()];
            while (line.find("\r\n") != std::string::npos || (!line.empty() && line.back() == '\r'))
                line.pop_back(); // a CR right before the line's own CR LF would end the line there
        }
        expectSameAsReference(lines);
    }
}

TEST(VertexList, GrowsPastItsFirstMemoryKeepingWhatItHolds) {
    std::vector<std::string> lines(20000, " 12.345678 46.123456");
    lines.front() = " 1 (2";
    lines.back() = " 9 8";
    expectSameAsReference(lines);
}

} // namespace
} // namespace orolith
