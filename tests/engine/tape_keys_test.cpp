// Typing into the Table Columns and Annotations columns, the columns' set and widths, row
// heights and cell colours.
#include "platform/clipboard.h"
#include "tape_test_fixture.h"

namespace tally {
namespace {

using test::Texts;

class TapeKeysTest : public test::TapeTest {
protected:
    TapeKeysTest() {
        tape_.SetColumnShown(TTapeColumn::Annotations, true);
        tape_.SetColumnShown(TTapeColumn::TableColumns, true);
        Fill({{" ", "+1.00"},                      // 0
              {"=", "=========="},                 // 1
              {"T", "1.00"},                       // 2
              {"Z", "0.00", "SDP=2"},              // 3
              {"[", "", "STYP=gro"},               // 4
              {"g", "1.00", "STYP=gro"},           // 5
              {"]", "", "STYP=gro"},               // 6
              {"{", "", "STYP=gra"},               // 7
              {"G", "1.00", "STYP=gra"},           // 8
              {"}", "", "STYP=gra"},               // 9
              {" ", ""}});                         // 10
        requests_.clear();
    }
    // Puts the focus on a line's cell without the focus-move checks.
    void FocusCell(LineIndex line, TTapeColumn column) {
        tape_.SetFocusLine(line);
        ASSERT_TRUE(tape_.SelectCell(column, line));
    }
};

TEST_F(TapeKeysTest, TableColumnsTakeDigitsUpToTheMaximumOnAssignableLinesOnly) {
    const std::string tooBig =
        "The number you are trying to enter exceeds the maximum table column number of 20.  (You "
        "can change this maximum number by changing the maximum number of table DATA columns "
        "allowed in the General Options window.)";
    struct Case {
        LineIndex line;
        std::string before;
        char key;
        std::string refusal;  // empty: accepted
    };
    for (const Case& c : {Case{0, "", '7', ""}, Case{0, "2", '0', ""}, Case{0, "2", '3', tooBig},
                          Case{0, "", 'a', "Only digits are permitted in the Table Columns column."},
                          // There is no column 0.
                          Case{0, "", '0', "The number you are trying to enter is below the minimum table column number of 1."},
                          Case{1, "", 'a', "Only digits are permitted in the Table Columns column."},
                          Case{1, "", '5', "A total indicator line cannot be assigned to a table column."},
                          Case{2, "", '5', ""},
                          Case{3, "", '5', "A zero total line cannot be assigned to a table column."},
                          Case{4, "", '5', "A series boundary line cannot be assigned to a table column."},
                          Case{5, "", '5', ""},
                          Case{6, "", TapeChar::kBackspace, "A series boundary line cannot be assigned to a table column."},
                          Case{7, "", '5', "A series boundary line cannot be assigned to a table column."},
                          Case{8, "", '5', ""}}) {
        SCOPED_TRACE(std::to_string(c.line) + c.key);
        tape_.Lines().SetCell(c.line, TLineColumn::TableColumns, c.before);
        FocusCell(c.line, TTapeColumn::TableColumns);
        tape_.SetModified(false);
        const int beeps = Beeps();
        EXPECT_TRUE(tape_.KeyPress(c.key));
        if (c.refusal.empty()) {
            EXPECT_EQ(tape_.Lines().TableColumns(c.line), c.before + c.key);
            EXPECT_TRUE(tape_.IsModified());
            EXPECT_EQ(Beeps(), beeps);
        } else {
            EXPECT_EQ(Explanation(), c.refusal);
            EXPECT_EQ(tape_.Lines().TableColumns(c.line), c.before);
            EXPECT_FALSE(tape_.IsModified());
        }
    }
}

TEST_F(TapeKeysTest, GroupAndGrandTotalRangesTakeAssignmentsOnTheirTotalLinesOnly) {
    tape_.Lines().SetIndicator(5, " ");
    tape_.Lines().SetIndicator(8, " ");
    FocusCell(5, TTapeColumn::TableColumns);
    tape_.KeyPress('5');
    EXPECT_EQ(Explanation(),
              "Only the group total line within a group total series can be assigned to a table column.");
    FocusCell(8, TTapeColumn::TableColumns);
    tape_.KeyPress('5');
    EXPECT_EQ(Explanation(),
              "Only the grand total line within a grand total series can be assigned to a table column.");
}

TEST_F(TapeKeysTest, AnnotationEditsArePendingUntilTheFocusLeavesAndEscapeRestores) {
    HeadlessClipboard clipboard;
    tape_.SetClipboard(&clipboard);
    std::vector<LineIndex> committed;
    tape_.Hooks().CommitAnnotation = [&](TCalculator&, LineIndex line) { committed.push_back(line); };
    tape_.Lines().SetCell(0, TLineColumn::Annotations, "old");
    tape_.Lines().SetProperty(0, LineKey::kTableColumnId, "C1");
    FocusCell(0, TTapeColumn::Annotations);

    tape_.KeyPress('!');
    EXPECT_EQ(tape_.Lines().Annotations(0), "old!");
    EXPECT_TRUE(tape_.KeyPress(TapeChar::kEscape));
    EXPECT_EQ(tape_.Lines().Annotations(0), "old");

    clipboard.SetText("first\r\nsecond\nthird");
    EXPECT_TRUE(tape_.KeyPress(TapeChar::kCtrlV));
    EXPECT_EQ(clipboard.GetText(), "first  second\nthird");
    EXPECT_EQ(tape_.Lines().Annotations(0), "oldfirst  second third");
    EXPECT_TRUE(tape_.KeyPress(TapeChar::kEnter));  // swallowed
    EXPECT_TRUE(committed.empty());

    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Annotations, 2));
    EXPECT_EQ(committed, (std::vector<LineIndex>{0}));
}

TEST_F(TapeKeysTest, ColumnsKeepTheirOrderFocusAndTopLineWhenShownOrHidden) {
    tape_.SetColumnShown(TTapeColumn::Line, true);
    tape_.SetColumnShown(TTapeColumn::RunningTotal, true);
    tape_.SetColumnShown(TTapeColumn::Entries, false);  // always shown
    EXPECT_EQ(tape_.ShownColumns(),
              (std::vector<TTapeColumn>{TTapeColumn::Line, TTapeColumn::Entries, TTapeColumn::Indicator,
                                        TTapeColumn::RunningTotal, TTapeColumn::TableColumns,
                                        TTapeColumn::Annotations}));
    EXPECT_EQ(tape_.ColumnPosition(TTapeColumn::Annotations), 5);
    EXPECT_EQ(tape_.ColumnPosition(TTapeColumn::Links), -1);

    FocusCell(2, TTapeColumn::TableColumns);
    tape_.SetTopLine(1);
    requests_.clear();
    tape_.SetModified(false);
    tape_.SetColumnShown(TTapeColumn::TableColumns, false);
    EXPECT_EQ(tape_.FocusColumn(), TTapeColumn::Entries);
    EXPECT_EQ(tape_.FocusLine(), 2);
    EXPECT_EQ(tape_.TopLine(), 1);
    EXPECT_TRUE(tape_.IsModified());
    EXPECT_EQ(requests_, (std::vector<int>{110}));
}

TEST_F(TapeKeysTest, WidthsAndHeightsStepByTextMetricsWithinTheirLimits) {
    // Seven pixels a character: the widest of heading and sample, plus 5.
    EXPECT_EQ(tape_.ColumnWidth(TTapeColumn::Entries), 14 * 7 + 5);
    EXPECT_EQ(tape_.ColumnWidth(TTapeColumn::TableColumns), 7 * 7 + 5);
    EXPECT_EQ(tape_.ColumnWidth(TTapeColumn::Links), 19 * 7 + 5);

    FocusCell(0, TTapeColumn::Entries);
    tape_.KeyDown(TTapeKey::Right, {.Alt = true});
    EXPECT_EQ(tape_.ColumnWidth(TTapeColumn::Entries), 103 + 35);
    tape_.KeyDown(TTapeKey::Left, {.Shift = true, .Alt = true});
    EXPECT_EQ(tape_.ColumnWidth(TTapeColumn::Entries), 103 + 28);
    for (int i = 0; i < 10; ++i) tape_.KeyDown(TTapeKey::Left, {.Alt = true});
    EXPECT_EQ(tape_.ColumnWidth(TTapeColumn::Entries), 35);

    tape_.KeyDown(TTapeKey::Down, {.Alt = true});
    EXPECT_EQ(tape_.Lines().RowHeight(0), 20 + 16);
    tape_.KeyDown(TTapeKey::Up, {.Shift = true, .Alt = true});
    EXPECT_EQ(tape_.Lines().RowHeight(0), 35);
    tape_.KeyDown(TTapeKey::Up, {.Alt = true});
    tape_.KeyDown(TTapeKey::Up, {.Alt = true});
    EXPECT_EQ(tape_.Lines().RowHeight(0), 0);  // back at the default height
    EXPECT_TRUE(Posted(110));
}

TEST_F(TapeKeysTest, CellColoursMarkZeroTotalsEmbeddedAndRangeLines) {
    tape_.SetColors({.EmbeddedSeries = 1, .GrandTotal = 2, .GroupTotal = 3, .ZeroTotal = 4});
    tape_.Lines().SetProperty(0, LineKey::kSeriesType, "e");
    std::vector<std::uint32_t> colors;
    for (LineIndex line : {0, 2, 3, 5, 8, 10}) colors.push_back(tape_.GetCellColor(line));
    EXPECT_EQ(colors, (std::vector<std::uint32_t>{1, 0xFFFFFF, 4, 3, 2, 0xFFFFFF}));
}

TEST_F(TapeKeysTest, TapeCommandLettersPostTheirRequests) {
    for (char letter : {'m', 's', 'e'}) {
        EXPECT_TRUE(tape_.IsTapeCommandLetter(letter));
        tape_.DoTapeCommandLetter(letter);
    }
    EXPECT_FALSE(tape_.IsTapeCommandLetter('t'));
    EXPECT_EQ(requests_, (std::vector<int>{103, 104, 111}));
}

}  // namespace
}  // namespace tally
