// The side tape: its two command letters, and beginning a side calculation after whatever the
// side tape holds.
#include <vector>

#include "tapes/side_calculator.h"
#include "tapes/tapes_test_fixture.h"

namespace tally {
namespace {

using test::Rows;
using test::TapeRow;
using SideTapeTest = test::TapesTest<TSideCalculator>;

const std::string kDivide = "\xF7";

TEST_F(SideTapeTest, OnlyMAndEAreCommandLetters) {
    Type("m");
    Type("e");
    EXPECT_EQ(posted_, (std::vector<int>{requests::MemoryTotalToEntry, requests::RecallMemoryEntry}));
    EXPECT_EQ(tape_.Editor().Text, "");
    Type("s");
    EXPECT_EQ(Beeps(), (Rows{test::KeypressRefusal('s')}));
    EXPECT_EQ(posted_.size(), 2u);
    EXPECT_EQ(TapeRows(), (Rows{" |"}));
    // A direct call with "s" does nothing either.
    tape_.DoTapeCommandLetter('s');
    EXPECT_EQ(posted_.size(), 2u);
}

struct BeginCase {
    std::string name;
    std::vector<TapeRow> rows;
    LineIndex focus;  // -1: the last line
    bool answer;
    Rows after;
    Rows beeps;
};

const std::vector<BeginCase>& BeginCases() {
    static const std::vector<BeginCase> cases = {
        {"EmptyTape", {{" ", ""}}, -1, true, {" |"}, {}},
        {"AfterAZeroTotalNothingIsAdded",
         {{" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {"Z", "0.00"}, {" ", ""}},
         1, true, {" |+5.00", "=|==========", "T|5.00", "Z|0.00", " |"}, {}},
        {"ACompletedTotalIsClosedFirst",
         {{" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {" ", ""}},
         -1, true, {" |+5.00", "=|==========", "T|5.00", "Z|0.00", " |"}, {}},
        {"AnOpenSeriesIsTotalledAndClosed",
         {{" ", "+5.00"}, {" ", ""}},
         -1, true, {" |+5.00", "=|==========", "T|5.00", "Z|0.00", " |"}, {}},
        {"ATypedEntryIsCommittedAndClosed",
         {{" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {"Z", "0.00"}, {" ", "+7"}},
         -1, true, {" |+5.00", "=|==========", "T|5.00", "Z|0.00", " |+7.00", "=|==========", "T|7.00", "Z|0.00", " |"}, {}},
        {"AnOperatorAloneIsClearedBeforeTheClose",
         {{" ", "+5.00"}, {" ", "-"}},
         -1, true, {" |+5.00", "=|==========", "T|5.00", "Z|0.00", " |"}, {}},
        // Nothing stands before a cleared first line of a series: no zero total is asked for.
        {"AClearedLineThatStartsASeriesIsNotClosed",
         {{" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {"Z", "0.00"}, {" ", "X"}},
         -1, true, {" |+5.00", "=|==========", "T|5.00", "Z|0.00", " |"}, {}},
        {"AClearedOnlyLineIsNotClosed", {{" ", "+"}}, -1, true, {" |"}, {}},
        // A leftover division by zero cannot be committed: the old calculation stays open and
        // no new one starts inside it.
        {"AnEntryThatCannotBeCommittedRefuses",
         {{" ", "+5.00"}, {" ", kDivide + "0"}},
         -1, false, {" |+5.00", " |" + kDivide + "0"}, {"Can not divide by zero."}},
    };
    return cases;
}

class SideBeginCases : public SideTapeTest, public ::testing::WithParamInterface<BeginCase> {};

TEST_P(SideBeginCases, BeginSideCalculation) {
    const BeginCase& c = GetParam();
    ReplaceTapeLines(tape_, c.rows, c.focus);
    EXPECT_EQ(tape_.BeginSideCalculation(""), c.answer);
    EXPECT_EQ(TapeRows(), c.after);
    EXPECT_EQ(Beeps(), c.beeps);
    if (c.answer) {
        EXPECT_EQ(tape_.FocusLine(), tape_.LastLine());
        EXPECT_EQ(tape_.FocusColumn(), TTapeColumn::Entries);
        EXPECT_EQ(tape_.RunningValue(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Side, SideBeginCases, ::testing::ValuesIn(BeginCases()),
                         [](const auto& info) { return info.param.name; });

TEST_F(SideTapeTest, AnUncommittedChangeOnAnEarlierLineRefusesTheStart) {
    Fill({{" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {"Z", "0.00"}, {" ", ""}}, 0);
    tape_.SetColumnShown(TTapeColumn::Annotations, true);
    Type("\b\b\b\b6");
    const Rows before = TapeRows();
    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Annotations, 0));
    EXPECT_FALSE(tape_.BeginSideCalculation(""));
    EXPECT_EQ(Beeps(), (Rows{"The side tape contains a changed entry value that has not been committed.  Make the "
                             "side tape visible and press the Enter key to commit the change before proceeding."}));
    EXPECT_EQ(TapeRows(), before);
    EXPECT_EQ(tape_.FocusLine(), 0);
}

TEST_F(SideTapeTest, ASideCalculationStartsWithEntriesTypedAfterItsBeginning) {
    Type("5\n");
    ASSERT_TRUE(tape_.BeginSideCalculation(""));
    Type("+2+3\n");
    EXPECT_EQ(tape_.GetSeriesTotalText(), "5.00");
    EXPECT_EQ(shownTotal_, "5.00");
}

}  // namespace
}  // namespace tally
