#pragma once
// The arithmetic of a standard calculation series: what each operator does to the series total,
// where rounding happens, time totals, the refusal checks and the normal form of entry texts.
// These are pure functions of their arguments and the process-wide format settings.

#include <optional>
#include <string>
#include <string_view>

namespace tally {

// The document's rounding method; the stored numbers are those of document files.
enum class TRoundingMethod { Up = 0, Even = 1 };

long double RoundByMethod(long double value, int decimals, TRoundingMethod method) noexcept;

// Total types of a series.
inline constexpr std::string_view kTotalTypeDecimal = "DE";
inline constexpr std::string_view kTotalTypeHoursMinutes = "T2";
inline constexpr std::string_view kTotalTypeHoursMinutesSeconds = "T3";
bool IsTimeTotalType(std::string_view totalType) noexcept;
bool IsKnownTotalType(std::string_view totalType) noexcept;

// An entry split into its stored operator ("+" when the text has none) and its number text
// with the thousand separators removed.
struct TEntryOperand {
    char Operator = '+';
    std::string NumberText;
};
TEntryOperand SplitEntryOperand(std::string_view entryText);

// Applies one operation to a decimal total. Returns false, leaving the total unchanged, when
// the result leaves the finite range of the value type (overflow).
bool ApplyOperator(long double& total, char op, long double x, int decimals,
                   TRoundingMethod method) noexcept;

// Applies one operation to a time total in seconds. A time or decimal operand counts as hours
// when added and as a plain factor otherwise. Throws ETimeValueOverflow, leaving the total
// unchanged, when the result passes the time capacity or overflows.
void ApplyTimeOperator(long double& total, char op, std::string_view numberText,
                       std::string_view totalType, int decimals, TRoundingMethod method);

// The operand exactly as the arithmetic will apply it: rounded to the series' decimal places,
// and for a time series the hours factor used by "X", the divide operator, "P" and "R".
long double AppliedOperand(std::string_view numberText, std::string_view totalType, int decimals,
                           TRoundingMethod method) noexcept;

// Why an operation was refused; the message reads LeadIn + line name + Tail + Reason.
struct TOperationRefusal {
    std::string LeadIn;
    std::string Tail;
    std::string Reason;

    // The message list text for a refusal on a named line, e.g. "T12".
    std::string MessageForLine(std::string_view lineName) const;
};

// An operation checked and, when accepted, applied to a copy of the total.
struct TOperationResult {
    std::optional<TOperationRefusal> Refusal;
    long double Total = 0;  // the new total; the total before when refused
};
TOperationResult EvaluateOperation(const TEntryOperand& operand, bool firstEntry,
                                   long double totalBefore, int decimals,
                                   std::string_view totalType, TRoundingMethod method);

// Checks an operation before it is applied. `firstEntry` tells whether the line is the first
// entry of its series (no previous normal line).
std::optional<TOperationRefusal> CheckOperation(std::string_view entryText, bool firstEntry,
                                                long double totalBefore, int decimals,
                                                std::string_view totalType,
                                                TRoundingMethod method);

// A total as shown on a total line: decimal places for "DE", hours:minutes for "T2",
// hours:minutes:seconds for "T3".
std::string FormatTotal(long double total, std::string_view totalType, int decimals,
                        bool showThousands);

// The entry text in its normal form: operator followed by the number reformatted for the
// series. Only called for a valid entry.
std::string NormalFormEntry(const TEntryOperand& operand, std::string_view totalType, int decimals,
                            TRoundingMethod method, bool showThousands);

}  // namespace tally
