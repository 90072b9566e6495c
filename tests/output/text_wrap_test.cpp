#include "output/text_wrap.h"

#include <gtest/gtest.h>

namespace tally {
namespace {

struct WrapCase {
    const char* Text;
    int Width;  // one pixel per character
    std::vector<std::string> Lines;
};

class WrapTextLinesTest : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WrapTextLinesTest, BreaksAtTheLastBlankThatFits) {
    const WrapCase& c = GetParam();
    const auto measure = [](std::string_view text) { return static_cast<int>(text.size()); };
    EXPECT_EQ(WrapTextLines(c.Text, c.Width, measure), c.Lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WrapTextLinesTest,
    ::testing::Values(WrapCase{"one two three", 7, {"one two", "three"}},
                      WrapCase{"one two three", 100, {"one two three"}},
                      // A word wider than the line is kept whole.
                      WrapCase{"abcdefghij xy", 3, {"abcdefghij", "xy"}},
                      // Only the blank at the break is dropped.
                      WrapCase{"one  two", 4, {"one", " two"}},
                      WrapCase{"a\r\n\r\nb", 10, {"a", "", "b"}},
                      WrapCase{"\r\nx\r\n", 10, {"", "x"}},
                      WrapCase{"", 10, {}}));

TEST(TextLinesTest, SplitsAtLineBreaksOnlyAndTurnsSemicolonsIntoThem) {
    EXPECT_EQ(SplitTextLines("a long line\r\nnext"), (std::vector<std::string>{"a long line", "next"}));
    EXPECT_EQ(SemicolonsToLineBreaks("Head;Sub;"), "Head\r\nSub\r\n");
}

}  // namespace
}  // namespace tally
