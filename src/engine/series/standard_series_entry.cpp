// Data entry in standard series: which keys may go into an entry, the checks and warnings while
// typing, and what Enter, "=" and the operator keys do on the tape's last line and on earlier
// lines, with the automatic subtotals and totals and the requests that start a new series or
// embedded series after the key.
#include <algorithm>
#include <string>

#include "engine/entry/partial_entry.h"
#include "engine/entry/typing_checks.h"
#include "engine/lines/calc_params.h"
#include "engine/lines/link_data.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/entry_line_texts.h"
#include "engine/series/series_arithmetic.h"
#include "engine/series/standard_series.h"
#include "engine/tape/calculator.h"
#include "engine/tape/copy_manager_records.h"
#include "engine/tape/link_manager_records.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/entry_checks.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_texts.h"

namespace tally {
namespace {

constexpr std::string_view kNonEntryLineBackspace =
    "Cannot delete characters in a total line, a zero total line, or an embedded series boundary "
    "line entries column.";
constexpr std::string_view kNonEntryLineTyping =
    "Cannot enter numbers into the entries column of a total line, a zero total line, or a "
    "boundary line for an embedded series.";
constexpr std::string_view kExternalTotalChange =
    "Only the arithmetic operator can be changed in an embedded series' external total line.";
constexpr std::string_view kFirstLineTotal = "The first line of a calculation series can not be a total line.";
constexpr std::string_view kZeroTotalInEmbedded =
    "Cannot place a zero total line in an embedded calculation series.";
constexpr std::string_view kTotalBeforeTotal = "A total line can not immediately precede another total line.";
constexpr std::string_view kEmbeddedSeriesType = "e";

TKeyAnswer Refuse(std::string_view text) {
    Notifier().ExplainAndBeep(std::string(text));
    return TKeyAnswer::Consumed;
}

bool RefuseCommit(std::string_view text) {
    Notifier().ExplainAndBeep(std::string(text));
    return false;
}

bool IsEnterKey(char key) { return key == TapeChar::kEnter || key == '\n' || key == '='; }
bool IsOperatorKey(char key) { return StoredOperatorForKey(key).has_value(); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The characters a number starts with: the keys the automatic start and embedding react to.
bool IsNumberKey(char key) {
    const TFormatSettings& format = FormatSettings();
    return IsDigit(key) || key == format.DecimalSeparator || key == format.TimeSeparator ||
           key == format.FractionLeader;
}

bool WouldBeOnlyCharacter(const TEditorState& editor) {
    return editor.Text.empty() ||
           (editor.SelStart <= 0 && editor.SelLength >= static_cast<int>(editor.Text.size()));
}

bool SelectionEndsWithOperator(const TEditorState& editor) {
    const int end = editor.SelStart + editor.SelLength;
    return editor.SelLength > 0 && end > 0 && end <= static_cast<int>(editor.Text.size()) &&
           IsStoredOperator(editor.Text[static_cast<std::size_t>(end - 1)]);
}

std::string RunningValueText(const TCalculator& tape) {
    return FormatTotal(tape.RunningValue(), tape.OpenSeriesTotalType(), tape.OpenSeriesDecimalPlaces(),
                       tape.ShowThousands());
}

}  // namespace

bool TStandardSeries::IsAddingMachine() const {
    return tape_.DataEntryOption() == DataEntryOption::kAddingMachine;
}

// ---- Typing checks

std::optional<char> TStandardSeries::KeyAllowedAt(char key, const TEditorState& editor) const {
    const bool operatorsAfterNumber =
        IsAddingMachine() && !inEmbeddedSeries_ &&
        (focusPosition_ == TFocusPosition::TapeLastLine || focusPosition_ == TFocusPosition::StandardSeriesLine);
    const TCalculatorHooks& hooks = tape_.Hooks();
    return tally::KeyAllowedAt(key, editor.Text, editor.SelStart, editor.SelLength, operatorsAfterNumber,
                               [&hooks](char letter) {
                                   return letter == 't' || letter == 'm' || letter == 's' ||
                                          (hooks.IsAuxTapeIdEnabled && hooks.IsAuxTapeIdEnabled(letter));
                               });
}

bool TStandardSeries::ShouldAutoStart(char key, const TEditorState& editor) const {
    return tape_.DataEntryOption() == DataEntryOption::kAutoStart &&
           focusPosition_ == TFocusPosition::TapeLastLine && !inEmbeddedSeries_ && IsNumberKey(key) &&
           WouldBeOnlyCharacter(editor) && lines_.InGroup(tape_.FocusLine() - 1, LineGroup::kStandardTotal);
}

bool TStandardSeries::ShouldAutoEmbed(char key, const TEditorState& editor) const {
    return tape_.DataEntryOption() == DataEntryOption::kAutoEmbed && !inEmbeddedSeries_ && IsNumberKey(key) &&
           (WouldBeOnlyCharacter(editor) || IsExternalTotalLine(tape_.FocusLine()));
}

// The posted step runs after this key; the key is typed again only when the step was done.
TKeyAnswer TStandardSeries::RedirectKey(char key, const TEditorState& editor) {
    const int retyped = static_cast<unsigned char>(key);
    if (ShouldAutoStart(key, editor)) {
        tape_.PostRequest(requests::ZeroTotal, 0, retyped);
        return TKeyAnswer::Consumed;
    }
    if (ShouldAutoEmbed(key, editor)) {
        tape_.PostRequest(requests::InsertNewEmbeddedSeriesCommand, 0, retyped);
        return TKeyAnswer::Consumed;
    }
    return TKeyAnswer::NotHandled;
}

TKeyAnswer TStandardSeries::KeyInExternalTotalLine(char key, const TEditorState& editor) {
    if (IsAddingMachine() && !inEmbeddedSeries_ && AddingMachineEditKey(key, editor) == TKeyAnswer::Consumed) {
        return TKeyAnswer::Consumed;
    }
    if (!IsExternalTotalLine(tape_.FocusLine()) || key == '\t' || key == TapeChar::kEscape || IsEnterKey(key)) {
        return TKeyAnswer::NotHandled;
    }
    if (ShouldAutoEmbed(key, editor)) {
        tape_.PostRequest(requests::InsertNewEmbeddedSeriesCommand, 0, static_cast<unsigned char>(key));
        return TKeyAnswer::Consumed;
    }
    // Only operator characters may change.
    if (key == TapeChar::kBackspace) {
        const bool afterOperator =
            editor.SelLength == 0 &&
            (editor.SelStart <= 0 || (editor.SelStart <= static_cast<int>(editor.Text.size()) &&
                                      IsStoredOperator(editor.Text[static_cast<std::size_t>(editor.SelStart - 1)])));
        if (editor.Text.empty() || afterOperator || SelectionEndsWithOperator(editor)) return TKeyAnswer::NotHandled;
    } else if (IsOperatorKey(key) && (editor.SelLength == 0 || SelectionEndsWithOperator(editor))) {
        return TKeyAnswer::NotHandled;
    }
    return Refuse(kExternalTotalChange);
}

bool TStandardSeries::CheckDigitCapacity(char key, std::string_view newText) {
    if (!IsDigit(key) || LineReferenceCommand(newText) != '\0' || !EntryExceedsDigitCapacity(newText)) {
        return true;
    }
    Notifier().ExplainAndBeep(std::string(kDigitCapacityMessage));
    return false;
}

std::optional<char> TStandardSeries::CheckOperatorKey(char key, const TEditorState& editor) {
    if (!IsOperatorKey(key)) return key;
    // Only at the entry's operator place is the key an operator; after digits "/" is a
    // fraction's bar.
    const auto caret = static_cast<std::size_t>(std::clamp(editor.SelStart, 0, static_cast<int>(editor.Text.size())));
    const std::string_view before = editor.Text.substr(0, caret);
    if (!std::all_of(before.begin(), before.end(), [](char c) { return IsStoredOperator(c); })) return key;
    const bool firstEntry = PreviousNormalLine(lines_, tape_.FocusLine()) == kNoLine;
    const TOperatorKeyCheck check = tally::CheckOperatorKey(key, firstEntry);
    if (!check.Refusal.empty()) {
        Notifier().ExplainAndBeep(check.Refusal);
        return std::nullopt;
    }
    return check.Operator;
}

void TStandardSeries::WarnWhileTyping(std::string_view text) {
    TTypingWarningContext context;
    context.SeriesDecimalPlaces = decimalPlaces_;
    context.TotalType = totalType_;
    context.AutoIncreaseDecimalPlaces = tape_.AutoIncreaseDecimalPlaces();
    // Only an hours:minutes series asks whether the entry will set the total type (a walk up
    // the series), so other keys stay cheap.
    context.TotalTypeFollowsEntry = totalType_ == kTotalTypeHoursMinutes &&
                                    focusPosition_ == TFocusPosition::TapeLastLine && tape_.AutoSetTotalType() &&
                                    PreviousNormalLine(lines_, tape_.FocusLine()) == kNoLine;
    if (const auto warning = TypingWarning(text, context)) Notifier().ExplainAndBeep(std::string(*warning));
}

bool TStandardSeries::CanDeleteCharacters(LineIndex line) {
    if (!lines_.InGroup(line, LineGroup::kEntryLine)) return RefuseCommit(kNonEntryLineBackspace);
    if (IsAddingMachine() && !IsInsideEmbeddedSeries(lines_, line) && IsMultiplicativeEntry(lines_.Entries(line))) {
        std::string text = "An entry that contains an X, ";
        text += FormatSettings().DivideOperChar;
        text += ", P, or R operator, and is outside of an embedded calculation series, cannot be changed when "
                "the \"Simulate Adding Machine\" data entry option is selected.";
        return RefuseCommit(text);
    }
    return true;
}

// ---- Enter, "=" and operator keys

TKeyAnswer TStandardSeries::PressTotalKey() { return DispatchKey('='); }

TKeyAnswer TStandardSeries::DispatchKey(char key) {
    const bool enter = IsEnterKey(key);
    if (!enter && !IsOperatorKey(key)) return TKeyAnswer::NotHandled;
    switch (focusPosition_) {
        case TFocusPosition::TapeLastLine:
            return enter ? EnterKeyOnLastLine(key) : OperatorKeyOnLastLine(key);
        case TFocusPosition::StandardSeriesLine:
            return enter ? EnterKeyOnStandardLine(key) : OperatorKeyOnStandardLine(key);
        case TFocusPosition::IncompleteEmbeddedLastLine:
            return enter ? EnterKeyOnLastEmbeddedLine(key) : OperatorKeyOnLastEmbeddedLine(key);
        case TFocusPosition::IncompleteEmbeddedLine:
            return enter ? EnterKeyInIncompleteEmbedded(key) : OperatorKeyInIncompleteEmbedded(key);
        case TFocusPosition::CompleteEmbeddedLine:
            return enter ? EnterKeyInCompleteEmbedded(key) : OperatorKeyInCompleteEmbedded(key);
        default: return TKeyAnswer::NotHandled;
    }
}

// A quick link or quick copy text is not a number: the main window completes it after the key.
TKeyAnswer TStandardSeries::HandOverLineReference(char command, char key) {
    if (command == 'l' && !StoreQuickLink(key)) return TKeyAnswer::Consumed;
    if (command == 'c' && !StoreQuickCopy(key)) return TKeyAnswer::Consumed;
    tape_.PostRequest(command == 'l' ? requests::LinkWithStoredEntryData : requests::CopyWithStoredEntryData);
    return TKeyAnswer::Consumed;
}

bool TStandardSeries::StoreQuickLink(char key) {
    TStMediator* bus = tape_.DocumentBus();
    if (bus == nullptr) return true;
    const LineIndex line = tape_.FocusLine();
    const std::string& editorText = tape_.Editor().Text;
    const std::string text = editorText.substr(std::min(editorText.find('l'), editorText.size()));
    TMedLnkMgr_CheckValidLinkData_In check;
    check.Line = line + 1;
    check.LinkData = text;
    check.Tape = &tape_;
    TMedLnkMgr_CheckValidLinkData_Out answer;
    answer.Valid = true;  // without a link manager the request is dropped later
    bus->HandleIfExists(events::LinkMgr_IsValidLinkDataString, &check, &answer);
    if (!answer.Valid) {
        Notifier().ExplainAndBeep(answer.Message);
        return false;
    }
    TMedLnkMgr_StoreEntryLinkData_In store;
    store.EntryText = text;
    store.Tape = &tape_;
    store.Line = line + 1;
    store.Key = key;
    store.SeriesKind = std::string(lines_.Property(line, LineKey::kSeriesType));
    bus->HandleIfExists(events::LinkMgr_StoreEntryLinkData, &store, nullptr);
    return true;
}

bool TStandardSeries::StoreQuickCopy(char key) {
    TStMediator* bus = tape_.DocumentBus();
    if (bus == nullptr) return true;
    const LineIndex line = tape_.FocusLine();
    const std::string& text = tape_.Editor().Text;
    if (IsAddingMachine()) {
        // The adding machine checks the copy at once, as it has no operator typed before it.
        TMedCopyMgr_CheckValidCopyData_In check;
        check.Line = line + 1;
        check.CopyData = text.substr(std::min(text.find('c'), text.size()));
        check.Tape = &tape_;
        TMedCopyMgr_CheckValidCopyData_Out answer;
        answer.Valid = true;  // without a copy manager the request is dropped later
        bus->HandleIfExists(events::CopyMgr_IsValidCopyDataString, &check, &answer);
        if (!answer.Valid) {
            Notifier().ExplainAndBeep(answer.Message);
            return false;
        }
    }
    TMedCopyMgr_StoreEntryCopyData_In store;
    store.EntryText = text;
    store.Tape = &tape_;
    store.Line = line + 1;
    store.Key = key;
    bus->HandleIfExists(events::CopyMgr_StoreEntryCopyData, &store, nullptr);
    return true;
}

TKeyAnswer TStandardSeries::EnterKeyOnLastLine(char key) {
    const LineIndex line = tape_.FocusLine();
    const std::string text = tape_.Editor().Text;
    if (const char command = LineReferenceCommand(text)) return HandOverLineReference(command, key);
    const bool empty = IsEmptyOrOperatorOnly(text);
    if (empty && PreviousNormalLine(lines_, line) == kNoLine) return TKeyAnswer::NotHandled;
    if (empty && lines_.InGroup(line - 1, LineGroup::kStandardTotal)) {
        tape_.PostRequest(requests::ZeroTotal);
        return TKeyAnswer::Consumed;
    }
    if (!empty && !CommitOpenEntry(text)) return TKeyAnswer::Consumed;
    TotalOpenSeries(empty);
    if (tape_.DataEntryOption() == DataEntryOption::kEnterKeyStart) tape_.PostRequest(requests::ZeroTotal);
    tape_.FinishLineEdit();
    return TKeyAnswer::Consumed;
}

TKeyAnswer TStandardSeries::OperatorKeyOnLastLine(char key) {
    if (IsAddingMachine() && !inEmbeddedSeries_) return AddingMachineOperatorKey(key);
    const std::string text = tape_.Editor().Text;
    if (const char command = LineReferenceCommand(text)) return HandOverLineReference(command, key);
    const std::optional<char> op = StoredOperatorForKey(key);
    if (!op || text.empty()) return TKeyAnswer::NotHandled;
    if (IsOperatorOnlyEntry(text) && text.front() == *op) return TKeyAnswer::NotHandled;
    if (!CommitOpenEntry(text)) return TKeyAnswer::Consumed;
    const LineIndex line = tape_.FocusLine();
    if (IsMultiplicativeEntry(lines_.Entries(line))) {
        // A product, quotient, power or root is totalled at once.
        ShowRunningValue(AddTotalLines(line + 1, TotalCharacter()));
        if (tape_.ShowSeriesTotalItemCount()) Recalculate(line);
    }
    StartEntryLineWith(lines_.LineCount(), *op);
    tape_.FinishLineEdit();
    return TKeyAnswer::Consumed;
}

TKeyAnswer TStandardSeries::EnterKeyOnStandardLine(char key) {
    const LineIndex line = tape_.FocusLine();
    const std::string text = tape_.Editor().Text;
    if (const char command = LineReferenceCommand(text)) return HandOverLineReference(command, key);
    if (!tape_.FocusEntryChanged()) return TKeyAnswer::Consumed;
    if (IsEmptyOrOperatorOnly(text) &&
        (lines_.InGroup(line - 1, LineGroup::kZeroTotal) || lines_.HasKind(line - 1, LineKind::kGroupTrailing)) &&
        !(lines_.InGroup(line + 1, LineGroup::kEntryLine) && IsMultiplicativeEntry(lines_.Entries(line + 1)))) {
        // A total range may start here (the tape decides) when the series keeps another entry.
        int entryLines = 0;
        for (LineIndex g = tally::SeriesFirstLine(lines_, line); g != kNoLine && lines_.IsLine(g) && entryLines < 2;
             ++g) {
            if (lines_.InGroup(g, LineGroup::kEntryLine)) ++entryLines;
            if (lines_.InGroup(g, LineGroup::kSeriesEnding)) break;
        }
        if (entryLines > 1) return TKeyAnswer::NotHandled;
    }
    if (!CommitEditedLine(line, text)) return TKeyAnswer::Consumed;
    tape_.FinishLineEdit();
    return TKeyAnswer::Consumed;
}

TKeyAnswer TStandardSeries::OperatorKeyOnStandardLine(char key) {
    if (IsAddingMachine() && !inEmbeddedSeries_) return AddingMachineOperatorKey(key);
    const std::string text = tape_.Editor().Text;
    if (const char command = LineReferenceCommand(text)) return HandOverLineReference(command, key);
    const std::optional<char> op = StoredOperatorForKey(key);
    if (!op || text.empty()) return TKeyAnswer::NotHandled;
    if (IsOperatorOnlyEntry(text)) {
        if (text.front() == *op) return TKeyAnswer::NotHandled;
        return Refuse(kInvalidEntryNumberMessage);
    }
    if (!CommitEditedLine(tape_.FocusLine(), text)) return TKeyAnswer::Consumed;
    StartEntryLineWith(tape_.FocusLine() + 1, *op);
    tape_.FinishLineEdit();
    return TKeyAnswer::Consumed;
}

// ---- Commits

bool TStandardSeries::CommitOpenEntry(std::string_view entryText) {
    LineIndex line = tape_.FocusLine();
    const std::string text(entryText);  // the editor's text changes below
    // A destination made on the open line (a pasted link) counts as edited when its text
    // differs from what the link wrote there.
    const std::string linkedText = tape_.SavedFocusEntry();
    if (!CheckEntry(line, text)) return false;
    const LineIndex previous = PreviousNormalLine(lines_, line);
    if (previous == kNoLine) SetTotalTypeForFirstEntry(line, text);
    if (IsMultiplicativeEntry(text) && previous != kNoLine && PreviousNormalLine(lines_, previous) != kNoLine &&
        !lines_.InGroup(previous, LineGroup::kTotalLine)) {
        // The total so far is shown before it is multiplied, divided, raised or rooted.
        ShowRunningValue(AddTotalLines(previous + 1, SubtotalCharacter()));
        line += 2;
        tape_.SetFocusLine(line);
    }
    tape_.WriteEntry(line, ApplyEntry(text));
    ApplyLinkRulesToEdit(line, linkedText, text);
    // The series goes on past a total above: it becomes a subtotal.
    const LineIndex before = PreviousNormalLine(lines_, line);
    if (lines_.HasKind(before, TotalCharacter())) lines_.SetIndicator(before, std::string(1, SubtotalCharacter()));
    if (before != kNoLine && before + 2 < line && lines_.HasKind(before + 2, TotalCharacter())) {
        lines_.SetIndicator(before + 2, std::string(1, SubtotalCharacter()));
    }
    if (tape_.IsColumnShown(TTapeColumn::RunningTotal)) {
        lines_.SetCell(line, TLineColumn::RunningTotal, RunningValueText(tape_));
    }
    if (tape_.Hooks().OnEntryCommitted) tape_.Hooks().OnEntryCommitted(tape_);
    return true;
}

bool TStandardSeries::CommitEditedLine(LineIndex line, std::string_view entryText) {
    const std::string text(entryText);
    if (IsEmptyOrOperatorOnly(text)) return CommitTotalRequest(line);
    if (!CheckEntry(line, text)) return false;
    const bool focusLine = line == tape_.FocusLine();
    // Typing writes into the cell as it goes: the focus line's committed text is the saved one.
    const std::string oldText(focusLine ? std::string_view(tape_.SavedFocusEntry()) : lines_.Entries(line));
    tape_.WriteEntry(line, text);
    if (NeedsTotalAfter(lines_, line)) InsertSubtotalsAround(line, text);
    IncreaseDecimalPlacesForEntry(line, text);
    ApplyLinkRulesToEdit(line, oldText, text);
    Recalculate(line);
    if (focusLine) tape_.SetFocusLine(line);
    if (tape_.Hooks().OnEntryCommitted) tape_.Hooks().OnEntryCommitted(tape_);
    return true;
}

namespace {

struct TSignedNumber {
    std::string Number;
    bool Negative = false;
};

TSignedNumber SignedNumberOf(std::string_view entry) {
    TSignedNumber result;
    std::size_t i = 0;
    while (i < entry.size() && IsStoredOperator(entry[i])) {
        if (entry[i] == '-') result.Negative = !result.Negative;
        ++i;
    }
    result.Number = RemoveThousandSeparators(entry.substr(i));
    if (!result.Number.empty() && result.Number.front() == '-') {
        result.Negative = !result.Negative;
        result.Number.erase(0, 1);
    }
    return result;
}

}  // namespace

// A destination whose number is overtyped leaves its link; one whose sign alone changes takes
// its source's value with the other sign. An edited source passes its value on.
void TStandardSeries::ApplyLinkRulesToEdit(LineIndex line, std::string_view oldText, std::string_view newText) {
    const std::string linkData(lines_.Property(line, LineKey::kLinkId));
    const char role = LinkDataRole(linkData);
    if (role == '\0' || oldText == newText) return;
    if (role == 'S') {
        if (tape_.Hooks().QueueLinkSource) tape_.Hooks().QueueLinkSource(linkData);
        return;
    }
    const TSignedNumber before = SignedNumberOf(oldText);
    const TSignedNumber after = SignedNumberOf(newText);
    if (before.Number != after.Number) {
        UnlinkLine(line);
        return;
    }
    if (before.Negative == after.Negative) return;
    std::string flipped = linkData;
    flipped[2] = flipped[2] == '-' ? '+' : '-';
    lines_.SetProperty(line, LineKey::kLinkId, flipped);
    if (tape_.Hooks().RefreshLinkDestLine) tape_.Hooks().RefreshLinkDestLine(tape_, line);
}

bool TStandardSeries::CommitTotalRequest(LineIndex line) {
    const LineIndex previous = PreviousNormalLine(lines_, line);
    if (previous == kNoLine) return RefuseCommit(kFirstLineTotal);
    const bool embedded = IsInsideEmbeddedSeries(lines_, line);
    if (lines_.InGroup(previous, LineGroup::kTotalLine)) {
        if (embedded) return RefuseCommit(kZeroTotalInEmbedded);
        tape_.PostRequest(requests::ZeroTotal);
        return true;
    }
    if (lines_.HasKind(line + 1, LineKind::kSeparator)) return RefuseCommit(kTotalBeforeTotal);
    // The line becomes the separator of a subtotal; the recalculation gives the subtotal its
    // value and makes it the total when it ends the series.
    lines_.SetIndicator(line, "=");
    lines_.SetEntries(line, kSeparatorLineText);
    lines_.SetCell(line, TLineColumn::RunningTotal, "");
    lines_.InsertLines(line + 1, 1);
    lines_.SetIndicator(line + 1, std::string(1, SubtotalCharacter()));
    if (embedded) lines_.SetProperty(line + 1, LineKey::kSeriesType, kEmbeddedSeriesType);
    Recalculate(line + 1);
    if (line == tape_.FocusLine()) tape_.SetFocusLine(line);
    return true;
}

void TStandardSeries::InsertSubtotalsAround(LineIndex& line, std::string_view entryText) {
    const LineIndex previous = PreviousNormalLine(lines_, line);
    const LineIndex next = NextNormalLine(lines_, line);
    const LineIndex afterNext = next == kNoLine ? kNoLine : NextNormalLine(lines_, next);
    if (previous == kNoLine && lines_.InGroup(afterNext, LineGroup::kEntryLine) &&
        IsMultiplicativeEntry(lines_.Entries(afterNext)) && !tape_.IsLastLine(afterNext)) {
        // The first entry: the one after it is totalled before the multiplicative entry.
        AddTotalLines(next + 1, SubtotalCharacter());
        return;
    }
    if (previous != kNoLine && PreviousNormalLine(lines_, previous) != kNoLine &&
        !lines_.InGroup(previous, LineGroup::kTotalLine) &&
        (IsMultiplicativeEntry(entryText) || IsMultiplicativeEntry(lines_.Entries(previous)))) {
        // Before an external total line the subtotal goes before its embedded series.
        const LineIndex at = IsExternalTotalLine(line) ? EmbeddedLeadingBoundary(lines_, line - 1) : line;
        AddTotalLines(at, SubtotalCharacter());
        line += 2;
    }
    if (!lines_.HasKind(line + 1, LineKind::kSeparator)) AddTotalLines(line + 1, SubtotalCharacter());
}

// ---- Lines made while keys are handled

LineIndex TStandardSeries::AddTotalLines(LineIndex at, char totalKind) {
    const bool embedded = IsInsideEmbeddedSeries(lines_, at) || lines_.HasKind(at, LineKind::kEmbeddedTrailing);
    lines_.InsertLines(at, 2);
    lines_.SetIndicator(at, "=");
    lines_.SetEntries(at, kSeparatorLineText);
    lines_.SetIndicator(at + 1, std::string(1, totalKind));
    if (embedded) {
        lines_.SetProperty(at, LineKey::kSeriesType, kEmbeddedSeriesType);
        lines_.SetProperty(at + 1, LineKey::kSeriesType, kEmbeddedSeriesType);
    }
    return at + 1;
}

void TStandardSeries::ShowRunningValue(LineIndex line) {
    const std::string text = RunningValueText(tape_);
    lines_.SetEntries(line, text);
    if (tape_.IsColumnShown(TTapeColumn::RunningTotal)) lines_.SetCell(line, TLineColumn::RunningTotal, text);
}

void TStandardSeries::TotalOpenSeries(bool onFocusLine) {
    const LineIndex line = tape_.FocusLine();
    LineIndex total = line + 2;
    if (onFocusLine) {
        lines_.SetIndicator(line, "=");
        tape_.WriteEntry(line, kSeparatorLineText);
        lines_.SetCell(line, TLineColumn::RunningTotal, "");
        lines_.InsertLines(line + 1, 1);
        total = line + 1;
        lines_.SetIndicator(total, std::string(1, TotalCharacter()));
    } else {
        AddTotalLines(line + 1, TotalCharacter());
    }
    ShowRunningValue(total);
    AppendEmptyLastLine();
    tape_.SetFocusLine(tape_.LastLine());
    // The recalculation writes the item count into the total's indicator.
    if (tape_.ShowSeriesTotalItemCount()) Recalculate(total);
}

void TStandardSeries::AppendEmptyLastLine() {
    const LineIndex at = lines_.LineCount();
    lines_.InsertLines(at, 1);
    lines_.SetIndicator(at, " ");
}

void TStandardSeries::StartEntryLineWith(LineIndex at, char storedOperator) {
    if (lines_.HasKind(at, LineKind::kEmbeddedTrailing)) ReopenEmbeddedSeries(at);
    const bool embedded = IsInsideEmbeddedSeries(lines_, at) || lines_.HasKind(at, LineKind::kEmbeddedTrailing);
    lines_.InsertLines(at, 1);
    lines_.SetIndicator(at, " ");
    if (embedded) lines_.SetProperty(at, LineKey::kSeriesType, kEmbeddedSeriesType);
    tape_.SetFocusLine(at);
    // The open last line starts empty; an earlier line falls back to zero.
    if (!tape_.IsLastLine(at)) tape_.SetSavedFocusEntry(ZeroEntryText(decimalPlaces_));
    tape_.WriteEntry(at, std::string(1, storedOperator));
}

// ---- Lines whose Entries cell cannot be typed into

TKeyAnswer TStandardSeries::NonEntryLineKey(char key) {
    const LineIndex line = tape_.FocusLine();
    const char kind = lines_.KindOf(line);
    if (key == TapeChar::kBackspace) return Refuse(kNonEntryLineBackspace);
    if (key == '\t') return TKeyAnswer::Consumed;
    if (IsAddingMachine() && !IsInsideEmbeddedSeries(lines_, line)) return AddingMachineNonEntryKey(key);
    const std::optional<char> op = StoredOperatorForKey(key);
    if (!op) return Refuse(kNonEntryLineTyping);
    if (KindInGroup(kind, LineGroup::kZeroTotal)) return TKeyAnswer::NotHandled;  // carried into the next series
    if (kind == LineKind::kEmbeddedLeading && IsMultiplicativeOperator(*op)) {
        return Refuse(FirstEntryOperatorRefusal(*op));
    }
    LineIndex at = kNoLine;
    if (kind == LineKind::kSeparator || kind == LineKind::kEmbeddedTrailing) {
        at = line + 2;
    } else if (KindInGroup(kind, LineGroup::kTotalLine) || kind == LineKind::kEmbeddedLeading) {
        at = line + 1;
    }
    if (at == kNoLine || at > lines_.LineCount()) return TKeyAnswer::NotHandled;
    StartEntryLineWith(at, *op);
    tape_.FinishLineEdit();
    return TKeyAnswer::Consumed;
}

}  // namespace tally
