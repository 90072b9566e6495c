#pragma once
// Entry numbers: values and number texts written for display.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tally {

// Fixed-point text with `decimals` decimals (0 to 18; others are clamped), rounded half away
// from zero to at most 15 significant digits, with the thousand separator when showThousands.
// More than 15 integer digits give the exponent form (1.23456789012346E16). A zero result has
// no sign. A value that is not finite gives "INF", "-INF" or "NAN".
std::string FormatDecimal(long double value, int decimals, bool showThousands);
// The same into a caller's buffer of at least kFormatBufferSize characters; returns the length.
inline constexpr std::size_t kFormatBufferSize = 64;
std::size_t FormatDecimalTo(char* out, long double value, int decimals, bool showThousands) noexcept;

// The general number format with 15 significant digits: the shortest text, trailing zeros
// dropped, exponent form when the value has more than 15 integer digits or is below 0.0001.
std::string FormatGeneral(long double value);

// Reformats the whole part of a fraction text (sign, then the magnitude with or without the
// thousand separator); any other text is returned unchanged.
std::string FormatFractionText(std::string_view text, bool showThousands);

// A decimal value as a fraction with a fixed denominator (0 counts as 1, a negative one as its
// magnitude); never reduced. Empty for a value that is not finite.
std::string DecimalToFractionText(long double value, std::int64_t denominator, bool halfEven);

// Time texts. Each returns an empty text for a value that overflows the time capacity; a
// result that shows as zero has no sign.
std::string SecondsToHoursMinutesText(long double seconds);
std::string SecondsToHoursMinutesSecondsText(long double seconds);
std::string HoursToTimeText(long double hours);
// These return a text that is not a time text unchanged.
std::string NormalizeTimeText(std::string_view text);
std::string PadTimeText(std::string_view text);
std::string ToHoursMinutesSecondsText(std::string_view text);
std::string ToHoursMinutesText(std::string_view text);

}  // namespace tally
