#include "engine/entry/typing_checks.h"

#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/series_arithmetic.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_texts.h"

namespace tally {
namespace {

bool IsEntryLine(const TLineStore& lines, LineIndex line) {
    return lines.IsLine(line) && lines.InGroup(line, LineGroup::kEntryLine);
}

}  // namespace

std::string FirstEntryOperatorRefusal(char storedOperator) {
    return std::string("Operator \"") + storedOperator +
           "\" is not valid in the first entry of a calculation series.";
}

TOperatorKeyCheck CheckOperatorKey(char key, bool firstEntry) {
    TOperatorKeyCheck check;
    const auto stored = StoredOperatorForKey(key);
    if (!stored) return check;
    if (firstEntry && kOperatorKeysNeedingPrevious.find(key) != std::string_view::npos) {
        check.Refusal = FirstEntryOperatorRefusal(*stored);
        return check;
    }
    check.Operator = *stored;
    return check;
}

int EntryDecimalDigits(std::string_view entryText) {
    const std::string plain = RemoveThousandSeparators(entryText);
    const std::size_t point = plain.find(FormatSettings().DecimalSeparator);
    if (point == std::string::npos) return 0;
    int digits = 0;
    for (std::size_t i = point + 1; i < plain.size() && plain[i] >= '0' && plain[i] <= '9'; ++i) {
        ++digits;
    }
    return digits;
}

std::optional<std::string_view> TypingWarning(std::string_view entryText,
                                              const TTypingWarningContext& context) {
    if (!context.AutoIncreaseDecimalPlaces &&
        EntryDecimalDigits(entryText) > context.SeriesDecimalPlaces) {
        return kDecimalPlacesWarning;
    }
    if (context.TotalType == kTotalTypeHoursMinutes && !context.TotalTypeFollowsEntry) {
        const std::string number = SplitEntryOperand(entryText).NumberText;
        if (TimeComponentCount(number) == 3) return kSecondsInHoursMinutesWarning;
    }
    return std::nullopt;
}

bool IsMultiplicativeEntry(std::string_view entryText) {
    return !entryText.empty() && IsMultiplicativeOperator(entryText.front());
}

bool NeedsTotalAfter(const TLineStore& lines, LineIndex line) {
    if (IsMultiplicativeEntry(lines.Entries(line))) return true;
    if (lines.InGroup(line + 1, LineGroup::kEndsSeriesOrEmbedded)) return true;
    const LineIndex previous = PreviousNormalLine(lines, line);
    const bool firstEntry = previous == kNoLine;
    const LineIndex next = NextNormalLine(lines, line);
    if (firstEntry && next != kNoLine) {
        const LineIndex afterNext = NextNormalLine(lines, next);
        if (IsEntryLine(lines, afterNext) && IsMultiplicativeEntry(lines.Entries(afterNext))) return true;
    }
    if (!firstEntry && IsEntryLine(lines, next) && IsMultiplicativeEntry(lines.Entries(next))) return true;
    return IsEntryLine(lines, previous) && IsMultiplicativeEntry(lines.Entries(previous));
}

}  // namespace tally
