#include "table/results_table.h"

#include <algorithm>

#include "foundation/notifications/notifier.h"
#include "foundation/numbers/number_texts.h"
#include "platform/headless_canvas.h"
#include "table/column_total.h"

namespace tally {
namespace {

const std::string kEmptyText;
const TRowColParams kNoParams;

const ITextMeasurer& FixedMetrics() {
    static const HeadlessCanvas canvas;
    return canvas;
}

std::string RightTrimmed(std::string_view text) {
    const std::size_t end = text.find_last_not_of(" \t\r\n");
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

// Line breaks typed or pasted into an annotation become blanks.
std::string WithoutLineBreaks(std::string_view text) {
    std::string result(text);
    std::replace(result.begin(), result.end(), '\r', ' ');
    std::replace(result.begin(), result.end(), '\n', ' ');
    return result;
}

}  // namespace

TResultsTable::TResultsTable(const ITextMeasurer* measurer) : measurer_(measurer) {
    ResetTable();
    modified_ = false;
}

// ---- Grid ------------------------------------------------------------------------------------

bool TResultsTable::IsCell(int column, int row) const {
    return column >= 0 && column < ColumnCount() && row >= 0 && row < RowCount();
}

const std::string& TResultsTable::Cell(int column, int row) const {
    return IsCell(column, row) ? RowAt(row).Cells[static_cast<std::size_t>(column)] : kEmptyText;
}

const TRowColParams& TResultsTable::ColumnParams(int column) const {
    return column >= 0 && column < ColumnCount() ? ColumnAt(column).Params : kNoParams;
}

const TRowColParams& TResultsTable::RowParams(int row) const {
    return row >= 1 && row < RowCount() ? RowAt(row).Params : kNoParams;
}

int TResultsTable::ColumnWidth(int column) const {
    return column >= 0 && column < ColumnCount() ? ColumnAt(column).Width : 0;
}

void TResultsTable::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= ColumnCount()) return;
    ColumnAt(column).Width = std::max(width, 1);
    Changed();
}

int TResultsTable::TextWidth(std::string_view text) const {
    const ITextMeasurer& measurer = measurer_ != nullptr ? *measurer_ : FixedMetrics();
    int widest = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find("\r\n", start);
        widest = std::max(widest, measurer.TextWidth(font_, std::string(text.substr(start, end - start))));
        if (end == std::string_view::npos) break;
        start = end + 2;
    }
    return widest;
}

int TResultsTable::DefaultRowHeight() const {
    const ITextMeasurer& measurer = measurer_ != nullptr ? *measurer_ : FixedMetrics();
    return measurer.TextHeight(font_, "M") + 6;
}

int TResultsTable::AnnotationColumnWidth() const {
    return std::max(TextWidth(kAnnotationHeading), TextWidth("123456789012345")) + Margin();
}

void TResultsTable::FitColumnWidth(int column) {
    TColumn& info = ColumnAt(column);
    if (column == 0) {
        info.Width = DefaultRowHeight();
    } else if (IsAnnotationColumn(column)) {
        info.Width = AnnotationColumnWidth();
    } else if (IsDataColumn(column) || IsLineNumberColumn(column)) {
        info.Width = std::max(TextWidth(Heading(column)) + Margin(), info.ContentWidth);
    } else {
        info.Width = DefaultColumnWidth();
    }
}

void TResultsTable::WidenColumnFor(int column, std::string_view text) {
    TColumn& info = ColumnAt(column);
    info.ContentWidth = std::max(info.ContentWidth, TextWidth(text) + Margin());
    if (!IsAnnotationColumn(column)) info.Width = std::max(info.Width, info.ContentWidth);
}

void TResultsTable::SetFont(const TFontDescription& font) {
    font_ = font;
    for (int column = 0; column < ColumnCount(); ++column) {
        ColumnAt(column).ContentWidth = 0;
        for (int row = 1; row < RowCount(); ++row) {
            if (RowType(row) != TTableRowType::TotalIndicator) WidenColumnFor(column, Cell(column, row));
        }
        FitColumnWidth(column);
    }
    Changed();
}

void TResultsTable::SetCurrentCell(int column, int row) {
    const int rowBefore = currentRow_;
    currentColumn_ = column;
    currentRow_ = row;
    ClampCurrentCell();
    if (currentRow_ != rowBefore) savedAnnotation_ = Cell(AnnotationColumn(), currentRow_);
    ReportCurrentColumn();
}

int TResultsTable::RowHeight(int row) const { return row >= 0 && row < RowCount() ? RowAt(row).Height : 0; }

void TResultsTable::ChangeCurrentColumnWidth(bool wider, bool fine) {
    if (!IsAnnotationColumn(currentColumn_)) return;
    const int nine = TextWidth("9");
    const int width = ColumnWidth(currentColumn_) + (wider ? 1 : -1) * nine * (fine ? 1 : 5);
    SetColumnWidth(currentColumn_, std::max(width, 5 * nine));
}

void TResultsTable::ChangeCurrentRowHeight(bool taller, bool fine) {
    if (!IsAnnotationColumn(currentColumn_) || currentRow_ < 1 || currentRow_ >= RowCount()) return;
    const ITextMeasurer& measurer = measurer_ != nullptr ? *measurer_ : FixedMetrics();
    const int step = fine ? 1 : measurer.TextHeight(font_, "M");
    const int current = RowHeight(currentRow_) > 0 ? RowHeight(currentRow_) : DefaultRowHeight();
    const int height = std::max(current + (taller ? step : -step), DefaultRowHeight());
    RowAt(currentRow_).Height = height == DefaultRowHeight() ? 0 : height;
    Changed();
}

void TResultsTable::RestoreAnnotation() {
    if (IsAnnotationColumn(currentColumn_)) SetAnnotation(currentRow_, savedAnnotation_);
}

void TResultsTable::ClampCurrentCell() {
    currentColumn_ = std::clamp(currentColumn_, 1, std::max(ColumnCount() - 1, 1));
    currentRow_ = std::clamp(currentRow_, 1, std::max(RowCount() - 1, 1));
}

void TResultsTable::ReportCurrentColumn() {
    if (callbacks_.CurrentColumnDecimals) {
        callbacks_.CurrentColumnDecimals(ColumnDecimals(currentColumn_), ColumnDecimalsUserSet(currentColumn_));
    }
    if (callbacks_.CurrentColumnTotalShown) callbacks_.CurrentColumnTotalShown(ShowsTotal(currentColumn_));
}

void TResultsTable::AddObserver(TResultsTableObserver* observer) { observers_.push_back(observer); }

void TResultsTable::RemoveObserver(TResultsTableObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void TResultsTable::Changed() {
    modified_ = true;
    for (TResultsTableObserver* observer : observers_) observer->TableReshaped();
}

void TResultsTable::CellUpdated(int column, int row) {
    modified_ = true;
    for (TResultsTableObserver* observer : observers_) observer->CellChanged(column, row);
}

// ---- Kinds -----------------------------------------------------------------------------------

bool TResultsTable::IsDataColumn(int column) const {
    return column >= 1 && !ColumnParams(column).Value(TableKey::kColumnId).empty();
}

bool TResultsTable::IsLineNumberColumn(int column) const {
    return column >= 1 && ColumnParams(column).Value(TableKey::kColumnType) == "LN";
}

bool TResultsTable::IsAnnotationColumn(int column) const {
    return column >= 1 && ColumnParams(column).Value(TableKey::kColumnType) == "AN";
}

bool TResultsTable::IsAssignedColumn(int column) const {
    return IsDataColumn(column) || IsLineNumberColumn(column) || IsAnnotationColumn(column);
}

int TResultsTable::LineNumberColumn() const {
    for (int column = 1; column < ColumnCount(); ++column) {
        if (IsLineNumberColumn(column)) return column;
    }
    return 0;
}

int TResultsTable::AnnotationColumn() const {
    for (int column = ColumnCount() - 1; column >= 1; --column) {
        if (IsAnnotationColumn(column)) return column;
    }
    return 0;
}

int TResultsTable::DataColumnCount() const {
    int count = 0;
    for (int column = 1; column < ColumnCount(); ++column) count += IsDataColumn(column) ? 1 : 0;
    return count;
}

TTableRowType TResultsTable::RowType(int row) const {
    if (!totalRows_ || row < FirstTotalRow() || row >= RowCount()) return TTableRowType::Data;
    return row == FirstTotalRow() ? TTableRowType::TotalIndicator : TTableRowType::TotalNumber;
}

bool TResultsTable::IsRowEmpty(int row) const {
    if (!IsDataRow(row)) return !totalRows_ || row < 1 || row >= RowCount();
    const int lineNumbers = LineNumberColumn();
    const std::vector<std::string>& cells = RowAt(row).Cells;
    for (int column = 1; column < ColumnCount(); ++column) {
        if (column != lineNumbers && !cells[static_cast<std::size_t>(column)].empty()) return false;
    }
    return true;
}

bool TResultsTable::HasData() const { return LastNonEmptyDataRow() > 0; }

int TResultsTable::LastNonEmptyDataRow() const {
    for (int row = FirstTotalRow() - 1; row >= 1; --row) {
        if (!IsRowEmpty(row)) return row;
    }
    return 0;
}

bool TResultsTable::IsColumnEmpty(int column) const {
    if (column < 1 || column >= ColumnCount()) return true;
    for (int row = 1; row < FirstTotalRow(); ++row) {
        if (!Cell(column, row).empty()) return false;
    }
    return true;
}

bool TResultsTable::CanEditCell(int column, int row) const { return IsAnnotationColumn(column) && IsDataRow(row); }

// ---- Rows and columns ------------------------------------------------------------------------

void TResultsTable::InsertColumnAt(int column) {
    for (TRow& row : rows_) row.Cells.insert(row.Cells.begin() + column, std::string());
    columns_.insert(columns_.begin() + column, TColumn{});
    ColumnAt(column).Width = DefaultColumnWidth();
}

void TResultsTable::RemoveColumnAt(int column) {
    for (TRow& row : rows_) row.Cells.erase(row.Cells.begin() + column);
    columns_.erase(columns_.begin() + column);
}

void TResultsTable::AppendColumns(int count) {
    for (int i = 0; i < count; ++i) InsertColumnAt(ColumnCount());
}

void TResultsTable::InsertRowAt(int row) {
    TRow fresh;
    fresh.Cells.resize(static_cast<std::size_t>(ColumnCount()));
    rows_.insert(rows_.begin() + row, std::move(fresh));
}

void TResultsTable::RemoveRowAt(int row) { rows_.erase(rows_.begin() + row); }

void TResultsTable::ClearRowCells(int row) {
    for (std::string& cell : RowAt(row).Cells) cell.clear();
}

void TResultsTable::RemoveTrailingGaps() {
    while (ColumnCount() > 1 && !IsAssignedColumn(ColumnCount() - 1)) {
        if (ColumnCount() == 2) {
            CellRef(1, 0).clear();
            ColumnAt(1).Params = {};
            break;
        }
        RemoveColumnAt(ColumnCount() - 1);
    }
}

void TResultsTable::KeepFixedColumnsInPlace() {
    if (const int lineNumbers = LineNumberColumn(); lineNumbers > 1) ShiftColumn(lineNumbers, 1);
    if (const int annotations = AnnotationColumn(); annotations > 0) ShiftColumn(annotations, ColumnCount() - 1);
}

// Moves column `from` (cells and properties) to position `to`; the columns between close up.
void TResultsTable::ShiftColumn(int from, int to) {
    if (from == to) return;
    for (TRow& row : rows_) {
        std::string cell = std::move(row.Cells[static_cast<std::size_t>(from)]);
        row.Cells.erase(row.Cells.begin() + from);
        row.Cells.insert(row.Cells.begin() + to, std::move(cell));
    }
    TColumn info = std::move(ColumnAt(from));
    columns_.erase(columns_.begin() + from);
    columns_.insert(columns_.begin() + to, std::move(info));
}

void TResultsTable::NumberRowsFrom(int first) {
    const int column = LineNumberColumn();
    if (column == 0) return;
    for (int row = std::max(first, 1); row < RowCount(); ++row) CellRef(column, row) = std::to_string(row);
}

bool TResultsTable::PutValue(int column, int row, std::string_view text) {
    if (column < 1 || column >= ColumnCount() || row < 1 || row > RowCount()) return false;
    if (!IsTableNumberText(text)) return false;
    if (!IsDataRow(row)) {
        if (!HasData()) {
            row = 1;
        } else if (row == FirstTotalRow() || row == RowCount()) {
            // A new row goes above the total rows, never below them.
            row = FirstTotalRow();
            InsertRowAt(row);
            NumberRowsFrom(row);
        } else {
            return false;
        }
    }
    const bool replacing = !Cell(column, row).empty();
    CellRef(column, row) = std::string(text);
    WidenColumnFor(column, text);
    Changed();
    if (ShowsTotal(column)) {
        const std::string_view typeBefore = ColumnTotalType(column);
        if (row == 1) ColumnAt(column).Params.SetValue(TableKey::kTotalType, DetectColumnTotalType(text));
        if (replacing || ColumnTotalType(column) != typeBefore) {
            RecomputeColumnTotal(column);
        } else {
            AddValueToTotal(column, row);
        }
    }
    return true;
}

void TResultsTable::AddDataColumn(std::string_view columnId, int column, std::string_view heading) {
    if (column <= 0) return;
    if (column >= ColumnCount()) {
        AppendColumns(column - ColumnCount() + 1);
    } else if (IsAssignedColumn(column)) {
        InsertColumnAt(column);
    }
    ColumnAt(column).Params = {};
    ColumnAt(column).Params.SetValue(TableKey::kColumnId, columnId);
    SetHeading(column, heading);
    KeepFixedColumnsInPlace();
    Changed();
}

void TResultsTable::DeleteColumn(int column) {
    if (column < 1 || column >= ColumnCount()) return;
    const bool lineNumbersOrAnnotations = IsLineNumberColumn(column) || IsAnnotationColumn(column);
    ColumnAt(column).Params = {};
    if (ColumnCount() == 2) {
        rows_.resize(1);
        InsertRowAt(1);
        totalRows_ = false;
        CellRef(1, 0).clear();
        FitColumnWidth(1);
    } else {
        RemoveColumnAt(column);
        RemoveTrailingGaps();
    }
    if (!AnyColumnShowsTotal()) DeleteTotalRows();
    // Line numbers and annotations do not stay on their own once the last data column goes.
    if (!lineNumbersOrAnnotations && DataColumnCount() == 0 && (LineNumberColumn() != 0 || AnnotationColumn() != 0)) {
        ResetTable();
        return;
    }
    ClampCurrentCell();
    Changed();
    ReportCurrentColumn();
}

bool TResultsTable::DeleteRow(int row) {
    if (row < 1 || row >= RowCount()) return false;
    if (RowType(row) != TTableRowType::Data) {
        Notifier().ExplainAndBeep(std::string(kDeleteTotalRowText));
        return false;
    }
    RowAt(row).Params = {};
    if (RowCount() == 2) {
        ClearRowCells(row);
    } else if (row == 1 && FirstTotalRow() == 2) {
        ClearRowCells(row);
        for (int column = 1; column < ColumnCount(); ++column) {
            if (ShowsTotal(column)) ColumnAt(column).Params.SetValue(TableKey::kRawTotal, "0");
        }
    } else {
        RemoveRowAt(row);
    }
    NumberRowsFrom(row);
    RecomputeAllTotals();
    ClampCurrentCell();
    Changed();
    return true;
}

void TResultsTable::MoveColumn(int from, int to) {
    if (from < 1 || from >= ColumnCount() || to < 1 || from == to) return;
    if (to >= ColumnCount()) AppendColumns(to - ColumnCount() + 1);
    ShiftColumn(from, to);
    RemoveTrailingGaps();
    KeepFixedColumnsInPlace();
    ClampCurrentCell();
    Changed();
}

void TResultsTable::DragColumn(int from, int to) {
    MoveColumn(from, to);
    if (callbacks_.ColumnDragged) callbacks_.ColumnDragged(from, to);
}

void TResultsTable::SwapCurrentColumn(int step) {
    const int other = currentColumn_ + step;
    if (currentColumn_ < 1 || other < 1 || other >= ColumnCount() || currentColumn_ >= ColumnCount()) return;
    for (TRow& row : rows_) {
        std::swap(row.Cells[static_cast<std::size_t>(currentColumn_)], row.Cells[static_cast<std::size_t>(other)]);
    }
    std::swap(ColumnAt(currentColumn_), ColumnAt(other));
    KeepFixedColumnsInPlace();
    currentColumn_ = other;
    ClampCurrentCell();
    Changed();
}

void TResultsTable::SwapCurrentRow(int step) {
    const int other = currentRow_ + step;
    if (!IsDataRow(currentRow_) || !IsDataRow(other)) return;
    std::swap(RowAt(currentRow_), RowAt(other));
    NumberRowsFrom(std::min(currentRow_, other));
    currentRow_ = other;
    Changed();
}

void TResultsTable::SetHeading(int column, std::string_view text) {
    if (column < 0 || column >= ColumnCount()) return;
    std::string heading = RightTrimmed(text.substr(0, text.find('|')));
    std::string withBreaks;
    for (const char c : heading) {
        if (c == ';') {
            withBreaks += "\r\n";
        } else {
            withBreaks += c;
        }
    }
    CellRef(column, 0) = std::move(withBreaks);
    FitColumnWidth(column);
    CellUpdated(column, 0);
}

void TResultsTable::SetLineNumbersShown(bool shown) {
    const int existing = LineNumberColumn();
    if (shown && existing == 0) {
        if (IsDataColumn(1) || IsAnnotationColumn(1)) InsertColumnAt(1);
        ColumnAt(1).Params = {};
        ColumnAt(1).Params.SetValue(TableKey::kColumnType, "LN");
        ColumnAt(1).ContentWidth = 0;
        NumberRowsFrom(1);
        for (int row = 1; row < RowCount(); ++row) WidenColumnFor(1, Cell(1, row));
        SetHeading(1, kLineNumberHeading);
    } else if (!shown && existing != 0) {
        DeleteColumn(existing);
    }
    Changed();
    if (callbacks_.LineNumbersShown) callbacks_.LineNumbersShown(LineNumberColumn() != 0);
}

void TResultsTable::SetAnnotationsShown(bool shown) {
    const int existing = AnnotationColumn();
    if (shown && existing == 0) {
        const int last = ColumnCount() - 1;
        if (IsDataColumn(last) || IsLineNumberColumn(last)) AppendColumns(1);
        const int column = ColumnCount() - 1;
        ColumnAt(column).Params = {};
        ColumnAt(column).Params.SetValue(TableKey::kColumnType, "AN");
        SetHeading(column, kAnnotationHeading);
        currentColumn_ = column;
        ClampCurrentCell();
    } else if (!shown && existing != 0) {
        DeleteColumn(existing);
    }
    Changed();
    if (callbacks_.AnnotationsShown) callbacks_.AnnotationsShown(AnnotationColumn() != 0);
}

bool TResultsTable::SetAnnotation(int row, std::string_view text) {
    const int column = AnnotationColumn();
    if (!CanEditCell(column, row)) return false;
    CellRef(column, row) = WithoutLineBreaks(text);
    CellUpdated(column, row);
    return true;
}

void TResultsTable::EmptyTable() {
    if (!HasData()) return;
    const int firstTotal = FirstTotalRow();
    rows_.erase(rows_.begin() + 2, rows_.begin() + firstTotal);
    ClearRowCells(1);
    RowAt(1).Params = {};
    if (totalRows_) {
        ClearRowCells(FirstTotalRow() + 1);
        for (int column = 1; column < ColumnCount(); ++column) {
            if (!ShowsTotal(column)) continue;
            CellRef(column, FirstTotalRow()) = kTotalIndicatorText;
            ColumnAt(column).Params.SetValue(TableKey::kRawTotal, "0");
        }
    }
    NumberRowsFrom(1);
    ClampCurrentCell();
    Changed();
}

void TResultsTable::ResetTable() {
    rows_.clear();
    columns_.clear();
    totalRows_ = false;
    rowDragAllowed_ = true;
    columns_.resize(2);
    rows_.resize(2);
    for (TRow& row : rows_) row.Cells.resize(2);
    FitColumnWidth(0);
    FitColumnWidth(1);
    currentColumn_ = 1;
    currentRow_ = 1;
    Changed();
    ReportCurrentColumn();
}

void TResultsTable::CreateTotalRows() {
    if (totalRows_) return;
    InsertRowAt(RowCount());
    InsertRowAt(RowCount());
    totalRows_ = true;
    RowAt(RowCount() - 2).Params.SetValue(TableKey::kRowType, "TIL");
    RowAt(RowCount() - 1).Params.SetValue(TableKey::kRowType, "TNL");
    NumberRowsFrom(RowCount() - 2);
}

void TResultsTable::DeleteTotalRows() {
    if (!totalRows_) return;
    rows_.resize(rows_.size() - 2);
    totalRows_ = false;
    ClampCurrentCell();
}

}  // namespace tally
