#include "core/style/pattern.h"
#include "core/style/pattern_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace orolith {
using testing::RecordingHost;

namespace {

const std::string kA = "01010101010101010101010101010101";
const std::string kB = "10101010101010101010101010101010";

std::string repeat(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += line;
    return text;
}

} // namespace

TEST(Pattern, AcceptedLengthsAndLineCounts) {
    RecordingHost host;
    EXPECT_EQ(patternFromText("0", host)->rows, std::vector<std::string>{std::string(32, '0')});
    // Empty lines between and after rows are not rows.
    EXPECT_EQ(patternFromText("0011\r\n\r\n1100\r\n\r\n\r\n", host)->rows,
              (std::vector<std::string>{repeat("0011", 8), repeat("1100", 8)}));
    EXPECT_EQ(patternFromText(repeat(kA + "\r\n" + kB + "\r\n", 16), host)->count(), 32);
    EXPECT_TRUE(host.messages.empty());
}

TEST(Pattern, RejectsWithTheExactMessages) {
    const std::string lines =
        "Number of lines must be a multiple of 32.\r\n\r\nAcceptable number of lines:1,2,4,8,16,32";
    const std::string onlyBits = "Pattern may only hold the characters 0 and 1.";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "Please load pattern"},
        {"\r\n\r\n", "Please load pattern"},                 // only empty lines: no rows to divide by
        {"011\r\n", "Length of 011 must be multiple of 32"}, // 11 copies are 33 characters
        {std::string(64, '1'), "Length of " + std::string(64, '1') + " must be multiple of 32"},
        {"0101\n1010", "Length of 0101\n1010 must be multiple of 32"}, // a bare line feed is no line break
        {"01\r\n10\r\n11\r\n", lines},
        {repeat("01\r\n", 33), "Maximum number of lines: 32"},
        {repeat("01\r\n", 35) + "011\r\n" + repeat("01\r\n", 4), "Length of 011 must be multiple of 32"},
        {"0120\r\n", onlyBits},
        {"01 0\r\n", onlyBits},
    };
    for (const auto& [text, message] : cases) {
        RecordingHost host;
        EXPECT_FALSE(patternFromText(text, host)) << text;
        EXPECT_EQ(host.messages, (decltype(host.messages){{MessageKind::Failure, message}})) << text;
    }
}

// The checkerboard's bitmaps are in the TYP writer's worked example.
TEST(Pattern, BitmapStartsEachBandOneRowFurtherOrRepeatsOneRow) {
    RecordingHost host;
    const auto pattern = patternFromText("1000\r\n0100\r\n0010\r\n0001\r\n", host);
    ASSERT_TRUE(pattern);
    std::vector<std::string> row;
    for (const auto& text : pattern->rows)
        row.push_back("\"" + text + "\"\r\n");
    EXPECT_EQ(fillPatternBitmap(*pattern, 5, true), repeat(row[1], 32));
    EXPECT_EQ(fillPatternBitmap(*pattern, 5, false),
              repeat(row[1] + row[2] + row[3] + row[0], 8)); // wraps round
}

TEST(Pattern, KeyFilterAndImportCheck) {
    std::string accepted;
    for (int c = 0; c < 256; ++c)
        if (acceptPatternKey(static_cast<char>(c)))
            accepted += static_cast<char>(c);
    EXPECT_EQ(accepted, "\b\r01");
}

TEST(PatternFile, ReadsOnlyRowTextAndNamesTheFirstBadLine) {
    testing::TempDir dir;
    PatternFile file;
    std::string text;
    // Bare line feeds pass here; the row check then names the row's length.
    for (const char* good : {"0101\r\n1010\r\n", "0101\n1010", ""}) {
        ASSERT_TRUE(file.read(dir.write("good.ptn", good), text)) << good;
        EXPECT_EQ(text, good);
    }
    for (const auto& [bad, line] : std::vector<std::pair<std::string, int>>{
             {"0101\r\n10x0", 2}, {"2", 1}, {"01\n01\r\n\r\n 1", 4}}) {
        EXPECT_FALSE(file.read(dir.write("bad.ptn", bad), text)) << bad;
        EXPECT_EQ(file.errorString(), "Not a valid pattern file.");
        EXPECT_EQ(file.errorLine(), line) << bad;
    }
    const auto saved = dir / "saved.ptn";
    ASSERT_TRUE(file.write(saved, "01\r\n10"));
    EXPECT_EQ(testing::readBytes(saved), "01\r\n10\r\n");
    EXPECT_FALSE(file.write(dir / "gone" / "x.ptn", "01"));
    EXPECT_EQ(file.errorString(), (dir / "gone" / "x.ptn").string() + " No such file or directory");
}

} // namespace orolith
