// The file manager's answers for the tape's Edit menu: which of its items apply to the focus
// line of the visible document's current tape, asked of the same tests the edit actions run,
// so an enabled item is one whose command goes ahead.

#include <optional>
#include <string>

#include "documents/file_manager.h"
#include "documents/file_manager_edit_records.h"
#include "documents/file_manager_handlers.h"
#include "engine/records/tape_record.h"
#include "engine/sorting/segment_sort.h"
#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "links/line_paste.h"
#include "links/link_manager.h"
#include "links/selection_commands.h"
#include "links/tape_copy.h"
#include "links/tape_paste.h"
#include "platform/clipboard.h"

namespace tally {

namespace ev = events;

namespace {

void FillClipboardItems(const TTlyFile& document, const std::string& clipboardText,
                        TMedFileMgr_EditTapeMenuDecisionInfo& info) {
    const TCalculator& tape = document.CurrentTape();
    const std::optional<TRecordKind> kind = RecordKindOf(clipboardText);
    info.ClipboardHoldsCalcSeries = kind == TRecordKind::CalcSeries;
    info.ClipboardHoldsEmbeddedSeries = kind == TRecordKind::EmbeddedSeries;
    info.ClipboardHoldsEntireTape = kind == TRecordKind::EntireTape;
    info.ClipboardHoldsTapeLine = kind == TRecordKind::TapeLine;
    // The scan stops at the first character an entry does not take (a record's "[").
    info.ClipboardIsEntryText = IsAcceptableEntryText(tape, clipboardText);
    // Each paste reads only the record its first line names.
    info.CanPasteLine = kind == TRecordKind::TapeLine &&
                        CanPasteLine(tape, clipboardText, document.LinkManager().SessionId());
    info.CanPasteSeries = kind == TRecordKind::CalcSeries && CanPasteSeries(tape, clipboardText);
    info.CanPasteEmbeddedSeries = kind == TRecordKind::EmbeddedSeries && CanPasteEmbeddedSeries(tape, clipboardText);
    info.CanPasteGroupTotalRange = kind == TRecordKind::GroupTotalRange &&
                                   CanPasteTape(tape, clipboardText, TRecordKind::GroupTotalRange);
    info.CanPasteGrandTotalRange = kind == TRecordKind::GrandTotalRange &&
                                   CanPasteTape(tape, clipboardText, TRecordKind::GrandTotalRange);
    info.CanPasteTape = kind == TRecordKind::EntireTape && CanPasteTape(tape, clipboardText, TRecordKind::EntireTape);
}

void FillEditTapeMenu(const TTlyFile& document, TMedFileMgr_EditTapeMenuDecisionInfo& info) {
    // A record asked twice starts afresh.
    info = TMedFileMgr_EditTapeMenuDecisionInfo();
    const TCalculator& tape = document.CurrentTape();
    const LineIndex focus = tape.FocusLine();
    info.FocusInEntries = tape.FocusColumn() == TTapeColumn::Entries;
    info.CanDeleteSelection = CanDeleteSelection(tape);
    info.MemoryTapeVisible = document.VisibleKind() == TVisibleKind::MemoryTape;
    info.CanCutSelection = CanCutSelection(tape);
    info.CanCopySelection = CanCopySelection(tape);
    info.CanPasteSelection = CanPasteSelection(tape);
    if (const IClipboard* clipboard = tape.Clipboard()) FillClipboardItems(document, clipboard->GetText(), info);
    info.FocusInAnnotations =
        tape.FocusColumn() == TTapeColumn::Annotations && tape.IsColumnShown(TTapeColumn::Annotations);
    info.CanInsertNewSeries = tape.CanInsertNewSeries();
    info.CanSortTapeSegment = CanSortTapeSegment(tape);

    info.CanCutLine = MayCutEntryText(tape, focus);
    info.CanCopyLine = IsCopyableLine(tape, focus);
    info.CanCutSeries = info.CanCopySeries = CanCopySeries(tape);

    info.CanCutEmbeddedSeries = info.CanCopyEmbeddedSeries = CanCopyEmbeddedSeries(tape);
    info.CanDeleteEmbeddedSeries = tape.CanDeleteEmbeddedSeries();
    info.CanEmptyEmbeddedSeries = tape.CanEmptyEmbeddedSeries();
    info.CanInsertNewEmbeddedSeries = tape.CanInsertNewEmbeddedSeries();

    info.CanInsertGroupTotal = tape.CanInsertGroupTotal();
    info.CanDeleteGroupTotal = tape.CanDeleteGroupTotal();
    info.CanShowGroupTotalAs = tape.CanShowGroupTotalAs();
    info.CanCutGroupTotalRange = info.CanCopyGroupTotalRange = CanCopyTotalRange(tape, "gro");
    info.CanResetGroupTotalDecimals = tape.CanResetGroupTotalDecimals();
    info.GroupTotalDisplayState = tape.FocusRangeDisplayState("gro");

    info.CanInsertGrandTotal = tape.CanInsertGrandTotal();
    info.CanDeleteGrandTotal = tape.CanDeleteGrandTotal();
    info.CanShowGrandTotalAs = tape.CanShowGrandTotalAs();
    info.CanCutGrandTotalRange = info.CanCopyGrandTotalRange = CanCopyTotalRange(tape, "gra");
    info.CanResetGrandTotalDecimals = tape.CanResetGrandTotalDecimals();
    info.GrandTotalDisplayState = tape.FocusRangeDisplayState("gra");

    info.CanCopyTape = info.CanCutTape = CanCopyTape(tape);
}

}  // namespace

void TFileManager::RegisterEditMenu() {
    commands_.Add(ev::FileMgr_GetEditTapeMenuDecisionInfo, [this](TMedRecord*, TMedRecord* out) {
        if (auto* info = RecordAs<TMedFileMgr_EditTapeMenuDecisionInfo>(out)) FillEditTapeMenu(Visible(), *info);
    });
    commands_.Add(ev::FileMgr_CanCopyCurrentTapeLine, Answering<TMedBoolean>([this] {
                      const TCalculator& tape = Visible().CurrentTape();
                      return IsCopyableLine(tape, tape.FocusLine());
                  }));
}

}  // namespace tally
