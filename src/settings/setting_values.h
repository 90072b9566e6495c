#pragma once
// Value texts of the settings files: integers, booleans ("1"/"0", any other integer reads as
// true), colours and margins. Margins are written with "." and read with "." or ",", so a file
// moves between locales unchanged.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tally {

// A whole decimal integer in the 32-bit range, blanks around it allowed; none otherwise.
std::optional<std::int32_t> ParseInteger(std::string_view text);
std::optional<bool> ParseBoolean(std::string_view text);
std::string BooleanText(bool value);

// Colours are 0x00BBGGRR; anything with the high byte set is no colour.
inline constexpr std::int64_t kMaxColor = 0xFFFFFF;

// Margins, in inches or millimetres, from 0 up to this.
inline constexpr long double kMaxMargin = 1000.0L;
std::optional<long double> ParseMargin(std::string_view text);
// The shortest text that reads back as the same number, with ".": 1.0 is "1".
std::string MarginText(long double margin);
bool IsValidMargin(long double margin);

}  // namespace tally
