#pragma once
// The arithmetic of a group or grand total over the totals it includes.

#include <optional>
#include <string_view>

#include "engine/series/series_arithmetic.h"
#include "engine/totals/total_lists.h"

namespace tally {

// The largest decimal places among the content's totals: the digits after the decimal
// separator, or 4 for an hours:minutes text and 6 for hours:minutes:seconds.
int AutoDecimalPlaces(const TTotalSeriesContentList& content);

// The sum of the content in the total type (seconds for time types); nullopt when a step
// would overflow.
std::optional<long double> SumContent(const TTotalSeriesContentList& content, std::string_view totalType,
                                      int decimals, TRoundingMethod method);

}  // namespace tally
