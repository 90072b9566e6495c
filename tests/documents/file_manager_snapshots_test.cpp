// The cross-tape functions and the state snapshots, sent on the application bus as the window
// sends them.

#include "documents/file_manager_fixture.h"
#include "documents/file_manager_records.h"
#include "engine/lines/calc_params.h"
#include "foundation/message_records.h"
#include "table/results_table.h"
#include "table/table_manager.h"

namespace tally::test {
namespace {

namespace ev = events;

class FileManagerSnapshotsTest : public FileManagerTest {
protected:
    void Send(std::string_view event, std::string text = {}) {
        TMedString in;
        in.Value = std::move(text);
        appBus_.Handle(event, &in, nullptr);
    }
    template <class Record>
    Record Read(std::string_view event, TMedRecord* in = nullptr) {
        Record record;
        appBus_.Handle(event, in, &record);
        return record;
    }
    // A main tape holding 12 with the focus on it, and memory enabled.
    TTlyFile& DocumentWithEntry() {
        TTlyFile& document = Manager().Visible();
        document.EnableMemory(true);
        Type(document, "12\n");
        document.MainTape().SetFocusLine(0);
        return document;
    }
};

// Each function event runs the names of its own group only; another group's name or an unknown
// one changes nothing.
TEST_F(FileManagerSnapshotsTest, FunctionEventsRunOnlyTheirOwnGroup) {
    struct Case {
        std::string_view Event;
        std::string Action;
        bool MemoryFilled;
        bool CopyToSideLock;
        bool CopyToTableLock;
    };
    const Case cases[] = {
        {ev::FileMgr_PerformMemoryFunction, "MemPlusEntry", true, false, false},
        {ev::FileMgr_PerformSideTapeFunction, "CopyToSideLock", false, true, false},
        {ev::FileMgr_PerformTableFunction, "CopyToTableLock", false, false, true},
        {ev::FileMgr_PerformMemoryFunction, "CopyToSideLock", false, false, false},
        {ev::FileMgr_PerformSideTapeFunction, "MemPlusEntry", false, false, false},
        {ev::FileMgr_PerformTableFunction, "EnableMemory", false, false, false},
        {ev::FileMgr_PerformMemoryFunction, "NoSuchFunction", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Event) + " " + c.Action);
        manager_.reset();
        DocumentWithEntry();
        Send(c.Event, c.Action);
        EXPECT_EQ(!Read<TMedFileMgr_MemoryState>(ev::FileMgr_GetMemoryState).MemoryTapeEmpty, c.MemoryFilled);
        EXPECT_EQ(Read<TMedFileMgr_SideTapeState>(ev::FileMgr_GetSideTapeState).CopyToSideLock, c.CopyToSideLock);
        EXPECT_EQ(Read<TMedFileMgr_TableState>(ev::FileMgr_GetTableState).CopyToTableLock, c.CopyToTableLock);
    }
}

TEST_F(FileManagerSnapshotsTest, RecallingAMemoryEntryShowsMemoryUntilTheRecallEnds) {
    TCalculator& main = DocumentWithEntry().MainTape();
    Send(ev::FileMgr_PerformMemoryFunction, "MemPlusEntry");
    // Only into an empty entry.
    EXPECT_FALSE(Read<TMedBoolean>(ev::FileMgr_CanDoMemEntryToEntry).Value);
    main.SetFocusLine(main.Lines().LastLine());
    EXPECT_TRUE(Read<TMedBoolean>(ev::FileMgr_CanDoMemEntryToEntry).Value);

    const auto line = Read<TMedInteger>(ev::FileMgr_SetupForMemEntryToEntry);
    EXPECT_EQ(line.Value, 1);
    auto state = Read<TMedFileMgr_MemoryState>(ev::FileMgr_GetMemoryState);
    EXPECT_TRUE(state.MemoryRecallActive);
    EXPECT_TRUE(state.MemoryTapeVisible);
    // A second start while one is active is refused.
    EXPECT_EQ(Read<TMedInteger>(ev::FileMgr_SetupForMemEntryToEntry).Value, 0);

    appBus_.Handle(ev::FileMgr_TeardownForMemEntryToEntry, nullptr, nullptr);
    state = Read<TMedFileMgr_MemoryState>(ev::FileMgr_GetMemoryState);
    EXPECT_FALSE(state.MemoryRecallActive);
    EXPECT_FALSE(state.MemoryTapeVisible);

    TMedBoolean on;
    on.Value = true;
    appBus_.Handle(ev::FileMgr_SetAutoAnnotMemTotalState, &on, nullptr);
    EXPECT_TRUE(Read<TMedFileMgr_MemoryState>(ev::FileMgr_GetMemoryState).AutoAnnotateMemTotal);
}

TEST_F(FileManagerSnapshotsTest, MemoryStateFollowsTheLocksAndTheVisibleDocument) {
    DocumentWithEntry();
    Send(ev::FileMgr_PerformMemoryFunction, "MemMinusTotalLock");
    Send(ev::FileMgr_PerformMemoryFunction, "AutoAnnotMemTotalOn");
    auto state = Read<TMedFileMgr_MemoryState>(ev::FileMgr_GetMemoryState);
    EXPECT_TRUE(state.MemoryInVisible);
    EXPECT_TRUE(state.MemoryInAny);
    EXPECT_TRUE(state.MemMinusTotalLock);
    EXPECT_FALSE(state.MemPlusTotalLock);
    EXPECT_TRUE(state.AutoAnnotateMemTotal);
    EXPECT_TRUE(state.MemoryTapeEmpty);

    // A new document without memory: memory is still enabled in another one.
    Manager().NewFile();
    state = Read<TMedFileMgr_MemoryState>(ev::FileMgr_GetMemoryState);
    EXPECT_FALSE(state.MemoryInVisible);
    EXPECT_TRUE(state.MemoryInAny);
    const auto enabled = Read<TMedFileMgr_DocumentEnabledState>(ev::FileMgr_GetMemoryEnabledState);
    EXPECT_TRUE(enabled.MemoryInAny);
    EXPECT_FALSE(enabled.MemoryInVisible);
}

TEST_F(FileManagerSnapshotsTest, SideAndTableStateNameTheirParts) {
    TTlyFile& document = Manager().Visible();
    auto table = Read<TMedFileMgr_TableState>(ev::FileMgr_GetTableState);
    EXPECT_FALSE(table.TableInVisible);
    EXPECT_TRUE(table.TableEmpty);
    document.EnableSide(true);
    document.AddTableNamed();
    Manager().NewFile();
    const auto side = Read<TMedFileMgr_SideTapeState>(ev::FileMgr_GetSideTapeState);
    EXPECT_FALSE(side.SideTapeInVisible);
    EXPECT_TRUE(side.SideTapeInAny);
    table = Read<TMedFileMgr_TableState>(ev::FileMgr_GetTableState);
    EXPECT_FALSE(table.TableInVisible);
    EXPECT_TRUE(table.TableInAny);

    Manager().ViewFile(1);
    Send(ev::FileMgr_SetVisibleDocByTapeName, "Table A");
    table = Read<TMedFileMgr_TableState>(ev::FileMgr_GetTableState);
    EXPECT_TRUE(table.TableInVisible);
    EXPECT_TRUE(table.TableVisible);
    EXPECT_TRUE(table.TableEmpty);

    // A record that answered for a filled table, asked again about the document without a
    // table, keeps nothing of that answer.
    Manager().ViewFile(2);
    table.TableEmpty = false;
    table.ColumnTotalDecimals = 3;
    appBus_.Handle(ev::FileMgr_GetTableState, nullptr, &table);
    EXPECT_FALSE(table.TableInVisible);
    EXPECT_FALSE(table.TableVisible);
    EXPECT_TRUE(table.TableEmpty);
    EXPECT_EQ(table.ColumnTotalDecimals, 0);
}

// What removing a tape would lose: unknown names answer "nothing in a table, empty".
TEST_F(FileManagerSnapshotsTest, DisablingTapeStateByName) {
    DocumentWithEntry();
    Send(ev::FileMgr_PerformMemoryFunction, "MemPlusEntry");
    struct Case {
        std::string TapeName;
        bool TapeEmpty;
    };
    const Case cases[] = {{"Tape", false}, {"Memory", false}, {"Side Tape", true}, {"Aux B", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.TapeName);
        TMedString name;
        name.Value = c.TapeName;
        const auto state = Read<TMedFileMgr_DisablingTapeState>(ev::FileMgr_GetDisablingTapeState, &name);
        EXPECT_FALSE(state.TableHoldsTapeData);
        EXPECT_EQ(state.TapeEmpty, c.TapeEmpty);
    }
}

// A memory line feeding a table column: the snapshots tell that removing memory loses table data.
TEST_F(FileManagerSnapshotsTest, TableDataTakenFromTheMemoryTape) {
    TTlyFile& document = DocumentWithEntry();
    Send(ev::FileMgr_PerformMemoryFunction, "MemPlusEntry");
    document.AddTableNamed();
    TCalculator& memory = *document.MemoryTape();
    memory.Lines().SetCell(0, TLineColumn::TableColumns, "1");
    document.TableManager().ApplyTableColumnCell(memory, 0);
    ASSERT_FALSE(memory.Lines().Property(0, LineKey::kTableColumnId).empty());
    EXPECT_FALSE(Read<TMedFileMgr_MemoryState>(ev::FileMgr_GetMemoryState).TableHoldsMemoryData);

    Send(ev::FileMgr_PerformTableFunction, "CopyToTable");
    EXPECT_TRUE(Read<TMedFileMgr_MemoryState>(ev::FileMgr_GetMemoryState).TableHoldsMemoryData);
    EXPECT_FALSE(Read<TMedFileMgr_TableState>(ev::FileMgr_GetTableState).TableEmpty);
    TMedString name;
    name.Value = "Memory";
    EXPECT_TRUE(Read<TMedFileMgr_DisablingTapeState>(ev::FileMgr_GetDisablingTapeState, &name).TableHoldsTapeData);
    name.Value = "Tape";
    EXPECT_FALSE(Read<TMedFileMgr_DisablingTapeState>(ev::FileMgr_GetDisablingTapeState, &name).TableHoldsTapeData);

    // The table's current column is the one fed from memory; its total type reads as a series'.
    TResultsTable& table = *document.TableManager().CurrentTable();
    table.SetCurrentCell(1, 1);
    ASSERT_TRUE(table.IsDataColumn(1));
    ASSERT_TRUE(document.TableManager().PerformAction("ShowColTotal", true));
    ASSERT_TRUE(document.TableManager().PerformAction("SetColTotalTypeHM"));
    const auto state = Read<TFileStateVariables>(ev::FileMgr_GetCurrentFileState);
    EXPECT_TRUE(state.ColumnShowsTotal);
    EXPECT_EQ(state.ColumnTotalType, "T2");
    EXPECT_TRUE(state.DataColumnOfFilledTable);
    EXPECT_TRUE(state.ColumnHasColumnId);
}

TEST_F(FileManagerSnapshotsTest, AnnotationStates) {
    TTlyFile& document = Manager().Visible();
    auto tapes = Read<TMedFileMgr_TapesAnnotationState>(ev::FileMgr_GetTapesAnnotationState);
    EXPECT_FALSE(tapes.AnnotationsShown);
    EXPECT_TRUE(tapes.AnnotationsEmpty);

    document.ShowColumn(TTapeColumn::Annotations, true);
    document.EnableMemory(true);
    tapes = Read<TMedFileMgr_TapesAnnotationState>(ev::FileMgr_GetTapesAnnotationState);
    EXPECT_TRUE(tapes.AnnotationsShown);
    EXPECT_TRUE(tapes.AnnotationsEmpty);
    // A note on the memory tape counts as well as one on the main tape.
    document.MemoryTape()->Lines().SetCell(0, TLineColumn::Annotations, "rent");
    tapes = Read<TMedFileMgr_TapesAnnotationState>(ev::FileMgr_GetTapesAnnotationState);
    EXPECT_FALSE(tapes.AnnotationsEmpty);

    auto tables = Read<TMedFileMgr_TablesAnnotationState>(ev::FileMgr_GetTablesAnnotationState);
    EXPECT_FALSE(tables.HasAnnotationColumn);
    EXPECT_TRUE(tables.AnnotationColumnEmpty);
}

TEST_F(FileManagerSnapshotsTest, OptionsMenuInfoCountsAuxiliaryTapes) {
    TTlyFile& document = Manager().Visible();
    document.AddAuxTape();
    document.AddAuxTape();
    document.MainTape().SetShowGroupTotalItemCount(true);
    Send(ev::FileMgr_SetVisibleDocByTapeName, "Tape");
    const auto info = Read<TMedFileMgr_OptionsMenuDecisionInfo>(ev::FileMgr_GetOptionsMenuDecisionInfo);
    EXPECT_EQ(info.AuxTapeCount, 2);
    EXPECT_TRUE(info.MoreAuxTapesAvailable);
    EXPECT_TRUE(info.ShowGroupTotalItemCount);
    EXPECT_FALSE(info.ShowGrandTotalItemCount);
    EXPECT_EQ(info.VisibleKind, TVisibleKind::MainTape);
    EXPECT_EQ(info.DataEntryOption, document.MainTape().DataEntryOption());
}

TEST_F(FileManagerSnapshotsTest, FileStateDescribesTheVisibleDocumentAndTheOthers) {
    TTlyFile& first = DocumentWithEntry();
    first.EnableSide(true);
    TTlyFile& second = Manager().NewFile();
    Type(second, "4\n5\n");
    const std::string auxName = second.AddAuxTape();
    second.SetTapeLabel(*second.TapeByName(auxName), "Rent");
    second.AddTableNamed();
    second.ShowColumn(TTapeColumn::Annotations, true);
    second.SetStructureModified();
    Send(ev::FileMgr_SetVisibleDocByTapeName, "Tape");

    TFileStateVariables state;
    // Asked twice: the lists are not doubled.
    appBus_.Handle(ev::FileMgr_GetCurrentFileState, nullptr, &state);
    appBus_.Handle(ev::FileMgr_GetCurrentFileState, nullptr, &state);
    EXPECT_EQ(state.OpenFiles, (std::vector<std::string>{"Untitled(1)=1", "Untitled(2)=2"}));
    EXPECT_EQ(state.FileName, "Untitled(2)");
    EXPECT_TRUE(state.StructureModified);
    EXPECT_EQ(state.VisibleName, "Tape");
    EXPECT_EQ(state.CurrentLineNumber, std::to_string(second.MainTape().FocusLine() + 1));
    EXPECT_EQ(state.LineCount, std::to_string(second.MainTape().Lines().LineCount()));
    EXPECT_EQ(state.SeriesDecimalPlaces, 2);
    EXPECT_EQ(state.SeriesTotalType, "DE");
    EXPECT_TRUE(state.SeriesEntriesValid);
    EXPECT_TRUE(state.ShowsAnnotations);
    EXPECT_FALSE(state.MemoryEnabled);
    EXPECT_TRUE(state.MemoryInAnother);
    EXPECT_TRUE(state.MemoryTotal.empty());
    EXPECT_FALSE(state.SideTapeInVisible);
    EXPECT_TRUE(state.SideTapeInAnother);
    EXPECT_TRUE(state.HasAuxTapes);
    EXPECT_FALSE(state.AuxTapesInAnother);
    EXPECT_EQ(state.AuxTapeNames, (std::vector<std::string>{auxName}));
    EXPECT_EQ(state.AuxTapeLabels, (std::vector<std::string>{"Rent"}));
    EXPECT_EQ(state.AuxTapeIds, "a");
    EXPECT_TRUE(state.TableInVisible);
    EXPECT_FALSE(state.TableInAnother);
    EXPECT_EQ(state.TableNames, (std::vector<std::string>{"Table A"}));
    EXPECT_EQ(state.TableIds, "a");

    // The first document: memory holds the stored entry, and its total is shown.
    Manager().ViewFile(1);
    Send(ev::FileMgr_PerformMemoryFunction, "MemPlusEntry");
    appBus_.Handle(ev::FileMgr_GetCurrentFileState, nullptr, &state);
    EXPECT_TRUE(state.MemoryInVisible);
    EXPECT_FALSE(state.MemoryInAnother);
    EXPECT_EQ(state.MemoryTotal, first.MemoryTape()->GetSeriesTotalText());
    EXPECT_FALSE(state.MemoryTotal.empty());
    EXPECT_FALSE(state.TableInVisible);
    EXPECT_TRUE(state.TableInAnother);
    EXPECT_TRUE(state.AuxTapesInAnother);
}

}  // namespace
}  // namespace tally::test
