#include "core/platform/text_split.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orolith {
namespace {

using Pieces = std::vector<std::string_view>;

TEST(TextSplit, PiecesKeepEmptiesAndLinesDropOnlyTheFinalEnd) {
    EXPECT_EQ(splitAt("", ","), Pieces{""});
    EXPECT_EQ(splitAt(",a,,b,", ","), (Pieces{"", "a", "", "b", ""}));
    EXPECT_EQ(splitAt("01\r\n10\n\r\n", "\r\n"), (Pieces{"01", "10\n", ""}));
    EXPECT_EQ(splitLines(""), Pieces{});
    EXPECT_EQ(splitLines("\n"), Pieces{""});
    EXPECT_EQ(splitLines("a\r\nb\nc"), (Pieces{"a", "b", "c"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (Pieces{"a", ""}));
    EXPECT_EQ(splitLines("a\r\rb\r"), (Pieces{"a\r\rb"})); // a CR alone ends no line
}

} // namespace
} // namespace orolith
