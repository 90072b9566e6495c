#include "engine/totals/total_sum.h"

#include <algorithm>

#include "foundation/numbers/format_settings.h"

namespace tally {
namespace {

int TotalTextDecimalPlaces(std::string_view text) {
    const auto point = text.find(FormatSettings().DecimalSeparator);
    if (point != std::string_view::npos) {
        const auto decimals = static_cast<int>(text.size() - point - 1);
        if (decimals > 0) return decimals;
    }
    const auto separators = std::count(text.begin(), text.end(), FormatSettings().TimeSeparator);
    return separators == 1 ? 4 : separators == 2 ? 6 : 0;
}

}  // namespace

int AutoDecimalPlaces(const TTotalSeriesContentList& content) {
    int decimals = 0;
    for (const auto& item : content) decimals = std::max(decimals, TotalTextDecimalPlaces(item.Total));
    return decimals;
}

std::optional<long double> SumContent(const TTotalSeriesContentList& content, std::string_view totalType,
                                      int decimals, TRoundingMethod method) {
    long double sum = 0;
    for (const auto& item : content) {
        const TOperationResult step = EvaluateOperation(SplitEntryOperand(item.Total), false, sum, decimals,
                                                        totalType, method);
        if (step.Refusal) return std::nullopt;
        sum = step.Total;
    }
    return sum;
}

}  // namespace tally
