#pragma once
// Tape commands on the series at the focus line: its decimal places and its total type; and
// the document's rounding method, which re-rounds the whole tape when it changes.

#include <string_view>

#include "engine/series/series_arithmetic.h"

namespace tally {

class TCalculator;

inline constexpr std::string_view kDecimalPlacesNotValidText =
    " decimal places not valid in this calculation series.";
inline constexpr std::string_view kTotalTypeNotValidText =
    " total type not valid in this calculation series.";

// Gives the focus series `decimals` decimal places; a refusal explains (the number followed by
// kDecimalPlacesNotValidText), beeps and leaves the tape as it was.
bool SpecifyTapeDecimalPlaces(TCalculator& tape, int decimals);
// Gives the focus series a total type ("DE", "T2" or "T3"); a refusal explains (the caption
// followed by kTotalTypeNotValidText), beeps and leaves the tape as it was.
bool SpecifyTapeTotalType(TCalculator& tape, std::string_view totalType);

// Stores the rounding method; when it changed, every series of the tape is recalculated with
// it, entries and totals re-rounded.
//
// All three first commit a changed entry on an earlier line (TCalculator::CommitFocusEntryEdit),
// and are refused while that entry is not valid.
bool ChangeRoundingMethod(TCalculator& tape, TRoundingMethod method);

}  // namespace tally
