#pragma once
// The results table: a grid of text cells with a heading row (row 0) and a fixed column 0 that
// carries only row properties. Heading cells carry the column properties. Data columns (those
// with a TCID) receive numbers from tape lines; an optional line-number column (first) and
// annotation column (last) go with them; unassigned columns are gaps between data columns.
// Rows: data rows first, then, while a column shows a total, the total indicator line and the
// total number line. The table keeps the column totals itself: a value put into a total column
// is added to the running total; sorting, deleting and changes of type, decimals, rounding or
// separators recompute the column.
//
// The source is split by purpose: results_table.cpp (grid, columns, rows, headings),
// results_table_totals.cpp (totals, sorting, number display), results_table_items.cpp (saved
// items, text export lines, print lists, clipboard), results_table_export.cpp (the text file).
//
// Row and column numbers are grid indices, columns first as in (column, row); an operation on
// an index outside the grid does nothing.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/series/series_arithmetic.h"
#include "platform/font_description.h"
#include "settings/atomic_file.h"
#include "table/row_col_params.h"

namespace tally {

class IClipboard;
class ITextMeasurer;
class TResultsTable;

inline constexpr std::string_view kDeleteTotalRowText =
    "Can not directly delete a Table's Total Line.  Individually remove all column totals instead.";
inline constexpr std::string_view kTotalIndicatorText = "==========";
inline constexpr std::string_view kLineNumberHeading = "Line";
inline constexpr std::string_view kAnnotationHeading = "Annotations";

enum class TTableRowType { Data, TotalIndicator, TotalNumber };

// One item of the saved table: 'P' a property text, 'T' a cell text.
struct TTableSaveItem {
    int Row = 0;
    int Column = 0;
    char Kind = 'T';
    std::string Text;
};

struct TResultsTableColumnInfo {
    const TResultsTable* Table = nullptr;
    int LastDataRow = 0;  // the last data row that is not entirely empty; 0 when none
    int Column = 0;
    std::string ColumnId;
};

struct TTablePrintColumn {
    int Column = 0;
    std::string Heading;
    bool IsAnnotation = false;
};

struct TTablePrintSelection {
    int Column = 0;
    std::string Heading;
    bool Selected = false;
};

// What the table tells its owner; each is skipped when unset.
struct TResultsTableCallbacks {
    std::function<void(int from, int to)> ColumnDragged;
    std::function<void(int decimals, bool userSet)> CurrentColumnDecimals;
    std::function<void(bool shown)> CurrentColumnTotalShown;
    std::function<void(bool shown)> AnnotationsShown;
    std::function<void(bool shown)> LineNumbersShown;
};

// Observers of the grid (the Qt model); told after each change.
class TResultsTableObserver {
public:
    virtual ~TResultsTableObserver() = default;
    // Rows or columns were added, removed or reordered: everything may have changed.
    virtual void TableReshaped() {}
    virtual void CellChanged(int /*column*/, int /*row*/) {}
};

class TResultsTable {
public:
    // Without a measurer, widths come from fixed metrics (7 pixels a character).
    explicit TResultsTable(const ITextMeasurer* measurer = nullptr);
    TResultsTable(const TResultsTable&) = delete;
    TResultsTable& operator=(const TResultsTable&) = delete;

    // ---- Grid
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    bool IsCell(int column, int row) const;
    const std::string& Cell(int column, int row) const;
    const std::string& Heading(int column) const { return Cell(column, 0); }
    const TRowColParams& ColumnParams(int column) const;
    const TRowColParams& RowParams(int row) const;
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    int DefaultRowHeight() const;
    // The row's own height; 0 means the default height.
    int RowHeight(int row) const;
    int CurrentColumn() const { return currentColumn_; }
    int CurrentRow() const { return currentRow_; }
    void SetCurrentCell(int column, int row);

    // ---- Kinds of columns and rows
    bool IsDataColumn(int column) const;
    bool IsLineNumberColumn(int column) const;
    bool IsAnnotationColumn(int column) const;
    // Data, line-number or annotation column.
    bool IsAssignedColumn(int column) const;
    int LineNumberColumn() const;  // 0 when none
    int AnnotationColumn() const;  // 0 when none
    int DataColumnCount() const;
    TTableRowType RowType(int row) const;
    bool HasTotalRows() const { return totalRows_; }
    // The first total row, or RowCount() when there is none: data rows are 1..FirstTotalRow()-1.
    int FirstTotalRow() const { return totalRows_ ? RowCount() - 2 : RowCount(); }
    bool IsDataRow(int row) const { return row >= 1 && row < FirstTotalRow(); }
    bool IsRowEmpty(int row) const;
    bool HasData() const;
    // The last data row that is not entirely empty; 0 when none.
    int LastNonEmptyDataRow() const;
    bool IsColumnEmpty(int column) const;
    bool ShowsTotal(int column) const;
    bool AnyColumnShowsTotal() const;
    // Dragging rows with the mouse: only while there are no total rows.
    bool CanDragRows() const { return !totalRows_ && rowDragAllowed_; }

    // ---- Content operations
    // Puts a number text into a data row (see the class comment); false when nothing was put.
    bool PutValue(int column, int row, std::string_view text);
    void AddDataColumn(std::string_view columnId, int column, std::string_view heading);
    void DeleteColumn(int column);
    // The user's Delete Table Line; a total row is refused with kDeleteTotalRowText and a beep.
    bool DeleteRow(int row);
    void MoveColumn(int from, int to);
    // A column dragged in the view: moved, then reported to the owner.
    void DragColumn(int from, int to);
    void MoveCurrentColumnLeft() { SwapCurrentColumn(-1); }
    void MoveCurrentColumnRight() { SwapCurrentColumn(+1); }
    void MoveCurrentRowUp() { SwapCurrentRow(-1); }
    void MoveCurrentRowDown() { SwapCurrentRow(+1); }
    void SetHeading(int column, std::string_view text);
    void SetLineNumbersShown(bool shown);
    void SetAnnotationsShown(bool shown);
    // Only the annotation column of a data row can be edited; line breaks become blanks.
    bool CanEditCell(int column, int row) const;
    bool SetAnnotation(int row, std::string_view text);
    // Esc in the annotation column: the annotation as it was when its row became current.
    void RestoreAnnotation();
    // Alt+Left / Alt+Right in the annotation column: narrower or wider by five widths of "9"
    // (fine: one), never below five; Alt+Up / Alt+Down: the current row lower or higher by the
    // text height of "M" (fine: one pixel), never below the default height.
    void ChangeCurrentColumnWidth(bool wider, bool fine);
    void ChangeCurrentRowHeight(bool taller, bool fine);
    void EmptyTable();
    void ResetTable();

    // ---- Totals and sorting (results_table_totals.cpp)
    void SetCurrentColumnTotalShown(bool shown);
    // "DE", "T2" or "T3"; stored while the current column shows a total.
    void SetCurrentColumnTotalType(std::string_view seriesTotalType);
    void SetCurrentColumnTotalDecimals(int decimals);
    // The decimals the column's total uses and whether the user set them.
    int ColumnDecimals(int column) const;
    bool ColumnDecimalsUserSet(int column) const;
    std::string_view ColumnTotalType(int column) const;
    const std::string& ColumnTotalText(int column) const;
    void RecomputeColumnTotal(int column);
    void RecomputeAllTotals();
    // Sorts the data rows by the current column; false when sorting is not allowed.
    bool CanSort() const;
    bool Sort(bool ascending);
    bool ShowThousands() const { return showThousands_; }
    void SetShowThousands(bool on);
    TRoundingMethod RoundingMethod() const { return roundingMethod_; }
    void SetRoundingMethod(TRoundingMethod method);

    // ---- Items, export, print lists, clipboard (results_table_items.cpp)
    // Every cell row by row, column by column: its property item (when it has one), then its
    // text item.
    std::vector<TTableSaveItem> SaveItems() const;
    // Restores the grid size before the items; false (and nothing changed) when the counts
    // are not usable.
    bool SetGridSize(int rows, int columns);
    void LoadItem(const TTableSaveItem& item);
    // After the items: total rows only as the last two rows, totals recomputed.
    void FinishLoad();
    // The table as tab-separated lines for a spreadsheet; empty when the table has no data.
    std::vector<std::string> TextExportLines() const;
    // Writes the text export lines into the file as UTF-8, each ending with CR LF, replacing
    // it only by a complete write. A table without data writes nothing and creates no file.
    // Answers why the file could not be written (results_table_export.cpp).
    TFileResult ExportAsTextFile(const std::string& fileName, const IFileCalls& calls = SystemFileCalls()) const;
    std::vector<TResultsTableColumnInfo> ColumnInfoList() const;
    std::vector<TTablePrintColumn> PrintColumnList() const;
    std::vector<TTablePrintSelection> PrintSelectionList() const;
    void SetPrintSelection(int column, bool selected);
    // The page layout dialog's checks of the print selection list: every column checked removes
    // every selection (the table prints all its columns); otherwise each column is selected by
    // its check, so that unchecking every column prints all columns too.
    void ApplyPrintChecks(const std::vector<TTablePrintSelection>& checks);
    void CopyCurrentCell(IClipboard& clipboard) const;
    // Pastes into the annotation of the current row at the saved editor selection.
    bool Paste(const IClipboard& clipboard);
    void SetEditorSelection(int start, int length);

    // ---- Settings and state
    bool IsModified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    TResultsTableCallbacks& Callbacks() { return callbacks_; }
    std::uint32_t FocusColor() const { return focusColor_; }
    void SetFocusColor(std::uint32_t color) { focusColor_ = color; }
    const TFontDescription& Font() const { return font_; }
    void SetFont(const TFontDescription& font);
    char TableLetter() const { return tableLetter_; }
    void SetTableLetter(char letter) { tableLetter_ = letter; }
    const std::string& TableName() const { return tableName_; }
    void SetTableName(std::string name) { tableName_ = std::move(name); }
    const std::string& PageHeading() const { return pageHeading_; }
    void SetPageHeading(std::string text) { pageHeading_ = std::move(text); }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string text) { title_ = std::move(text); }
    std::vector<std::string>& NoteLines() { return noteLines_; }
    const std::vector<std::string>& NoteLines() const { return noteLines_; }
    void AddObserver(TResultsTableObserver* observer);
    void RemoveObserver(TResultsTableObserver* observer);

private:
    struct TColumn {
        TRowColParams Params;
        int Width = 0;
        int ContentWidth = 0;  // widest cell put so far, margin included
    };
    struct TRow {
        std::vector<std::string> Cells;
        TRowColParams Params;
        int Height = 0;
    };

    TRow& RowAt(int row) { return rows_[static_cast<std::size_t>(row)]; }
    const TRow& RowAt(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    TColumn& ColumnAt(int column) { return columns_[static_cast<std::size_t>(column)]; }
    const TColumn& ColumnAt(int column) const { return columns_[static_cast<std::size_t>(column)]; }
    std::string& CellRef(int column, int row) { return RowAt(row).Cells[static_cast<std::size_t>(column)]; }
    int TextWidth(std::string_view text) const;
    int Margin() const { return TextWidth("M"); }
    int DefaultColumnWidth() const { return TextWidth("i"); }
    int AnnotationColumnWidth() const;
    void FitColumnWidth(int column);
    void WidenColumnFor(int column, std::string_view text);

    void InsertColumnAt(int column);
    void RemoveColumnAt(int column);
    void AppendColumns(int count);
    void InsertRowAt(int row);
    void RemoveRowAt(int row);
    void ClearRowCells(int row);
    // Removes trailing columns that are neither data, line-number nor annotation columns.
    void RemoveTrailingGaps();
    // Keeps the line-number column first and the annotation column last.
    void KeepFixedColumnsInPlace();
    void ShiftColumn(int from, int to);
    void CreateTotalRows();
    void DeleteTotalRows();
    void NumberRowsFrom(int row);
    void SwapCurrentColumn(int step);
    void SwapCurrentRow(int step);
    void ClampCurrentCell();
    void ReportCurrentColumn();
    void Changed();
    void CellUpdated(int column, int row);
    void AddValueToTotal(int column, int row);

    const ITextMeasurer* measurer_;
    std::vector<TRow> rows_;
    std::vector<TColumn> columns_;
    bool totalRows_ = false;
    bool rowDragAllowed_ = true;
    int currentColumn_ = 1;
    int currentRow_ = 1;
    TResultsTableCallbacks callbacks_;
    std::uint32_t focusColor_ = 0xFFFF00;  // aqua as 0x00BBGGRR
    TFontDescription font_;
    bool modified_ = false;
    bool showThousands_ = true;
    char tableLetter_ = ' ';
    int editorSelStart_ = 0;
    int editorSelLength_ = 0;
    std::string savedAnnotation_;
    TRoundingMethod roundingMethod_ = TRoundingMethod::Up;
    std::string tableName_;
    std::string pageHeading_;
    std::string title_;
    std::vector<std::string> noteLines_;
    std::vector<TResultsTableObserver*> observers_;
};

}  // namespace tally
