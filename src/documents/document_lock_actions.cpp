// The lock modes of a document and what the cross-tape commands need of its parts: when the
// locks run, the deferred requests of the command letters, and the tapes a side calculation or
// a memory recall still needs when a part is disabled or removed.

#include <memory>

#include "documents/cross_tape_commands.h"
#include "documents/file_document.h"
#include "engine/lines/line_kinds.h"
#include "engine/lines/series_navigation.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/notifications/notifier.h"
#include "links/link_manager.h"
#include "links/link_tape.h"

namespace tally {

LineIndex SeriesTotalLineOf(const TCalculator& tape, LineIndex line) {
    const TLineStore& lines = tape.Lines();
    LineIndex last = SeriesLastLine(lines, line);
    if (last == kNoLine) return kNoLine;
    if (lines.InGroup(last, LineGroup::kEndsSeriesOrEmbedded)) {
        --last;
    } else if (tape.IsLastLine(last) && last > 0 && lines.Entries(last).empty()) {
        // Totalled at the end of the tape: the empty last line follows the total.
        --last;
    }
    return lines.InGroup(last, LineGroup::kTotalLine) ? last : kNoLine;
}

std::string TCrossTapeCommands::SeriesKindOf(const TCalculator& tape, LineIndex line) const {
    const ILinkTape* linked = document_.LinkManager().TapeById(tape.TapeId());
    return linked != nullptr ? linked->SeriesKind(line + 1) : std::string();
}

void TCrossTapeCommands::RefreshLinksAndTables() { document_.RefreshAfterTapeRemoved(); }

// ---- Locks

// A total was made when the tape comes to end with a series total (and perhaps its zero total)
// before its empty last line, a total it did not end with before, while it grew and with the
// focus on its last line: Enter, "=" or Zero Total closing a series do that; moving the focus,
// inserting or deleting lines, or a zero total after a total do not. A lock
// then adds the series' total once, where a lock on every committed entry would add each
// running total (12 and then 17 for 12+5).
namespace {

// The total line the tape ends with, or kNoLine.
LineIndex EndingTotalLine(const TLineStore& lines) {
    const LineIndex last = lines.LastLine();
    if (last < 1 || !lines.Entries(last).empty()) return kNoLine;
    if (lines.HasKind(last - 1, LineKind::kTotal)) return last - 1;
    if (last >= 2 && IsStandardZeroTotalLine(lines, last - 1) && lines.HasKind(last - 2, LineKind::kTotal)) {
        return last - 2;
    }
    return kNoLine;
}

}  // namespace

void TCrossTapeCommands::WatchTotals(TCalculator& tape, bool sideTape) {
    // The total line the tape ended with at its last report, and its line count then.
    struct TEndState {
        LineIndex TotalLine = kNoLine;
        LineIndex LineCount = 1;
    };
    auto state = std::make_shared<TEndState>();
    TCalculatorHooks& hooks = tape.Hooks();
    hooks.OnSeriesTotalChange = [this, sideTape, state, shown = std::move(hooks.OnSeriesTotalChange)](
                                    TCalculator& changed, const std::string& total) {
        if (shown) shown(changed, total);
        const TLineStore& lines = changed.Lines();
        const LineIndex totalLine = EndingTotalLine(lines);
        const bool made = totalLine != kNoLine && totalLine != state->TotalLine &&
                          lines.LineCount() > state->LineCount && changed.IsLastLine(changed.FocusLine());
        *state = {totalLine, lines.LineCount()};
        if (made) RunLockActions(changed, sideTape, totalLine);
    };
}

void TCrossTapeCommands::RunLockActions(TCalculator& reporter, bool sideTape, LineIndex totalLine) {
    // What the locks do to other tapes makes totals there too; those do not run the locks again.
    if (runningLocks_) return;
    runningLocks_ = true;
    // After a zero total the focus is on the next series: the commands read the totalled one.
    const LineIndex focus = reporter.FocusLine();
    const bool elsewhere = SeriesFirstLine(reporter.Lines(), focus) != SeriesFirstLine(reporter.Lines(), totalLine);
    if (elsewhere) reporter.SetFocusLine(totalLine);
    if (memPlusTotalLock_ || memMinusTotalLock_) StoreTotalFrom(reporter, memMinusTotalLock_);
    if (!sideTape && copyToSideLock_) CopySeriesToSide(reporter);
    if (copyToTableLock_) CopyToTable();
    if (elsewhere) reporter.SetFocusLine(focus);
    runningLocks_ = false;
}

// ---- Requests of the command letters

bool TCrossTapeCommands::RunRequest(const TDeferredRequest& request) {
    switch (request.Code) {
        case requests::MemoryTotalToEntry: MemTotalToEntry(); return true;
        case requests::SideToEntry: SideToEntry(); return true;
        case requests::RecallMemoryEntry:
            if (CanDoMemEntryToEntry()) {
                SetupForMemEntryToEntry();
            } else {
                Notifier().ExplainAndBeep(std::string(kCannotRecallText));
            }
            return true;
        default: return false;
    }
}

// ---- Parts that go away

bool TCrossTapeCommands::MayRemoveTape(const TCalculator& tape) const {
    const std::string what =
        &tape == document_.SideTape() ? std::string("disable the side tape") : "remove " + tape.TapeName();
    if (document_.SideCalcActive() && sideOriginTape_ == &tape) {
        Notifier().ExplainAndBeep("Cannot " + what +
                                  " while a side calculation started from it is in progress.  Either END the "
                                  "calculation or CANCEL it.");
        return false;
    }
    if (document_.MemoryRecallActive() && recallReturnTape_ == &tape) {
        Notifier().ExplainAndBeep("Cannot " + what +
                                  " while a memory tape entry is being recalled into it.  Either select a memory "
                                  "entry and press the Enter key, or press the Escape key to cancel.");
        return false;
    }
    return true;
}

void TCrossTapeCommands::BeforeMemoryDisabled() {
    memPlusTotalLock_ = false;
    memMinusTotalLock_ = false;
    autoAnnotateMemTotal_ = false;
    TeardownForMemEntryToEntry();
}

void TCrossTapeCommands::BeforeSideDisabled() {
    copyToSideLock_ = false;
    if (!document_.SideCalcActive()) return;
    document_.SetSideCalcActive(false);
    if (sideOriginTape_ != nullptr) document_.ShowTape(*sideOriginTape_);
    sideOriginTape_ = nullptr;
}

void TCrossTapeCommands::Reset() {
    sideOriginTape_ = nullptr;
    recallReturnTape_ = nullptr;
}

}  // namespace tally
