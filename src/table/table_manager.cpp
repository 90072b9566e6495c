#include "table/table_manager.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <random>

#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "platform/clipboard.h"

namespace tally {
namespace {

// Only "Table A" can exist: every other letter is excluded.
constexpr std::string_view kExcludedLetters = "bcdefghijklmnopqrstuvwxyz";
constexpr std::size_t kMaxTables = 26 - kExcludedLetters.size();
constexpr std::string_view kTableNamePrefix = "Table ";

std::function<long double()> ClockSeededRandom() {
    auto engine = std::make_shared<std::mt19937_64>(
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    return [engine] { return std::uniform_real_distribution<long double>(0.0L, 1.0L)(*engine); };
}

// Actions without a value, run on the current table.
using TTableAction = void (*)(TTableManager&, TResultsTable&, IClipboard*);
struct TActionEntry {
    std::string_view Name;
    TTableAction Run;
};

constexpr TActionEntry kActions[] = {
    {"TableDeleteLine", [](TTableManager&, TResultsTable& t, IClipboard*) { t.DeleteRow(t.CurrentRow()); }},
    {"TableDeleteCol", [](TTableManager& m, TResultsTable&, IClipboard*) { m.DeleteCurrentColumn(); }},
    {"SortLargeToSmall", [](TTableManager&, TResultsTable& t, IClipboard*) { t.Sort(false); }},
    {"SortSmallToLarge", [](TTableManager&, TResultsTable& t, IClipboard*) { t.Sort(true); }},
    {"EmptyTable", [](TTableManager&, TResultsTable& t, IClipboard*) { t.EmptyTable(); }},
    {"ResetTable", [](TTableManager& m, TResultsTable&, IClipboard*) { m.ResetCurrentTable(); }},
    {"EditColHeading", [](TTableManager& m, TResultsTable&, IClipboard*) { m.EditColumnHeading(); }},
    {"CopyCellToClip",
     [](TTableManager&, TResultsTable& t, IClipboard* c) {
         if (c != nullptr) t.CopyCurrentCell(*c);
     }},
    {"Paste",
     [](TTableManager&, TResultsTable& t, IClipboard* c) {
         if (c != nullptr) t.Paste(*c);
     }},
    {"SetColTotalTypeDec", [](TTableManager&, TResultsTable& t, IClipboard*) { t.SetCurrentColumnTotalType("DE"); }},
    {"SetColTotalTypeHM", [](TTableManager&, TResultsTable& t, IClipboard*) { t.SetCurrentColumnTotalType("T2"); }},
    {"SetColTotalTypeHMS", [](TTableManager&, TResultsTable& t, IClipboard*) { t.SetCurrentColumnTotalType("T3"); }},
    {"CopyToTable", [](TTableManager& m, TResultsTable&, IClipboard*) { m.CopyEntriesToTable(); }},
    {"MoveLineUp", [](TTableManager&, TResultsTable& t, IClipboard*) { t.MoveCurrentRowUp(); }},
    {"MoveLineDown", [](TTableManager&, TResultsTable& t, IClipboard*) { t.MoveCurrentRowDown(); }},
    {"MoveColLeft",
     [](TTableManager& m, TResultsTable& t, IClipboard*) {
         t.MoveCurrentColumnLeft();
         m.RenumberAssignments();
     }},
    {"MoveColRight",
     [](TTableManager& m, TResultsTable& t, IClipboard*) {
         t.MoveCurrentColumnRight();
         m.RenumberAssignments();
     }},
};

constexpr std::string_view kOnOffActions[] = {"EnableAnnots", "ShowLineNums", "ShowColTotal"};

TTableAction FindAction(std::string_view name) {
    for (const TActionEntry& action : kActions) {
        if (action.Name == name) return action.Run;
    }
    return nullptr;
}

}  // namespace

std::string TableColumnLimitText(int maximum) {
    return "Adding another column to the table would exceed the maximum number of table DATA columns of " +
           std::to_string(maximum) + ".  (You can change this maximum number in " + "the General Options window.)";
}

TTableManager::TTableManager(TStMediator* documentBus, IClipboard* clipboard, const ITextMeasurer* measurer)
    : bus_(documentBus), clipboard_(clipboard), measurer_(measurer), random_(ClockSeededRandom()) {
    RegisterEvents();
}

TTableManager::~TTableManager() {
    if (bus_ == nullptr) return;
    bus_->Remove(events::TableMgr_IsTableColumnEmpty);
    bus_->Remove(events::TableMgr_UpdateTableColHeading);
}

void TTableManager::RegisterEvents() {
    if (bus_ == nullptr) return;
    bus_->Add(events::TableMgr_IsTableColumnEmpty, [this](TMedRecord* in, TMedRecord* out) {
        const auto* id = RecordAs<TMedString>(in);
        auto* answer = RecordAs<TMedBoolean>(out);
        if (id != nullptr && answer != nullptr) answer->Value = IsTableColumnEmpty(id->Value);
    });
    bus_->Add(events::TableMgr_UpdateTableColHeading, [this](TMedRecord* in, TMedRecord*) {
        const auto* data = RecordAs<TMedTableMgr_UpdTableColHeadingData>(in);
        if (data != nullptr && data->Tape != nullptr) UpdateColumnHeading(*data->Tape, data->Line);
    });
}

std::vector<TCalculator*> TTableManager::EnabledTapes() const {
    std::vector<TCalculator*> tapes;
    for (const auto* getter : {&tapes_.MainTape, &tapes_.MemoryTape, &tapes_.SideTape}) {
        if (*getter) {
            if (TCalculator* tape = (*getter)()) tapes.push_back(tape);
        }
    }
    if (tapes_.AuxiliaryTapes) {
        for (TCalculator* tape : tapes_.AuxiliaryTapes()) {
            if (tape != nullptr) tapes.push_back(tape);
        }
    }
    return tapes;
}

void TTableManager::ConnectTape(TCalculator& tape) {
    TCalculatorHooks& hooks = tape.Hooks();
    hooks.CommitTableColumn = [this](TCalculator& t, LineIndex line) { ApplyTableColumnCell(t, line); };
    hooks.CommitAnnotation = [this](TCalculator& t, LineIndex line) { UpdateColumnHeading(t, line); };
    hooks.GetMaxTableColumn = [this] { return MaxTableColumn(); };
}

void TTableManager::SetTableCallbacks(TResultsTableCallbacks callbacks) {
    callbacks_ = std::move(callbacks);
    for (const auto& table : tables_) {
        TResultsTableCallbacks own = callbacks_;
        own.ColumnDragged = [this](int from, int to) {
            RenumberAssignments();
            if (callbacks_.ColumnDragged) callbacks_.ColumnDragged(from, to);
        };
        table->Callbacks() = own;
    }
}

// ---- Tables ----------------------------------------------------------------------------------

bool TTableManager::CreateTable() {
    if (tables_.size() >= kMaxTables) return false;
    char letter = '\0';
    for (char c = 'a'; c <= 'z' && letter == '\0'; ++c) {
        if (kExcludedLetters.find(c) == std::string_view::npos && lettersInUse_.find(c) == std::string::npos) {
            letter = c;
        }
    }
    if (letter == '\0') return false;
    auto table = std::make_unique<TResultsTable>(measurer_);
    table->SetTableLetter(letter);
    table->SetTableName(std::string(kTableNamePrefix) + static_cast<char>(std::toupper(letter)));
    table->SetFocusColor(focusColor_);
    table->SetFont(font_);
    table->SetRoundingMethod(roundingMethod_);
    table->SetShowThousands(showThousands_);
    table->SetPageHeading(DefaultText(events::FileObj_GetDefaultTablePageHeader));
    table->SetTitle(DefaultText(events::FileObj_GetDefaultTableTitle));
    table->SetModified(false);
    lettersInUse_ += letter;
    current_ = table.get();
    tables_.push_back(std::move(table));
    SetTableCallbacks(callbacks_);
    return true;
}

bool TTableManager::RemoveTable(std::string_view name) {
    const auto found = std::find_if(tables_.begin(), tables_.end(),
                                    [name](const auto& table) { return table->TableName() == name; });
    if (found == tables_.end()) return false;
    if (const std::size_t at = lettersInUse_.find((*found)->TableLetter()); at != std::string::npos) {
        lettersInUse_.erase(at, 1);
    }
    if (current_ == found->get()) current_ = nullptr;
    tables_.erase(found);
    RenumberAssignments();
    return true;
}

bool TTableManager::SelectTable(std::string_view name) {
    for (const auto& table : tables_) {
        if (table->TableName() == name) {
            current_ = table.get();
            return true;
        }
    }
    return false;
}

std::string TTableManager::DefaultText(std::string_view eventName) const {
    TMedString text;
    if (bus_ != nullptr) bus_->HandleIfExists(eventName, nullptr, &text);
    return text.Value;
}

// ---- Commands --------------------------------------------------------------------------------

bool TTableManager::IsActionName(std::string_view action) {
    return FindAction(action) != nullptr || IsOnOffAction(action);
}

bool TTableManager::IsOnOffAction(std::string_view action) {
    return std::find(std::begin(kOnOffActions), std::end(kOnOffActions), action) != std::end(kOnOffActions);
}

bool TTableManager::PerformAction(std::string_view action, bool on) {
    if (current_ == nullptr) return false;
    if (const TTableAction run = FindAction(action)) {
        run(*this, *current_, clipboard_);
    } else if (action == "EnableAnnots") {
        ShowAnnotations(on);
    } else if (action == "ShowLineNums") {
        ShowLineNumbers(on);
    } else if (action == "ShowColTotal") {
        current_->SetCurrentColumnTotalShown(on);
    } else {
        return false;
    }
    return true;
}

void TTableManager::DeleteCurrentColumn() {
    if (current_ == nullptr) return;
    const int column = current_->CurrentColumn();
    if (current_->IsLineNumberColumn(column)) {
        current_->SetLineNumbersShown(false);
    } else if (current_->IsAnnotationColumn(column)) {
        current_->SetAnnotationsShown(false);
    } else {
        current_->DeleteColumn(column);
    }
    RenumberAssignments();
}

void TTableManager::ResetCurrentTable() {
    if (current_ == nullptr) return;
    current_->ResetTable();
    RenumberAssignments();
}

void TTableManager::ShowAnnotations(bool on) {
    for (const auto& table : tables_) table->SetAnnotationsShown(on);
    RenumberAssignments();
}

void TTableManager::ShowLineNumbers(bool on) {
    for (const auto& table : tables_) table->SetLineNumbersShown(on);
    RenumberAssignments();
}

std::optional<TTapeLineRef> TTableManager::EditColumnHeading() {
    if (current_ == nullptr || !current_->IsDataColumn(current_->CurrentColumn())) return std::nullopt;
    const std::string columnId(current_->ColumnParams(current_->CurrentColumn()).Value(TableKey::kColumnId));
    for (TCalculator* tape : EnabledTapes()) {
        TTapeTableColumnInfoList assigned;
        assigned.AddAssignedLines(tape->Lines(), tape);
        if (const auto* item = assigned.FindByTableColumnId(columnId)) {
            const TTapeColumn cell = tape->IsColumnShown(TTapeColumn::Annotations) ? TTapeColumn::Annotations
                                                                                     : TTapeColumn::TableColumns;
            if (tape->IsColumnShown(cell)) tape->SelectCell(cell, item->lineIndex);
            return TTapeLineRef{tape, item->lineIndex};
        }
    }
    return std::nullopt;
}

void TTableManager::SetCurrentColumnDecimals(int decimals) {
    if (current_ != nullptr) current_->SetCurrentColumnTotalDecimals(decimals);
}

// ---- Settings --------------------------------------------------------------------------------

void TTableManager::SetFocusColor(std::uint32_t color) {
    if (color == focusColor_) return;
    focusColor_ = color;
    for (const auto& table : tables_) table->SetFocusColor(color);
}

void TTableManager::SetFont(const TFontDescription& font) {
    if (font == font_) return;
    font_ = font;
    for (const auto& table : tables_) table->SetFont(font);
}

void TTableManager::SetRoundingMethod(TRoundingMethod method) {
    if (method == roundingMethod_) return;
    roundingMethod_ = method;
    for (const auto& table : tables_) table->SetRoundingMethod(method);
}

void TTableManager::SetShowThousands(bool on) {
    if (on == showThousands_) return;
    showThousands_ = on;
    for (const auto& table : tables_) table->SetShowThousands(on);
}

bool TTableManager::IsAnyTableModified() const {
    return std::any_of(tables_.begin(), tables_.end(), [](const auto& table) { return table->IsModified(); });
}

void TTableManager::SetModified(bool modified) {
    for (const auto& table : tables_) table->SetModified(modified);
}

bool TTableManager::AreAllTablesEmpty() const {
    return std::none_of(tables_.begin(), tables_.end(), [](const auto& table) { return table->HasData(); });
}

int TTableManager::MaxDataColumns() const {
    TMedInteger maximum;
    maximum.Value = kDefaultMaxTableDataColumns;
    if (bus_ != nullptr) bus_->HandleIfExists(events::FileObj_GetMaxTableDataCols, nullptr, &maximum);
    return std::max(maximum.Value, 0);
}

int TTableManager::MaxTableColumn() const {
    int maximum = MaxDataColumns();
    if (current_ != nullptr) {
        maximum += current_->LineNumberColumn() != 0 ? 1 : 0;
        maximum += current_->AnnotationColumn() != 0 ? 1 : 0;
    }
    return maximum;
}

void TTableManager::NewDocument() {
    for (const auto& table : tables_) {
        table->ResetTable();
        table->SetPageHeading(DefaultText(events::FileObj_GetDefaultTablePageHeader));
        table->SetTitle(DefaultText(events::FileObj_GetDefaultTableTitle));
        table->NoteLines().clear();
        table->SetModified(false);
    }
}

void TTableManager::AfterLoad() {
    int widest = MaxDataColumns();
    for (const auto& table : tables_) {
        const bool modified = table->IsModified();
        table->RecomputeAllTotals();
        table->SetModified(modified);
        if (table->Callbacks().LineNumbersShown) table->Callbacks().LineNumbersShown(table->LineNumberColumn() != 0);
        if (table->Callbacks().AnnotationsShown) table->Callbacks().AnnotationsShown(table->AnnotationColumn() != 0);
        int dataColumns = table->ColumnCount() - 1;
        dataColumns -= table->LineNumberColumn() != 0 ? 1 : 0;
        dataColumns -= table->AnnotationColumn() != 0 ? 1 : 0;
        widest = std::max(widest, dataColumns);
    }
    if (widest > MaxDataColumns() && bus_ != nullptr) {
        TMedInteger maximum;
        maximum.Value = widest;
        bus_->HandleIfExists(events::FileObj_SetMaxTableDataCols, &maximum, nullptr);
    }
}

}  // namespace tally
