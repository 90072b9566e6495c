#pragma once
// Operator characters of entry texts and the keys that produce them.

#include <optional>
#include <string_view>

#include "foundation/numbers/format_settings.h"

namespace tally {

namespace Operator {
inline constexpr char kAdd = '+';
inline constexpr char kSubtract = '-';
inline constexpr char kMultiply = 'X';
inline constexpr char kPower = 'P';
inline constexpr char kRoot = 'R';
inline constexpr char kDivideSign = '\xF7';
inline constexpr char kDivideSlash = '/';
}  // namespace Operator

// Keys whose operator works on the total so far, so they cannot start a series.
inline constexpr std::string_view kOperatorKeysNeedingPrevious = "*xX\xD7\xF7/rRpP";

// The stored operator for a typed key; nullopt for a key that is no operator key.
// "+Aa" add, "-" subtract, "*Xx" and the multiplication sign multiply, "/" and the divide
// sign divide (stored as the divide operator in force), "Pp" power, "Rr" root.
std::optional<char> StoredOperatorForKey(char key, char divideOperator = FormatSettings().DivideOperChar);

// "X", the divide operator, "P" and "R": operators that may be followed by "-".
bool IsMultiplicativeOperator(char c, char divideOperator = FormatSettings().DivideOperChar);
bool IsStoredOperator(char c, char divideOperator = FormatSettings().DivideOperChar);

// An entry holding only an operator, or a multiplicative operator followed by "-".
bool IsOperatorOnlyEntry(std::string_view entry, char divideOperator = FormatSettings().DivideOperChar);

}  // namespace tally
