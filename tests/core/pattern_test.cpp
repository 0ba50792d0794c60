#include "core/pattern.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace orolith;
using orolith::testing::RecordingHost;

namespace {

const std::string kA = "01010101010101010101010101010101";
const std::string kB = "10101010101010101010101010101010";

std::optional<Pattern> check(std::string_view text, RecordingHost& host) {
    return get_patterns(text, host);
}

std::string onlyMessage(const RecordingHost& host) {
    return host.messages.size() == 1 ? host.messages.front().second
                                     : "<" + std::to_string(host.messages.size()) + ">";
}

} // namespace

TEST(Pattern, AcceptedLengthsAndLineCounts) {
    RecordingHost host;
    auto single = check("0", host);
    ASSERT_TRUE(single);
    EXPECT_EQ(single->rows, std::vector<std::string>{std::string(32, '0')});

    // Empty lines between and after rows are not rows.
    auto spaced = check("0011\r\n\r\n1100\r\n\r\n\r\n", host);
    ASSERT_TRUE(spaced);
    EXPECT_EQ(spaced->rows, (std::vector<std::string>{"00110011001100110011001100110011",
                                                      "11001100110011001100110011001100"}));

    std::string thirtyTwo;
    for (int i = 0; i < 32; ++i)
        thirtyTwo += (i % 2 ? kA : kB) + "\r\n";
    auto full = check(thirtyTwo, host);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->count(), 32);
    EXPECT_TRUE(host.messages.empty());
}

TEST(Pattern, RejectsWithTheExactMessages) {
    struct Case {
        std::string text, message;
    };
    std::string thirtyThree;
    for (int i = 0; i < 33; ++i)
        thirtyThree += "01\r\n";
    const std::vector<Case> cases = {
        {"", "Please load pattern"},
        {"\r\n", "Please load pattern"}, // only empty lines: no rows to divide by
        {"\r\n\r\n", "Please load pattern"},
        {"01010\r\n", "Length of 01010 must be multiple of 32"},
        {"011\r\n", "Length of 011 must be multiple of 32"}, // 11 copies are 33 characters
        {std::string(64, '1'), "Length of " + std::string(64, '1') + " must be multiple of 32"}, // 0 copies
        {"0101\n1010", "Length of 0101\n1010 must be multiple of 32"}, // a bare line feed is no line break
        {"01\r\n10\r\n11\r\n",
         "Number of lines must be a multiple of 32.\r\n\r\nAcceptable number of lines:1,2,4,8,16,32"},
        {thirtyThree, "Maximum number of lines: 32"},
        {"0120\r\n", "Pattern may only hold the characters 0 and 1."},
        {"01 0\r\n", "Pattern may only hold the characters 0 and 1."},
    };
    for (const auto& c : cases) {
        RecordingHost host;
        EXPECT_FALSE(check(c.text, host)) << c.text;
        EXPECT_EQ(onlyMessage(host), c.message) << c.text;
        ASSERT_FALSE(host.messages.empty());
        EXPECT_EQ(host.messages.front().first, MessageKind::Failure);
    }
}

TEST(Pattern, LengthIsCheckedLineByLineBeforeTheCount) {
    RecordingHost host;
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += (i == 35 ? "011" : "01") + std::string("\r\n");
    EXPECT_FALSE(check(text, host));
    EXPECT_EQ(onlyMessage(host), "Length of 011 must be multiple of 32");
}

TEST(Pattern, BitmapShiftsTheTileByOneRowPerBand) {
    RecordingHost host;
    const auto pattern = check(kDefaultPatternText, host);
    ASSERT_TRUE(pattern);
    std::string band0, band1, rowA, rowB;
    for (int i = 0; i < 32; ++i) {
        band0 += "\"" + (i % 2 ? kB : kA) + "\"\r\n";
        band1 += "\"" + (i % 2 ? kA : kB) + "\"\r\n";
        rowA += "\"" + kA + "\"\r\n";
        rowB += "\"" + kB + "\"\r\n";
    }
    EXPECT_EQ(getbitmap(*pattern, 0, false), band0);
    EXPECT_EQ(getbitmap(*pattern, 1, false), band1);
    EXPECT_EQ(getbitmap(*pattern, 2, false), band0);
    EXPECT_EQ(getbitmap(*pattern, 0, true), rowA);
    EXPECT_EQ(getbitmap(*pattern, 1, true), rowB);
}

TEST(Pattern, RowPerBandCyclesThroughTheRows) {
    RecordingHost host;
    const auto pattern = check("1000\r\n0100\r\n0010\r\n0001\r\n", host);
    ASSERT_TRUE(pattern);
    const std::string line = "\"" + pattern->rows[1] + "\"\r\n";
    std::string expected;
    for (int i = 0; i < 32; ++i)
        expected += line;
    EXPECT_EQ(getbitmap(*pattern, 5, true), expected);
    // Without row-per-band band 5 starts at row 1 and wraps: rows 1, 2, 3, 0, 1, ...
    const std::string shifted = getbitmap(*pattern, 5, false);
    EXPECT_EQ(shifted.substr(0, 36), line);
    EXPECT_EQ(shifted.substr(3 * 36, 36), "\"" + pattern->rows[0] + "\"\r\n");
    EXPECT_EQ(shifted.size(), 32u * 36u);
}

TEST(Pattern, KeyFilterAndImportCheck) {
    std::string accepted;
    for (int c = 0; c < 256; ++c)
        if (acceptPatternKey(static_cast<char>(c)))
            accepted += static_cast<char>(c);
    EXPECT_EQ(accepted, "\b\r01");
    EXPECT_TRUE(isValidPatternFileText("0101\n1010\r\n")); // the row check then names its length
    EXPECT_FALSE(isValidPatternFileText("0101\r\n10x0"));
}
