// The tape's columns: which are shown, their order, headings and widths.
#include <algorithm>
#include <string>

#include "engine/tape/calculator.h"
#include "foundation/deferred_request_codes.h"

namespace tally {
namespace {

// Left to right as the grid shows them.
constexpr std::array kColumnOrder = {TTapeColumn::Line,        TTapeColumn::Entries,
                                     TTapeColumn::Indicator,   TTapeColumn::Links,
                                     TTapeColumn::RunningTotal, TTapeColumn::TableColumns,
                                     TTapeColumn::Annotations};

// Room beside a cell's text.
constexpr int kCellMargin = 5;

std::size_t KindIndex(TTapeColumn column) { return static_cast<std::size_t>(column); }

bool IsAlwaysShown(TTapeColumn column) {
    return column == TTapeColumn::Entries || column == TTapeColumn::Indicator;
}

}  // namespace

std::optional<TLineColumn> LineColumnOf(TTapeColumn column) {
    switch (column) {
        case TTapeColumn::Entries: return TLineColumn::Entries;
        case TTapeColumn::Indicator: return TLineColumn::Indicator;
        case TTapeColumn::RunningTotal: return TLineColumn::RunningTotal;
        case TTapeColumn::Annotations: return TLineColumn::Annotations;
        case TTapeColumn::Links: return TLineColumn::Links;
        case TTapeColumn::TableColumns: return TLineColumn::TableColumns;
        case TTapeColumn::Line: break;
    }
    return std::nullopt;
}

std::string_view TCalculator::ColumnHeading(TTapeColumn column) {
    switch (column) {
        case TTapeColumn::Entries: return "Entries";
        case TTapeColumn::Indicator: return " ";
        case TTapeColumn::RunningTotal: return "Running Total";
        case TTapeColumn::Annotations: return "Annotations";
        case TTapeColumn::Line: return "Line";
        case TTapeColumn::Links: return "Links";
        case TTapeColumn::TableColumns: return "Table\r\nColumns";
    }
    return {};
}

int TCalculator::DefaultColumnWidth(TTapeColumn column) const {
    int sample = 0;
    switch (column) {
        case TTapeColumn::Entries:
        case TTapeColumn::RunningTotal: sample = view_->TextWidth("+12,345,678.00"); break;
        case TTapeColumn::Indicator: sample = view_->TextWidth("ZZ"); break;
        case TTapeColumn::Annotations: sample = view_->TextWidth("123456789012345"); break;
        case TTapeColumn::Line: sample = view_->TextWidth("999"); break;
        case TTapeColumn::Links:
            sample = std::max(view_->TextWidth("Used at line M999-,"), view_->TextWidth("From line M999-"));
            break;
        case TTapeColumn::TableColumns: sample = view_->TextWidth("99"); break;
    }
    return std::max(view_->TextWidth(ColumnHeading(column)), sample) + kCellMargin;
}

bool TCalculator::IsColumnShown(TTapeColumn column) const {
    return (columnSet_ >> static_cast<int>(column)) & 1U;
}

void TCalculator::SetColumnShown(TTapeColumn column, bool shown) {
    if (IsAlwaysShown(column) || IsColumnShown(column) == shown) return;
    const auto bit = static_cast<std::uint8_t>(1U << static_cast<int>(column));
    columnSet_ = shown ? (columnSet_ | bit) : (columnSet_ & ~bit);
    // The focus stays in the same kind of cell unless that column went away.
    if (!shown && focusColumn_ == column) {
        HandOnPendingEdits(focusLine_, true);
        focusColumn_ = TTapeColumn::Entries;
        LoadEditor();
    }
    modified_ = true;
    PostRequest(requests::RecomputeWindowWidth);
}

std::vector<TTapeColumn> TCalculator::ShownColumns() const {
    std::vector<TTapeColumn> shown;
    for (TTapeColumn column : kColumnOrder) {
        if (IsColumnShown(column)) shown.push_back(column);
    }
    return shown;
}

int TCalculator::ColumnPosition(TTapeColumn column) const {
    if (!IsColumnShown(column)) return -1;
    int position = 0;
    for (TTapeColumn other : kColumnOrder) {
        if (other == column) return position;
        if (IsColumnShown(other)) ++position;
    }
    return -1;
}

int TCalculator::ColumnWidth(TTapeColumn column) const { return columnWidths_[KindIndex(column)]; }

void TCalculator::WidenColumnFor(TTapeColumn column, std::string_view text) {
    const int width = view_->TextWidth(text);
    if (width <= ColumnWidth(column) - kCellMargin) return;
    SetColumnWidth(column, width + kCellMargin);
    PostRequest(requests::RecomputeWindowWidth);
}

void TCalculator::FitColumnWidths() {
    bool changed = false;
    for (const TTapeColumn column : ShownColumns()) {
        if (column == TTapeColumn::Annotations) continue;
        int width = DefaultColumnWidth(column);
        if (const std::optional<TLineColumn> cell = LineColumnOf(column)) {
            for (LineIndex line = 0; line < lines_.LineCount(); ++line) {
                width = std::max(width, view_->TextWidth(lines_.Cell(line, *cell)) + kCellMargin);
            }
        } else {
            // The Line column: the last line has the longest number.
            width = std::max(width, view_->TextWidth(std::to_string(lines_.LineCount())) + kCellMargin);
        }
        if (width == ColumnWidth(column)) continue;
        SetColumnWidth(column, width);
        changed = true;
    }
    if (changed) PostRequest(requests::RecomputeWindowWidth);
}

void TCalculator::SetColumnWidth(TTapeColumn column, int width) {
    int& stored = columnWidths_[KindIndex(column)];
    if (stored == width) return;
    stored = width;
    modified_ = true;
}

}  // namespace tally
