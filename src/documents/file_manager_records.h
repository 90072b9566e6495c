#pragma once
// The snapshot records the window reads from the file manager to set up its menus and tool
// buttons. Each starts at the values shown when there is no document to ask.

#include <cstdint>

#include "documents/file_document.h"
#include "foundation/mediator.h"

namespace tally {

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
