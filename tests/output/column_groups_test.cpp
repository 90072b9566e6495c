#include "output/column_groups.h"

#include <gtest/gtest.h>

namespace tally {
namespace {

struct GroupCase {
    const char* Name;
    TColumnGroupRequest Request;
    std::optional<TColumnGroupLayout> Expected;
};

class ColumnGroupsTest : public ::testing::TestWithParam<GroupCase> {};

TEST_P(ColumnGroupsTest, LaysOutGroupsAndWrapWidth) {
    EXPECT_EQ(LayOutColumnGroups(GetParam().Request), GetParam().Expected);
}

// Request fields: group width, wrap width, sample width, printable width, gap, auto, count.
INSTANTIATE_TEST_SUITE_P(
    Cases, ColumnGroupsTest,
    ::testing::Values(
        // 2.7 groups fit: two at full width.
        GroupCase{"AutoFullWidth", {200, 0, 147, 550, 2, true, 1}, TColumnGroupLayout{2, 200, 0}},
        // Not one group at full width: the wrapped column gives up the overflow.
        GroupCase{"AutoShrinksWrap", {700, 300, 147, 651, 2, true, 1}, TColumnGroupLayout{1, 651, 251}},
        // Fixed, d = 3 groups fit when narrowed, 3 asked: the spare width is shared out.
        GroupCase{"FixedNarrowed", {400, 300, 100, 651, 2, false, 3}, TColumnGroupLayout{3, 215, 115}},
        // Fixed, d = 3 > 2 asked, c = 1 < 2: two groups sharing what is left over.
        GroupCase{"FixedFewerThanFit", {400, 300, 100, 651, 2, false, 2}, TColumnGroupLayout{2, 323, 223}},
        // Fixed, c = 1 = N: full widths.
        GroupCase{"FixedFullWidth", {400, 300, 100, 651, 2, false, 1}, TColumnGroupLayout{1, 400, 300}},
        GroupCase{"FixedNoWrapMoreFit", {200, 0, 147, 651, 2, false, 1}, TColumnGroupLayout{1, 200, 0}},
        GroupCase{"TooNarrow", {700, 0, 147, 651, 2, true, 1}, std::nullopt},
        GroupCase{"TooNarrowEvenNarrowed", {900, 300, 147, 651, 2, false, 1}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace tally
