#pragma once
// Reading and writing numbers in the program's texts. Everything here works on ASCII
// bytes and never depends on the locale: "45000.5" reads the same everywhere.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orolith {

// The lenient decimal read used for the window's number boxes and the input's elevations:
// leading blanks are skipped, the longest leading number (sign, digits, one point, digits,
// an optional exponent) is taken, and a text without one reads as 0. Numbers beyond the
// range of a double read as infinity, numbers too close to 0 for it as 0.
double leadingDecimal(std::string_view text);

// The whole of `text` as an unsigned decimal number (digits, at most one point, an optional
// exponent). A number too large for a double reads as infinity, one too small as 0.
// Nothing when `text` is not such a number from start to end.
std::optional<double> wholeDecimal(std::string_view text);

// True when `text` starts (after blanks) with a decimal number, as leadingDecimal reads it.
bool hasLeadingDecimal(std::string_view text);

// A hexadecimal number of 1 to 8 digits (either case, no prefix), blanks around it allowed.
// The value is the 32-bit pattern of the digits, as the window's type box means it.
std::optional<std::int32_t> parseHex32(std::string_view text);

// Upper-case hexadecimal digits without prefix, padded with leading zeros to `width` digits
// (no leading zeros by default; 0 gives "0").
std::string hexUpper(std::uint64_t value, int width = 1);

// The shortest decimal text that reads back as `value` ("25", "0.5", "-12.25"), whatever the locale.
std::string decimalText(double value);

// "9.3": one decimal, rounded, with a point whatever the locale (the window sets the desktop's).
std::string oneDecimalText(double value);

// Round to the nearest integer, an exact half going to the even neighbour.
std::int64_t roundHalfEven(double value);

// Blanks (spaces and tabs) removed from both ends.
std::string_view trimBlanks(std::string_view text);

} // namespace orolith
