// Embedded series: inserting one at the focus line, typing inside it, completing it into its
// external total line and changing it afterwards. Rows read "indicator|entries|running total".
#include <functional>

#include "engine/series/standard_series.h"
#include "tape_route_typing.h"

namespace tally {
namespace {

using test::Rows;

constexpr std::string_view kIntoAnother =
    "Cannot insert an embedded calculation series into another embedded calculation series.";
constexpr std::string_view kCompleteFirst =
    "Complete the current embedded calculation series before inserting another one.";
constexpr std::string_view kFirstLineTotal = "The first line of a calculation series can not be a total line.";

class EmbeddedSeriesTest : public test::TypingTest {
protected:
    // Types the keys, inserts a new embedded series at the focus line, then types the rest.
    void TypeAround(std::string_view before, std::string_view inside) {
        Type(before);
        ASSERT_TRUE(tape_.InsertNewEmbeddedSeries());
        Type(inside);
    }
    // 100 + (3 + 4), the embedded series complete and the tape's last line "+".
    void TypeHundredPlusThreePlusFour() { TypeAround("100+\b", "3+4\n"); }
};

TEST_F(EmbeddedSeriesTest, CompletedSeriesEntersTheContainingSeriesThroughItsExternalTotalLine) {
    struct Case {
        std::string name, before, inside;
        Rows rows;
        long double runningValue;
    };
    const std::vector<Case> cases = {
        {"sum", "100+\b", "3+4\n",
         {" |+100.00|100.00", "(||", " |+3.00|", " |+4.00|", "=|==========|", "T|7.00|", ")||",
          " |+7.00|107.00", " |+|"},
         107},
        // A multiplicative external total line is totalled at once.
        {"product", "100X", "3+4\n",
         {" |+100.00|100.00", "(||", " |+3.00|", " |+4.00|", "=|==========|", "T|7.00|", ")||",
          " |X7.00|700.00", "=|==========|", "T|700.00|700.00", " |+|"},
         700},
        // The minus after X stays with the operator.
        {"negated product", "100X-", "3+4\n",
         {" |+100.00|100.00", "(||", " |+3.00|", " |+4.00|", "=|==========|", "T|7.00|", ")||",
          " |X-7.00|-700.00", "=|==========|", "T|-700.00|-700.00", " |+|"},
         -700},
        // Subtracting a negative total adds.
        {"minus negative", "100-", "3-5\n",
         {" |+100.00|100.00", "(||", " |+3.00|", " |-5.00|", "=|==========|", "T|-2.00|", ")||",
          " |+2.00|102.00", " |+|"},
         102},
        // Inside, a multiplicative entry gets its subtotal before and its total after.
        {"subtotals inside", "100+\b", "2X3+4\n",
         {" |+100.00|100.00", "(||", " |+2.00|", " |X3.00|", "=|==========|", "S|6.00|", " |+4.00|",
          "=|==========|", "T|10.00|", ")||", " |+10.00|110.00", " |+|"},
         110},
        // Enter on an empty line right after a total: that total ends the series.
        {"total already there", "100+\b", "2X3+\n",
         {" |+100.00|100.00", "(||", " |+2.00|", " |X3.00|", "=|==========|", "T|6.00|", ")||",
          " |+6.00|106.00", " |+|"},
         106},
        // The first entry sets a time total type of the embedded series alone.
        {"time", "10+\b", "1:30+0:45\n",
         {" |+10.00|10.00", "(||", " |+01:30|", " |+00:45|", "=|==========|", "T|02:15|", ")||",
          " |+02:15|12.25", " |+|"},
         12.25L},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tape_.EraseTape();
        TypeAround(c.before, c.inside);
        EXPECT_EQ(TapeRows(), c.rows);
        EXPECT_EQ(tape_.RunningValue(), c.runningValue);
        EXPECT_EQ(tape_.FocusLine(), tape_.LastLine());
        EXPECT_TRUE(Beeps().empty());
    }
    tape_.EraseTape();
    TypeAround("1+\b", "1:30\n");
    EXPECT_EQ(tape_.Lines().Property(5, LineKey::kTotalType), "T2");
    EXPECT_EQ(tape_.OpenSeriesTotalType(), "DE");
}

TEST_F(EmbeddedSeriesTest, NewSeriesOpensEmptyWithTheFocusOnItsFirstLine) {
    Type("100X");
    ASSERT_TRUE(tape_.InsertNewEmbeddedSeries());
    EXPECT_EQ(TapeRows(), (Rows{" |+100.00|100.00", "(||", " ||", ")||", " |X|"}));
    EXPECT_EQ(tape_.FocusLine(), 2);
    EXPECT_EQ(tape_.CurrentSeries()->FocusPosition(), TFocusPosition::IncompleteEmbeddedLastLine);
    EXPECT_EQ(tape_.Lines().ParamsText(3), "STYP=e,TT=DE,SDP=2");
    EXPECT_EQ(tape_.SavedFocusEntry(), "+0.00");

    // Enter on the empty or operator-only first line cannot total it.
    for (const std::string keys : {"\n", "+\n"}) {
        SCOPED_TRACE(keys);
        Beeps().clear();
        Type(keys);
        EXPECT_EQ(Beeps(), (std::vector<std::string>{std::string(kFirstLineTotal)}));
        EXPECT_EQ(tape_.Lines().LineCount(), 5);
        EXPECT_EQ(tape_.FocusLine(), 2);
    }
}

TEST_F(EmbeddedSeriesTest, InsertionIsRefusedInsideAnEmbeddedSeriesAndBeforeAnIncompleteOne) {
    Fill({{" ", "+1.00"},
          {"(", "", "STYP=e"},            // 1 incomplete series
          {" ", "+2.00", "STYP=e"},       // 2
          {" ", "", "STYP=e"},            // 3
          {")", "", "STYP=e"},            // 4
          {" ", "+"},                     // 5
          {"(", "", "STYP=e"},            // 6 complete series
          {" ", "+3.00", "STYP=e"},       // 7
          {"=", "==========", "STYP=e"},  // 8
          {"T", "3.00", "STYP=e"},        // 9
          {")", "", "STYP=e"},            // 10
          {" ", "+3.00"},                 // 11
          {" ", ""}});
    struct Case {
        LineIndex focus;
        std::string_view refusal;
    };
    for (const Case& c : {Case{1, kCompleteFirst}, Case{2, kIntoAnother}, Case{3, kIntoAnother},
                          Case{4, kIntoAnother}, Case{7, kIntoAnother}, Case{9, kIntoAnother},
                          Case{10, kIntoAnother}}) {
        SCOPED_TRACE(c.focus);
        tape_.SetFocusLine(c.focus);
        const Rows before = TapeRows();
        Beeps().clear();
        EXPECT_FALSE(tape_.CanInsertNewEmbeddedSeries());
        EXPECT_FALSE(tape_.InsertNewEmbeddedSeries());
        EXPECT_EQ(Beeps(), (std::vector<std::string>{std::string(c.refusal)}));
        EXPECT_EQ(TapeRows(), before);
    }
    for (const LineIndex allowed : {0, 5, 6, 11, 12}) {
        tape_.SetFocusLine(allowed);
        EXPECT_TRUE(tape_.CanInsertNewEmbeddedSeries()) << allowed;
    }
}

TEST_F(EmbeddedSeriesTest, OnTheOpeningLineOfACompleteSeriesTheNewOneGoesBeforeIt) {
    TypeHundredPlusThreePlusFour();
    tape_.SetFocusLine(1);
    ASSERT_TRUE(tape_.InsertNewEmbeddedSeries());
    EXPECT_EQ(tape_.FocusLine(), 2);
    Type("1\n");
    EXPECT_EQ(TapeRows(), (Rows{" |+100.00|100.00", "(||", " |+1.00|", "=|==========|", "T|1.00|", ")||",
                                " |+1.00|101.00", "(||", " |+3.00|", " |+4.00|", "=|==========|", "T|7.00|",
                                ")||", " |+7.00|108.00", " |+|"}));
    EXPECT_EQ(tape_.FocusLine(), 6);
    EXPECT_EQ(tape_.RunningValue(), 108);
}

TEST_F(EmbeddedSeriesTest, ChangesInsideACompleteSeriesReachTheContainingSeries) {
    TypeHundredPlusThreePlusFour();
    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Entries, 3));
    ASSERT_EQ(tape_.CurrentSeries()->FocusPosition(), TFocusPosition::CompleteEmbeddedLine);
    tape_.Editor().SelStart = 0;
    tape_.Editor().SelLength = static_cast<int>(tape_.Editor().Text.size());
    Type("+5\n");
    EXPECT_EQ(TapeRows(), (Rows{" |+100.00|100.00", "(||", " |+3.00|", " |+5.00|", "=|==========|",
                                "T|8.00|", ")||", " |+8.00|108.00", " |+|"}));
    EXPECT_EQ(tape_.RunningValue(), 108);

    // An operator key opens a new line after the focus line, inside the series; its
    // multiplicative entry gets the subtotal before it.
    Type("X2\n");
    EXPECT_EQ(TapeRows(), (Rows{" |+100.00|100.00", "(||", " |+3.00|", " |+5.00|", "=|==========|",
                                "S|8.00|", " |X2.00|", "=|==========|", "T|16.00|", ")||",
                                " |+16.00|116.00", " |+|"}));
    EXPECT_EQ(tape_.FocusLine(), 6);
    EXPECT_TRUE(Beeps().empty());
}

// However a change inside a complete series is committed, the external total line shows the
// new embedded total and the containing series counts it.
TEST_F(EmbeddedSeriesTest, EveryChangeInsideACompleteSeriesReachesTheExternalTotalLine) {
    struct Case {
        std::string name;
        std::function<void()> change;
        Rows rows;
        long double runningValue;
    };
    auto retype = [this](std::string_view keys) {
        tape_.Editor().SelStart = 0;
        tape_.Editor().SelLength = static_cast<int>(tape_.Editor().Text.size());
        Type(keys);
    };
    const std::vector<Case> cases = {
        {"changed line left with Down",
         [&] {
             retype("+40");
             ASSERT_TRUE(tape_.KeyDown(TTapeKey::Down));
         },
         {" |+100.00|100.00", "(||", " |+3.00|", " |+40.00|", " |+5.00|", "=|==========|", "T|48.00|", ")||",
          " |+48.00|148.00", " |+|"},
         148},
        {"inserted line left with Down",
         [&] {
             ASSERT_TRUE(tape_.InsertLine());
             Type("10");
             ASSERT_TRUE(tape_.KeyDown(TTapeKey::Down));
         },
         {" |+100.00|100.00", "(||",  " |+3.00|", " |+10.00|", " |+4.00|", " |+5.00|", "=|==========|",
          "T|22.00|", ")||", " |+22.00|122.00", " |+|"},
         122},
        {"deleted line",
         [&] { ASSERT_TRUE(tape_.DeleteLine()); },
         {" |+100.00|100.00", "(||", " |+3.00|", " |+5.00|", "=|==========|", "T|8.00|", ")||",
          " |+8.00|108.00", " |+|"},
         108},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tape_.EraseTape();
        TypeAround("100+\b", "3+4+5\n");
        ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Entries, 3));
        c.change();
        EXPECT_EQ(TapeRows(), c.rows);
        EXPECT_EQ(tape_.RunningValue(), c.runningValue);
        EXPECT_TRUE(Beeps().empty());
    }
}

// Without its total line the series is incomplete again: the external total line holds only
// its operator, the focus keeps inside the series, and Enter completes it once more.
TEST_F(EmbeddedSeriesTest, DeletingTheTotalOfACompleteSeriesOpensItAgain) {
    TypeAround("100+\b", "3+4+5\n");
    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Entries, 6));
    ASSERT_TRUE(tape_.DeleteLine());
    EXPECT_EQ(TapeRows(), (Rows{" |+100.00|100.00", "(||", " |+3.00|", " |+4.00|", " |+5.00|", ")||", " |+|",
                                " |+|"}));
    EXPECT_EQ(tape_.RunningValue(), 100);
    EXPECT_EQ(tape_.FocusLine(), 4);
    EXPECT_EQ(tape_.CurrentSeries()->FocusPosition(), TFocusPosition::IncompleteEmbeddedLastLine);
    EXPECT_FALSE(tape_.SelectCell(TTapeColumn::Entries, 7));
    EXPECT_EQ(Explanation(), "Cannot move the focus highlight out of an incomplete embedded series.");

    Beeps().clear();
    Type("\n");
    EXPECT_EQ(TapeRows(), (Rows{" |+100.00|100.00", "(||", " |+3.00|", " |+4.00|", " |+5.00|", "=|==========|",
                                "T|12.00|", ")||", " |+12.00|112.00", " |+|"}));
    EXPECT_EQ(tape_.RunningValue(), 112);
    EXPECT_TRUE(Beeps().empty());

    // The only entry goes with its total: one empty line stays to type the series again.
    tape_.EraseTape();
    TypeAround("100+\b", "3\n");
    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Entries, 2));
    ASSERT_TRUE(tape_.DeleteLine());
    EXPECT_EQ(TapeRows(), (Rows{" |+100.00|100.00", "(||", " ||", ")||", " |+|", " |+|"}));
    EXPECT_EQ(tape_.FocusLine(), 2);
    EXPECT_EQ(tape_.CurrentSeries()->FocusPosition(), TFocusPosition::IncompleteEmbeddedLastLine);
    Type("5\n");
    EXPECT_EQ(TapeRows(), (Rows{" |+100.00|100.00", "(||", " |+5.00|", "=|==========|", "T|5.00|", ")||",
                                " |+5.00|105.00", " |+|"}));
}

TEST_F(EmbeddedSeriesTest, AnEntryLineBeforeTheClosingLineReopensTheSeries) {
    TypeHundredPlusThreePlusFour();
    tape_.SetFocusLine(5);  // the embedded total
    Type("+");
    EXPECT_EQ(tape_.CurrentSeries()->FocusPosition(), TFocusPosition::IncompleteEmbeddedLastLine);
    EXPECT_EQ(TapeRows(), (Rows{" |+100.00|100.00", "(||", " |+3.00|", " |+4.00|", "=|==========|",
                                "T|7.00|", " |+|", ")||", " |+|", " |+|"}));
    EXPECT_EQ(tape_.RunningValue(), 100);
    Type("2\n");
    EXPECT_EQ(TapeRows(), (Rows{" |+100.00|100.00", "(||", " |+3.00|", " |+4.00|", "=|==========|",
                                "S|7.00|", " |+2.00|", "=|==========|", "T|9.00|", ")||", " |+9.00|109.00",
                                " |+|"}));
    EXPECT_EQ(tape_.RunningValue(), 109);
}

TEST_F(EmbeddedSeriesTest, TypingOpensEmbeddedSeriesWithAutoEmbedAndARepeatedOperator) {
    tape_.SetDataEntryOption(DataEntryOption::kAutoEmbed);
    Type("7+2\n");
    EXPECT_EQ(TapeRows(), (Rows{"(||", " |+7.00|", " |+2.00|", "=|==========|", "T|9.00|", ")||",
                                " |+9.00|9.00", " |+|"}));

    tape_.EraseTape();
    tape_.SetDataEntryOption(DataEntryOption::kManualStart);
    Type("5++4\n");
    EXPECT_EQ(TapeRows(), (Rows{" |+5.00|5.00", "(||", " |+4.00|", "=|==========|", "T|4.00|", ")||",
                                " |+4.00|9.00", " |+|"}));
    EXPECT_TRUE(Beeps().empty());
}

TEST_F(EmbeddedSeriesTest, AddingMachineLeavesTheExternalTotalUncommittedAndRepeatsANumber) {
    tape_.SetDataEntryOption(DataEntryOption::kAddingMachine);
    Type("12X3\n");
    EXPECT_EQ(TapeRows(), (Rows{"(||", " |+12.00|", " |X3.00|", "=|==========|", "T|36.00|", ")||",
                                " |+36.00|"}));
    EXPECT_EQ(tape_.RunningValue(), 0);
    Type("\x1B");  // Escape drops typing, not the external total waiting on the last line
    EXPECT_EQ(tape_.Lines().Entries(6), "+36.00");

    tape_.EraseTape();
    Type("12X\n");  // "X" alone takes the number above it
    EXPECT_EQ(TapeRows(), (Rows{"(||", " |+12.00|", " |X12.00|", "=|==========|", "T|144.00|", ")||",
                                " |+144.00|"}));
}

TEST_F(EmbeddedSeriesTest, ClosingAfterAPasteMakesTheLastSubtotalFinalAndFillsTheExternalTotal) {
    Fill({{" ", "+1.00"},
          {"(", "", "STYP=e"},
          {" ", "+3.00", "STYP=e"},
          {" ", "+4.00", "STYP=e"},
          {"=", "==========", "STYP=e"},
          {"S", "", "STYP=e"},
          {")", "", "STYP=e,TT=DE,SDP=2"},
          {" ", "X"},
          {" ", "+2.00"},
          {" ", ""}},
         2);
    tape_.SetFocusLine(0);
    EXPECT_FALSE(tape_.StandardSeries().CloseEmbeddedSeries());  // only while editing the series
    tape_.SetFocusLine(2);
    ASSERT_TRUE(tape_.StandardSeries().CloseEmbeddedSeries());
    EXPECT_EQ(TapeRows(), (Rows{" |+1.00|1.00", "(||", " |+3.00|", " |+4.00|", "=|==========|", "T|7.00|",
                                ")||", " |X7.00|7.00", " |+2.00|9.00", " ||"}));
    EXPECT_EQ(tape_.FocusLine(), 7);
    EXPECT_EQ(tape_.RunningValue(), 9);
}

// A quick link or quick copy typed inside an embedded series goes to the main window like one
// typed on a line of the containing series, whether the series is open or complete.
TEST_F(EmbeddedSeriesTest, LineReferenceCommandsInsideAnEmbeddedSeriesAreHandedOver) {
    struct Case {
        std::string name;
        LineIndex line;  // kNoLine: the open last line of the incomplete series
        std::string keys;
        int request;
    };
    const std::vector<Case> cases = {
        {"link, Enter on the open last line", kNoLine, "l1\n", requests::LinkWithStoredEntryData},
        {"copy, operator on the open last line", kNoLine, "c1+", requests::CopyWithStoredEntryData},
        {"link, Enter in a complete series", 2, "l1\n", requests::LinkWithStoredEntryData},
        {"copy, operator in a complete series", 2, "+c1+", requests::CopyWithStoredEntryData},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tape_.EraseTape();
        if (c.line == kNoLine) {
            TypeAround("100+\b", "3+");
        } else {
            TypeHundredPlusThreePlusFour();
            ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Entries, c.line));
            tape_.Editor().SelStart = 0;
            tape_.Editor().SelLength = static_cast<int>(tape_.Editor().Text.size());
        }
        const Rows before = TapeRows();
        posted_.clear();
        Type(c.keys);
        EXPECT_EQ(PostedCodes(), (std::vector<int>{c.request}));
        EXPECT_TRUE(Beeps().empty());
        // Nothing is committed: the main window completes the reference.
        const Rows after = TapeRows();
        EXPECT_EQ(after.size(), before.size());
    }
}

}  // namespace
}  // namespace tally
