#include "engine/lines/operator_keys.h"

namespace tally {

std::optional<char> StoredOperatorForKey(char key, char divideOperator) {
    switch (key) {
        case '+':
        case 'A':
        case 'a': return Operator::kAdd;
        case '-': return Operator::kSubtract;
        case '*':
        case 'X':
        case 'x':
        case '\xD7': return Operator::kMultiply;
        case Operator::kDivideSlash:
        case Operator::kDivideSign: return divideOperator;
        case 'P':
        case 'p': return Operator::kPower;
        case 'R':
        case 'r': return Operator::kRoot;
        default: return std::nullopt;
    }
}

bool IsMultiplicativeOperator(char c, char divideOperator) {
    return c == Operator::kMultiply || c == divideOperator || c == Operator::kPower || c == Operator::kRoot;
}

bool IsStoredOperator(char c, char divideOperator) {
    return c == Operator::kAdd || c == Operator::kSubtract || IsMultiplicativeOperator(c, divideOperator);
}

bool IsOperatorOnlyEntry(std::string_view entry, char divideOperator) {
    if (entry.size() == 1) return IsStoredOperator(entry[0], divideOperator);
    return entry.size() == 2 && IsMultiplicativeOperator(entry[0], divideOperator) &&
           entry[1] == Operator::kSubtract;
}

}  // namespace tally
