// Sorting the run of entry lines around the focus: both directions, what travels with a
// line, the refusals, and the values lines of mixed forms are ordered by.
#include <gtest/gtest.h>

#include <string>

#include "decimals_test_tape.h"
#include "engine/lines/calc_params.h"
#include "engine/sorting/segment_sort.h"

namespace tally {
namespace {

using test::Lines;

class SegmentSortTest : public test::TapeFixture {
protected:
    // +5, -3, +2 in a closed series, then the open last line.
    void FillThreeEntries(LineIndex focus) {
        Fill({{" ", "+5"}, {" ", "-3"}, {" ", "+2"}, {"=", ""}, {"T", "4.00"}, {"Z", "0.00", "SDP=2"},
              {" ", ""}},
             focus);
    }
};

TEST_F(SegmentSortTest, SortsBothWaysAndRecalculatesTheSeries) {
    struct Case {
        TSortDirection direction;
        Lines entries;
    };
    const Case cases[] = {
        {TSortDirection::SmallToLarge, {"-3.00", "+2.00", "+5.00"}},
        {TSortDirection::LargeToSmall, {"+5.00", "+2.00", "-3.00"}},
    };
    for (const Case& c : cases) {
        FillThreeEntries(1);
        tape_.SetColumnShown(TTapeColumn::RunningTotal, true);
        EXPECT_TRUE(CanSortTapeSegment(tape_));
        EXPECT_TRUE(SortTapeSegment(tape_, c.direction));
        const Lines entries = Entries();
        EXPECT_EQ(Lines(entries.begin(), entries.begin() + 3), c.entries);
        EXPECT_EQ(entries[4], "4.00");
        // Running totals follow the new order.
        EXPECT_EQ(Column(TLineColumn::RunningTotal)[1], c.direction == TSortDirection::SmallToLarge ? "-1.00" : "7.00");
        EXPECT_TRUE(tape_.IsModified());
    }
}

TEST_F(SegmentSortTest, WholeLinesMoveWithTheirPropertiesAnnotationsAndHeights) {
    FillThreeEntries(0);
    TLineStore& lines = tape_.Lines();
    lines.SetProperty(0, LineKey::kLinkId, "AS+1234567890123456");
    lines.SetCell(0, TLineColumn::Annotations, "five");
    lines.SetRowHeight(0, 40);
    lines.SetRowHeight(2, 25);
    ASSERT_TRUE(SortTapeSegment(tape_, TSortDirection::SmallToLarge));
    EXPECT_EQ(lines.Entries(2), "+5.00");
    EXPECT_EQ(lines.Property(2, LineKey::kLinkId), "AS+1234567890123456");
    EXPECT_EQ(lines.Annotations(2), "five");
    EXPECT_EQ(lines.RowHeight(2), 40);
    EXPECT_EQ(lines.Entries(1), "+2.00");
    EXPECT_EQ(lines.RowHeight(1), 25);
    EXPECT_EQ(lines.RowHeight(0), 0);
    EXPECT_EQ(lines.Property(0, LineKey::kLinkId), "");
}

TEST_F(SegmentSortTest, MixedFormsOrderByTheirValueInHours) {
    // 1:30 is an hour and a half, below 1.75: not its 5,400 seconds.
    Fill({{" ", "+2"}, {" ", "+1:30"}, {" ", "+1 1/4"}, {" ", "+1.75"}, {" ", ""}}, 0);
    ASSERT_TRUE(SortTapeSegment(tape_, TSortDirection::SmallToLarge));
    const Lines entries = Entries();
    EXPECT_EQ(Lines(entries.begin(), entries.begin() + 4), (Lines{"+1 1/4", "+01:30", "+1.75", "+2.00"}));

    struct Case {
        const char* entry;
        long double value;
    };
    const Case cases[] = {{"+1:30", 1.5L}, {"-0:45", -0.75L}, {"+1,234.5", 1234.5L}, {"-1 1/4", -1.25L},
                          {"3", 3}, {"+abc", 0}};
    for (const Case& c : cases) EXPECT_EQ(SegmentSortValue(c.entry), c.value) << c.entry;
}

TEST_F(SegmentSortTest, FocusOnTheOpenLineSortsTheEntriesAboveIt) {
    Fill({{" ", "+9"}, {" ", "+1"}, {" ", "+4"}, {" ", ""}});
    ASSERT_TRUE(SortTapeSegment(tape_, TSortDirection::SmallToLarge));
    EXPECT_EQ(Entries(), (Lines{"+1.00", "+4.00", "+9.00", ""}));
    EXPECT_EQ(tape_.RunningValue(), 14);
}

TEST_F(SegmentSortTest, OneLineSegmentIsAcceptedAndItsSeriesRecalculated) {
    Fill({{" ", "+5"}, {"=", ""}, {"S", "5.00"}, {" ", "+3"}, {"=", ""}, {"T", "0.00"}, {"Z", "0.00"},
          {" ", ""}},
         3);
    EXPECT_TRUE(SortTapeSegment(tape_, TSortDirection::LargeToSmall));
    EXPECT_EQ(Entries()[3], "+3.00");
    EXPECT_EQ(Entries()[5], "8.00");
}

TEST_F(SegmentSortTest, RefusalsExplainAndLeaveTheTapeAlone) {
    struct Case {
        const char* name;
        std::initializer_list<test::TapeRow> rows;
        LineIndex focus;
        std::string_view explanation;
    };
    const Case cases[] = {
        {"single line", {{" ", "+5"}}, 0, kSingleLineSegmentText},
        {"focus on a total", {{" ", "+5"}, {"=", ""}, {"T", "5.00"}, {" ", ""}}, 2, kFocusNotInSegmentText},
        {"open line below a total", {{" ", "+5"}, {"=", ""}, {"T", "5.00"}, {" ", ""}}, 3, kEmptySegmentText},
        {"multiplication", {{" ", "+5"}, {" ", "X2"}, {" ", "+1"}, {" ", ""}}, 0, kSegmentOperatorsText},
        {"operator only", {{" ", "+5"}, {" ", "-"}, {" ", ""}}, 0, kSegmentOperatorsText},
        {"external total line",
         {{" ", "+5"}, {"(", "", "STYP=e"}, {" ", "+1", "STYP=e"}, {"=", "", "STYP=e"}, {"T", "1.00", "STYP=e"},
          {")", "", "STYP=e"}, {" ", "+1.00"}, {" ", ""}},
         6, kSegmentOperatorsText},
        // A text that is no number would sort as zero and be rewritten by the recalculation.
        {"not a number", {{" ", "+5"}, {" ", "+abc"}, {" ", "+1"}, {" ", ""}}, 2, kSegmentInvalidEntryText},
    };
    for (const Case& c : cases) {
        Fill(c.rows, c.focus);
        const Lines before = Entries();
        EXPECT_FALSE(CanSortTapeSegment(tape_)) << c.name;
        EXPECT_FALSE(SortTapeSegment(tape_, TSortDirection::SmallToLarge)) << c.name;
        EXPECT_EQ(Explanation(), c.explanation) << c.name;
        EXPECT_EQ(Entries(), before) << c.name;
    }
}

TEST_F(SegmentSortTest, AnEditInProgressIsCommittedBeforeSorting) {
    FillThreeEntries(0);
    tape_.Lines().SetEntries(0, "+1");  // typed over +5, not yet committed
    ASSERT_TRUE(tape_.FocusEntryChanged());
    ASSERT_TRUE(SortTapeSegment(tape_, TSortDirection::LargeToSmall));
    const Lines entries = Entries();
    EXPECT_EQ(Lines(entries.begin(), entries.begin() + 3), (Lines{"+2.00", "+1.00", "-3.00"}));
    EXPECT_EQ(entries[4], "0.00");
    EXPECT_FALSE(tape_.FocusEntryChanged());

    // An edit that is no number is refused before anything is committed or moved.
    FillThreeEntries(0);
    tape_.Lines().SetEntries(0, "+1.2.3");
    EXPECT_FALSE(SortTapeSegment(tape_, TSortDirection::LargeToSmall));
    EXPECT_EQ(Explanation(), kSegmentInvalidEntryText);
    EXPECT_EQ(Entries(), (Lines{"+1.2.3", "-3", "+2", "", "4.00", "0.00", ""}));
}

}  // namespace
}  // namespace tally
