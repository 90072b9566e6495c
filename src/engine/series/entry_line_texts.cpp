#include "engine/series/entry_line_texts.h"

#include "engine/lines/operator_keys.h"
#include "foundation/numbers/number_format.h"
#include "foundation/numbers/number_texts.h"

namespace tally {

std::string ZeroEntryText(int decimals) { return "+" + FormatDecimal(0, decimals < 0 ? 0 : decimals, false); }

bool IsEmptyOrOperatorOnly(std::string_view entry) { return entry.empty() || IsOperatorOnlyEntry(entry); }

std::string OperatorPart(std::string_view entry) {
    if (entry.empty() || !IsStoredOperator(entry.front())) return "+";
    std::string part(1, entry.front());
    if (IsMultiplicativeOperator(entry.front()) && entry.size() > 1 && entry[1] == '-') part += '-';
    return part;
}

std::string EntryWithOperator(std::string_view operatorPart, std::string_view numberText) {
    std::string number = RemoveThousandSeparators(numberText);
    bool negative = !operatorPart.empty() && operatorPart.back() == '-';
    if (!number.empty() && (number.front() == '-' || number.front() == '+')) {
        if (number.front() == '-') negative = !negative;
        number.erase(0, 1);
    }
    std::string entry;
    if (!operatorPart.empty() && IsMultiplicativeOperator(operatorPart.front())) {
        entry += operatorPart.front();
        if (negative) entry += '-';
    } else {
        entry += negative ? '-' : '+';
    }
    return entry + number;
}

char LineReferenceCommand(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsStoredOperator(text[i])) ++i;
    if (i < text.size() && (text[i] == 'c' || text[i] == 'l')) return text[i];
    return '\0';
}

}  // namespace tally
