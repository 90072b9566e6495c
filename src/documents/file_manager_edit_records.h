#pragma once
// The record the window reads before it shows the tape's Edit menu: which items apply to the
// current tape's focus line, what kind of record the clipboard holds, and how the focus range
// is shown. Every item starts disabled.

#include <string>

#include "foundation/mediator.h"

namespace tally {

// The answer of "FileMgr_GetEditTapeMenuDecisionInfo".
class TMedFileMgr_EditTapeMenuDecisionInfo : public TMedRecord {
public:
    bool FocusInEntries = false;
    bool CanDeleteSelection = false;
    bool MemoryTapeVisible = false;
    bool CanCutSelection = false;
    bool CanCopySelection = false;
    bool CanPasteSelection = false;

    // The kind of record on the clipboard, by its first line.
    bool ClipboardHoldsCalcSeries = false;
    bool ClipboardHoldsEmbeddedSeries = false;
    bool ClipboardHoldsEntireTape = false;
    bool ClipboardHoldsTapeLine = false;
    // Every character of the clipboard text may be typed into the focus entry.
    bool ClipboardIsEntryText = false;

    // The Annotations column is shown and has the focus.
    bool FocusInAnnotations = false;
    bool CanInsertNewSeries = false;
    bool CanSortTapeSegment = false;

    bool CanCutLine = false;
    bool CanCopyLine = false;
    bool CanPasteLine = false;
    bool CanCutSeries = false;
    bool CanCopySeries = false;
    bool CanPasteSeries = false;

    bool CanCutEmbeddedSeries = false;
    bool CanCopyEmbeddedSeries = false;
    bool CanPasteEmbeddedSeries = false;
    bool CanDeleteEmbeddedSeries = false;
    bool CanEmptyEmbeddedSeries = false;
    bool CanInsertNewEmbeddedSeries = false;

    bool CanInsertGroupTotal = false;
    bool CanDeleteGroupTotal = false;
    bool CanShowGroupTotalAs = false;
    bool CanCutGroupTotalRange = false;
    bool CanCopyGroupTotalRange = false;
    bool CanPasteGroupTotalRange = false;
    bool CanResetGroupTotalDecimals = false;
    // "SL" or "ST" while the focus is in a group total range, else empty.
    std::string GroupTotalDisplayState;

    bool CanInsertGrandTotal = false;
    bool CanDeleteGrandTotal = false;
    bool CanShowGrandTotalAs = false;
    bool CanCutGrandTotalRange = false;
    bool CanCopyGrandTotalRange = false;
    bool CanPasteGrandTotalRange = false;
    bool CanResetGrandTotalDecimals = false;
    // "SL", "GT" or "ST" while the focus is in a grand total range, else empty.
    std::string GrandTotalDisplayState;

    bool CanCopyTape = false;
    bool CanCutTape = false;
    bool CanPasteTape = false;
};

}  // namespace tally
