#pragma once
// Entry numbers: the digit capacity while typing and the check of a finished entry,
// with their message texts (exact; two blanks after the first sentence of the entry texts).

#include <string_view>

namespace tally {

inline constexpr std::string_view kDigitCapacityMessage =
    "Any more digits in this entry would exceed the calculator's capacity of 15 significant digits.";
inline constexpr std::string_view kInvalidEntryNumberMessage =
    "The entry with the focus highlight does not contain a valid number.  If you are trying to "
    "enter a fraction, make sure the numerator is preceded by a single space (or underscore if "
    "appropriate).";
inline constexpr std::string_view kTimeCapacityMessage =
    "The time value entered exceeds the calculator's capacity of 2,147,483,647 seconds, which is "
    "00:35791394:07 or 596523:14:07 in hours:minutes:seconds.";

// The entry text with the typed digit already inserted; true when the digit must be refused
// (with kDigitCapacityMessage). The caller applies it only to a typed digit and not while the
// entry holds a line-reference command.
bool EntryExceedsDigitCapacity(std::string_view entryText) noexcept;

// The check of a finished entry (operator character included): the message to show, or an
// empty text when the entry is accepted.
std::string_view CheckEntryNumber(std::string_view entryText) noexcept;

}  // namespace tally
