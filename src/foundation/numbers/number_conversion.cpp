#include "foundation/numbers/number_conversion.h"

#include <charconv>

#include "foundation/numbers/decimal_digits.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_format.h"
#include "foundation/numbers/number_texts.h"

namespace tally {

std::optional<long long> ParseDenominator(std::string_view text) noexcept {
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    long long value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

TNumberConversion ConvertNumber(std::string_view original, std::string_view denominatorText, bool halfEven,
                                bool showThousands) {
    const std::string o = RemoveThousandSeparators(original);
    const std::optional<long long> d = ParseDenominator(denominatorText);
    const bool dEmpty = denominatorText.empty();
    TNumberConversion result;
    long double value = 0;
    if (IsDecimalText(o) && (d || dEmpty)) {  // cases 1 and 2
        numbers_detail::ParseDecimal(o, FormatSettings().DecimalSeparator, value);
        if (value == 0) value = 0;
    } else if (IsFractionText(o) && (d || dEmpty)) {  // cases 3 and 4
        value = FractionValue(o);
    } else if (IsTimeText(o) && (d || dEmpty)) {  // cases 5 and 6
        value = TimeTextToHours(o);
    } else {  // case 7
        return result;
    }
    result.Matched = true;
    result.Equivalent = d ? FormatFractionText(DecimalToFractionText(value, *d, halfEven), showThousands)
                          : FormatGeneral(value);
    result.EquivalentTime = HoursToTimeText(value);
    return result;
}

}  // namespace tally
