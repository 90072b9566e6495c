// Taking embedded series out again: Empty and Reset down to one empty line, Delete with the
// external total line, and the tape commands that reach them. Typed rows read
// "indicator|entries|running total"; filled ones "indicator|entries".
#include "engine/lines/calc_params.h"
#include "engine/series/standard_series.h"
#include "foundation/numbers/format_settings.h"
#include "tape_route_typing.h"

namespace tally {
namespace {

using test::Rows;
using test::TapeRow;

class EmbeddedRemovalTest : public test::TypingTest {
protected:
    // The keys before, a new embedded series, the keys inside.
    void TypeAround(std::string_view before, std::string_view inside) {
        Type(before);
        ASSERT_TRUE(tape_.InsertNewEmbeddedSeries());
        Type(inside);
    }
    // 100 + (3 + 4 + 5), complete, then the tape's last line "+".
    void TypeThreeEntrySeries() { TypeAround("100+\b", "3+4+5\n"); }

    std::vector<std::string> KindsAndEntries() const {
        std::vector<std::string> rows;
        for (LineIndex line = 0; line < tape_.Lines().LineCount(); ++line) {
            rows.push_back(std::string(tape_.Lines().Indicator(line)) + "|" +
                           std::string(tape_.Lines().Entries(line)));
        }
        return rows;
    }
};

TEST_F(EmbeddedRemovalTest, EmptyingLeavesOneOpenLineAndGivesTheTotalBack) {
    struct Case {
        std::string name, before;
        LineIndex focus;
        Rows rows;
        long double runningValue;
    };
    const std::vector<Case> cases = {
        // The product's total falls back to the total before the external total line.
        {"multiplied", "100X", 3,
         {" |+100.00|100.00", "(||", " ||", ")||", " |X|", "=|==========|", "T|100.00|100.00", " |+|"}, 100},
        {"from an entry", "100+\b", 3,
         {" |+100.00|100.00", "(||", " ||", ")||", " |+|", " |+|"}, 100},
        {"from the opening line", "100+\b", 1,
         {" |+100.00|100.00", "(||", " ||", ")||", " |+|", " |+|"}, 100},
        {"from the total", "100+\b", 6,
         {" |+100.00|100.00", "(||", " ||", ")||", " |+|", " |+|"}, 100},
        {"from the closing line", "100+\b", 7,
         {" |+100.00|100.00", "(||", " ||", ")||", " |+|", " |+|"}, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tape_.EraseTape();
        TypeAround(c.before, "3+4+5\n");
        ASSERT_NE(tape_.RunningValue(), c.runningValue);
        tape_.SetFocusLine(c.focus);
        ASSERT_TRUE(tape_.CanEmptyEmbeddedSeries());
        ASSERT_TRUE(tape_.EmptyEmbeddedSeries());
        EXPECT_EQ(TapeRows(), c.rows);
        EXPECT_EQ(tape_.RunningValue(), c.runningValue);
        EXPECT_EQ(tape_.FocusLine(), 2);
        EXPECT_EQ(tape_.CurrentSeries()->FocusPosition(), TFocusPosition::IncompleteEmbeddedLastLine);
        EXPECT_EQ(tape_.CurrentSeries()->EmbeddedSeriesTotal(), 0);
        EXPECT_EQ(tape_.SavedFocusEntry(), "+0.00");
        EXPECT_TRUE(tape_.IsModified());
        EXPECT_TRUE(Beeps().empty());
    }
    // The emptied series is typed and completed again like a new one.
    Type("2\n");
    EXPECT_EQ(TapeRows(), (Rows{" |+100.00|100.00", "(||", " |+2.00|", "=|==========|", "T|2.00|", ")||",
                                " |+2.00|102.00", " |+|"}));
}

TEST_F(EmbeddedRemovalTest, EmptyingAnEmbeddedSeriesInsideAClosedSeriesRecalculatesItsTotal) {
    Fill({{" ", "+10.00"},
          {"(", "", "STYP=e"},
          {" ", "+3.00", "STYP=e"},
          {" ", "+4.00", "STYP=e"},
          {"=", "==========", "STYP=e"},
          {"T", "7.00", "STYP=e"},
          {")", "", "STYP=e,TT=DE,SDP=2"},
          {" ", "+7.00"},
          {"=", "=========="},
          {"T", "17.00"},
          {"Z", "0.00", "TT=DE,SDP=2"},
          {" ", ""}},
         3);
    ASSERT_TRUE(tape_.EmptyEmbeddedSeries());
    EXPECT_EQ(KindsAndEntries(), (Rows{" |+10.00", "(|", " |", ")|", " |+", "=|==========", "T|10.00",
                                       "Z|0.00", " |"}));
}

TEST_F(EmbeddedRemovalTest, EmptyClearsTheTableAssignmentAndResetAlsoTheLinkAndTexts) {
    const auto fill = [this] {
        Fill({{" ", "+1.00"},
              {"(", "", "STYP=e"},
              {" ", "+3.00", "STYP=e,LID=x,TCN=2,TCID=7"},
              {" ", "+4.00", "STYP=e"},
              {" ", "", "STYP=e"},
              {")", "", "STYP=e,TT=DE,SDP=2"},
              {" ", "+"},
              {" ", ""}},
             3);
        tape_.Lines().SetCell(2, TLineColumn::Links, "D");
        tape_.Lines().SetCell(2, TLineColumn::Annotations, "note");
        tape_.Lines().SetCell(2, TLineColumn::TableColumns, "2");
    };
    struct Case {
        bool reset;
        std::string params, annotation, tableColumns;
    };
    for (const Case& c : {Case{false, "STYP=e,LID=x", "note", "2"}, Case{true, "STYP=e", "", ""}}) {
        SCOPED_TRACE(c.reset);
        fill();
        ASSERT_TRUE(c.reset ? tape_.StandardSeries().ResetEmbeddedSeries()
                            : tape_.StandardSeries().EmptyEmbeddedSeries());
        EXPECT_EQ(KindsAndEntries(), (Rows{" |+1.00", "(|", " |", ")|", " |+", " |"}));
        EXPECT_EQ(tape_.Lines().ParamsText(2), c.params);
        EXPECT_EQ(tape_.Lines().Cell(2, TLineColumn::Links), "");
        EXPECT_EQ(tape_.Lines().Cell(2, TLineColumn::Annotations), c.annotation);
        EXPECT_EQ(tape_.Lines().Cell(2, TLineColumn::TableColumns), c.tableColumns);
    }
}

TEST_F(EmbeddedRemovalTest, OnlyALineOfAnEmbeddedSeriesWithContentCanBeEmptied) {
    Fill({{" ", "+1.00"},
          {"(", "", "STYP=e"},  // 1 empty series
          {" ", "", "STYP=e"},
          {")", "", "STYP=e"},
          {" ", "+"},           // 4
          {" ", "+2.00"},       // 5
          {"(", "", "STYP=e"},  // 6 one entry
          {" ", "+5.00", "STYP=e"},
          {")", "", "STYP=e"},
          {" ", "+"},
          {" ", ""}});
    struct Case {
        LineIndex focus;
        bool canDelete, canEmpty;
    };
    for (const Case& c : {Case{0, false, false}, Case{1, true, false}, Case{2, true, false}, Case{3, true, false},
                          Case{4, false, false}, Case{5, false, false}, Case{6, true, true}, Case{7, true, true},
                          Case{10, false, false}}) {
        SCOPED_TRACE(c.focus);
        tape_.SetFocusLine(c.focus);
        EXPECT_EQ(tape_.CanDeleteEmbeddedSeries(), c.canDelete);
        EXPECT_EQ(tape_.CanEmptyEmbeddedSeries(), c.canEmpty);
        const Rows before = TapeRows();
        if (!c.canEmpty) {
            EXPECT_FALSE(tape_.EmptyEmbeddedSeries());
            EXPECT_EQ(TapeRows(), before);
        }
        if (!c.canDelete) {
            EXPECT_FALSE(tape_.DeleteEmbeddedSeries());
            EXPECT_EQ(TapeRows(), before);
        }
    }
}

TEST_F(EmbeddedRemovalTest, DeletingWithTheExternalTotalOnTheLastLineLeavesAnEmptyLastLine) {
    // Incomplete, the external total line still the tape's last line.
    TypeAround("100+\b", "3+4");
    ASSERT_TRUE(tape_.DeleteEmbeddedSeries());
    EXPECT_EQ(TapeRows(), (Rows{" |+100.00|100.00", " ||"}));
    EXPECT_EQ(tape_.FocusLine(), 1);
    EXPECT_EQ(tape_.RunningValue(), 100);
    EXPECT_FALSE(tape_.InReviewMode());

    // The adding machine leaves a complete series' total uncommitted on the last line.
    tape_.EraseTape();
    tape_.SetDataEntryOption(DataEntryOption::kAddingMachine);
    Type("12X3\n");
    tape_.SetFocusLine(2);
    ASSERT_TRUE(tape_.DeleteEmbeddedSeries());
    EXPECT_EQ(TapeRows(), (Rows{" ||"}));
    EXPECT_EQ(tape_.RunningValue(), 0);
}

TEST_F(EmbeddedRemovalTest, DeleteSeriesOnAnEmbeddedLineDeletesTheEmbeddedSeriesOnly) {
    TypeThreeEntrySeries();
    Type("2+\b");
    const Rows withoutEmbedded = {" |+100.00|100.00", " |+2.00|102.00", " ||"};
    tape_.SetFocusLine(4);
    ASSERT_TRUE(tape_.DeleteSeries());
    EXPECT_EQ(TapeRows(), withoutEmbedded);
    EXPECT_EQ(tape_.RunningValue(), 102);
    EXPECT_EQ(tape_.FocusLine(), 1);

    // Delete Line on a boundary line asks for Delete Series, which runs after the event.
    for (const LineIndex boundary : {1, 7}) {
        SCOPED_TRACE(boundary);
        tape_.EraseTape();
        TypeThreeEntrySeries();
        Type("2+\b");
        tape_.SetFocusLine(boundary);
        posted_.clear();
        EXPECT_FALSE(tape_.DeleteLine());
        EXPECT_EQ(PostedCodes(), (std::vector<int>{requests::DeleteEmbeddedSeriesCommand}));
        RunRequests();
        EXPECT_EQ(TapeRows(), withoutEmbedded);
    }
}

TEST_F(EmbeddedRemovalTest, AnExternalTotalFirstInItsSeriesBeforeAMultiplicativeLineStays) {
    SetDivideOperChar('\xF7');
    const std::string refusal =
        "Cannot delete or cut an embedded series when its external total line is the first normal line in "
        "its container series and that external total line is followed by a line containing an X, \xF7, P, "
        "or R arithmetic operator.";
    for (const std::string op : {"X", "\xF7", "P", "R"}) {
        SCOPED_TRACE(op);
        Fill({{"(", "", "STYP=e"},
              {" ", "+3.00", "STYP=e"},
              {"=", "==========", "STYP=e"},
              {"T", "3.00", "STYP=e"},
              {")", "", "STYP=e,TT=DE,SDP=2"},
              {" ", "+3.00"},
              {" ", op + "2.00"},
              {"=", "=========="},
              {"T", "6.00"},
              {"Z", "0.00", "TT=DE,SDP=2"},
              {" ", ""}},
             1);
        const Rows before = TapeRows();
        Beeps().clear();
        EXPECT_FALSE(tape_.DeleteSeries());
        EXPECT_EQ(Beeps(), (std::vector<std::string>{refusal}));
        EXPECT_EQ(TapeRows(), before);
        EXPECT_EQ(tape_.FocusLine(), 1);
    }
}

TEST_F(EmbeddedRemovalTest, DeletingTakesTheExternalTotalLineAndTheTotalsItLeavesBehind) {
    const std::vector<TapeRow> embedded = {{"(", "", "STYP=e"},
                                           {" ", "+3.00", "STYP=e"},
                                           {"=", "==========", "STYP=e"},
                                           {"T", "3.00", "STYP=e"},
                                           {")", "", "STYP=e,TT=DE,SDP=2"},
                                           {" ", "+3.00"}};
    struct Case {
        std::string name;
        std::vector<TapeRow> before, after;  // around the embedded series and its external total line
        Rows rows;
    };
    const std::vector<Case> cases = {
        {"between two entries",
         {{" ", "+10.00"}},
         {{" ", "+1.00"}, {"=", "=========="}, {"T", "14.00"}, {"Z", "0.00", "TT=DE,SDP=2"}, {" ", ""}},
         {" |+10.00", " |+1.00", "=|==========", "T|11.00", "Z|0.00", " |"}},
        {"first in its series, with a subtotal after it",
         {},
         {{"=", "=========="}, {"S", "3.00"}, {" ", "+4.00"}, {"=", "=========="}, {"T", "7.00"},
          {"Z", "0.00", "TT=DE,SDP=2"}, {" ", ""}},
         {" |+4.00", "=|==========", "T|4.00", "Z|0.00", " |"}},
        {"between two totals",
         {{" ", "+10.00"}, {"=", "=========="}, {"S", "10.00"}},
         {{"=", "=========="}, {"T", "13.00"}, {"Z", "0.00", "TT=DE,SDP=2"}, {" ", ""}},
         {" |+10.00", "=|==========", "T|10.00", "Z|0.00", " |"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<TapeRow> rows = c.before;
        rows.insert(rows.end(), embedded.begin(), embedded.end());
        rows.insert(rows.end(), c.after.begin(), c.after.end());
        Fill(rows, static_cast<LineIndex>(c.before.size()) + 1);
        int lineCounts = 0;
        tape_.Hooks().OnLineCountChange = [&](TCalculator&) { ++lineCounts; };
        ASSERT_TRUE(tape_.DeleteEmbeddedSeries());
        EXPECT_EQ(KindsAndEntries(), c.rows);
        EXPECT_EQ(lineCounts, 1);
        EXPECT_TRUE(Beeps().empty());
        tape_.Hooks().OnLineCountChange = nullptr;
    }

    // First in a series that its total and a zero total close: the whole series goes, after
    // the event.
    Fill({{"(", "", "STYP=e"},
          {" ", "+3.00", "STYP=e"},
          {"=", "==========", "STYP=e"},
          {"T", "3.00", "STYP=e"},
          {")", "", "STYP=e,TT=DE,SDP=2"},
          {" ", "+3.00"},
          {"=", "=========="},
          {"T", "3.00"},
          {"Z", "0.00", "TT=DE,SDP=2"},
          {" ", "+5.00"},
          {" ", ""}},
         1);
    posted_.clear();
    EXPECT_FALSE(tape_.DeleteEmbeddedSeries());
    EXPECT_EQ(PostedCodes(), (std::vector<int>{requests::DeleteSeriesCommand}));
    RunRequests();
    EXPECT_EQ(KindsAndEntries(), (Rows{" |+5.00", " |"}));
}

}  // namespace
}  // namespace tally
