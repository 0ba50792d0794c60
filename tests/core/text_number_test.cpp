#include "core/platform/text_number.h"
#include "core/platform/size_text.h"

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

namespace orolith {
namespace {

TEST(SizeText, BinaryUnitsAndDurations) {
    const std::pair<std::uint64_t, const char*> sizes[] = {
        {0, "0 bytes"}, {1, "1 byte"}, {1023, "1023 bytes"}, {1024, "1.0 KiB"}, {1587, "1.5 KiB"},
        {10188, "9.9 KiB"}, {10189, "10 KiB"}, {27 * 1024 + 511, "27 KiB"}, {1048064, "1024 KiB"},
        {1048576, "1.0 MiB"}, {7864320, "7.5 MiB"}, {15518924, "15 MiB"}, {120000000, "114 MiB"}, {std::uint64_t{3} << 30, "3.0 GiB"}};
    for (const auto& [bytes, text] : sizes)
        EXPECT_EQ(sizeText(bytes), text) << bytes;
    const std::pair<double, const char*> durations[] = {
        {-3, "0 s"}, {0.4, "0 s"}, {59.4, "59 s"}, {59.6, "1 min 00 s"}, {185, "3 min 05 s"},
        {3599, "59 min 59 s"}, {3600, "1 h 00 min"}, {7620, "2 h 07 min"}};
    for (const auto& [seconds, text] : durations)
        EXPECT_EQ(durationText(seconds), text) << seconds;
}

} // namespace
} // namespace orolith
