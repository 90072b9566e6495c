// Inserting a new embedded series at the focus line of a tape.
#include "engine/lines/calc_params.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/standard_series.h"
#include "engine/tape/calculator.h"
#include "foundation/notifications/notifier.h"

namespace tally {
namespace {

constexpr std::string_view kEmbeddedSeriesType = "e";

}  // namespace

bool TCalculator::CanInsertNewEmbeddedSeries() const {
    return currentSeries_ == &StandardSeries() && StandardSeries().AllowsEmbeddedInsert(focusLine_);
}

bool TCalculator::InsertNewEmbeddedSeries() {
    const bool onOpening = lines_.HasKind(focusLine_, LineKind::kEmbeddedLeading);
    if (lines_.Property(focusLine_, LineKey::kSeriesType) == kEmbeddedSeriesType && !onOpening) {
        Notifier().ExplainAndBeep(
            "Cannot insert an embedded calculation series into another embedded calculation series.");
        return false;
    }
    if (onOpening && !StandardSeries().AllowsEmbeddedInsert(focusLine_)) {
        Notifier().ExplainAndBeep(
            "Complete the current embedded calculation series before inserting another one.");
        return false;
    }
    if (currentSeries_ != &StandardSeries()) return false;
    if (IsLastLine(focusLine_)) {
        // As for Insert Line: the open series' last line is left for review mode.
        HandOnPendingEdits(focusLine_, false);
        reviewMode_ = true;
    }
    if (!StandardSeries().InsertEmbeddedSeries()) {
        UpdateReviewMode();
        return false;
    }
    const LineIndex external = EmbeddedTrailingBoundary(lines_, focusLine_) + 1;
    if (!IsLastLine(external)) {
        StandardSeries().Recalculate(external);
        PostEditPass();
    }
    FinishLineEdit();
    return true;
}

}  // namespace tally
