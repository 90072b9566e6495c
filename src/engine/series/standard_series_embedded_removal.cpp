// Taking embedded series out of standard series: deleting one with its external total line,
// and emptying or resetting one down to a single empty line.
#include <string>

#include "engine/lines/calc_params.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/entry_line_texts.h"
#include "engine/series/standard_series.h"
#include "engine/tape/calculator.h"
#include "foundation/notifications/notifier.h"

namespace tally {
namespace {

constexpr std::string_view kEmbeddedSeriesType = "e";

bool IsEmbeddedSeriesLine(const TLineStore& lines, LineIndex line) {
    return lines.IsLine(line) && lines.Property(line, LineKey::kSeriesType) == kEmbeddedSeriesType;
}

}  // namespace

bool TStandardSeries::RefuseLeadingExternalTotal(LineIndex external) const {
    if (tape_.IsLastLine(external) || PreviousNormalLine(lines_, external) != kNoLine ||
        !HasTotalOperator(external + 1)) {
        return false;
    }
    Notifier().ExplainAndBeep(WithOperatorList(
        "Cannot delete or cut an embedded series when its external total line is the first normal line "
        "in its container series and that external total line is followed by a line containing an X, ",
        " arithmetic operator."));
    return true;
}

LineIndex TStandardSeries::RemoveEmbeddedSeries(LineIndex line) {
    const LineIndex opening = EmbeddedLeadingBoundary(lines_, line);
    const LineIndex trailing = EmbeddedTrailingBoundary(lines_, line);
    // The external total line after ")" keeps the tape from running out of lines.
    if (opening == kNoLine || trailing == kNoLine || !lines_.IsLine(trailing + 1)) return kNoLine;
    const LineIndex last = tape_.IsLastLine(trailing + 1) ? trailing : trailing + 1;
    lines_.RemoveLines(opening, last - opening + 1);
    return opening;
}

TEditOutcome TStandardSeries::DeleteEmbeddedSeries() {
    const LineIndex focus = tape_.FocusLine();
    if (tape_.CurrentSeries() != this || !IsEmbeddedSeriesLine(lines_, focus)) return TEditOutcome::Refused;
    const LineIndex trailing = EmbeddedTrailingBoundary(lines_, focus);
    if (trailing == kNoLine || !lines_.IsLine(trailing + 1)) return TEditOutcome::Refused;
    const LineIndex external = trailing + 1;
    if (RefuseLeadingExternalTotal(external)) return TEditOutcome::Refused;

    if (tape_.IsLastLine(external)) {
        // The tape's last line stays, emptied, and the open series goes on without the value.
        const LineIndex opening = RemoveEmbeddedSeries(focus);
        tape_.SetFocusLine(opening);
        tape_.EmptyLastLine();
        Recalculate(opening);
        return TEditOutcome::Done;
    }
    // Otherwise the external total line is deleted as an entry line, taking the series with it.
    tape_.SetFocusLine(external);
    const TEditOutcome outcome = DeleteEntryLine(external);
    // A deferred Delete Series must find the focus on the external total line, where it
    // deletes the containing series; after a refusal the focus goes back.
    if (outcome == TEditOutcome::Refused) tape_.SetFocusLine(focus);
    return outcome;
}

bool TStandardSeries::HasEmbeddedContent(LineIndex line) const {
    if (!IsEmbeddedSeriesLine(lines_, line)) return false;
    const LineIndex opening = EmbeddedLeadingBoundary(lines_, line);
    const LineIndex trailing = EmbeddedTrailingBoundary(lines_, line);
    if (opening == kNoLine || trailing == kNoLine) return false;
    if (trailing - opening > 2) return true;
    return trailing - opening == 2 && !IsEmptyOrOperatorOnly(lines_.Entries(opening + 1));
}

bool TStandardSeries::EmptyEmbeddedSeries() { return ClearEmbeddedSeries(false); }

bool TStandardSeries::ResetEmbeddedSeries() { return ClearEmbeddedSeries(true); }

bool TStandardSeries::ClearEmbeddedSeries(bool reset) {
    const LineIndex focus = tape_.FocusLine();
    if (tape_.CurrentSeries() != this || !HasEmbeddedContent(focus)) return false;
    const LineIndex opening = EmbeddedLeadingBoundary(lines_, focus);
    const LineIndex trailing = EmbeddedTrailingBoundary(lines_, focus);
    // A complete series gives its total back: the external total line keeps its operator.
    ReopenEmbeddedSeries(trailing);

    const LineIndex first = opening + 1;
    tape_.SetFocusLine(first);
    if (trailing - first > 1) lines_.RemoveLines(first + 1, trailing - first - 1);
    tape_.WriteEntry(first, "");
    lines_.SetIndicator(first, " ");
    lines_.SetCell(first, TLineColumn::Links, "");
    lines_.SetProperty(first, LineKey::kTableColumnNumber, "");
    lines_.SetProperty(first, LineKey::kTableColumnId, "");
    if (reset) {
        // After a cut the line's link and texts went to the clipboard with the series.
        lines_.SetCell(first, TLineColumn::TableColumns, "");
        lines_.SetProperty(first, LineKey::kLinkId, "");
        lines_.SetCell(first, TLineColumn::Annotations, "");
    }

    // The focus reloads the series state on the now open last line.
    tape_.SetFocusLine(first);
    embeddedSeriesTotal_ = 0;
    timeTotalText_ = "00:00:00";
    tape_.SetSavedFocusEntry(ZeroEntryText(decimalPlaces_));
    tape_.FinishLineEdit();
    return true;
}

}  // namespace tally
