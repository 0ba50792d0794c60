#include "core/text_number.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace orolith;

TEST(LeadingDecimal, ReadsTheLongestLeadingNumberAndZeroWithoutOne) {
    EXPECT_DOUBLE_EQ(leadingDecimal("45000"), 45000.0);
    EXPECT_DOUBLE_EQ(leadingDecimal("  -12.75abc"), -12.75);
    EXPECT_DOUBLE_EQ(leadingDecimal("+3.5"), 3.5);
    EXPECT_DOUBLE_EQ(leadingDecimal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(leadingDecimal("7."), 7.0);
    EXPECT_DOUBLE_EQ(leadingDecimal("1e3m"), 1000.0);
    EXPECT_DOUBLE_EQ(leadingDecimal("2e"), 2.0);
    EXPECT_DOUBLE_EQ(leadingDecimal("abc"), 0.0);
    EXPECT_DOUBLE_EQ(leadingDecimal(""), 0.0);
    EXPECT_DOUBLE_EQ(leadingDecimal("-"), 0.0);
    EXPECT_DOUBLE_EQ(leadingDecimal("."), 0.0);
    EXPECT_FALSE(hasLeadingDecimal("x1"));
    EXPECT_TRUE(hasLeadingDecimal(" 0"));
}

TEST(LeadingDecimal, IgnoresTheLocale) {
    const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_DOUBLE_EQ(leadingDecimal("45000.5"), 45000.5);
    EXPECT_DOUBLE_EQ(leadingDecimal("45000,5"), 45000.0);
    if (german != nullptr)
        std::setlocale(LC_ALL, "C");
}

TEST(Hex, ParsesUpToEightDigitsAsA32BitPattern) {
    EXPECT_EQ(parseHex32("10300"), 0x10300);
    EXPECT_EQ(parseHex32(" ff "), 255);
    EXPECT_EQ(parseHex32("FFFFFFFF"), -1);
    EXPECT_EQ(parseHex32("123456789"), std::nullopt);
    EXPECT_EQ(parseHex32(""), std::nullopt);
    EXPECT_EQ(parseHex32("1g"), std::nullopt);
    EXPECT_EQ(parseHex32("0x10"), std::nullopt);
    EXPECT_EQ(hexUpper(0x10304), "10304");
    EXPECT_EQ(hexUpper(0), "0");
    EXPECT_EQ(hexUpper(0xFFFFFFFFu), "FFFFFFFF");
}

TEST(RoundHalfEven, SendsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(127.5), 128);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(-0.6), -1);
    EXPECT_EQ(roundHalfEven(1e300), INT64_MAX);
}
