#pragma once
// Checks made while a key is typed into an entry: the operator check, the warnings that let the
// key through, and whether a line needs a total after it.

#include <optional>
#include <string>
#include <string_view>

#include "engine/lines/line_store.h"

namespace tally {

inline constexpr std::string_view kDecimalPlacesWarning =
    "Entering more decimal places than specified.  The number will be rounded unless the decimal "
    "places setting is increased.";
inline constexpr std::string_view kSecondsInHoursMinutesWarning =
    "Entering hours:minutes:seconds time value, but totals are hours:minutes time values. The time "
    "value will be rounded to hours:minutes unless the total type is changed to "
    "hours:minutes:seconds time value, or to decimal, total type.";

// "Operator "o" is not valid in the first entry of a calculation series."
std::string FirstEntryOperatorRefusal(char storedOperator);

// The outcome of an operator key: the stored operator to type, or the refusal's explanation.
struct TOperatorKeyCheck {
    char Operator = '\0';
    std::string Refusal;
};
// An operator key on the first entry of a series may not need a previous value.
TOperatorKeyCheck CheckOperatorKey(char key, bool firstEntry);

// The warning to give after a key went into the entry text, or nothing.
struct TTypingWarningContext {
    int SeriesDecimalPlaces = 2;
    std::string_view TotalType = "DE";
    bool AutoIncreaseDecimalPlaces = false;
    // The first entry of a series on the tape's last line with the automatic total type on: the
    // total type will follow the entry, so no hours:minutes:seconds warning.
    bool TotalTypeFollowsEntry = false;
};
std::optional<std::string_view> TypingWarning(std::string_view entryText,
                                              const TTypingWarningContext& context);

// Digits after the decimal separator in an entry text (thousand separators ignored).
int EntryDecimalDigits(std::string_view entryText);

// Whether the entry line must be followed by a total because it or a neighbouring entry uses a
// multiplicative operator, or because the series ends after it.
bool NeedsTotalAfter(const TLineStore& lines, LineIndex line);
// Whether an entry text starts with "X", the divide operator, "P" or "R".
bool IsMultiplicativeEntry(std::string_view entryText);

}  // namespace tally
