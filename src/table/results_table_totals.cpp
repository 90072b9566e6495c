// Column totals, sorting and the display of numbers in the results table.

#include <algorithm>
#include <numeric>

#include "engine/decimals/entry_decimals.h"
#include "foundation/numbers/number_format.h"
#include "foundation/numbers/number_texts.h"
#include "table/column_total.h"
#include "table/results_table.h"

namespace tally {

bool TResultsTable::ShowsTotal(int column) const {
    return IsDataColumn(column) && !ColumnParams(column).Value(TableKey::kTotalType).empty();
}

bool TResultsTable::AnyColumnShowsTotal() const {
    for (int column = 1; column < ColumnCount(); ++column) {
        if (ShowsTotal(column)) return true;
    }
    return false;
}

std::string_view TResultsTable::ColumnTotalType(int column) const {
    return ColumnParams(column).Value(TableKey::kTotalType);
}

const std::string& TResultsTable::ColumnTotalText(int column) const {
    return Cell(column, totalRows_ ? RowCount() - 1 : RowCount());
}

bool TResultsTable::ColumnDecimalsUserSet(int column) const {
    return !ColumnParams(column).Value(TableKey::kUserDecimals).empty();
}

int TResultsTable::ColumnDecimals(int column) const {
    return ColumnTotalDecimals(ColumnParams(column).Value(TableKey::kUserDecimals), ColumnTotalText(column));
}

void TResultsTable::AddValueToTotal(int column, int row) {
    const int decimalsBefore = ColumnDecimals(column);
    TColumnTotal total{std::string(ColumnParams(column).Value(TableKey::kRawTotal)), ColumnTotalText(column)};
    TColumnTotalRules rules;
    rules.UserDecimals = ColumnDecimalsUserSet(column);
    rules.Decimals = decimalsBefore;
    rules.Type = ColumnTotalType(column);
    rules.Method = roundingMethod_;
    rules.ShowThousands = showThousands_;
    AddToColumnTotal(total, Cell(column, row), rules);
    ColumnAt(column).Params.SetValue(TableKey::kRawTotal, total.Raw);
    CellRef(column, RowCount() - 1) = total.Shown;
    WidenColumnFor(column, total.Shown);
    // More decimals than the earlier values were added with: add them all again.
    if (ColumnDecimals(column) != decimalsBefore) RecomputeColumnTotal(column);
    CellUpdated(column, RowCount() - 1);
}

void TResultsTable::RecomputeColumnTotal(int column) {
    if (!ShowsTotal(column) || !totalRows_) return;
    TColumnTotalRules rules;
    rules.UserDecimals = ColumnDecimalsUserSet(column);
    rules.Type = ColumnTotalType(column);
    rules.Method = roundingMethod_;
    rules.ShowThousands = showThousands_;
    const int firstTotal = FirstTotalRow();
    bool anyValue = false;
    if (rules.UserDecimals) {
        rules.Decimals = ColumnDecimals(column);
        for (int row = 1; row < firstTotal && !anyValue; ++row) anyValue = !Cell(column, row).empty();
    } else {
        for (int row = 1; row < firstTotal; ++row) {
            const std::string& cell = Cell(column, row);
            if (cell.empty()) continue;
            anyValue = true;
            rules.Decimals = std::max(rules.Decimals, CellDecimals(cell));
        }
    }
    TColumnTotal total{"0", "0"};
    if (anyValue) {
        for (int row = 1; row < firstTotal; ++row) AddToColumnTotal(total, Cell(column, row), rules);
    } else {
        total.Shown.clear();
    }
    ColumnAt(column).Params.SetValue(TableKey::kRawTotal, total.Raw);
    CellRef(column, RowCount() - 1) = total.Shown;
    WidenColumnFor(column, total.Shown);
    CellUpdated(column, RowCount() - 1);
}

void TResultsTable::RecomputeAllTotals() {
    for (int column = 1; column < ColumnCount(); ++column) RecomputeColumnTotal(column);
}

void TResultsTable::SetCurrentColumnTotalShown(bool shown) {
    const int column = currentColumn_;
    if (!IsDataColumn(column) || ShowsTotal(column) == shown) return;
    TRowColParams& params = ColumnAt(column).Params;
    if (shown) {
        CreateTotalRows();
        CellRef(column, FirstTotalRow()) = kTotalIndicatorText;
        params.SetValue(TableKey::kTotalType, DetectColumnTotalType(Cell(column, 1)));
        RecomputeColumnTotal(column);
    } else {
        params.SetValue(TableKey::kTotalType, "");
        params.SetValue(TableKey::kUserDecimals, "");
        params.SetValue(TableKey::kRawTotal, "");
        CellRef(column, FirstTotalRow()).clear();
        CellRef(column, FirstTotalRow() + 1).clear();
        if (!AnyColumnShowsTotal()) DeleteTotalRows();
    }
    Changed();
    ReportCurrentColumn();
}

void TResultsTable::SetCurrentColumnTotalType(std::string_view seriesTotalType) {
    const std::string_view type = ColumnTotalTypeFor(seriesTotalType);
    if (type.empty() || !ShowsTotal(currentColumn_)) return;
    ColumnAt(currentColumn_).Params.SetValue(TableKey::kTotalType, type);
    RecomputeColumnTotal(currentColumn_);
    ReportCurrentColumn();
}

void TResultsTable::SetCurrentColumnTotalDecimals(int decimals) {
    const int column = currentColumn_;
    if (!ShowsTotal(column) || decimals < 0 || decimals > 15 || decimals == ColumnDecimals(column)) return;
    ColumnAt(column).Params.SetValue(TableKey::kUserDecimals, std::to_string(decimals));
    RecomputeColumnTotal(column);
    ReportCurrentColumn();
}

void TResultsTable::SetRoundingMethod(TRoundingMethod method) {
    if (method == roundingMethod_) return;
    roundingMethod_ = method;
    RecomputeAllTotals();
}

void TResultsTable::SetShowThousands(bool on) {
    if (on == showThousands_) return;
    showThousands_ = on;
    const int lineNumbers = LineNumberColumn();
    const int annotations = AnnotationColumn();
    for (int row = 1; row < FirstTotalRow(); ++row) {
        for (int column = 1; column < ColumnCount(); ++column) {
            if (column == lineNumbers || column == annotations) continue;
            std::string& cell = CellRef(column, row);
            const std::string number = RemoveThousandSeparators(cell);
            if (IsDecimalText(number) && number.find_first_of("Ee") == std::string::npos) {
                cell = FormatDecimal(EntryNumberValue(number), FractionDigitCount(number), on);
            } else if (IsFractionText(number)) {
                cell = FormatFractionText(number, on);
            }
        }
    }
    RecomputeAllTotals();
    Changed();
}

bool TResultsTable::CanSort() const {
    return HasData() && currentColumn_ >= 1 && currentColumn_ < ColumnCount() &&
           !IsLineNumberColumn(currentColumn_) && !IsAnnotationColumn(currentColumn_);
}

bool TResultsTable::Sort(bool ascending) {
    if (!CanSort()) return false;
    const int column = currentColumn_;
    const int last = LastNonEmptyDataRow();
    const std::size_t count = static_cast<std::size_t>(last);
    std::vector<long double> keys(count);
    for (std::size_t i = 0; i < count; ++i) keys[i] = TableCellValue(Cell(column, static_cast<int>(i) + 1));
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Stable both ways: rows with equal values keep their order.
    if (ascending) {
        std::stable_sort(order.begin(), order.end(), [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    } else {
        std::stable_sort(order.begin(), order.end(), [&keys](std::size_t a, std::size_t b) { return keys[a] > keys[b]; });
    }
    std::vector<TRow> sorted;
    sorted.reserve(count);
    for (const std::size_t from : order) sorted.push_back(std::move(rows_[from + 1]));
    std::move(sorted.begin(), sorted.end(), rows_.begin() + 1);
    for (int other = 1; other < ColumnCount(); ++other) ColumnAt(other).Params.SetValue(TableKey::kLastSort, "");
    ColumnAt(column).Params.SetValue(TableKey::kLastSort, ascending ? "A" : "D");
    NumberRowsFrom(1);
    RecomputeAllTotals();
    Changed();
    return true;
}

}  // namespace tally
