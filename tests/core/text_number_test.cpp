#include "core/platform/text_number.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>

namespace orolith {

TEST(LeadingDecimal, ReadsTheLongestLeadingNumberWhateverTheLocale) {
    const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
    const std::vector<std::pair<const char*, double>> cases = {
        {"45000.5", 45000.5}, {"45000,5", 45000.0}, {"  -12.75abc", -12.75}, {"+3.5", 3.5}, {".5", 0.5},
        {"7.", 7.0}, {"1e3m", 1000.0}, {"2e", 2.0}, {"abc", 0.0}, {"", 0.0}, {"-", 0.0}, {".", 0.0},
        {"1e-400", 0.0}, {"-0.001e-320", 0.0}, {"1000e-310", 1e-307}, {"1e400", HUGE_VAL},
        {"-0.1e310", -HUGE_VAL}};
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(leadingDecimal(text), value) << text;
    if (german != nullptr)
        std::setlocale(LC_ALL, "C");
    EXPECT_FALSE(hasLeadingDecimal("x1"));
    EXPECT_TRUE(hasLeadingDecimal(" 0"));
}

TEST(Hex, ParsesUpToEightDigitsAsA32BitPattern) {
    EXPECT_EQ(parseHex32(" ff "), 255);
    EXPECT_EQ(parseHex32("FFFFFFFF"), -1);
    for (const char* bad : {"123456789", "", "1g", "0x10"})
        EXPECT_EQ(parseHex32(bad), std::nullopt) << bad;
    EXPECT_EQ(hexUpper(0xFFFFFFFFu), "FFFFFFFF");
    EXPECT_EQ(hexUpper(0x1ABCDEF01ull), "1ABCDEF01");
    EXPECT_EQ(hexUpper(0, 2) + hexUpper(0xA, 2) + hexUpper(0x123, 2), "000A123"); // a width never cuts
}

TEST(RoundHalfEven, SendsHalvesToTheEvenNeighbour) {
    for (const auto& [value, rounded] : std::vector<std::pair<double, std::int64_t>>{
             {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-0.6, -1}, {1e300, INT64_MAX}})
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
}

} // namespace orolith
