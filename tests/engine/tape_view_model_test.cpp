// What the tape keeps for the grid that shows it: the focus line scrolled into view, whether it
// is in view, the editor reset and its selection kept while the window is made again, and the
// column widths fitted to the cells.
#include "foundation/deferred_request_codes.h"
#include "tape_test_fixture.h"

namespace tally {
namespace {

class TapeViewModelTest : public test::TapeTest {
protected:
    // Fifty lines, the last one open, the focus on the line given.
    void FiftyLines(LineIndex focus) {
        TLineStore& lines = tape_.Lines();
        lines.RemoveLines(0, lines.LineCount());
        lines.InsertLines(0, 50);
        for (LineIndex line = 0; line < 49; ++line) lines.SetEntries(line, "+1.00");
        tape_.SetFocusLine(focus);
    }
};

// 400 pixels with a 21-pixel heading show 18 whole rows of 21 pixels from the top line, and one
// more pixel of the next row.
TEST_F(TapeViewModelTest, TheFocusLineIsScrolledIntoViewAsLittleAsNeeded) {
    struct Case {
        LineIndex Top;
        LineIndex Focus;
        bool PartlyVisible;
        LineIndex TopAfterScroll;
    };
    const Case cases[] = {
        {0, 17, true, 0},   // the last whole row
        {0, 18, true, 1},   // one pixel of it shows
        {0, 19, false, 2},  // below the view
        {20, 5, false, 5},  // above the view
        {20, 20, true, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Focus);
        FiftyLines(c.Focus);
        tape_.SetTopLine(c.Top);
        EXPECT_EQ(tape_.IsFocusLinePartlyVisible(), c.PartlyVisible);
        tape_.ScrollFocusIntoView();
        EXPECT_EQ(tape_.TopLine(), c.TopAfterScroll);
        EXPECT_TRUE(tape_.IsFocusLinePartlyVisible());
    }

    // A tall row above the focus line pushes it out of view.
    FiftyLines(17);
    tape_.SetTopLine(0);
    tape_.Lines().SetRowHeight(3, 100);
    EXPECT_FALSE(tape_.IsFocusLinePartlyVisible());
}

TEST_F(TapeViewModelTest, TheEditorIsResetAndItsSelectionSurvivesTheWindowBeingMadeAgain) {
    Fill({{" ", "+123.45"}, {" ", ""}}, 0);
    TEntryEditor& editor = tape_.Editor();
    editor.SelStart = 1;
    editor.SelLength = 3;
    tape_.SaveEditorSelection();
    // Showing the new window selects the whole text.
    editor.SelStart = 0;
    editor.SelLength = 7;
    tape_.RestoreEditorSelection();
    EXPECT_EQ(editor.SelStart, 1);
    EXPECT_EQ(editor.SelLength, 3);
    // Restored once only.
    editor.SelLength = 0;
    tape_.RestoreEditorSelection();
    EXPECT_EQ(editor.SelLength, 0);

    // A selection beyond a text that became shorter meanwhile is cut to the text.
    editor.SelStart = 5;
    editor.SelLength = 2;
    tape_.SaveEditorSelection();
    editor.Text = "+1";
    tape_.RestoreEditorSelection();
    EXPECT_EQ(editor.SelStart, 2);
    EXPECT_EQ(editor.SelLength, 0);

    tape_.ResetEditor();
    EXPECT_EQ(editor.Text, "+123.45");
    EXPECT_EQ(editor.SelStart, 7);
    EXPECT_EQ(editor.SelLength, 0);
}

// Fixed metrics: 7 pixels a character, 5 pixels of margin.
TEST_F(TapeViewModelTest, ColumnWidthsFitTheWidestCellButNeverTheDefault) {
    Fill({{" ", "+1,234,567,890,123.00"}, {"T", "1,234,567,890,123.00"}, {" ", ""}});
    tape_.SetColumnShown(TTapeColumn::Line, true);
    tape_.SetColumnShown(TTapeColumn::RunningTotal, true);
    tape_.SetColumnShown(TTapeColumn::Annotations, true);
    tape_.SetColumnWidth(TTapeColumn::RunningTotal, 500);
    tape_.SetColumnWidth(TTapeColumn::Annotations, 300);
    tape_.Lines().SetCell(0, TLineColumn::Annotations, std::string(100, 'a'));
    requests_.clear();

    tape_.FitColumnWidths();
    EXPECT_EQ(tape_.ColumnWidth(TTapeColumn::Entries), 21 * 7 + 5);
    EXPECT_EQ(tape_.ColumnWidth(TTapeColumn::RunningTotal), tape_.DefaultColumnWidth(TTapeColumn::RunningTotal));
    EXPECT_EQ(tape_.ColumnWidth(TTapeColumn::Line), tape_.DefaultColumnWidth(TTapeColumn::Line));
    EXPECT_EQ(tape_.ColumnWidth(TTapeColumn::Annotations), 300);
    EXPECT_TRUE(Posted(requests::RecomputeWindowWidth));

    // Fitted widths stay, and the window is not asked again.
    requests_.clear();
    tape_.FitColumnWidths();
    EXPECT_FALSE(Posted(requests::RecomputeWindowWidth));
}

}  // namespace
}  // namespace tally
