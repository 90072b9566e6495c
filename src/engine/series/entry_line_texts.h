#pragma once
// Texts the series write into entry and total lines while keys are handled: the separator
// line, the zero a new entry line starts from, and entries composed of an operator and a
// number.

#include <string>
#include <string_view>

namespace tally {

// The Entries text of a separator line (the line drawn above a total).
inline constexpr std::string_view kSeparatorLineText = "==========";

// Zero with the decimal places, written with the decimal separator in force ("+0.00", "+0,00",
// "+0"): the entry a new line falls back to when its typing is dropped, and a new series' entry.
std::string ZeroEntryText(int decimals);

bool IsEmptyOrOperatorOnly(std::string_view entry);

// The operator characters an entry starts with ("X-" of "X-7.00"); "+" when it has none.
std::string OperatorPart(std::string_view entry);

// An entry made of operator characters and a number text: a minus after the operator and one
// leading the number cancel ("-" with "-5" gives "+5"), and a negative sum is written "-n".
std::string EntryWithOperator(std::string_view operatorPart, std::string_view numberText);

// The line-reference command ('c' quick copy, 'l' quick link) after an entry's operator
// characters; '\0' when the text holds none.
char LineReferenceCommand(std::string_view text);

}  // namespace tally
