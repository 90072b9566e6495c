// The adding machine data entry option in standard series: the number is typed first and the
// operator key after it commits the number. "+" and "-" add and subtract (on an empty entry
// they repeat the number above); "X", the divide operator, "P" and "R" open an embedded series
// that starts from the number. Outside embedded series such entries keep their operator.
#include <string>

#include "engine/entry/typing_checks.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/entry_line_texts.h"
#include "engine/series/series_arithmetic.h"
#include "engine/series/standard_series.h"
#include "engine/tape/calculator.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_texts.h"

namespace tally {
namespace {

constexpr std::string_view kNoPreviousNumber = "There is no previous number to duplicate.";
constexpr std::string_view kNonEntryLineTyping =
    "Cannot enter numbers into the entries column of a total line, a zero total line, or a "
    "boundary line for an embedded series.";

TKeyAnswer Refuse(std::string_view text) {
    Notifier().ExplainAndBeep(std::string(text));
    return TKeyAnswer::Consumed;
}

// "X, ÷, P, or R" with the divide operator in force.
std::string OperatorList() {
    std::string list = "X, ";
    list += FormatSettings().DivideOperChar;
    list += ", P, or R";
    return list;
}

bool IsEnterKey(char key) { return key == TapeChar::kEnter || key == '\n' || key == '='; }

bool IsMultiplicativeKey(char key) {
    const std::optional<char> op = StoredOperatorForKey(key);
    return op && IsMultiplicativeOperator(*op);
}

}  // namespace

// Editing an entry outside embedded series: a multiplicative entry stays as it is, and no
// operator becomes a multiplicative one.
TKeyAnswer TStandardSeries::AddingMachineEditKey(char key, const TEditorState& editor) {
    if (key == '\t' || key == TapeChar::kEscape || IsEnterKey(key)) return TKeyAnswer::NotHandled;
    if (IsMultiplicativeEntry(editor.Text)) {
        return Refuse("An entry that contains an " + OperatorList() +
                      " operator, and that is outside of an embedded calculation series, cannot be changed "
                      "when the \"Simulate Adding Machine\" data entry option is selected.");
    }
    const int end = editor.SelStart + editor.SelLength;
    const bool overOperator = editor.SelLength > 0 && end > 0 && end <= static_cast<int>(editor.Text.size()) &&
                              IsStoredOperator(editor.Text[static_cast<std::size_t>(end - 1)]);
    // On an empty entry the key is the operator of the number above (the operator key rules).
    if (IsMultiplicativeKey(key) && !editor.Text.empty() && (editor.SelStart <= 0 || overOperator)) {
        return Refuse("The arithmetic operator for an entry that is outside of an embedded calculation series "
                      "cannot be changed to an " +
                      OperatorList() + " operator when the \"Simulate Adding Machine\" data entry option is selected.");
    }
    return TKeyAnswer::NotHandled;
}

TKeyAnswer TStandardSeries::AddingMachineOperatorKey(char key) {
    const LineIndex line = tape_.FocusLine();
    const std::string text = tape_.Editor().Text;
    const std::optional<char> op = StoredOperatorForKey(key);
    if (!op) return TKeyAnswer::NotHandled;
    if (!text.empty() && (text.front() == 'c' || text.front() == 'l')) return HandOverLineReference(text.front(), key);
    const bool lastLine = focusPosition_ == TFocusPosition::TapeLastLine;
    const bool hasNumber = !IsEmptyOrOperatorOnly(text);

    if (IsMultiplicativeOperator(*op)) {
        if (hasNumber && lastLine && IsExternalTotalLine(line)) {
            // The external total is completed first; the key then works on that total.
            EnterKeyOnLastLine(TapeChar::kEnter);
            if (tape_.FocusLine() == line) return TKeyAnswer::Consumed;
            return AddingMachineOperatorKey(key);
        }
        if (hasNumber) return EmbedNumber(key, text, true);
        if (lastLine && lines_.InGroup(line - 1, LineGroup::kStandardTotal)) {
            return EmbedNumber(key, lines_.Entries(line - 1), false);
        }
        const std::string previous = PreviousEntryNumber(line);
        if (previous.empty()) return Refuse(FirstEntryOperatorRefusal(*op));
        return EmbedNumber(key, previous, false);
    }

    const std::string number = hasNumber ? text : PreviousEntryNumber(line);
    if (number.empty()) return Refuse(kNoPreviousNumber);
    const std::string entry = EntryWithOperator(std::string(1, *op), number);
    if (lastLine) {
        if (!CommitOpenEntry(entry)) return TKeyAnswer::Consumed;
        AppendEmptyLastLine();
        tape_.SetFocusLine(tape_.LastLine());
    } else if (!CommitEditedLine(line, entry)) {
        return TKeyAnswer::Consumed;
    }
    tape_.FinishLineEdit();
    return TKeyAnswer::Consumed;
}

TKeyAnswer TStandardSeries::EmbedNumber(char key, std::string_view numberText, bool fromFocusEntry) {
    const LineIndex line = tape_.FocusLine();
    const std::string number(numberText);
    const std::string focusEntry(lines_.Entries(line));
    // Without its number the focus line becomes the embedded series' external total line.
    if (fromFocusEntry) tape_.WriteEntry(line, "");
    if (!tape_.InsertNewEmbeddedSeries()) {
        if (fromFocusEntry && tape_.FocusLine() == line) tape_.WriteEntry(line, focusEntry);
        return TKeyAnswer::Consumed;
    }
    tape_.WriteEntry(tape_.FocusLine(), number);
    tape_.RetypeKey(key);
    return TKeyAnswer::Consumed;
}

std::string TStandardSeries::PreviousEntryNumber(LineIndex line) const {
    for (LineIndex g = PreviousNormalLine(lines_, line); g != kNoLine; g = PreviousNormalLine(lines_, g)) {
        if (!lines_.InGroup(g, LineGroup::kEntryLine)) continue;
        const std::string_view entry = lines_.Entries(g);
        if (!IsEmptyOrOperatorOnly(entry) && IsValidEntryNumber(entry)) return SplitEntryOperand(entry).NumberText;
    }
    return {};
}

// Total, separator, zero total and boundary lines outside embedded series.
TKeyAnswer TStandardSeries::AddingMachineNonEntryKey(char key) {
    const LineIndex line = tape_.FocusLine();
    const char kind = lines_.KindOf(line);
    if (KindInGroup(kind, LineGroup::kZeroTotal)) return TKeyAnswer::NotHandled;  // carried into the next series
    const bool totalLine = lines_.InGroup(line, LineGroup::kTotalLine);
    if (totalLine && IsMultiplicativeKey(key)) {
        // The total starts an embedded series on the line below.
        const std::string total(lines_.Entries(line));
        tape_.SetFocusLine(line + 1);
        return EmbedNumber(key, total, false);
    }
    if (!IsEnterKey(key)) return Refuse(kNonEntryLineTyping);
    if (kind != LineKind::kSeparator && !totalLine) return TKeyAnswer::NotHandled;
    const LineIndex at = kind == LineKind::kSeparator ? line + 2 : line + 1;
    lines_.InsertLines(at, 1);
    lines_.SetIndicator(at, " ");
    tape_.SetFocusLine(at);
    tape_.SetSavedFocusEntry(ZeroEntryText(decimalPlaces_));
    tape_.FinishLineEdit();
    return TKeyAnswer::Consumed;
}

}  // namespace tally
