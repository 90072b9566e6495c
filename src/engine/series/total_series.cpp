#include "engine/series/total_series.h"

#include "engine/lines/operator_keys.h"
#include "engine/tape/calculator.h"
#include "foundation/notifications/notifier.h"

namespace tally {
namespace {

// "group total" or "grand total", as the refusals name the range's lines.
std::string RangeName(const TTotalSeriesBase& series) {
    return series.SeriesTypeCode() == "gro" ? "group total" : "grand total";
}

}  // namespace

bool TTotalSeriesBase::IsEntryOrTotalLine(LineIndex line) const {
    return ClaimsLine(line) && (lines_.HasKind(line, LineKind::kGroupTotal) ||
                                lines_.HasKind(line, LineKind::kGrandTotal));
}

TKeyAnswer TTotalSeriesBase::NonEntryLineKey(char key) {
    if (key == '\t') return TKeyAnswer::Consumed;
    // Enter and "=" will switch the range's display, which comes with the range totals.
    if (key == TapeChar::kEnter || key == '=') return TKeyAnswer::NotHandled;
    if (key == TapeChar::kBackspace) {
        CanDeleteCharacters(tape_.FocusLine());
        return TKeyAnswer::Consumed;
    }
    if (StoredOperatorForKey(key) && lines_.InGroup(tape_.FocusLine(), "]}")) return TKeyAnswer::NotHandled;
    Notifier().ExplainAndBeep("Cannot change the contents of the entries column in a " + RangeName(*this) +
                              " line.");
    return TKeyAnswer::Consumed;
}

bool TTotalSeriesBase::CanDeleteCharacters(LineIndex /*line*/) {
    Notifier().ExplainAndBeep("Cannot delete characters from a " + RangeName(*this) + " line entries column.");
    return false;
}

}  // namespace tally
