// Clear Entry, Delete Line and Insert Line on a headless tape: the main paths and every
// refusal with its text.
#include "engine/lines/calc_params.h"
#include "engine/series/standard_series.h"
#include "tape_test_fixture.h"

namespace tally {
namespace {

using test::TapeRow;
using test::Texts;

const std::string kDivide = "\xF7";
const std::string kOperatorList = kDivide + ", P, or R operator.";

struct RowsAndFocus {
    std::vector<TapeRow> rows;
    LineIndex focus;
};

class EditingLinesTest : public test::TapeTest {
protected:
    // Two lines of a closed series, then the open series with one entry and the last line.
    void FillTwoSeries(LineIndex focus) {
        Fill({{" ", "+10.00"}, {" ", "+5.00"}, {"=", "=========="}, {"T", "15.00"},
              {"Z", "0.00", "TT=DE,SDP=2"}, {" ", "+7.00"}, {" ", ""}},
             focus);
    }
    void FillEmbedded(LineIndex focus) {
        Fill({{" ", "+1.00"},
              {"(", "", "STYP=e"},
              {" ", "+2.00", "STYP=e"},
              {"=", "==========", "STYP=e"},
              {"T", "2.00", "STYP=e"},
              {")", "", "STYP=e,TT=DE,SDP=2"},
              {" ", "+2.00"},
              {" ", ""}},
             focus);
    }
};

TEST_F(EditingLinesTest, ClearEntryEmptiesOnlyOrdinaryEntries) {
    FillTwoSeries(1);
    ASSERT_TRUE(tape_.ClearEntry());
    EXPECT_EQ(Entries()[1], "");
    EXPECT_EQ(tape_.Editor().Text, "");
    EXPECT_EQ(Entries()[3], "15.00");  // nothing recalculated before the line is left

    tape_.SetFocusLine(3);
    EXPECT_FALSE(tape_.CanClearEntry());
    EXPECT_FALSE(tape_.ClearEntry());
    EXPECT_EQ(Explanation(),
              "Can not clear the entry of a total line, a zero total line; or of a boundary line for "
              "an embedded series, a group total, or a grand total.");

    tape_.SetColumnShown(TTapeColumn::Annotations, true);
    tape_.SetFocusLine(0);
    tape_.SelectCell(TTapeColumn::Annotations, 0);
    EXPECT_FALSE(tape_.ClearEntry());
    EXPECT_EQ(Explanation(), "Can not clear an entry unless it has the focus highlight.");

    FillEmbedded(6);
    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Entries, 6));
    EXPECT_FALSE(tape_.ClearEntry());
    EXPECT_EQ(Explanation(), "Cannot clear the entry cell in an embedded series external total line.");
    EXPECT_EQ(Entries()[6], "+2.00");
}

TEST_F(EditingLinesTest, DeleteLineOnTheLastLineEmptiesItAndIsNeverRefused) {
    TLineStore& lines = tape_.Lines();
    lines.SetEntries(0, "+5");
    lines.SetCell(0, TLineColumn::Annotations, "note");
    lines.SetCell(0, TLineColumn::TableColumns, "3");
    lines.SetParamsText(0, "TCN=3,TCID=C3,LID=AS+0000000000000001");
    tape_.SetFocusLine(0);
    ASSERT_TRUE(tape_.DeleteLine());
    EXPECT_EQ(lines.LineCount(), 1);
    EXPECT_EQ(lines.Entries(0), "");
    EXPECT_EQ(lines.Annotations(0), "");
    EXPECT_EQ(lines.TableColumns(0), "");
    EXPECT_EQ(lines.Params(0), nullptr);
    EXPECT_EQ(tape_.Editor().Text, "");
}

TEST_F(EditingLinesTest, DeleteLineRefusalsLeaveTheTapeAsItWas) {
    const std::vector<test::RefusalCase> cases = {
        {"zero total before group total",
         {{" ", "+1"}, {"=", ""}, {"T", ""}, {"Z", "0.00"}, {"[", "", "STYP=gro"}, {"g", "", "STYP=gro"},
          {"]", "", "STYP=gro"}, {" ", ""}},
         3, "Cannot delete a zero total line immediately before a group total."},
        {"zero total before grand total",
         {{" ", "+1"}, {"=", ""}, {"T", ""}, {"Z", "0.00"}, {"{", "", "STYP=gra"}, {"G", "", "STYP=gra"},
          {"}", "", "STYP=gra"}, {" ", ""}},
         3, "Cannot delete a zero total line immediately before a grand total."},
        {"zero total before another range",
         {{" ", "+1"}, {"=", ""}, {"T", ""}, {"Z", "0.00"}, {"<", ""}, {" ", ""}},
         3, "Cannot delete this zero total line. The calculation series before and after it cannot be combined."},
        {"total before zero total",
         {{" ", "+1"}, {"=", ""}, {"T", ""}, {"Z", "0.00"}, {" ", ""}},
         2, "Cannot delete a total line that is followed by a zero total line."},
        {"subtotal before a multiplication",
         {{" ", "+10"}, {" ", "+5"}, {"=", ""}, {"S", ""}, {" ", "X2"}, {"=", ""}, {"T", ""}, {"Z", "0.00"}, {" ", ""}},
         3, "Can not delete a subtotal line that immediately precedes a line containing a X, " + kOperatorList},
        {"total after a multiplication",
         {{" ", "+10"}, {" ", "X2"}, {"=", ""}, {"S", ""}, {" ", "+1"}, {"=", ""}, {"T", ""}, {"Z", "0.00"}, {" ", ""}},
         2, "Cannot delete a total line that immediately follows a line containing a X, " + kOperatorList},
        {"first line before a multiplication",
         {{" ", "+10"}, {" ", "X2"}, {"=", ""}, {"T", ""}, {"Z", "0.00"}, {" ", ""}},
         0, "Cannot delete the first line in a calculation series if that line is followed by a line "
            "containing a X, " + kOperatorList},
        {"first line before a total and a multiplication",
         {{" ", "+10"}, {"=", ""}, {"S", ""}, {" ", "X2"}, {"=", ""}, {"T", ""}, {"Z", "0.00"}, {" ", ""}},
         0, "Can not delete the first line in a calculation series if that line is followed by a total "
            "line which, in turn, is followed by a line containing a X, " + kOperatorList},
        {"open line of an incomplete embedded series",
         {{" ", "+1"}, {"(", "", "STYP=e"}, {" ", "+2", "STYP=e"}, {" ", "", "STYP=e"}, {")", "", "STYP=e"},
          {" ", "+"}, {" ", ""}},
         3, "Cannot delete the last line of an incomplete embedded calculation series.  You can complete "
            "the series by pressing the Enter key."},
    };
    for (const test::RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(c.rows, c.focus);
        const Texts before = Entries();
        EXPECT_FALSE(tape_.DeleteLine());
        EXPECT_EQ(Explanation(), c.refusal);
        EXPECT_EQ(Entries(), before);
        EXPECT_EQ(tape_.FocusLine(), c.focus);
    }
}

TEST_F(EditingLinesTest, DeleteLineRemovesLinesAndRecalculates) {
    struct Case {
        std::string name;
        std::vector<TapeRow> rows;
        LineIndex focus;
        Texts entries;
        Texts indicators;
    };
    const std::vector<Case> cases = {
        {"an entry in the middle",
         {{" ", "+10.00"}, {" ", "+5.00"}, {"=", "=========="}, {"T", "15.00"}, {"Z", "0.00"}, {" ", ""}},
         1, {"+10.00", "==========", "10.00", "0.00", ""}, {" ", "=", "T", "Z", " "}},
        {"a first line with its total",
         {{" ", "+10"}, {"=", "=========="}, {"S", "10.00"}, {" ", "+5"}, {"=", "=========="}, {"T", ""},
          {"Z", "0.00"}, {" ", ""}},
         0, {"+5.00", "==========", "5.00", "0.00", ""}, {" ", "=", "T", "Z", " "}},
        {"the only entry between two totals",
         {{" ", "+10"}, {"=", "=========="}, {"S", "10.00"}, {" ", "+5"}, {"=", "=========="}, {"T", "15.00"},
          {"Z", "0.00"}, {" ", ""}},
         3, {"+10.00", "==========", "10.00", "0.00", ""}, {" ", "=", "T", "Z", " "}},
        {"a subtotal with its indicator line",
         {{" ", "+10"}, {"=", "=========="}, {"S", "10.00"}, {" ", "+5"}, {"=", "=========="}, {"T", "15.00"},
          {"Z", "0.00"}, {" ", ""}},
         2, {"+10.00", "+5.00", "==========", "15.00", "0.00", ""}, {" ", " ", "=", "T", "Z", " "}},
        {"a zero total line merges the series around it",
         {{" ", "+10"}, {"=", "=========="}, {"T", "10.00"}, {"Z", "0.000", "SDP=3"}, {" ", "+7"}, {" ", ""}},
         3, {"+10.000", "==========", "10.000", "+7.000", ""}, {" ", "=", "S", " ", " "}},
        {"an external total line with its embedded series",
         {{" ", "+1.00"}, {"(", "", "STYP=e"}, {" ", "+2.00", "STYP=e"}, {"=", "==========", "STYP=e"},
          {"T", "2.00", "STYP=e"}, {")", "", "STYP=e"}, {" ", "+2.00"}, {" ", ""}},
         6, {"+1.00", ""}, {" ", " "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tape_.SetOpenSeriesDecimalPlaces(2);
        Fill(c.rows, c.focus);
        int lineCounts = 0;
        tape_.Hooks().OnLineCountChange = [&](TCalculator&) { ++lineCounts; };
        ASSERT_TRUE(tape_.DeleteLine());
        EXPECT_EQ(Entries(), c.entries);
        EXPECT_EQ(Indicators(), c.indicators);
        EXPECT_EQ(lineCounts, 1);
        EXPECT_TRUE(tape_.IsModified());
    }
}

TEST_F(EditingLinesTest, MergingIntoTheOpenSeriesKeepsTheLargerDecimalPlaces) {
    Fill({{" ", "+10"}, {"=", "=========="}, {"T", "10.00"}, {"Z", "0.000", "SDP=3,TT=T2"}, {" ", "+7"}, {" ", ""}}, 3);
    tape_.SetOpenSeriesTotalType("T3");
    ASSERT_TRUE(tape_.DeleteLine());
    EXPECT_EQ(tape_.OpenSeriesDecimalPlaces(), 3);
    EXPECT_EQ(tape_.OpenSeriesTotalType(), "T3");
    EXPECT_EQ(tape_.RunningValue(), 17 * 3600);
}

// The merged series takes a total type that holds both: decimal holds any value, and
// hours:minutes:seconds holds hours:minutes.
TEST_F(EditingLinesTest, MergedSeriesTakesTheTotalTypeThatHoldsBoth) {
    struct Case {
        std::string first, second;
        std::string secondEntry;
        std::string totalType, total;
    };
    const Case cases[] = {
        {"T2", "DE", "+5", "DE", "6.50"},
        {"DE", "T2", "+0:45", "DE", "2.25"},
        {"T2", "T3", "+0:45", "T3", "02:15:00"},
        {"T3", "T2", "+0:45", "T3", "02:15:00"},
        {"T2", "T2", "+0:45", "T2", "02:15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first + " then " + c.second);
        Fill({{" ", "+1:30"}, {"=", "=========="}, {"T", ""}, {"Z", "", "TT=" + c.first + ",SDP=2"},
              {" ", c.secondEntry}, {"=", "=========="}, {"T", ""}, {"Z", "", "TT=" + c.second + ",SDP=2"},
              {" ", ""}},
             3);
        ASSERT_TRUE(tape_.DeleteLine());
        EXPECT_EQ(tape_.Lines().Property(6, LineKey::kTotalType), c.totalType);
        EXPECT_EQ(Entries()[5], c.total);
    }
}

TEST_F(EditingLinesTest, DeleteLineBecomesDeleteSeriesWhereTheWholeSeriesWouldGo) {
    Fill({{" ", "+10.00"}, {"=", "=========="}, {"T", "10.00"}, {"Z", "0.00"}, {" ", ""}}, 0);
    EXPECT_FALSE(tape_.DeleteLine());
    FillEmbedded(1);
    EXPECT_FALSE(tape_.DeleteLine());
    Fill({{" ", "+1"}, {"=", ""}, {"T", ""}, {"Z", "0.00"}, {"[", "", "STYP=gro"}, {"g", "", "STYP=gro"},
          {"]", "", "STYP=gro"}, {" ", ""}},
         5);
    EXPECT_FALSE(tape_.DeleteLine());
    EXPECT_EQ(requests_, (std::vector<int>{132, 130, 132}));
    EXPECT_EQ(tape_.Lines().LineCount(), 8);
}

TEST_F(EditingLinesTest, InsertLinePutsAnEmptyLineBeforeTheFocusOrItsTotal) {
    FillTwoSeries(1);
    ASSERT_TRUE(tape_.InsertLine());
    EXPECT_EQ(Entries(), (Texts{"+10.00", "", "+5.00", "==========", "15.00", "0.00", "+7.00", ""}));
    EXPECT_EQ(tape_.FocusLine(), 1);

    FillTwoSeries(3);
    ASSERT_TRUE(tape_.InsertLine());
    EXPECT_EQ(Entries(), (Texts{"+10.00", "+5.00", "", "==========", "15.00", "0.00", "+7.00", ""}));
    EXPECT_EQ(tape_.FocusLine(), 2);
}

TEST_F(EditingLinesTest, InsertLineRefusals) {
    const std::string typeFirst =
        "Type a number into the entry cell and complete the change by pressing the Enter key before "
        "inserting a line.";
    // An empty earlier line, and an empty or operator-only last line: no second empty line.
    for (const RowsAndFocus& c : {RowsAndFocus{{{" ", "+10.00"}, {" ", ""}, {" ", "+1.00"}, {" ", ""}}, 1},
                                  RowsAndFocus{{{" ", "+10.00"}, {"=", "=========="}, {"T", "10.00"}, {" ", ""}}, 3},
                                  RowsAndFocus{{{" ", "+10.00"}, {" ", "+"}}, 1}}) {
        Fill(c.rows, c.focus);
        EXPECT_FALSE(tape_.InsertLine());
        EXPECT_EQ(Explanation(), typeFirst);
        EXPECT_EQ(tape_.Lines().LineCount(), static_cast<LineIndex>(c.rows.size()));
    }

    FillTwoSeries(6);
    for (char c : std::string("+3")) tape_.KeyPress(c);
    EXPECT_FALSE(tape_.InsertLine());
    EXPECT_EQ(Explanation(), "Complete the entry number change by pressing the Enter key before inserting a line.");
    EXPECT_FALSE(tape_.InReviewMode());

    Fill({{" ", "+1"}, {"(", "", "STYP=e"}, {" ", "+2", "STYP=e"}, {")", "", "STYP=e"}, {" ", "+"}, {" ", ""}}, 1);
    EXPECT_FALSE(tape_.InsertLine());
    EXPECT_EQ(Explanation(),
              "Cannot insert a line before the leading boundary line of an incomplete embedded "
              "calculation series.  Complete the series first.");
    EXPECT_EQ(tape_.Lines().LineCount(), 6);
}

TEST_F(EditingLinesTest, InsertLineWithAPendingAnnotationHandsTheEditOnInstead) {
    tape_.SetColumnShown(TTapeColumn::Annotations, true);
    FillTwoSeries(1);
    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Annotations, 1));
    tape_.KeyPress('a');
    EXPECT_FALSE(tape_.InsertLine());
    EXPECT_EQ(tape_.FocusColumn(), TTapeColumn::Entries);
    EXPECT_EQ(tape_.Lines().LineCount(), 7);
    EXPECT_TRUE(tape_.InsertLine());
}

TEST_F(EditingLinesTest, InsertLineOnARangeOpeningBecomesInsertNewSeries) {
    Fill({{" ", "+1"}, {"=", ""}, {"T", ""}, {"Z", "0.00"}, {"[", "", "STYP=gro"}, {"g", "", "STYP=gro"},
          {"]", "", "STYP=gro"}, {" ", ""}},
         4);
    EXPECT_FALSE(tape_.InsertLine());
    tape_.SetFocusLine(5);
    EXPECT_FALSE(tape_.InsertLine());
    EXPECT_EQ(requests_, (std::vector<int>{133}));
    EXPECT_FALSE(tape_.CanInsertLine(5));
    EXPECT_TRUE(tape_.CanInsertLine(0));
}

}  // namespace
}  // namespace tally
