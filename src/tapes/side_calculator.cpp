#include "tapes/side_calculator.h"

#include "engine/lines/series_navigation.h"
#include "engine/series/entry_line_texts.h"
#include "engine/series/series_base.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/notifications/notifier.h"
#include "tapes/open_series_reset.h"

namespace tally {

TSideCalculator::TSideCalculator(TStMediator* documentBus, ITapeView* view) : TCalculator('s', documentBus, view) {
    SetTapeName("Side Tape");
}

bool TSideCalculator::IsTapeCommandLetter(char character) const { return character == 'm' || character == 'e'; }

void TSideCalculator::DoTapeCommandLetter(char character) {
    if (character == 'm') PostRequest(requests::MemoryTotalToEntry);
    if (character == 'e') PostRequest(requests::RecallMemoryEntry);
}

bool TSideCalculator::BeginSideCalculation(std::string_view /*seriesKind*/) {
    SelectCell(TTapeColumn::Entries, FocusLine());
    const TLineStore& lines = Lines();
    const LineIndex focus = FocusLine();
    const bool empty = IsBlank();
    if (!empty && !IsLastLine(focus) && lines.InGroup(focus, LineGroup::kEntryLine) && FocusEntryChanged()) {
        Notifier().ExplainAndBeep(
            "The side tape contains a changed entry value that has not been committed.  Make the side tape "
            "visible and press the Enter key to commit the change before proceeding.");
        return false;
    }
    // The move is checked like any other: a refusal is explained.
    if (!GoToLine(LastLine() + 1)) return false;
    const LineIndex last = LastLine();
    const std::string_view entry = lines.Entries(last);
    bool startNew = empty;
    if (!empty && entry.empty() && last > 0) {
        if (lines.InGroup(last - 1, LineGroup::kSeriesEnding)) {
            startNew = true;
        } else if (lines.InGroup(last - 1, LineGroup::kTotalLine) || lines.InGroup(last - 1, LineGroup::kEntryLine)) {
            // The previous calculation is closed first; when it cannot be, nothing starts.
            if (!ZeroTotal()) return false;
            startNew = true;
        }
    } else if (!empty && !entry.empty()) {
        if (CurrentSeries() == nullptr || !CurrentSeries()->IsValidEntry(entry)) ClearEntry();
        // A cleared line that starts its series has nothing before it to close.
        const bool startsSeries = SeriesFirstLine(lines, LastLine()) == LastLine();
        if (!(startsSeries && IsEmptyOrOperatorOnly(lines.Entries(LastLine()))) && !ZeroTotal()) return false;
        startNew = true;
    }
    if (startNew) ResetOpenSeriesAtLastLine(*this);
    return true;
}

}  // namespace tally
