#include "engine/decimals/tape_decimals.h"

#include <string>

#include "engine/decimals/entry_decimals.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/series_base.h"
#include "engine/tape/calculator.h"
#include "foundation/notifications/notifier.h"

namespace tally {
namespace {

// The open last series keeps its settings in the tape rather than on an ending line.
bool FocusOnOpenSeries(const TCalculator& tape) {
    return SeriesEndingLine(tape.Lines(), tape.FocusLine()) == kNoLine;
}

// The recalculated series may feed group and grand totals and link destinations, and the
// document shows the focus series' settings and total.
bool AfterSeriesChange(TCalculator& tape) {
    tape.AfterEditNotifications();
    tape.PostEditPass();
    return true;
}

}  // namespace

bool SpecifyTapeDecimalPlaces(TCalculator& tape, int decimals) {
    if (!tape.CommitFocusEntryEdit()) return false;
    TSeriesBase* series = tape.CurrentSeries();
    const bool openSeries = FocusOnOpenSeries(tape);
    const int previousOpen = tape.OpenSeriesDecimalPlaces();
    if (openSeries) tape.SetOpenSeriesDecimalPlaces(decimals);
    if (series != nullptr && series->SetDecimalPlaces(decimals)) return AfterSeriesChange(tape);
    if (openSeries) tape.SetOpenSeriesDecimalPlaces(previousOpen);
    Notifier().ExplainAndBeep(std::to_string(decimals) + std::string(kDecimalPlacesNotValidText));
    return false;
}

bool SpecifyTapeTotalType(TCalculator& tape, std::string_view totalType) {
    if (!tape.CommitFocusEntryEdit()) return false;
    TSeriesBase* series = tape.CurrentSeries();
    const bool openSeries = FocusOnOpenSeries(tape);
    const std::string previousOpen = tape.OpenSeriesTotalType();
    if (openSeries && IsKnownTotalType(totalType)) tape.SetOpenSeriesTotalType(totalType);
    if (series != nullptr && series->SetTotalType(totalType)) return AfterSeriesChange(tape);
    if (openSeries) tape.SetOpenSeriesTotalType(previousOpen);
    Notifier().ExplainAndBeep(std::string(TotalTypeCaption(totalType)) +
                              std::string(kTotalTypeNotValidText));
    return false;
}

bool ChangeRoundingMethod(TCalculator& tape, TRoundingMethod method) {
    if (tape.RoundingMethod() == method) return true;
    if (!tape.CommitFocusEntryEdit()) return false;
    tape.SetRoundingMethod(method);
    tape.RefreshAll();
    return true;
}

}  // namespace tally
