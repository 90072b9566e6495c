#include "engine/series/series_arithmetic.h"

#include <algorithm>
#include <cmath>

#include "foundation/numbers/number_format.h"
#include "foundation/numbers/number_texts.h"
#include "foundation/numbers/rounding.h"
#include "engine/lines/operator_keys.h"

namespace tally {
namespace {

constexpr int kWorkingPrecision = 15;


// The most decimal places a value leaves within 15 significant digits: 15 minus its integer
// digits once it is rounded to 15 significant digits. A value too large for fixed-point form
// is written in exponent form, where the separator stands after the first digit (and sign).
int DecimalsWithinPrecision(long double value) noexcept {
    if (value == 0 || !std::isfinite(value)) return kWorkingPrecision;
    const long double magnitude = std::fabs(value);
    // Integer digits of the magnitude, then one more when rounding to 15 significant digits
    // carries into the next power of ten (9.9999999999999999 is written 10.00...).
    int integerDigits = 0;
    long double power = 1;  // 10^integerDigits, exact in this range
    while (integerDigits <= kWorkingPrecision && magnitude >= power) {
        ++integerDigits;
        power *= 10;
    }
    if (magnitude >= power * (1 - 0.5L / 1e15L)) ++integerDigits;
    if (integerDigits > kWorkingPrecision) return value < 0 ? 13 : 14;
    return kWorkingPrecision - integerDigits;
}

bool HasFraction(long double x) noexcept { return std::trunc(x) != x; }

// Operand in seconds (for "+" and "-") and in hours (for the other operators) of a time series.
struct TTimeOperand {
    long double Seconds = 0;
    long double Hours = 0;
};

TTimeOperand TimeOperand(std::string_view numberText, int decimals, TRoundingMethod method) {
    TTimeOperand operand;
    long double hours = 0;
    if (IsTimeText(numberText)) {
        operand.Seconds = TimeTextToSeconds(numberText);
        operand.Hours = RoundHalfUp(operand.Seconds / 3600, kWorkingPrecision);
        return operand;
    }
    if (IsDecimalText(numberText)) {
        hours = EntryNumberValue(numberText);
    } else if (IsEntryFractionText(numberText)) {
        hours = FractionValue(numberText);
    } else {
        return operand;
    }
    operand.Hours = RoundByMethod(hours, decimals, method);
    operand.Seconds = RoundHalfUp(operand.Hours * 3600, kWorkingPrecision);
    return operand;
}

bool IsNumberText(std::string_view numberText) noexcept {
    return IsDecimalText(numberText) || IsEntryFractionText(numberText) || IsTimeText(numberText);
}

constexpr std::string_view kPowerLeadIn = "Attempting invalid power operation at line ";
constexpr std::string_view kPowerTail = ".  Power operation not performed. ";
constexpr std::string_view kRootLeadIn = "Attempting invalid root operation at line ";
constexpr std::string_view kRootTail = ".  Root operation not performed. ";
constexpr std::string_view kOperationLeadIn = "Operation at line ";
constexpr std::string_view kOperationTail = " not performed.  ";

}  // namespace

long double RoundByMethod(long double value, int decimals, TRoundingMethod method) noexcept {
    return method == TRoundingMethod::Even ? RoundHalfEven(value, decimals)
                                           : RoundHalfUp(value, decimals);
}

bool IsTimeTotalType(std::string_view totalType) noexcept {
    return totalType == kTotalTypeHoursMinutes || totalType == kTotalTypeHoursMinutesSeconds;
}

bool IsKnownTotalType(std::string_view totalType) noexcept {
    return totalType == kTotalTypeDecimal || IsTimeTotalType(totalType);
}

TEntryOperand SplitEntryOperand(std::string_view entryText) {
    TEntryOperand operand;
    if (!entryText.empty() && IsStoredOperator(entryText.front())) {
        operand.Operator = entryText.front();
        entryText.remove_prefix(1);
    }
    operand.NumberText = RemoveThousandSeparators(entryText);
    return operand;
}

bool ApplyOperator(long double& total, char op, long double x, int decimals,
                   TRoundingMethod method) noexcept {
    long double result = total;
    if (op == '+' || op == '-') {
        const int limited = std::min({decimals, DecimalsWithinPrecision(total),
                                      DecimalsWithinPrecision(x)});
        long double a = total;
        if (limited < decimals) {
            a = RoundByMethod(a, limited, method);
            x = RoundByMethod(x, limited, method);
        }
        result = RoundByMethod(op == '+' ? a + x : a - x, limited, method);
    } else if (op == 'X') {
        result = RoundByMethod(total * x, decimals, method);
    } else if (op == FormatSettings().DivideOperChar) {
        if (x != 0) result = total / x;
        result = RoundByMethod(result, decimals, method);
    } else if (op == 'P') {
        if ((total >= 0 || !HasFraction(x)) && (total != 0 || x != 0)) result = std::pow(total, x);
        result = RoundByMethod(result, decimals, method);
    } else if (op == 'R') {
        if (total > 0 && x != 0) result = std::pow(total, 1 / x);
        result = RoundByMethod(result, decimals, method);
    } else {
        return true;
    }
    if (!std::isfinite(result)) return false;
    total = result == 0 ? 0 : result;  // no negative zero
    return true;
}

void ApplyTimeOperator(long double& total, char op, std::string_view numberText,
                       std::string_view /*totalType*/, int decimals, TRoundingMethod method) {
    const TTimeOperand operand = TimeOperand(numberText, decimals, method);
    long double result = total;
    const bool additive = op == '+' || op == '-';
    if (!ApplyOperator(result, op, additive ? operand.Seconds : operand.Hours, kWorkingPrecision,
                       method) ||
        SecondsOverflow(result)) {
        throw ETimeValueOverflow();
    }
    total = result;
}

long double AppliedOperand(std::string_view numberText, std::string_view totalType, int decimals,
                           TRoundingMethod method) noexcept {
    if (IsTimeTotalType(totalType)) return TimeOperand(numberText, decimals, method).Hours;
    return RoundByMethod(EntryNumberValue(numberText), decimals, method);
}

std::string TOperationRefusal::MessageForLine(std::string_view lineName) const {
    std::string message = LeadIn;
    message += lineName;
    message += Tail;
    message += Reason;
    return message;
}

TOperationResult EvaluateOperation(const TEntryOperand& operand, bool firstEntry,
                                   long double totalBefore, int decimals,
                                   std::string_view totalType, TRoundingMethod method) {
    TOperationResult result{std::nullopt, totalBefore};
    auto refuse = [&](std::string_view leadIn, std::string_view tail, std::string_view reason) {
        result.Refusal = TOperationRefusal{std::string(leadIn), std::string(tail), std::string(reason)};
        return result;
    };
    const bool isNumber = IsNumberText(operand.NumberText);
    // Checked as the arithmetic will apply it, so dividing by 0.001 in a two-decimal series is a
    // division by zero.
    const long double x = AppliedOperand(operand.NumberText, totalType, decimals, method);
    const char op = operand.Operator;

    if (op == FormatSettings().DivideOperChar && x == 0) {
        return refuse("Attempting invalid division operation at line ",
                      ".  Division operation not performed. ", "Can not divide by zero.");
    }
    if (op == 'P') {
        if (!isNumber) return refuse(kPowerLeadIn, kPowerTail, "Invalid entry for power operation.");
        if (firstEntry) {
            return refuse(kPowerLeadIn, kPowerTail,
                          "Operator \"P\" is not valid in the first entry of a calculation series.");
        }
        if (totalBefore < 0 && HasFraction(x)) {
            return refuse(kPowerLeadIn, kPowerTail,
                          "Can not raise a negative total to a non-integer power.  The calculation "
                          "series total is negative at the point of the power operation.");
        }
        if (totalBefore == 0 && x == 0) {
            return refuse(kPowerLeadIn, kPowerTail, "Can not raise zero to the power of zero.");
        }
    }
    if (op == 'R') {
        if (!isNumber) return refuse(kRootLeadIn, kRootTail, "Invalid entry for root operation.");
        if (x == 0) {
            return refuse(kRootLeadIn, kRootTail, "Can not calculate the zero root of a number.");
        }
        if (firstEntry) {
            return refuse(kRootLeadIn, kRootTail,
                          "Operator \"R\" is not valid in the first entry of a calculation series.");
        }
        if (totalBefore < 0) {
            return refuse(kRootLeadIn, kRootTail, "Can not calculate the root of a negative number.");
        }
    }
    // A garbled entry (from a file or a paste) is never applied as zero.
    if (!isNumber) {
        return refuse(kOperationLeadIn, kOperationTail, "The entry does not contain a valid number.");
    }
    if (IsTimeTotalType(totalType)) {
        try {
            ApplyTimeOperator(result.Total, op, operand.NumberText, totalType, decimals, method);
        } catch (const ETimeValueOverflow&) {
            return refuse(kOperationLeadIn, kOperationTail,
                          "Performing this operation would produce a total too big for a time value.");
        }
    } else if (!ApplyOperator(result.Total, op, x, decimals, method)) {
        return refuse(kOperationLeadIn, kOperationTail,
                      "Performing this operation would produce a total that exceeds the "
                      "calculator's capacity.");
    }
    return result;
}

std::optional<TOperationRefusal> CheckOperation(std::string_view entryText, bool firstEntry,
                                                long double totalBefore, int decimals,
                                                std::string_view totalType,
                                                TRoundingMethod method) {
    return EvaluateOperation(SplitEntryOperand(entryText), firstEntry, totalBefore, decimals,
                             totalType, method)
        .Refusal;
}

std::string FormatTotal(long double total, std::string_view totalType, int decimals,
                        bool showThousands) {
    if (totalType == kTotalTypeHoursMinutes) return SecondsToHoursMinutesText(total);
    if (totalType == kTotalTypeHoursMinutesSeconds) return SecondsToHoursMinutesSecondsText(total);
    return FormatDecimal(total, decimals, showThousands);
}

std::string NormalFormEntry(const TEntryOperand& operand, std::string_view totalType, int decimals,
                            TRoundingMethod method, bool showThousands) {
    std::string text(1, operand.Operator);
    const std::string_view number = operand.NumberText;
    if (IsEntryFractionText(number)) {
        text += FormatFractionText(number, showThousands);
    } else if (IsTimeText(number)) {
        const int components = TimeComponentCount(number);
        if (totalType == kTotalTypeHoursMinutes && components == 3) {
            text += ToHoursMinutesText(number);
        } else if (totalType == kTotalTypeHoursMinutesSeconds && components == 2) {
            text += ToHoursMinutesSecondsText(number);
        } else {
            text += PadTimeText(number);
        }
    } else {
        text += FormatDecimal(RoundByMethod(EntryNumberValue(number), decimals, method), decimals,
                              showThousands);
    }
    return text;
}

}  // namespace tally
