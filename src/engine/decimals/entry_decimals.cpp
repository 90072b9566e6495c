#include "engine/decimals/entry_decimals.h"

#include <algorithm>

#include "engine/lines/calc_params.h"
#include "engine/lines/operator_keys.h"
#include "engine/series/series_arithmetic.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_texts.h"

namespace tally {

std::string_view FractionDigits(std::string_view numberText) noexcept {
    // "1.23456789012346E16" has no decimals: the digits after its separator belong to the
    // mantissa, not to the value's fraction.
    if (!IsDecimalText(numberText) || numberText.find_first_of("Ee") != std::string_view::npos) {
        return {};
    }
    const std::size_t separator = numberText.find(FormatSettings().DecimalSeparator);
    return separator == std::string_view::npos ? std::string_view{} : numberText.substr(separator + 1);
}

int FractionDigitCount(std::string_view numberText) noexcept {
    return std::min(static_cast<int>(FractionDigits(numberText).size()), kMaxSeriesDecimalPlaces);
}

std::string_view TotalTypeForEntry(std::string_view entryText) noexcept {
    std::string_view number = entryText;
    if (!number.empty() && IsStoredOperator(number.front())) number.remove_prefix(1);
    switch (TimeComponentCount(number)) {
        case 2: return kTotalTypeHoursMinutes;
        case 3: return kTotalTypeHoursMinutesSeconds;
        default: return kTotalTypeDecimal;
    }
}

std::string_view TotalTypeCaption(std::string_view totalType) noexcept {
    if (totalType == kTotalTypeDecimal) return "Decimal";
    if (totalType == kTotalTypeHoursMinutes) return "hh:mm";
    if (totalType == kTotalTypeHoursMinutesSeconds) return "hh:mm:ss";
    return totalType;
}

}  // namespace tally
