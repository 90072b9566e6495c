// The results table's saved items, its text export lines, its print lists and the clipboard.

#include <algorithm>

#include "foundation/numbers/number_texts.h"
#include "platform/clipboard.h"
#include "table/column_total.h"
#include "table/results_table.h"

namespace tally {
namespace {

// Bounds on a loaded grid, so that a damaged file cannot ask for unbounded memory.
constexpr int kMaxLoadedColumns = 1000;
constexpr int kMaxLoadedRows = 2'000'000;
constexpr long long kMaxLoadedCells = 10'000'000;

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string OneLineHeading(std::string_view heading) {
    std::string text;
    for (std::size_t i = 0; i < heading.size(); ++i) {
        const bool lineBreak = heading[i] == '\r' && i + 1 < heading.size() && heading[i + 1] == '\n';
        text += lineBreak ? ' ' : heading[i];
        if (lineBreak) ++i;
    }
    return text;
}

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

std::vector<TTableSaveItem> TResultsTable::SaveItems() const {
    std::vector<TTableSaveItem> items;
    for (int row = 0; row < RowCount(); ++row) {
        for (int column = 0; column < ColumnCount(); ++column) {
            if (row == 0 || column == 0) {
                const TRowColParams& params = row == 0 ? ColumnParams(column) : RowParams(row);
                if (!params.IsEmpty()) items.push_back({row, column, 'P', params.Text()});
            }
            items.push_back({row, column, 'T', Cell(column, row)});
        }
    }
    return items;
}

bool TResultsTable::SetGridSize(int rows, int columns) {
    if (rows < 2 || columns < 2 || rows > kMaxLoadedRows || columns > kMaxLoadedColumns ||
        static_cast<long long>(rows) * columns > kMaxLoadedCells) {
        return false;
    }
    ResetTable();
    AppendColumns(columns - ColumnCount());
    while (RowCount() < rows) InsertRowAt(RowCount());
    return true;
}

void TResultsTable::LoadItem(const TTableSaveItem& item) {
    if (!IsCell(item.Column, item.Row)) return;
    if (item.Kind == 'P') {
        if (item.Row == 0) {
            ColumnAt(item.Column).Params.SetText(item.Text);
        } else if (item.Column == 0) {
            RowAt(item.Row).Params.SetText(item.Text);
        }
        return;
    }
    if (item.Kind != 'T') return;
    if (item.Row == 0) {
        SetHeading(item.Column, item.Text);
        return;
    }
    if (item.Column == 0) return;
    CellRef(item.Column, item.Row) = item.Text;
    if (RowAt(item.Row).Params.Value(TableKey::kRowType) == "TIL") {
        rowDragAllowed_ = false;
    } else {
        WidenColumnFor(item.Column, item.Text);
    }
}

void TResultsTable::FinishLoad() {
    const int count = RowCount();
    totalRows_ = count >= 4 && RowAt(count - 2).Params.Value(TableKey::kRowType) == "TIL" &&
                 RowAt(count - 1).Params.Value(TableKey::kRowType) == "TNL";
    // Total rows stand only at the end; a row type anywhere else is dropped.
    for (int row = 1; row < FirstTotalRow(); ++row) RowAt(row).Params.SetValue(TableKey::kRowType, "");
    for (int column = 1; column < ColumnCount(); ++column) {
        TRowColParams& params = ColumnAt(column).Params;
        const std::string_view type = params.Value(TableKey::kTotalType);
        const bool known = type == kColumnTotalDecimal || type == kColumnTotalHoursMinutes ||
                           type == kColumnTotalHoursMinutesSeconds;
        if (!type.empty() && (!known || !IsDataColumn(column))) params.SetValue(TableKey::kTotalType, "");
    }
    if (AnyColumnShowsTotal()) {
        CreateTotalRows();
        for (int column = 1; column < ColumnCount(); ++column) {
            CellRef(column, FirstTotalRow()) = ShowsTotal(column) ? std::string(kTotalIndicatorText) : std::string();
        }
    } else {
        DeleteTotalRows();
    }
    KeepFixedColumnsInPlace();
    NumberRowsFrom(1);
    for (int column = 0; column < ColumnCount(); ++column) FitColumnWidth(column);
    RecomputeAllTotals();
    ClampCurrentCell();
    Changed();
    modified_ = false;
}

std::vector<std::string> TResultsTable::TextExportLines() const {
    std::vector<std::string> lines;
    if (!HasData()) return lines;
    for (int row = 0; row < RowCount(); ++row) {
        std::string line;
        for (int column = 1; column < ColumnCount(); ++column) {
            if (column > 1) line += '\t';
            const std::string& cell = Cell(column, row);
            if (row == 0) {
                line += Quoted(Trimmed(OneLineHeading(cell)));
            } else if (IsDecimalText(cell)) {
                line += cell;
            } else {
                line += Quoted(cell);
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<TResultsTableColumnInfo> TResultsTable::ColumnInfoList() const {
    std::vector<TResultsTableColumnInfo> list;
    const int lastRow = LastNonEmptyDataRow();
    for (int column = 1; column < ColumnCount(); ++column) {
        if (!IsDataColumn(column)) continue;
        list.push_back({this, lastRow, column, std::string(ColumnParams(column).Value(TableKey::kColumnId))});
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a.ColumnId < b.ColumnId; });
    return list;
}

std::vector<TTablePrintColumn> TResultsTable::PrintColumnList() const {
    bool anySelected = false;
    for (int column = 1; column < ColumnCount(); ++column) {
        anySelected = anySelected || ColumnParams(column).Value(TableKey::kPrintSelected) == "Y";
    }
    std::vector<TTablePrintColumn> list;
    for (int column = 1; column < ColumnCount(); ++column) {
        if (!IsAssignedColumn(column)) continue;
        if (anySelected && ColumnParams(column).Value(TableKey::kPrintSelected) != "Y") continue;
        list.push_back({column, Heading(column), IsAnnotationColumn(column)});
    }
    return list;
}

std::vector<TTablePrintSelection> TResultsTable::PrintSelectionList() const {
    std::vector<TTablePrintSelection> list;
    if (DataColumnCount() == 0) return list;
    bool anySelection = false;
    for (int column = 1; column < ColumnCount(); ++column) {
        anySelection = anySelection || !ColumnParams(column).Value(TableKey::kPrintSelected).empty();
    }
    for (int column = 1; column < ColumnCount(); ++column) {
        std::string heading = OneLineHeading(Heading(column));
        heading.erase(0, heading.find_first_not_of(' ') == std::string::npos ? heading.size()
                                                                              : heading.find_first_not_of(' '));
        const bool selected = !anySelection || ColumnParams(column).Value(TableKey::kPrintSelected) == "Y";
        list.push_back({column, std::move(heading), selected});
    }
    return list;
}

void TResultsTable::SetPrintSelection(int column, bool selected) {
    if (column < 1 || column >= ColumnCount()) return;
    ColumnAt(column).Params.SetValue(TableKey::kPrintSelected, selected ? "Y" : "");
    modified_ = true;
}

void TResultsTable::ApplyPrintChecks(const std::vector<TTablePrintSelection>& checks) {
    const bool allChecked = std::all_of(checks.begin(), checks.end(), [](const auto& check) { return check.Selected; });
    for (const TTablePrintSelection& check : checks) SetPrintSelection(check.Column, !allChecked && check.Selected);
}

void TResultsTable::CopyCurrentCell(IClipboard& clipboard) const {
    clipboard.SetText(HasData() ? Cell(currentColumn_, currentRow_) : std::string());
}

void TResultsTable::SetEditorSelection(int start, int length) {
    editorSelStart_ = std::max(start, 0);
    editorSelLength_ = std::max(length, 0);
}

bool TResultsTable::Paste(const IClipboard& clipboard) {
    const int column = AnnotationColumn();
    if (column != currentColumn_ || !CanEditCell(column, currentRow_)) return false;
    std::string text = Cell(column, currentRow_);
    const std::size_t start = std::min(static_cast<std::size_t>(editorSelStart_), text.size());
    const std::size_t length = std::min(static_cast<std::size_t>(editorSelLength_), text.size() - start);
    const std::string pasted = clipboard.GetText();
    text.replace(start, length, pasted);
    editorSelStart_ = static_cast<int>(start + pasted.size());
    editorSelLength_ = 0;
    return SetAnnotation(currentRow_, text);
}

}  // namespace tally
