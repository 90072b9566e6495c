#pragma once
// What an entry text says about the series it is typed into: how many decimal places it carries
// and which total type it calls for; and the captions the user sees for the total types.

#include <string_view>

namespace tally {

// The digits after the decimal separator of a fixed-point decimal number text (no operator,
// no thousand separators). Exponent forms, fractions, times and anything that is not a number
// have none.
std::string_view FractionDigits(std::string_view numberText) noexcept;
// How many of them, at most 15: the decimal places the number asks of its series.
int FractionDigitCount(std::string_view numberText) noexcept;

// The total type an entry gives a series it starts: "T2" for a two-part time, "T3" for a
// three-part time, "DE" for everything else.
std::string_view TotalTypeForEntry(std::string_view entryText) noexcept;

// "Decimal", "hh:mm" or "hh:mm:ss"; an unknown code is shown as it is.
std::string_view TotalTypeCaption(std::string_view totalType) noexcept;

}  // namespace tally
