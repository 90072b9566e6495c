#include "table/column_total.h"

#include <algorithm>
#include <utility>

#include "engine/decimals/entry_decimals.h"
#include "foundation/numbers/number_format.h"
#include "foundation/numbers/number_texts.h"
#include "foundation/numbers/rounding.h"

namespace tally {
namespace {

constexpr int kFractionOrTimeDecimals = 6;
constexpr int kMaxTotalDecimals = 15;

// The decimals of a number text without thousand separators.
int NumberDecimals(std::string_view number) {
    if (IsDecimalText(number)) return FractionDigitCount(number);
    if (IsFractionText(number) || IsTimeText(number)) return kFractionOrTimeDecimals;
    return 0;
}

}  // namespace

namespace {

// A series total type and the column total type the table stores for it.
constexpr std::pair<std::string_view, std::string_view> kTotalTypes[] = {
    {kTotalTypeDecimal, kColumnTotalDecimal},
    {kTotalTypeHoursMinutes, kColumnTotalHoursMinutes},
    {kTotalTypeHoursMinutesSeconds, kColumnTotalHoursMinutesSeconds},
};

}  // namespace

std::string_view ColumnTotalTypeFor(std::string_view seriesTotalType) {
    for (const auto& [series, column] : kTotalTypes) {
        if (series == seriesTotalType) return column;
    }
    return {};
}

std::string_view SeriesTotalTypeFor(std::string_view columnTotalType) {
    for (const auto& [series, column] : kTotalTypes) {
        if (column == columnTotalType) return series;
    }
    return {};
}

std::string_view DetectColumnTotalType(std::string_view firstCell) {
    const std::string text = RemoveThousandSeparators(firstCell);
    if (IsTimeText(text)) {
        return TimeComponentCount(text) == 3 ? kColumnTotalHoursMinutesSeconds : kColumnTotalHoursMinutes;
    }
    return kColumnTotalDecimal;
}

int CellDecimals(std::string_view cell) { return NumberDecimals(RemoveThousandSeparators(cell)); }

int ColumnTotalDecimals(std::string_view userDecimals, std::string_view shownTotal) {
    if (!userDecimals.empty()) {
        if (!IsDigitText(userDecimals)) return 0;
        return userDecimals.size() > 2 ? kMaxTotalDecimals
                                       : std::min(std::stoi(std::string(userDecimals)), kMaxTotalDecimals);
    }
    const std::string text = RemoveThousandSeparators(shownTotal);
    if (IsDecimalText(text)) return FractionDigitCount(text);
    if (IsFractionText(text)) return kFractionOrTimeDecimals;
    if (IsTimeText(text)) {
        const int parts = TimeComponentCount(text);
        return parts == 2 || parts == 3 ? kFractionOrTimeDecimals : 0;
    }
    return 0;
}

bool IsTableNumberText(std::string_view text) {
    const std::string number = RemoveThousandSeparators(text);
    return IsDecimalText(number) || IsFractionText(number) || IsTimeText(number);
}

long double TableCellValue(std::string_view text) {
    const std::string number = RemoveThousandSeparators(text);
    if (IsDecimalText(number)) return EntryNumberValue(number);
    if (IsFractionText(number)) return FractionValue(number);
    if (IsTimeText(number)) return TimeTextToHours(number);
    return 0;
}

void AddToColumnTotal(TColumnTotal& total, std::string_view value, const TColumnTotalRules& rules) {
    if (value.empty()) return;
    const auto tooBig = [&total] {
        total.Raw = kSumIsTooBig;
        total.Shown = kSumIsTooBig;
    };
    if (total.Raw == kSumIsTooBig) {
        tooBig();
        return;
    }
    const std::string number = RemoveThousandSeparators(value);
    const bool isDecimal = IsDecimalText(number);
    if (isDecimal && number.find_first_of("Ee") != std::string::npos) {
        tooBig();
        return;
    }
    const std::string rawText = RemoveThousandSeparators(total.Raw);
    const long double raw = IsDecimalText(rawText) ? EntryNumberValue(rawText) : 0;
    const int places = rules.UserDecimals ? rules.Decimals : std::max(rules.Decimals, NumberDecimals(number));
    if (rules.Type == kColumnTotalDecimal || rules.Type.empty()) {
        long double x = 0;
        if (isDecimal) {
            x = EntryNumberValue(number);
        } else if (IsFractionText(number)) {
            x = FractionValue(number);
        } else if (IsTimeText(number)) {
            x = TimeTextToHours(number);
        }
        x = RoundByMethod(x, places, rules.Method);
        long double sum = raw;
        if (!ApplyOperator(sum, '+', x, places, rules.Method)) {
            tooBig();
            return;
        }
        total.Raw = FormatDecimal(sum, places, rules.ShowThousands);
        total.Shown = total.Raw;
        return;
    }
    long double seconds = raw;
    try {
        ApplyTimeOperator(seconds, '+', number, rules.Type == kColumnTotalHoursMinutes ? kTotalTypeHoursMinutes
                                                                                      : kTotalTypeHoursMinutesSeconds,
                          places, rules.Method);
    } catch (const ETimeValueOverflow&) {
        tooBig();
        return;
    }
    total.Raw = FormatGeneral(seconds);
    total.Shown = rules.Type == kColumnTotalHoursMinutes ? SecondsToHoursMinutesText(seconds)
                                                         : SecondsToHoursMinutesSecondsText(seconds);
}

}  // namespace tally
