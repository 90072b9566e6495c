#include "engine/series/total_series.h"

namespace tally {

bool TTotalSeriesBase::IsEntryOrTotalLine(LineIndex line) const {
    return ClaimsLine(line) && (lines_.HasKind(line, LineKind::kGroupTotal) ||
                                lines_.HasKind(line, LineKind::kGrandTotal));
}

}  // namespace tally
