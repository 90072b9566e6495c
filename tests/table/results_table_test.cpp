#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/notifications/notifier.h"
#include "platform/clipboard.h"
#include "platform/headless_notification_platform.h"
#include "table/column_total.h"
#include "table/results_table.h"

namespace tally {
namespace {

using Texts = std::vector<std::string>;

Texts ItemTexts(const std::vector<TTableSaveItem>& items) {
    Texts texts;
    for (const TTableSaveItem& item : items) {
        texts.push_back(std::to_string(item.Row) + "," + std::to_string(item.Column) + item.Kind + ":" + item.Text);
    }
    return texts;
}

class ResultsTableTest : public ::testing::Test {
protected:
    ResultsTableTest() : notifier_(platform_) {}

    // Data columns 1..count with ids "id1", "id2", ... and headings "C1", "C2", ...
    void AddColumns(int count) {
        for (int column = 1; column <= count; ++column) {
            table_.AddDataColumn("id" + std::to_string(column), column, "C" + std::to_string(column));
        }
    }
    // One new row per value, as copying to the table does.
    void PutRows(int column, const Texts& values) {
        for (const std::string& value : values) {
            ASSERT_TRUE(table_.PutValue(column, table_.LastNonEmptyDataRow() + 1, value)) << value;
        }
    }
    Texts ColumnCells(int column) const {
        Texts cells;
        for (int row = 1; row < table_.RowCount(); ++row) cells.push_back(table_.Cell(column, row));
        return cells;
    }
    Texts Headings() const {
        Texts headings;
        for (int column = 1; column < table_.ColumnCount(); ++column) headings.push_back(table_.Heading(column));
        return headings;
    }
    void ShowTotal(int column) {
        table_.SetCurrentCell(column, 1);
        table_.SetCurrentColumnTotalShown(true);
    }

    HeadlessNotificationPlatform platform_;
    TInstalledNotifier notifier_;
    TResultsTable table_;
};

TEST_F(ResultsTableTest, StartsAsHeadingRowAndOneEmptyColumn) {
    EXPECT_EQ(table_.RowCount(), 2);
    EXPECT_EQ(table_.ColumnCount(), 2);
    EXPECT_FALSE(table_.HasData());
    EXPECT_FALSE(table_.IsModified());
    EXPECT_EQ(table_.FocusColor(), 0xFFFF00u);
    EXPECT_EQ(table_.Font().Name, "System");
}

TEST_F(ResultsTableTest, PutValueTakesNumbersOnlyAndAddsOneRowPerCopy) {
    AddColumns(2);
    EXPECT_FALSE(table_.PutValue(1, 1, "abc"));
    EXPECT_FALSE(table_.PutValue(1, 1, ""));
    EXPECT_FALSE(table_.PutValue(5, 1, "1"));   // no such column
    EXPECT_FALSE(table_.PutValue(1, 9, "1"));   // not a data row, not one past the end
    EXPECT_TRUE(table_.PutValue(1, 2, "1,234.5"));  // an empty table fills its first row
    EXPECT_TRUE(table_.PutValue(2, 2, "1 1/2"));
    EXPECT_TRUE(table_.PutValue(1, 3, "-1:30"));
    EXPECT_EQ(ColumnCells(1), (Texts{"1,234.5", "", "-1:30"}));
    EXPECT_EQ(ColumnCells(2), (Texts{"", "1 1/2", ""}));
    EXPECT_EQ(table_.LastNonEmptyDataRow(), 3);
    EXPECT_TRUE(table_.IsModified());
    EXPECT_FALSE(table_.IsColumnEmpty(2));
}

TEST_F(ResultsTableTest, ValuesGoAboveTheTotalRows) {
    AddColumns(1);
    ShowTotal(1);
    ASSERT_TRUE(table_.HasTotalRows());
    PutRows(1, {"5", "7"});
    EXPECT_EQ(ColumnCells(1), (Texts{"5", "7", "==========", "12"}));
    // One past the last row is still placed above the totals.
    ASSERT_TRUE(table_.PutValue(1, table_.RowCount(), "1"));
    EXPECT_EQ(ColumnCells(1), (Texts{"5", "7", "1", "==========", "13"}));
}

struct TotalCase {
    std::string name;
    Texts values;
    std::string totalType;  // "" keeps the detected type
    int userDecimals;       // -1 automatic
    TRoundingMethod rounding;
    std::string shown;
    std::string raw;
};

TEST_F(ResultsTableTest, ColumnTotals) {
    const TotalCase cases[] = {
        {"automatic decimals follow the widest value", {"12", "3.456"}, "", -1, TRoundingMethod::Up, "15.456", "15.456"},
        {"user decimals round each value", {"12", "3.456"}, "", 2, TRoundingMethod::Up, "15.46", "15.46"},
        {"user decimals round half even", {"0.125", "0.125"}, "", 2, TRoundingMethod::Even, "0.24", "0.24"},
        {"two-digit user decimals", {"12", "3.456"}, "", 10, TRoundingMethod::Up, "15.4560000000", "15.4560000000"},
        {"thousands shown in the total", {"999.5", "0.5", "1,000"}, "", -1, TRoundingMethod::Up, "2,000.0", "2,000.0"},
        {"a fraction counts with 6 decimals", {"1 1/2", "2"}, "", -1, TRoundingMethod::Up, "3.500000", "3.500000"},
        {"two-part time gives hh:mm, raw seconds", {"1:30", "0:45"}, "", -1, TRoundingMethod::Up, "02:15", "8100"},
        {"three-part time gives hh:mm:ss", {"0:00:50", "0:00:20"}, "", -1, TRoundingMethod::Up, "00:01:10", "70"},
        {"decimal hours added to a time total", {"1:00", "0.5"}, "T2", -1, TRoundingMethod::Up, "01:30", "5400"},
        {"exponent makes the sum too big and it stays", {"1", "1E20", "2"}, "", -1, TRoundingMethod::Up,
         std::string(kSumIsTooBig), std::string(kSumIsTooBig)},
        {"time overflow is too big", {"596523:00", "1:00"}, "", -1, TRoundingMethod::Up,
         std::string(kSumIsTooBig), std::string(kSumIsTooBig)},
        {"empty cells are skipped", {"4"}, "", -1, TRoundingMethod::Up, "4", "4"},
    };
    for (const TotalCase& c : cases) {
        SCOPED_TRACE(c.name);
        TResultsTable& table = table_;
        table.ResetTable();
        table.SetRoundingMethod(c.rounding);
        AddColumns(2);
        ShowTotal(1);
        if (!c.totalType.empty()) table.SetCurrentColumnTotalType(c.totalType);
        if (c.userDecimals >= 0) table.SetCurrentColumnTotalDecimals(c.userDecimals);
        for (const std::string& value : c.values) {
            const int row = table.LastNonEmptyDataRow() + 1;
            ASSERT_TRUE(table.PutValue(1, row, value));
            table.PutValue(2, row, "1");
        }
        EXPECT_EQ(table.ColumnTotalText(1), c.shown);
        EXPECT_EQ(table.ColumnParams(1).Value(TableKey::kRawTotal), c.raw);
        // Recomputing from the cells gives the same total as the running additions.
        table.RecomputeColumnTotal(1);
        EXPECT_EQ(table.ColumnTotalText(1), c.shown);
    }
}

TEST_F(ResultsTableTest, TotalTypeIsDetectedFromTheFirstDataRow) {
    AddColumns(3);
    PutRows(1, {"1:30"});
    table_.PutValue(2, 1, "0:01:02");
    table_.PutValue(3, 1, "2 1/4");
    for (int column = 1; column <= 3; ++column) ShowTotal(column);
    EXPECT_EQ(table_.ColumnTotalType(1), "2T");
    EXPECT_EQ(table_.ColumnTotalType(2), "3T");
    EXPECT_EQ(table_.ColumnTotalType(3), "D");
    EXPECT_EQ(table_.ColumnDecimals(1), 6);
    EXPECT_EQ(table_.ColumnDecimals(3), 6);
    table_.SetCurrentCell(1, 1);
    table_.SetCurrentColumnTotalType("T3");
    EXPECT_EQ(table_.ColumnTotalText(1), "01:30:00");
}

TEST_F(ResultsTableTest, ShowingAndHidingTotals) {
    AddColumns(2);
    ShowTotal(2);  // a column without data: type D and an empty total
    EXPECT_EQ(table_.ColumnTotalType(2), "D");
    EXPECT_EQ(table_.ColumnTotalText(2), "");
    EXPECT_EQ(table_.RowType(2), TTableRowType::TotalIndicator);
    EXPECT_EQ(table_.RowParams(3).Value(TableKey::kRowType), "TNL");
    EXPECT_FALSE(table_.CanDragRows());
    ShowTotal(1);
    PutRows(1, {"2"});
    table_.SetCurrentCell(2, 1);
    table_.SetCurrentColumnTotalShown(false);
    EXPECT_TRUE(table_.HasTotalRows());
    EXPECT_EQ(table_.Cell(2, 2), "");
    EXPECT_EQ(table_.ColumnParams(2).Text(), "TCID=id2");
    table_.SetCurrentCell(1, 1);
    table_.SetCurrentColumnTotalShown(false);
    EXPECT_FALSE(table_.HasTotalRows());
    EXPECT_EQ(table_.RowCount(), 2);
    // The line-number column never shows a total.
    table_.SetLineNumbersShown(true);
    table_.SetCurrentCell(1, 1);
    table_.SetCurrentColumnTotalShown(true);
    EXPECT_FALSE(table_.HasTotalRows());
}

TEST_F(ResultsTableTest, DeletingRows) {
    AddColumns(1);
    ShowTotal(1);
    PutRows(1, {"1", "2", "4"});
    EXPECT_FALSE(table_.DeleteRow(4));
    EXPECT_EQ(notifier_.Get().LastBeepExplanation(),
              "Can not directly delete a Table's Total Line.  Individually remove all column totals instead.");
    EXPECT_EQ(platform_.BeepCount(), 1);
    EXPECT_FALSE(table_.DeleteRow(5));
    EXPECT_TRUE(table_.DeleteRow(2));
    EXPECT_EQ(ColumnCells(1), (Texts{"1", "4", "==========", "5"}));
    EXPECT_TRUE(table_.DeleteRow(1));
    EXPECT_TRUE(table_.DeleteRow(1));  // the only data row above the totals is cleared
    EXPECT_EQ(ColumnCells(1), (Texts{"", "==========", ""}));
    EXPECT_EQ(table_.ColumnParams(1).Value(TableKey::kRawTotal), "0");
    PutRows(1, {"3"});
    EXPECT_EQ(table_.ColumnTotalText(1), "3");
}

TEST_F(ResultsTableTest, DeletingColumns) {
    AddColumns(3);
    table_.SetLineNumbersShown(true);
    table_.SetAnnotationsShown(true);
    EXPECT_EQ(Headings(), (Texts{"Line", "C1", "C2", "C3", "Annotations"}));
    table_.DeleteColumn(3);
    EXPECT_EQ(Headings(), (Texts{"Line", "C1", "C3", "Annotations"}));
    table_.DeleteColumn(2);
    table_.DeleteColumn(2);
    // The last data column takes the line-number and annotation columns with it.
    EXPECT_EQ(table_.ColumnCount(), 2);
    EXPECT_EQ(table_.LineNumberColumn(), 0);
    EXPECT_EQ(table_.AnnotationColumn(), 0);

    // A trailing gap goes with the column before it.
    table_.AddDataColumn("a", 1, "A");
    table_.AddDataColumn("c", 3, "C");
    EXPECT_EQ(Headings(), (Texts{"A", "", "C"}));
    table_.DeleteColumn(3);
    EXPECT_EQ(Headings(), (Texts{"A"}));
    // Hiding line numbers keeps the annotations.
    table_.SetLineNumbersShown(true);
    table_.SetAnnotationsShown(true);
    table_.SetLineNumbersShown(false);
    EXPECT_EQ(Headings(), (Texts{"A", "Annotations"}));
}

TEST_F(ResultsTableTest, AddingAndMovingColumns) {
    table_.AddDataColumn("b", 2, "B");  // beyond the last column: the grid grows
    EXPECT_EQ(Headings(), (Texts{"", "B"}));
    table_.AddDataColumn("a", 2, "A");  // an existing data column moves right
    EXPECT_EQ(Headings(), (Texts{"", "A", "B"}));
    table_.AddDataColumn("g", 1, "G");  // a gap is used
    EXPECT_EQ(Headings(), (Texts{"G", "A", "B"}));
    table_.AddDataColumn("x", 0, "X");
    EXPECT_EQ(table_.DataColumnCount(), 3);
    table_.MoveColumn(3, 5);
    EXPECT_EQ(Headings(), (Texts{"G", "A", "", "", "B"}));
    table_.MoveColumn(5, 1);
    EXPECT_EQ(Headings(), (Texts{"B", "G", "A"}));  // trailing gaps removed
    // Line numbers stay first and annotations last whatever moves.
    table_.SetLineNumbersShown(true);
    table_.SetAnnotationsShown(true);
    table_.MoveColumn(2, 1);
    table_.MoveColumn(2, 9);
    EXPECT_EQ(Headings(), (Texts{"Line", "G", "A", "", "", "", "", "B", "Annotations"}));
    table_.SetCurrentCell(2, 1);
    table_.MoveCurrentColumnLeft();
    EXPECT_EQ(table_.Heading(1), "Line");
    table_.SetCurrentCell(2, 1);
    table_.MoveCurrentColumnRight();
    EXPECT_EQ(table_.Heading(3), "G");
    EXPECT_EQ(table_.CurrentColumn(), 3);
}

TEST_F(ResultsTableTest, MovingRowsStaysAmongDataRows) {
    AddColumns(1);
    table_.SetLineNumbersShown(true);
    ShowTotal(2);
    PutRows(2, {"1", "2"});
    table_.SetCurrentCell(2, 2);
    table_.MoveCurrentRowDown();  // into the total rows: refused
    EXPECT_EQ(ColumnCells(2), (Texts{"1", "2", "==========", "3"}));
    table_.MoveCurrentRowUp();
    EXPECT_EQ(ColumnCells(2), (Texts{"2", "1", "==========", "3"}));
    EXPECT_EQ(ColumnCells(1), (Texts{"1", "2", "3", "4"}));
    EXPECT_EQ(table_.CurrentRow(), 1);
    table_.MoveCurrentRowUp();
    EXPECT_EQ(table_.CurrentRow(), 1);
}

TEST_F(ResultsTableTest, HeadingsTakeTheTextBeforeABarWithSemicolonsAsLineBreaks) {
    AddColumns(3);
    table_.SetHeading(1, "Rent;March  | note");
    table_.SetHeading(2, "| all note");
    table_.SetHeading(3, "Plain");
    EXPECT_EQ(Headings(), (Texts{"Rent\r\nMarch", "", "Plain"}));
    EXPECT_EQ(table_.ColumnWidth(1), (5 + 1) * 7);  // widest line plus the margin
}

TEST_F(ResultsTableTest, SortingIsStableBothWays) {
    AddColumns(2);
    table_.SetLineNumbersShown(true);
    const Texts values{"2", "1:30", "x", "2", "-1", "1 1/2", "2"};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        table_.PutValue(2, row, values[i]);
        table_.PutValue(3, row, std::to_string(row));
    }
    table_.SetCurrentCell(1, 1);
    EXPECT_FALSE(table_.Sort(true));  // line numbers are not sortable
    table_.SetCurrentCell(2, 1);
    ASSERT_TRUE(table_.Sort(true));
    // "x" was refused when put, so its row holds only its marker.
    EXPECT_EQ(ColumnCells(3), (Texts{"5", "3", "2", "6", "1", "4", "7"}));
    EXPECT_EQ(ColumnCells(1), (Texts{"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(table_.ColumnParams(2).Value(TableKey::kLastSort), "A");
    ASSERT_TRUE(table_.Sort(false));
    EXPECT_EQ(ColumnCells(3), (Texts{"1", "4", "7", "2", "6", "3", "5"}));
    EXPECT_EQ(table_.ColumnParams(2).Value(TableKey::kLastSort), "D");
    table_.SetCurrentCell(3, 1);
    ASSERT_TRUE(table_.Sort(true));
    EXPECT_EQ(table_.ColumnParams(2).Value(TableKey::kLastSort), "");
}

TEST_F(ResultsTableTest, SortingRecomputesTotalsAndLeavesEmptyRowsAndTotalsInPlace) {
    AddColumns(1);
    ShowTotal(1);
    PutRows(1, {"3", "1", "2"});
    table_.SetCurrentCell(1, 1);
    ASSERT_TRUE(table_.Sort(false));
    EXPECT_EQ(ColumnCells(1), (Texts{"3", "2", "1", "==========", "6"}));
}

TEST_F(ResultsTableTest, EmptyAndResetTable) {
    AddColumns(2);
    table_.SetLineNumbersShown(true);
    ShowTotal(2);
    PutRows(2, {"1", "2", "3"});
    table_.EmptyTable();
    EXPECT_EQ(ColumnCells(2), (Texts{"", "==========", ""}));
    EXPECT_EQ(ColumnCells(1), (Texts{"1", "2", "3"}));
    EXPECT_EQ(table_.ColumnParams(2).Value(TableKey::kRawTotal), "0");
    EXPECT_EQ(table_.RowParams(3).Value(TableKey::kRowType), "TNL");
    EXPECT_FALSE(table_.HasData());
    PutRows(2, {"4"});
    EXPECT_EQ(table_.ColumnTotalText(2), "4");

    table_.ResetTable();
    EXPECT_EQ(table_.RowCount(), 2);
    EXPECT_EQ(table_.ColumnCount(), 2);
    EXPECT_TRUE(table_.ColumnParams(1).IsEmpty());
    EXPECT_FALSE(table_.HasTotalRows());
}

TEST_F(ResultsTableTest, ThousandSeparatorsAndRoundingReformatAndRecompute) {
    AddColumns(1);
    ShowTotal(1);
    PutRows(1, {"1,234.50", "1 1/2"});
    table_.SetShowThousands(false);
    EXPECT_EQ(ColumnCells(1), (Texts{"1234.50", "1 1/2", "==========", "1236.000000"}));
    table_.SetShowThousands(true);
    EXPECT_EQ(table_.ColumnTotalText(1), "1,236.000000");
    table_.SetCurrentCell(1, 1);
    table_.SetCurrentColumnTotalDecimals(0);
    table_.SetRoundingMethod(TRoundingMethod::Even);
    EXPECT_EQ(table_.ColumnTotalText(1), "1,236");  // 1234 (even) + 2
}

TEST_F(ResultsTableTest, AnnotationsAreTheOnlyEditableCells) {
    AddColumns(1);
    PutRows(1, {"5"});
    table_.SetAnnotationsShown(true);
    EXPECT_EQ(table_.CurrentColumn(), 2);
    EXPECT_FALSE(table_.CanEditCell(1, 1));
    EXPECT_TRUE(table_.SetAnnotation(1, "two\r\nlines"));
    EXPECT_EQ(table_.Cell(2, 1), "two  lines");
    HeadlessClipboard clipboard;
    clipboard.SetText("X");
    table_.SetCurrentCell(2, 1);
    table_.SetEditorSelection(3, 2);
    EXPECT_TRUE(table_.Paste(clipboard));
    EXPECT_EQ(table_.Cell(2, 1), "twoXlines");
    table_.SetCurrentCell(1, 1);
    table_.CopyCurrentCell(clipboard);
    EXPECT_EQ(clipboard.GetText(), "5");
    EXPECT_FALSE(table_.Paste(clipboard));
}

TEST_F(ResultsTableTest, AnnotationColumnKeysSizeItsColumnAndRowsAndRestoreTheText) {
    AddColumns(1);
    PutRows(1, {"5", "6"});
    table_.SetAnnotationsShown(true);
    table_.SetCurrentCell(2, 1);
    table_.SetAnnotation(1, "typed");
    table_.RestoreAnnotation();
    EXPECT_EQ(table_.Cell(2, 1), "");
    const int width = table_.ColumnWidth(2);
    table_.ChangeCurrentColumnWidth(true, false);
    EXPECT_EQ(table_.ColumnWidth(2), width + 5 * 7);
    table_.ChangeCurrentColumnWidth(false, true);
    EXPECT_EQ(table_.ColumnWidth(2), width + 4 * 7);
    for (int i = 0; i < 40; ++i) table_.ChangeCurrentColumnWidth(false, false);
    EXPECT_EQ(table_.ColumnWidth(2), 5 * 7);  // never below five widths of "9"
    table_.ChangeCurrentRowHeight(true, false);
    EXPECT_EQ(table_.RowHeight(1), table_.DefaultRowHeight() + 16);
    table_.ChangeCurrentRowHeight(false, true);
    table_.ChangeCurrentRowHeight(false, false);
    EXPECT_EQ(table_.RowHeight(1), 0);  // back at the default height
    // Data columns have none of these keys.
    table_.SetCurrentCell(1, 1);
    table_.ChangeCurrentColumnWidth(true, false);
    table_.ChangeCurrentRowHeight(true, false);
    EXPECT_EQ(table_.RowHeight(1), 0);
}

TEST_F(ResultsTableTest, SavedItemsLoadIntoAnEqualTable) {
    AddColumns(2);
    table_.SetLineNumbersShown(true);
    table_.SetAnnotationsShown(true);
    ShowTotal(2);
    PutRows(2, {"1.5", "2"});
    table_.PutValue(3, 1, "7");
    table_.SetAnnotation(2, "note, \"quoted\"");
    const std::vector<TTableSaveItem> items = table_.SaveItems();
    EXPECT_EQ(ItemTexts(items)[1], "0,1P:CT=LN");

    TResultsTable loaded;
    ASSERT_TRUE(loaded.SetGridSize(table_.RowCount(), table_.ColumnCount()));
    for (const TTableSaveItem& item : items) loaded.LoadItem(item);
    loaded.FinishLoad();
    EXPECT_EQ(ItemTexts(loaded.SaveItems()), ItemTexts(items));
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_FALSE(loaded.CanDragRows());
    EXPECT_EQ(loaded.ColumnTotalText(2), "3.5");
}

TEST_F(ResultsTableTest, HostileItemsAreBoundedAndNormalized) {
    EXPECT_FALSE(table_.SetGridSize(1, 2));
    EXPECT_FALSE(table_.SetGridSize(2'000'000, 1000));
    ASSERT_TRUE(table_.SetGridSize(5, 3));
    table_.LoadItem({9, 9, 'T', "outside"});
    table_.LoadItem({0, 1, 'P', "TCID=a,TT=bogus"});
    table_.LoadItem({0, 2, 'P', "TCID=b,TT=D"});
    table_.LoadItem({1, 0, 'P', "RT=TNL"});  // a total row type in the middle
    table_.LoadItem({1, 2, 'T', "4"});
    table_.LoadItem({2, 2, 'T', "5"});
    table_.FinishLoad();
    EXPECT_EQ(table_.RowType(1), TTableRowType::Data);
    EXPECT_EQ(table_.RowParams(1).Value(TableKey::kRowType), "");
    EXPECT_FALSE(table_.ShowsTotal(1));
    ASSERT_TRUE(table_.HasTotalRows());  // column 2 shows a total, so the total rows exist
    EXPECT_EQ(table_.RowCount(), 7);
    EXPECT_EQ(table_.ColumnTotalText(2), "9");
}

TEST_F(ResultsTableTest, TextExportLines) {
    EXPECT_TRUE(table_.TextExportLines().empty());
    AddColumns(2);
    table_.SetLineNumbersShown(true);
    table_.SetAnnotationsShown(true);
    table_.SetHeading(2, " Two;Lines ");
    ShowTotal(2);
    PutRows(2, {"1,000", "-2.5"});
    table_.PutValue(3, 1, "1 1/2");
    table_.SetAnnotation(1, "say \"hi\"");
    EXPECT_EQ(table_.TextExportLines(),
              (Texts{"\"Line\"\t\"Two Lines\"\t\"C2\"\t\"Annotations\"",
                     "1\t\"1,000\"\t\"1 1/2\"\t\"say \"\"hi\"\"\"",
                     "2\t-2.5\t\"\"\t\"\"",
                     "3\t\"==========\"\t\"\"\t\"\"",
                     "4\t997.5\t\"\"\t\"\""}));
}

TEST_F(ResultsTableTest, ColumnInfoAndPrintLists) {
    table_.AddDataColumn("9", 1, "Nine");
    table_.AddDataColumn("10", 3, "Ten");
    PutRows(1, {"1", "2"});
    table_.SetAnnotationsShown(true);
    const auto info = table_.ColumnInfoList();
    ASSERT_EQ(info.size(), 2u);
    EXPECT_EQ(info[0].ColumnId, "10");  // sorted as text
    EXPECT_EQ(info[0].Column, 3);
    EXPECT_EQ(info[0].LastDataRow, 2);
    EXPECT_EQ(table_.PrintColumnList().size(), 3u);
    EXPECT_EQ(table_.PrintSelectionList().size(), 4u);
    table_.SetPrintSelection(3, true);
    const auto printed = table_.PrintColumnList();
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].Heading, "Ten");
    EXPECT_FALSE(table_.PrintSelectionList()[0].Selected);
}

}  // namespace
}  // namespace tally
