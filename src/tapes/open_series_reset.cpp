#include "tapes/open_series_reset.h"

#include "engine/lines/calc_params.h"
#include "engine/tape/calculator.h"

namespace tally {

void ResetOpenSeriesAtLastLine(TCalculator& tape) {
    tape.Lines().SetProperty(tape.LastLine(), LineKey::kSeriesType, "");
    tape.ResetRunningValue();
    tape.ChooseCurrentSeries();
}

}  // namespace tally
