#pragma once
// Entry numbers: the tests of number texts and their conversions to values.
// Texts are Windows-1252 bytes; the format characters come from FormatSettings().

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "foundation/numbers/format_settings.h"

namespace tally {

// Capacities.
inline constexpr int kMaxSignificantDigits = 15;
inline constexpr long double kMaxTimeSeconds = 2147483647.0L;

// Raised by time arithmetic when a result passes the time capacity; callers catch it.
class ETimeValueOverflow : public std::overflow_error {
public:
    ETimeValueOverflow() : std::overflow_error("Time Value Overflow") {}
};

// --- Text tests -------------------------------------------------------------------------------
bool IsDigitText(std::string_view text) noexcept;
// Optional sign, digits with at most one decimal separator, optional exponent; no blank, no
// thousand separator. False for a text whose value is not finite (1E5000).
bool IsDecimalText(std::string_view text) noexcept;
bool IsFractionText(std::string_view text) noexcept;
bool IsEntryFractionText(std::string_view text) noexcept;
bool IsUnsignedTimeText(std::string_view text) noexcept;
bool IsTimeText(std::string_view text) noexcept;
int TimeComponentCount(std::string_view text) noexcept;
bool IsWellFormedTime(std::string_view text) noexcept;
bool TimeTextOverflows(std::string_view text) noexcept;
// True when the magnitude passes 2,147,483,647 seconds (after rounding to whole seconds) or the
// value is not finite. Tiny magnitudes are not an overflow: they show as zero.
bool SecondsOverflow(long double seconds) noexcept;
bool HoursOverflow(long double hours) noexcept;
// The check of a finished entry: drop one leading operator character, remove the thousand
// separators, then a decimal, entry fraction or time text.
bool IsValidEntryNumber(std::string_view text) noexcept;

// --- Conversions ------------------------------------------------------------------------------
long double EntryNumberValue(std::string_view text) noexcept;
long double FractionValue(std::string_view text) noexcept;

struct TFractionParts {
    std::string Whole;
    std::string Numerator;
    std::string Denominator;
    char Sign = '+';
};
TFractionParts SplitFraction(std::string_view text);

struct TTimeParts {
    std::string Hours;
    std::string Minutes;
    std::string Seconds;
};
TTimeParts SplitTime(std::string_view text);

long double TimeTextToSeconds(std::string_view text) noexcept;
long double TimeTextToHours(std::string_view text) noexcept;

struct TSecondsParts {
    std::int64_t Hours = 0;
    std::int64_t Minutes = 0;
    std::int64_t Seconds = 0;  // may be 60 after rounding; the normalization carries it
};
TSecondsParts SplitSeconds(long double seconds) noexcept;

// Throws ETimeValueOverflow when SecondsOverflow(seconds); returns seconds otherwise.
long double CheckedSeconds(long double seconds);

// The text with every thousand separator removed.
std::string RemoveThousandSeparators(std::string_view text);

}  // namespace tally
