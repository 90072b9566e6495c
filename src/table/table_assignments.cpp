// The table manager's side of the tape lines: assignments typed into Table Columns cells,
// renumbering, copying entries to the table, removing unassigned columns and headings.

#include <algorithm>
#include <cmath>
#include <set>

#include "engine/lines/calc_params.h"
#include "engine/lines/operator_keys.h"
#include "engine/records/tape_record.h"
#include "engine/tape/calculator.h"
#include "engine/tape/table_column_texts.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/number_texts.h"
#include "platform/clipboard.h"
#include "table/table_manager.h"

namespace tally {
namespace {

constexpr std::size_t kColumnIdDigits = 16;
constexpr std::size_t kMaxHeadingLength = 100;

bool IsColumnId(std::string_view id) {
    return id.size() == kColumnIdDigits &&
           std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// An annotation longer than 100 characters is cut at its last blank within the first 100
// (unless that blank is the first character) and gets "...".
std::string HeadingFromAnnotation(std::string_view annotation) {
    if (annotation.size() <= kMaxHeadingLength) return std::string(annotation);
    const std::string_view head = annotation.substr(0, kMaxHeadingLength);
    const std::size_t blank = head.rfind(' ');
    const std::size_t keep = blank != std::string_view::npos && blank >= 1 ? blank : kMaxHeadingLength;
    return std::string(head.substr(0, keep)) + "...";
}

// The number a line sends to the table: its entry or total without the operator; a subtracted
// entry keeps its minus sign, so the table holds what the line contributes.
std::string LineNumberText(std::string_view entry) {
    if (!entry.empty() && entry.front() != '-' && IsStoredOperator(entry.front())) entry.remove_prefix(1);
    return std::string(entry);
}

// The table column ids held by cut tape data on the clipboard.
std::set<std::string, std::less<>> CutColumnIds(const IClipboard* clipboard) {
    std::set<std::string, std::less<>> ids;
    if (clipboard == nullptr) return ids;
    for (const std::string& properties : CutRecordPropertyTexts(clipboard->GetText())) {
        const TCalcParams params = TCalcParams::FromText(properties);
        if (!params.Value(LineKey::kTableColumnId).empty()) ids.emplace(params.Value(LineKey::kTableColumnId));
    }
    return ids;
}

}  // namespace

TTapeTableColumnInfoList TTableManager::CollectAssignments() const {
    TTapeTableColumnInfoList assigned;
    for (TCalculator* tape : EnabledTapes()) assigned.AddAssignedLines(tape->Lines(), tape);
    assigned.SortByTableColumnId();
    return assigned;
}

std::vector<TResultsTableColumnInfo> TTableManager::CollectColumns() const {
    std::vector<TResultsTableColumnInfo> columns;
    for (const auto& table : tables_) {
        std::vector<TResultsTableColumnInfo> own = table->ColumnInfoList();
        columns.insert(columns.end(), own.begin(), own.end());
    }
    std::stable_sort(columns.begin(), columns.end(),
                     [](const auto& a, const auto& b) { return a.ColumnId < b.ColumnId; });
    return columns;
}

TResultsTable* TTableManager::TableOfColumn(std::string_view columnId, int& column) const {
    if (columnId.empty()) return nullptr;
    for (const auto& table : tables_) {
        for (int c = 1; c < table->ColumnCount(); ++c) {
            if (table->ColumnParams(c).Value(TableKey::kColumnId) == columnId) {
                column = c;
                return table.get();
            }
        }
    }
    return nullptr;
}

bool TTableManager::IsTableColumnEmpty(std::string_view columnId) const {
    int column = 0;
    const TResultsTable* table = TableOfColumn(columnId, column);
    return table == nullptr || table->IsColumnEmpty(column);
}

bool TTableManager::AnyColumnHasData(const std::vector<std::string>& columnIds) const {
    return std::any_of(columnIds.begin(), columnIds.end(),
                       [this](const std::string& id) { return !IsTableColumnEmpty(id); });
}

bool TTableManager::AnyLineFeedsData(const TLineStore& lines, LineIndex first, LineIndex last) const {
    const std::vector<LineIndex>& assigned = lines.AssignedLines();
    const auto from = std::lower_bound(assigned.begin(), assigned.end(), first);
    const auto to = std::upper_bound(from, assigned.end(), last);
    return std::any_of(from, to, [&](LineIndex line) {
        return !IsTableColumnEmpty(lines.Property(line, LineKey::kTableColumnId));
    });
}

std::vector<std::string> TTableManager::TableColumnIds() const {
    std::vector<std::string> ids;
    for (const TResultsTableColumnInfo& info : CollectColumns()) ids.push_back(info.ColumnId);
    return ids;
}

std::string TTableManager::NewColumnId() const {
    const std::vector<std::string> used = TableColumnIds();
    while (true) {
        long double fraction = random_();
        if (!(fraction >= 0 && fraction < 1)) fraction = 0;
        // Sixteen digits after the separator, without the leading "0.".
        auto digits = static_cast<unsigned long long>(std::floor(fraction * 1e16L));
        digits = std::min(digits, 9'999'999'999'999'999ULL);
        std::string id = std::to_string(digits);
        id.insert(0, kColumnIdDigits - id.size(), '0');
        if (std::find(used.begin(), used.end(), id) == used.end()) return id;
    }
}

bool TTableManager::ConfirmDeleteColumn() const {
    TMedBoolean wanted;
    wanted.Value = true;
    if (bus_ != nullptr) bus_->HandleIfExists(events::FileObj_ConfirmDeleteTableCol, nullptr, &wanted);
    if (!wanted.Value) return true;
    Notifier().Platform().Beep();
    return Notifier().MessageBox(kConfirmDeleteTableColumnText, CaptionConfirm, TMessageBoxButtons::OkCancel) ==
           TMessageBoxAnswer::Ok;
}

std::optional<int> TTableManager::CheckedColumnNumber(std::string_view text) const {
    const int maximum = MaxTableColumn();
    if (const std::optional<int> number = ParseBoundedInteger(text, 1, maximum)) return number;
    if (ParseBoundedInteger(text, 0, 0)) {
        Notifier().ExplainAndBeep(kTableColumnBelowMinimumText);
    } else if (IsDigitText(text)) {
        Notifier().ExplainAndBeep(TableColumnAboveMaximumText(maximum));
    } else {
        Notifier().ExplainAndBeep("Only digits are permitted in the Table Columns column.");
    }
    return std::nullopt;
}

void TTableManager::AddColumnForLine(TCalculator& tape, LineIndex line, int column) {
    const int maximum = MaxDataColumns();
    // Only data columns count against the limit: line numbers, annotations and the gaps
    // between data columns do not.
    if (current_->DataColumnCount() >= maximum) {
        Notifier().ExplainAndBeep(TableColumnLimitText(maximum));
        if (bus_ != nullptr) {
            TOsMsgVariables request;
            request.MessageNumber = requests::kFirstUserMessage + requests::SelectTableColumnsCell;
            request.SecondParam = line + 1;
            bus_->HandleIfExists(events::FileObj_PostMainFormWindowsMsg, &request, nullptr);
        }
        return;
    }
    const std::string id = NewColumnId();
    current_->AddDataColumn(id, column, HeadingFromAnnotation(tape.Lines().Annotations(line)));
    tape.Lines().SetProperty(line, LineKey::kTableColumnNumber, std::to_string(column));
    tape.Lines().SetProperty(line, LineKey::kTableColumnId, id);
}

void TTableManager::RemoveColumnOfLine(TCalculator& tape, LineIndex line) {
    int column = 0;
    TResultsTable* table = TableOfColumn(tape.Lines().Property(line, LineKey::kTableColumnId), column);
    if (table != nullptr) {
        if (!table->IsColumnEmpty(column) && !ConfirmDeleteColumn()) return;
        table->DeleteColumn(column);
    }
    tape.Lines().SetProperty(line, LineKey::kTableColumnNumber, "");
    tape.Lines().SetProperty(line, LineKey::kTableColumnId, "");
}

void TTableManager::ApplyTableColumnCell(TCalculator& tape, LineIndex line) {
    if (!tape.IsColumnShown(TTapeColumn::TableColumns) || !tape.Lines().IsLine(line)) return;
    const std::string text = Trimmed(tape.Lines().TableColumns(line));
    const std::string assigned(tape.Lines().Property(line, LineKey::kTableColumnNumber));
    if (assigned.empty() && !text.empty()) {
        const std::optional<int> column = CheckedColumnNumber(text);
        if (column && current_ != nullptr) AddColumnForLine(tape, line, *column);
    } else if (!assigned.empty() && !text.empty()) {
        const std::optional<int> column = CheckedColumnNumber(text);
        int from = 0;
        TResultsTable* table = TableOfColumn(tape.Lines().Property(line, LineKey::kTableColumnId), from);
        if (column && *column != ParseBoundedInteger(assigned, 0, 1 << 30) && table != nullptr) {
            table->MoveColumn(from, *column);
            tape.Lines().SetProperty(line, LineKey::kTableColumnNumber, std::to_string(*column));
        }
    } else if (!assigned.empty()) {
        RemoveColumnOfLine(tape, line);
    }
    // The cell shows the line's assignment again, whatever became of the typed text.
    tape.Lines().SetCell(line, TLineColumn::TableColumns, tape.Lines().Property(line, LineKey::kTableColumnNumber));
    RenumberAssignments();
}

// The lists name tapes and tables read-only; the manager changes the ones it reaches.
TCalculator* TTableManager::EditableTape(const TCalculator* tape) const {
    for (TCalculator* enabled : EnabledTapes()) {
        if (enabled == tape) return enabled;
    }
    return nullptr;
}

TResultsTable* TTableManager::EditableTable(const TResultsTable* table) const {
    for (const auto& owned : tables_) {
        if (owned.get() == table) return owned.get();
    }
    return nullptr;
}

void TTableManager::RenumberAssignments() {
    TTapeTableColumnInfoList assigned = CollectAssignments();
    const std::vector<TResultsTableColumnInfo> columns = CollectColumns();
    std::set<TCalculator*> changedTapes;
    std::size_t c = 0;
    // Both lists are sorted by id; the walk checks each list's end itself.
    for (const auto* item = assigned.First(); item != nullptr; item = assigned.Next()) {
        while (c < columns.size() && columns[c].ColumnId < item->tableColumnId) ++c;  // a column without a line stays
        TCalculator* tape = EditableTape(item->tape);
        TLineStore& lines = tape->Lines();
        std::string number;
        if (c < columns.size() && columns[c].ColumnId == item->tableColumnId && IsColumnId(item->tableColumnId)) {
            number = std::to_string(columns[c].Column);
            ++c;
        } else {
            lines.SetProperty(item->lineIndex, LineKey::kTableColumnId, "");
        }
        lines.SetProperty(item->lineIndex, LineKey::kTableColumnNumber, number);
        if (lines.TableColumns(item->lineIndex) != number) {
            lines.SetCell(item->lineIndex, TLineColumn::TableColumns, number);
            changedTapes.insert(tape);
        }
    }
    for (TCalculator* tape : changedTapes) RedisplayTape(*tape);
}

void TTableManager::RedisplayTape(TCalculator& tape) const {
    if (tape.FocusColumn() == TTapeColumn::TableColumns) {
        TEntryEditor& editor = tape.Editor();
        editor.Text = std::string(tape.Lines().TableColumns(tape.FocusLine()));
        editor.SelStart = static_cast<int>(editor.Text.size());
        editor.SelLength = 0;
    }
    tape.View().Repaint();
}

void TTableManager::CopyEntriesToTable() {
    TTapeTableColumnInfoList assigned = CollectAssignments();
    const std::vector<TResultsTableColumnInfo> columns = CollectColumns();
    std::size_t c = 0;
    for (const auto* item = assigned.First(); item != nullptr; item = assigned.Next()) {
        while (c < columns.size() && columns[c].ColumnId < item->tableColumnId) ++c;
        if (c == columns.size()) break;
        if (columns[c].ColumnId != item->tableColumnId) continue;
        const TResultsTableColumnInfo& column = columns[c++];
        // The row is the one after the last non-empty row when the copy started.
        EditableTable(column.Table)->PutValue(column.Column, column.LastDataRow + 1,
                        LineNumberText(item->tape->Lines().Entries(item->lineIndex)));
    }
}

void TTableManager::RemoveUnassignedColumns() {
    std::set<std::string, std::less<>> kept = CutColumnIds(clipboard_);
    TTapeTableColumnInfoList assigned = CollectAssignments();
    for (const auto* item = assigned.First(); item != nullptr; item = assigned.Next()) kept.insert(item->tableColumnId);
    for (const auto& table : tables_) {
        for (int column = table->ColumnCount() - 1; column >= 1; --column) {
            if (column >= table->ColumnCount() || !table->IsDataColumn(column)) continue;
            if (!kept.contains(table->ColumnParams(column).Value(TableKey::kColumnId))) table->DeleteColumn(column);
        }
    }
    RenumberAssignments();
}

void TTableManager::UpdateColumnHeading(TCalculator& tape, LineIndex line) {
    if (!tape.Lines().IsLine(line)) return;
    int column = 0;
    TResultsTable* table = TableOfColumn(tape.Lines().Property(line, LineKey::kTableColumnId), column);
    if (table != nullptr) table->SetHeading(column, HeadingFromAnnotation(tape.Lines().Annotations(line)));
}

}  // namespace tally
