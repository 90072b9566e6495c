// The file manager's cross-tape functions, carried to the visible document through its command
// table, and the state snapshots the window reads before it shows its menus and buttons.

#include <string>
#include <vector>

#include "documents/cross_tape_commands.h"
#include "documents/document_command_table.h"
#include "documents/file_manager.h"
#include "documents/file_manager_handlers.h"
#include "documents/file_manager_records.h"
#include "engine/lines/calc_params.h"
#include "engine/series/series_base.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "links/tape_copy.h"
#include "table/column_total.h"
#include "table/results_table.h"
#include "table/table_manager.h"
#include "tapes/auxiliary_calculator_manager.h"

namespace tally {

namespace ev = events;

namespace {

bool HasMemory(const TTlyFile& document) { return (document.EnabledParts() & DocumentPart::kMemoryTape) != 0; }
bool HasSideTape(const TTlyFile& document) { return (document.EnabledParts() & DocumentPart::kSideTape) != 0; }
bool HasTable(const TTlyFile& document) { return (document.EnabledParts() & DocumentPart::kTables) != 0; }
bool HasAuxTapes(const TTlyFile& document) { return (document.EnabledParts() & DocumentPart::kAuxTapes) != 0; }

// Some table column holds a value taken from a line of the tape (read from the line store's
// index of assigned lines, not line by line).
bool TableHoldsDataOf(const TTlyFile& document, const TCalculator& tape) {
    const TLineStore& lines = tape.Lines();
    return document.TableManager().AnyLineFeedsData(lines, 0, lines.LastLine());
}

bool AllAnnotationsEmpty(const TTlyFile& document) {
    for (const TCalculator* tape : document.EnabledTapes()) {
        const TLineStore& lines = tape->Lines();
        for (LineIndex line = 0; line < lines.LineCount(); ++line) {
            if (!lines.Annotations(line).empty()) return false;
        }
    }
    return true;
}

// The function groups of the command table each bus event may run.
struct TFunctionEvent {
    std::string_view Event;
    TDocumentCommandGroup Group;
};
constexpr TFunctionEvent kFunctionEvents[] = {
    {ev::FileMgr_PerformMemoryFunction, TDocumentCommandGroup::Memory},
    {ev::FileMgr_PerformSideTapeFunction, TDocumentCommandGroup::SideTape},
    {ev::FileMgr_PerformTableFunction, TDocumentCommandGroup::Table},
};

}  // namespace

bool TFileManager::AnyDocument(bool (*test)(const TTlyFile&), bool othersOnly) const {
    for (const TOpenFile& file : files_) {
        if (othersOnly && file.Document.get() == &Visible()) continue;
        if (test(*file.Document)) return true;
    }
    return false;
}

void TFileManager::FillFileState(TFileStateVariables& state) const {
    // A record asked twice starts afresh.
    state = TFileStateVariables();
    for (const TOpenFile& file : files_) {
        state.OpenFiles.push_back(file.Document->FileName() + "=" + std::to_string(file.Document->FileNumber()));
    }
    TTlyFile& document = Visible();
    state.FileName = document.FileName();
    state.StructureModified = document.StructureModified();
    state.VisibleKind = document.VisibleKind();
    state.VisibleName = document.VisibleName();

    const TCalculator& tape = document.CurrentTape();
    state.CurrentLineNumber = std::to_string(tape.FocusLine() + 1);
    state.LineCount = std::to_string(tape.Lines().LineCount());
    if (const TSeriesBase* series = tape.CurrentSeries()) {
        state.SeriesDecimalPlaces = series->DecimalPlaces();
        state.SeriesTotalType = series->TotalType();
    }
    state.DataEntryOption = static_cast<std::uint8_t>(tape.DataEntryOption());
    state.RoundingMethod = document.RoundingMethod();
    state.SeriesEntriesValid = IsSeriesValid(tape, tape.FocusLine());

    const TCalculator& main = document.MainTape();
    state.ShowsAnnotations = main.IsColumnShown(TTapeColumn::Annotations);
    state.ShowsLineNumbers = main.IsColumnShown(TTapeColumn::Line);
    state.ShowsLinks = main.IsColumnShown(TTapeColumn::Links);
    state.ShowsRunningTotal = main.IsColumnShown(TTapeColumn::RunningTotal);
    state.ShowsTableColumns = main.IsColumnShown(TTapeColumn::TableColumns);
    state.ShowsThousands = main.ShowThousands();

    const TCrossTapeCommands& commands = document.Commands();
    const TCalculator* memory = document.MemoryTape();
    state.MemoryEnabled = state.MemoryInVisible = memory != nullptr;
    state.MemoryRecallActive = document.MemoryRecallActive();
    state.MemMinusTotalLock = commands.MemMinusTotalLock();
    state.MemPlusTotalLock = commands.MemPlusTotalLock();
    state.AutoAnnotateMemTotal = commands.AutoAnnotateMemTotal();
    if (memory != nullptr) state.MemoryTotal = memory->GetSeriesTotalText();
    state.MemoryInAnother = AnyDocument(HasMemory, true);

    const TCalculator* side = document.SideTape();
    state.SideTapeEnabled = state.SideTapeInVisible = side != nullptr;
    state.SideCalcActive = document.SideCalcActive();
    state.CopyToSideLock = commands.CopyToSideLock();
    if (side != nullptr) state.SideTapeTotal = side->GetSeriesTotalText();
    state.SideTapeInAnother = AnyDocument(HasSideTape, true);

    const TAuxiliaryCalculatorManager& aux = document.AuxManager();
    state.HasAuxTapes = state.AuxTapesInVisible = aux.Count() > 0;
    state.AuxTapeLabels = aux.Labels();
    state.AuxTapeNames = aux.Names();
    state.AuxTapesInAnother = AnyDocument(HasAuxTapes, true);
    state.AuxTapeIds = aux.UsedIds();

    const TTableManager& tables = document.TableManager();
    state.TableEnabled = state.TableInVisible = HasTable(document);
    state.CopyToTableLock = commands.CopyToTableLock();
    state.TableInAnother = AnyDocument(HasTable, true);
    for (const auto& table : tables.Tables()) {
        state.TableNames.push_back(table->TableName());
        state.TableIds.push_back(table->TableLetter());
    }
    const TResultsTable* table = tables.CurrentTable();
    if (table == nullptr) return;
    const int column = table->CurrentColumn();
    state.ColumnShowsTotal = table->ShowsTotal(column);
    state.ColumnTotalType = SeriesTotalTypeFor(table->ColumnTotalType(column));
    state.ColumnTotalDecimals = table->ColumnDecimals(column);
    state.ColumnDecimalsUserSet = table->ColumnDecimalsUserSet(column) ? 1 : 0;
    state.DataColumnOfFilledTable = table->IsDataColumn(column) && table->HasData();
    state.ColumnHasColumnId = !table->ColumnParams(column).Value(TableKey::kColumnId).empty();
    state.TableHasAnnotationColumn = table->AnnotationColumn() != 0;
    state.TableHasLineNumberColumn = table->LineNumberColumn() != 0;
}

void TFileManager::RegisterDocumentFunctions() {
    for (const TFunctionEvent& function : kFunctionEvents) {
        commands_.Add(function.Event, [this, group = function.Group](TMedRecord* in, TMedRecord*) {
            const auto* action = RecordAs<TMedString>(in);
            if (action == nullptr) return;
            // A name of another group is not this event's function.
            const TDocumentCommand* command = FindDocumentCommand(action->Value);
            if (command == nullptr || command->Group != group) return;
            PerformDocumentCommand(Visible(), action->Value);
        });
    }
    // Recalling a memory entry: the window shows the memory tape, the user picks a line, and
    // the recall ends before "MemEntryToEntry" places it.
    commands_.Add(ev::FileMgr_CanDoMemEntryToEntry, [this](TMedRecord*, TMedRecord* out) {
        if (auto* answer = RecordAs<TMedBoolean>(out)) answer->Value = Visible().Commands().CanDoMemEntryToEntry();
    });
    commands_.Add(ev::FileMgr_SetupForMemEntryToEntry, [this](TMedRecord*, TMedRecord* out) {
        const int line = Visible().Commands().SetupForMemEntryToEntry();
        Visible().Pages().Refresh();
        if (auto* answer = RecordAs<TMedInteger>(out)) answer->Value = line;
    });
    commands_.Add(ev::FileMgr_TeardownForMemEntryToEntry, [this](TMedRecord*, TMedRecord*) {
        PerformDocumentCommand(Visible(), "TeardownForMemEntryToEntry");
    });
    commands_.Add(ev::FileMgr_SetAutoAnnotMemTotalState, [this](TMedRecord* in, TMedRecord*) {
        if (const auto* on = RecordAs<TMedBoolean>(in)) Visible().Commands().SetAutoAnnotateMemTotal(on->Value);
    });
}

void TFileManager::RegisterSnapshots() {
    commands_.Add(ev::FileMgr_GetCurrentFileState,
                  Filling<TFileStateVariables>([this](TFileStateVariables& state) { FillFileState(state); }));
    commands_.Add(ev::FileMgr_GetMemoryState, Filling<TMedFileMgr_MemoryState>([this](TMedFileMgr_MemoryState& state) {
                      TTlyFile& document = Visible();
                      const TCrossTapeCommands& commands = document.Commands();
                      const TCalculator* memory = document.MemoryTape();
                      state.MemoryInVisible = memory != nullptr;
                      state.MemoryInAny = AnyDocument(HasMemory);
                      state.MemoryRecallActive = document.MemoryRecallActive();
                      state.MemoryTapeVisible = document.VisibleKind() == TVisibleKind::MemoryTape;
                      state.MemPlusTotalLock = commands.MemPlusTotalLock();
                      state.MemMinusTotalLock = commands.MemMinusTotalLock();
                      state.AutoAnnotateMemTotal = commands.AutoAnnotateMemTotal();
                      state.CanRecallMemoryEntry = commands.CanDoMemEntryToEntry();
                      state.TableHoldsMemoryData = memory != nullptr && TableHoldsDataOf(document, *memory);
                      state.MemoryTapeEmpty = memory == nullptr || memory->IsBlank();
                  }));
    commands_.Add(ev::FileMgr_GetSideTapeState,
                  Filling<TMedFileMgr_SideTapeState>([this](TMedFileMgr_SideTapeState& state) {
                      const TTlyFile& document = Visible();
                      state.SideTapeInVisible = HasSideTape(document);
                      state.SideTapeInAny = AnyDocument(HasSideTape);
                      state.CopyToSideLock = document.Commands().CopyToSideLock();
                      state.SideCalcActive = document.SideCalcActive();
                  }));
    commands_.Add(ev::FileMgr_GetTableState, Filling<TMedFileMgr_TableState>([this](TMedFileMgr_TableState& state) {
                      const TTlyFile& document = Visible();
                      state.TableInVisible = HasTable(document);
                      state.TableInAny = AnyDocument(HasTable);
                      state.CopyToTableLock = document.Commands().CopyToTableLock();
                      state.TableVisible = document.VisibleKind() == TVisibleKind::Table;
                      const TResultsTable* table = document.TableManager().CurrentTable();
                      if (table == nullptr) return;
                      const int column = table->CurrentColumn();
                      state.TableEmpty = !table->HasData();
                      state.ColumnShowsTotal = table->ShowsTotal(column);
                      state.ColumnDecimalsUserSet = table->ColumnDecimalsUserSet(column);
                      state.ColumnTotalDecimals = table->ColumnDecimals(column);
                  }));
    commands_.Add(ev::FileMgr_GetMemoryEnabledState,
                  Filling<TMedFileMgr_DocumentEnabledState>([this](TMedFileMgr_DocumentEnabledState& state) {
                      state.MemoryInAny = AnyDocument(HasMemory);
                      state.MemoryInVisible = HasMemory(Visible());
                  }));
    commands_.Add(ev::FileMgr_GetDisablingTapeState, [this](TMedRecord* in, TMedRecord* out) {
        const auto* tapeName = RecordAs<TMedString>(in);
        auto* state = RecordAs<TMedFileMgr_DisablingTapeState>(out);
        if (tapeName == nullptr || state == nullptr) return;
        state->TableHoldsTapeData = false;
        state->TapeEmpty = true;
        const TCalculator* tape = Visible().TapeByName(tapeName->Value);
        if (tape == nullptr) return;
        state->TableHoldsTapeData = TableHoldsDataOf(Visible(), *tape);
        state->TapeEmpty = tape->IsBlank();
    });
    commands_.Add(ev::FileMgr_GetTapesAnnotationState,
                  Filling<TMedFileMgr_TapesAnnotationState>([this](TMedFileMgr_TapesAnnotationState& state) {
                      TTlyFile& document = Visible();
                      state.AnnotationsShown = document.MainTape().IsColumnShown(TTapeColumn::Annotations);
                      state.AnnotationsEmpty = !state.AnnotationsShown || AllAnnotationsEmpty(document);
                  }));
    commands_.Add(ev::FileMgr_GetTablesAnnotationState,
                  Filling<TMedFileMgr_TablesAnnotationState>([this](TMedFileMgr_TablesAnnotationState& state) {
                      const TResultsTable* table = Visible().TableManager().CurrentTable();
                      const int column = table != nullptr ? table->AnnotationColumn() : 0;
                      state.HasAnnotationColumn = column != 0;
                      state.AnnotationColumnEmpty = column == 0 || table->IsColumnEmpty(column);
                  }));
    commands_.Add(ev::FileMgr_GetOptionsMenuDecisionInfo,
                  Filling<TMedFileMgr_OptionsMenuDecisionInfo>([this](TMedFileMgr_OptionsMenuDecisionInfo& info) {
                      const TTlyFile& document = Visible();
                      const TCalculator& tape = document.CurrentTape();
                      info.DataEntryOption = static_cast<std::uint8_t>(tape.DataEntryOption());
                      info.VisibleKind = document.VisibleKind();
                      info.MoreAuxTapesAvailable = document.AuxManager().MoreAvailable();
                      info.ShowGrandTotalItemCount = tape.ShowGrandTotalItemCount();
                      info.ShowGroupTotalItemCount = tape.ShowGroupTotalItemCount();
                      info.ShowSeriesTotalItemCount = tape.ShowSeriesTotalItemCount();
                      info.SideCalcActive = document.SideCalcActive();
                      info.MemoryRecallActive = document.MemoryRecallActive();
                      info.AuxTapeCount = document.AuxManager().Count();
                  }));
}

}  // namespace tally
