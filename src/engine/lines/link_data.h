#pragma once
// Reading a line's link data string (its LID property): state letter, role letter ('S' source,
// 'D' destination), sign letter, a 16-digit link number and an optional ",flag".

#include <string_view>

namespace tally {

// Well formed: longer than 18 characters, state 'A' or 'P', role 'S' or 'D', sign '+' or '-',
// then exactly 16 decimal digits.
bool IsWellFormedLinkData(std::string_view linkData) noexcept;
// The role letter, or '\0' when the string is not well formed.
char LinkDataRole(std::string_view linkData) noexcept;
// The 16-digit link number, or empty when the string is not well formed.
std::string_view LinkDataNumber(std::string_view linkData) noexcept;
// The flag letter after the comma ('P' permanent, 'D' dummy), or '\0' when there is none or the
// string is not well formed.
char LinkDataFlag(std::string_view linkData) noexcept;

}  // namespace tally
