#include "engine/entry/partial_entry.h"

#include <algorithm>

#include "engine/lines/operator_keys.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_texts.h"

namespace tally {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view text) { return std::all_of(text.begin(), text.end(), IsDigit); }

// Digits with at most one decimal separator; "" and "." count as numbers in progress.
bool IsDecimalInProgress(std::string_view text) {
    const char separator = FormatSettings().DecimalSeparator;
    const std::size_t point = text.find(separator);
    if (point == std::string_view::npos) return AllDigits(text);
    return AllDigits(text.substr(0, point)) && AllDigits(text.substr(point + 1));
}

// Digits with at most one fraction leader and one "/"; the leader starts the text or follows
// the whole part's digits, and the "/" follows the leader and the numerator's digits. Anywhere
// else a "/" could never make a valid fraction, and the key is the divide operator instead.
bool IsFractionInProgress(std::string_view text) {
    const char leader = FormatSettings().FractionLeader;
    const std::size_t leaderAt = text.find(leader);
    const std::size_t slashAt = text.find('/');
    if (leaderAt == std::string_view::npos && slashAt == std::string_view::npos) return false;
    if (leaderAt != std::string_view::npos && text.find(leader, leaderAt + 1) != std::string_view::npos)
        return false;
    if (slashAt != std::string_view::npos) {
        if (text.find('/', slashAt + 1) != std::string_view::npos) return false;
        if (slashAt == 0 || !IsDigit(text[slashAt - 1])) return false;
        if (leaderAt == std::string_view::npos || leaderAt > slashAt) return false;
    }
    for (char c : text) {
        if (!IsDigit(c) && c != leader && c != '/') return false;
    }
    return true;
}

bool IsLineReferenceInProgress(std::string_view text, const TTapeLetterTest& isTapeLetter) {
    if (text.empty() || (text.front() != 'c' && text.front() != 'l')) return false;
    text.remove_prefix(1);
    if (!text.empty() && !IsDigit(text.front())) {
        if (!isTapeLetter || !isTapeLetter(text.front())) return false;
        text.remove_prefix(1);
    }
    return AllDigits(text);
}

// The length of the operator prefix, or nullopt when the leading operator characters do not
// form one operator (optionally a multiplicative one followed by "-").
std::optional<std::size_t> OperatorPrefixLength(std::string_view text) {
    std::size_t count = 0;
    while (count < text.size() && IsStoredOperator(text[count])) ++count;
    if (count <= 1) return count;
    if (count == 2 && IsMultiplicativeOperator(text[0]) && text[1] == '-') return count;
    return std::nullopt;
}

}  // namespace

bool IsValidPartialEntry(std::string_view text, const TTapeLetterTest& isTapeLetter) {
    const std::string plain = RemoveThousandSeparators(text);
    const auto prefix = OperatorPrefixLength(plain);
    if (!prefix) return false;
    const std::string_view rest = std::string_view(plain).substr(*prefix);
    if (rest.empty() || IsDecimalInProgress(rest)) return true;
    if (rest.find(FormatSettings().TimeSeparator) != std::string_view::npos) return IsTimeText(rest);
    return IsFractionInProgress(rest) || IsLineReferenceInProgress(rest, isTapeLetter);
}

bool IsEntryCharacter(char key, const TTapeLetterTest& isTapeLetter) {
    const TFormatSettings& format = FormatSettings();
    if (StoredOperatorForKey(key) || IsDigit(key)) return true;
    if (key == format.DecimalSeparator || key == format.TimeSeparator ||
        key == format.ThousandSeparator || key == format.FractionLeader || key == '/') {
        return true;
    }
    return key == 'c' || key == 'l' || (isTapeLetter && isTapeLetter(key));
}

std::string TextWithKeyAt(std::string_view text, int caret, int selectionLength, char key) {
    const std::size_t at = std::min<std::size_t>(static_cast<std::size_t>(std::max(caret, 0)), text.size());
    const std::size_t length =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(selectionLength, 0)), text.size() - at);
    std::string result(text.substr(0, at));
    result += key;
    result += text.substr(at + length);
    return result;
}

std::optional<char> KeyAllowedAt(char key, std::string_view text, int caret, int selectionLength,
                                 bool operatorsAfterNumber, const TTapeLetterTest& isTapeLetter) {
    // A blank typed where blanks group thousands is stored as the no-break space.
    if (key == FormatSettings().TypedThousandSeparator) key = FormatSettings().ThousandSeparator;
    if (!IsEntryCharacter(key, isTapeLetter)) return std::nullopt;
    // After a multiplicative operator with everything behind it selected, "-" may only replace a
    // selected "-".
    if (key == '-' && !text.empty() && IsMultiplicativeOperator(text.front()) && caret == 1 &&
        static_cast<std::size_t>(selectionLength) == text.size() - 1 && text.substr(1) != "-" &&
        selectionLength > 0) {
        return std::nullopt;
    }
    auto fits = [&](char c) {
        const std::string candidate = TextWithKeyAt(text, caret, selectionLength, c);
        if (operatorsAfterNumber && IsOperatorOnlyEntry(candidate)) return false;
        return IsValidPartialEntry(candidate, isTapeLetter);
    };
    if (fits(key)) return key;
    const auto stored = StoredOperatorForKey(key);
    if (stored && *stored != key && fits(*stored)) return *stored;
    return std::nullopt;
}

}  // namespace tally
