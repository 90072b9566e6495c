// Focus moves on a tape: review mode, the series' refusals, the commit of an edited entry on
// the way (and the line shifts it causes), paging with fixed metrics, going to a line.
#include <optional>

#include "engine/series/series_base.h"
#include "engine/series/standard_series.h"
#include "tape_test_fixture.h"

namespace tally {
namespace {

using test::Texts;

const std::string kDivide = "\xF7";

class TapeFocusTest : public test::TapeTest {
protected:
    // Two lines of a closed series, then the open series with one entry and the last line.
    void FillTwoSeries(LineIndex focus = -1) {
        Fill({{" ", "+10.00"}, {" ", "+5.00"}, {"=", "=========="}, {"T", "15.00"},
              {"Z", "0.00", "TT=DE,SDP=2"}, {" ", "+7.00"}, {" ", ""}},
             focus);
    }
    void TypeOver(const std::string& text) {
        TEntryEditor& editor = tape_.Editor();
        editor.SelStart = 0;
        editor.SelLength = static_cast<int>(editor.Text.size());
        for (char c : text) tape_.KeyPress(c);
    }
};

TEST_F(TapeFocusTest, ReviewModeKeepsTheOpenSeriesValuesWhileTheFocusIsElsewhere) {
    FillTwoSeries();
    tape_.SetOpenSeriesDecimalPlaces(4);
    tape_.SetFocusLine(tape_.LastLine());
    std::vector<int> lineNumbers;
    int decimalsShown = 0;
    tape_.Hooks().OnLineNumberChange = [&](TCalculator&, int number) { lineNumbers.push_back(number); };
    tape_.Hooks().OnDecimalPlacesChange = [&](TCalculator&) { ++decimalsShown; };
    EXPECT_FALSE(tape_.InReviewMode());

    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Entries, 1));
    EXPECT_TRUE(tape_.InReviewMode());
    EXPECT_EQ(tape_.CurrentSeries()->DecimalPlaces(), 2);
    EXPECT_EQ(tape_.OpenSeriesDecimalPlaces(), 4);

    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Entries, tape_.LastLine()));
    EXPECT_FALSE(tape_.InReviewMode());
    EXPECT_EQ(tape_.CurrentSeries()->DecimalPlaces(), 4);
    EXPECT_EQ(lineNumbers, (std::vector<int>{2, 7}));
    EXPECT_EQ(decimalsShown, 2);
}

TEST_F(TapeFocusTest, LeavingAnEmptyEntryIsRefusedInTheWordsOfTheWayTheMoveWasAsked) {
    Fill({{" ", "+10.00"}, {" ", ""}, {" ", "+1.00"}, {" ", ""}}, 1);
    EXPECT_FALSE(tape_.SelectCell(TTapeColumn::Entries, 0));
    EXPECT_EQ(Explanation(),
              "Can not move to a different line when the entry with the focus highlight is empty.  "
              "You can either delete the line or enter a number.");
    EXPECT_FALSE(tape_.GoToLine(1));
    EXPECT_EQ(Explanation(),
              "Cannot move to a different line when the entry with the focus highlight is empty.  "
              "You can either delete the line or enter a number.");
    EXPECT_FALSE(tape_.NextPage());
    EXPECT_EQ(tape_.FocusLine(), 1);
    EXPECT_EQ(Beeps(), 3);
}

TEST_F(TapeFocusTest, TheFocusStaysInsideAnIncompleteEmbeddedSeries) {
    Fill({{" ", "+1.00"},
          {"(", "", "STYP=e"},
          {" ", "+2.00", "STYP=e"},
          {" ", "", "STYP=e"},
          {")", "", "STYP=e"},
          {" ", "+"},
          {" ", ""}},
         3);
    ASSERT_EQ(tape_.CurrentSeries()->FocusPosition(), TFocusPosition::IncompleteEmbeddedLastLine);
    const std::string refusal = "Cannot move the focus highlight out of an incomplete embedded series.";
    for (LineIndex outside : {0, 4, 6}) {
        EXPECT_FALSE(tape_.SelectCell(TTapeColumn::Entries, outside)) << outside;
        EXPECT_EQ(Explanation(), refusal);
    }
    // The empty open line of the embedded series may be left for a line inside it.
    EXPECT_TRUE(tape_.SelectCell(TTapeColumn::Entries, 2));
    EXPECT_EQ(tape_.CurrentSeries()->FocusPosition(), TFocusPosition::IncompleteEmbeddedLine);

    // Its "(" line belongs to it too: the refusals made there are reached, and the focus does
    // not leave the series that way either.
    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Entries, 1));
    EXPECT_FALSE(tape_.InsertLine());
    EXPECT_EQ(Explanation(),
              "Cannot insert a line before the leading boundary line of an incomplete embedded "
              "calculation series.  Complete the series first.");
    EXPECT_FALSE(tape_.InsertNewEmbeddedSeries());
    EXPECT_EQ(Explanation(), "Complete the current embedded calculation series before inserting another one.");
    for (LineIndex outside : {0, 4, 6}) {
        EXPECT_FALSE(tape_.SelectCell(TTapeColumn::Entries, outside)) << outside;
        EXPECT_EQ(Explanation(), refusal);
    }
    EXPECT_EQ(tape_.Lines().LineCount(), 7);
    EXPECT_TRUE(tape_.SelectCell(TTapeColumn::Entries, 3));
}

TEST_F(TapeFocusTest, AChangedEntryIsCommittedBeforeTheFocusLeavesAndARefusalKeepsTheFocus) {
    FillTwoSeries(1);
    TypeOver("+6");
    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Entries, 5));
    EXPECT_EQ(Entries()[1], "+6.00");
    EXPECT_EQ(Entries()[3], "16.00");

    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Entries, 1));
    TypeOver(kDivide + "0");
    EXPECT_FALSE(tape_.SelectCell(TTapeColumn::Entries, 5));
    EXPECT_EQ(Explanation(), "Can not divide by zero.");
    EXPECT_EQ(tape_.FocusLine(), 1);
    EXPECT_EQ(Entries()[3], "16.00");
}

// A commit that inserts or removes lines cancels the move and asks for the aimed-at line
// after the event; only changes above the target shift it.
TEST_F(TapeFocusTest, ACommitThatMovesLinesSelectsTheAimedAtLineAfterTheEvent) {
    struct Case {
        LineIndex focus;
        LineIndex target;
        LineIndex changeAt;
        int change;  // lines inserted (+) or removed (-) at changeAt
        int expectedRow;
    };
    for (const Case& c : {Case{1, 5, 2, +2, 8}, Case{5, 0, 6, +2, 1}, Case{5, 1, 3, -1, 2},
                          Case{1, 5, 3, -1, 5}}) {
        SCOPED_TRACE(c.focus * 100 + c.target);
        FillTwoSeries(c.focus);
        requests_.clear();
        requestRows_.clear();
        tape_.Hooks().OnEntryCommitted = [&](TCalculator& tape) {
            if (c.change > 0) tape.Lines().InsertLines(c.changeAt, c.change);
            if (c.change < 0) tape.Lines().RemoveLines(c.changeAt, -c.change);
        };
        TypeOver("+9");
        EXPECT_FALSE(tape_.SelectCell(TTapeColumn::Entries, c.target));
        ASSERT_EQ(requests_, (std::vector<int>{101}));
        EXPECT_EQ(requestRows_.back(), c.expectedRow);
        tape_.Hooks().OnEntryCommitted = nullptr;
    }
}

TEST_F(TapeFocusTest, PagingWalksWholeVisiblePagesByRowHeights) {
    // 400 pixels high, a 20-pixel heading row and a 1-pixel grid line leave room for 18 rows of
    // 20 + 1 pixels.
    TLineStore& lines = tape_.Lines();
    lines.RemoveLines(0, lines.LineCount());
    lines.InsertLines(0, 50);
    for (LineIndex line = 0; line < 49; ++line) lines.SetEntries(line, "+1.00");
    tape_.SetFocusLine(0);
    EXPECT_EQ(tape_.VisibleLineCount(), 18);

    std::vector<std::pair<LineIndex, LineIndex>> visits;  // focus, top
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(tape_.NextPage());
        visits.emplace_back(tape_.FocusLine(), tape_.TopLine());
    }
    EXPECT_EQ(visits, (std::vector<std::pair<LineIndex, LineIndex>>{{18, 18}, {36, 36}, {49, 36}}));
    EXPECT_FALSE(tape_.InReviewMode());
    ASSERT_TRUE(tape_.NextPage());  // on the last line: nothing happens
    EXPECT_EQ(tape_.FocusLine(), 49);

    ASSERT_TRUE(tape_.PriorPage());
    EXPECT_EQ(tape_.TopLine(), 18);
    EXPECT_EQ(tape_.FocusLine(), 18);

    // A row three rows high shortens the pages it is on.
    lines.SetRowHeight(5, 62);
    ASSERT_TRUE(tape_.PriorPage());
    EXPECT_EQ(tape_.TopLine(), 2);
    EXPECT_EQ(tape_.VisibleLineCount(), 16);
    ASSERT_TRUE(tape_.PriorPage());
    EXPECT_EQ(tape_.TopLine(), 0);
    ASSERT_TRUE(tape_.PriorPage());  // the top line is the first line
    EXPECT_EQ(tape_.FocusLine(), 0);
    ASSERT_TRUE(tape_.NextPage());
    EXPECT_EQ(tape_.FocusLine(), 16);
}

TEST_F(TapeFocusTest, GoToLineClampsAndReadsTapeLetters) {
    FillTwoSeries(0);
    tape_.Hooks().IsAuxTapeIdEnabled = [](char id) { return id == 'm'; };
    struct Case {
        std::string text;
        std::optional<char> answer;
        LineIndex focus;
        std::string explanation;
    };
    for (const Case& c : {Case{"0", 't', 0, ""}, Case{"999", 't', 6, ""}, Case{"T3", 't', 2, ""},
                          Case{"t5", 't', 4, ""}, Case{"m5", 'm', 4, ""},
                          Case{"x3", std::nullopt, 4, "Invalid tape id."},
                          Case{"3a", std::nullopt, 4, "Invalid line number."},
                          Case{"t", std::nullopt, 4, "Invalid line number."}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(tape_.GoToLineText(c.text), c.answer);
        EXPECT_EQ(tape_.FocusLine(), c.focus);
        if (!c.explanation.empty()) {
            EXPECT_EQ(Explanation(), c.explanation);
        }
    }
}

TEST_F(TapeFocusTest, KeysMoveTheFocusAndTabFollowsTheShownColumns) {
    FillTwoSeries(0);
    tape_.SetColumnShown(TTapeColumn::Annotations, true);
    tape_.SetColumnShown(TTapeColumn::TableColumns, true);
    std::vector<std::pair<TTapeColumn, LineIndex>> cells;
    auto press = [&](TTapeKey key, TKeyModifiers modifiers = {}) {
        EXPECT_TRUE(tape_.KeyDown(key, modifiers));
        cells.emplace_back(tape_.FocusColumn(), tape_.FocusLine());
    };
    press(TTapeKey::Tab);
    press(TTapeKey::Tab);
    press(TTapeKey::Tab);
    press(TTapeKey::Tab, {.Shift = true});
    press(TTapeKey::Enter);  // in Annotations: one line down
    press(TTapeKey::PageDown, {.Ctrl = true});
    press(TTapeKey::Up);
    EXPECT_EQ(cells, (std::vector<std::pair<TTapeColumn, LineIndex>>{
                         {TTapeColumn::TableColumns, 0},
                         {TTapeColumn::Annotations, 0},
                         {TTapeColumn::Entries, 1},
                         {TTapeColumn::Annotations, 0},
                         {TTapeColumn::Annotations, 1},
                         {TTapeColumn::Annotations, 6},
                         {TTapeColumn::Annotations, 5}}));

    tape_.SetColumnShown(TTapeColumn::Annotations, false);
    tape_.SetColumnShown(TTapeColumn::TableColumns, false);
    EXPECT_EQ(tape_.FocusColumn(), TTapeColumn::Entries);
    EXPECT_TRUE(tape_.KeyDown(TTapeKey::Tab));
    EXPECT_EQ(tape_.FocusLine(), 6);
    EXPECT_FALSE(tape_.KeyDown(TTapeKey::Enter));  // data entry's key in the Entries column
}

}  // namespace
}  // namespace tally
