#pragma once
// The snapshot records the window reads from the file manager to set up its menus and tool
// buttons. Each starts at the values shown when there is no document to ask.

#include <cstdint>
#include <string>
#include <vector>

#include "documents/file_document.h"
#include "foundation/mediator.h"

namespace tally {

// The answer of "FileMgr_GetCurrentFileState": the visible document, its current tape, its
// parts and whether other open documents have them.
class TFileStateVariables : public TMedRecord {
public:
    // "<file name>=<file number>" for every open document, in opening order.
    std::vector<std::string> OpenFiles;
    std::string FileName;
    bool StructureModified = false;
    TVisibleKind VisibleKind = TVisibleKind::MainTape;
    // The visible tape, or the current table while a table is visible.
    std::string VisibleName;

    // The current tape.
    std::string CurrentLineNumber;
    std::string LineCount;
    std::int32_t SeriesDecimalPlaces = 0;
    std::string SeriesTotalType;
    std::uint8_t DataEntryOption = 0;
    TRoundingMethod RoundingMethod = TRoundingMethod::Up;
    bool SeriesEntriesValid = false;

    // The main tape's shown columns.
    bool ShowsAnnotations = false;
    bool ShowsLineNumbers = false;
    bool ShowsLinks = false;
    bool ShowsRunningTotal = false;
    bool ShowsTableColumns = false;
    bool ShowsThousands = false;

    bool MemoryEnabled = false;
    bool MemoryRecallActive = false;
    bool MemMinusTotalLock = false;
    bool MemPlusTotalLock = false;
    bool AutoAnnotateMemTotal = false;
    std::string MemoryTotal;
    bool MemoryInVisible = false;
    bool MemoryInAnother = false;

    bool SideTapeEnabled = false;
    bool SideCalcActive = false;
    bool CopyToSideLock = false;
    std::string SideTapeTotal;
    bool SideTapeInVisible = false;
    bool SideTapeInAnother = false;

    bool HasAuxTapes = false;
    std::vector<std::string> AuxTapeLabels;
    std::vector<std::string> AuxTapeNames;
    bool AuxTapesInVisible = false;
    bool AuxTapesInAnother = false;
    std::string AuxTapeIds;

    // The current table and its current column.
    bool TableEnabled = false;
    bool CopyToTableLock = false;
    bool ColumnShowsTotal = false;
    // "DE", "T2", "T3" or empty.
    std::string ColumnTotalType;
    std::int32_t ColumnTotalDecimals = 0;
    std::int32_t ColumnDecimalsUserSet = 0;
    std::vector<std::string> TableNames;
    bool DataColumnOfFilledTable = false;
    bool ColumnHasColumnId = false;
    bool TableInVisible = false;
    bool TableInAnother = false;
    std::string TableIds;
    bool TableHasAnnotationColumn = false;
    bool TableHasLineNumberColumn = false;
};

// The answer of "FileMgr_GetMemoryState".
class TMedFileMgr_MemoryState : public TMedRecord {
public:
    bool MemoryInVisible = false;
    bool MemoryInAny = false;
    bool MemoryRecallActive = false;
    bool MemoryTapeVisible = false;
    bool MemPlusTotalLock = false;
    bool MemMinusTotalLock = false;
    bool AutoAnnotateMemTotal = false;
    // A memory entry can be recalled into the current tape.
    bool CanRecallMemoryEntry = false;
    bool TableHoldsMemoryData = false;
    bool MemoryTapeEmpty = true;
};

// The answer of "FileMgr_GetSideTapeState".
class TMedFileMgr_SideTapeState : public TMedRecord {
public:
    bool SideTapeInVisible = false;
    bool SideTapeInAny = false;
    bool CopyToSideLock = false;
    bool SideCalcActive = false;
};

// The answer of "FileMgr_GetTableState"; the column fields are those of the current table's
// current column.
class TMedFileMgr_TableState : public TMedRecord {
public:
    bool TableInVisible = false;
    bool TableInAny = false;
    bool CopyToTableLock = false;
    // Also true when there is no table.
    bool TableEmpty = true;
    bool TableVisible = false;
    bool ColumnShowsTotal = false;
    bool ColumnDecimalsUserSet = false;
    std::int32_t ColumnTotalDecimals = 0;
};

// The answer of "FileMgr_GetMemoryEnabledState".
class TMedFileMgr_DocumentEnabledState : public TMedRecord {
public:
    bool MemoryInAny = false;
    bool MemoryInVisible = false;
};

// The answer of "FileMgr_GetDisablingTapeState": what removing the named tape would lose.
class TMedFileMgr_DisablingTapeState : public TMedRecord {
public:
    bool TableHoldsTapeData = true;
    bool TapeEmpty = false;
};

// The answer of "FileMgr_GetTapesAnnotationState".
class TMedFileMgr_TapesAnnotationState : public TMedRecord {
public:
    bool AnnotationsShown = false;
    // Every annotation cell of every tape is empty; true while annotations are hidden.
    bool AnnotationsEmpty = false;
};

// The answer of "FileMgr_GetTablesAnnotationState".
class TMedFileMgr_TablesAnnotationState : public TMedRecord {
public:
    bool HasAnnotationColumn = false;
    // The annotation column is empty; true when there is none.
    bool AnnotationColumnEmpty = false;
};

// The answer of "FileMgr_GetOptionsMenuDecisionInfo", for the current tape.
class TMedFileMgr_OptionsMenuDecisionInfo : public TMedRecord {
public:
    std::uint8_t DataEntryOption = 0;
    TVisibleKind VisibleKind = TVisibleKind::MainTape;
    bool MoreAuxTapesAvailable = false;
    bool ShowGrandTotalItemCount = false;
    bool ShowGroupTotalItemCount = false;
    bool ShowSeriesTotalItemCount = false;
    bool SideCalcActive = false;
    bool MemoryRecallActive = false;
    std::int32_t AuxTapeCount = 0;
};

}  // namespace tally
