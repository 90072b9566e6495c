// The route of a key typed into the Entries column: the tape and its current series decide,
// step by step, whether the key goes into the editor, becomes an edit command or is refused.
// Pasting and cutting entry text go through the same checks.
//
// Order of the route on an entry line: the adding machine and external total line check, the
// key at the caret (with the auto start / auto embed redirect, the capacity and operator
// checks and the warnings), Enter, "=" and operator keys by focus position, the repeated
// operator, Backspace, Tab, Escape and command letters; then, also for the other lines after
// the series' own handler, the carrying of a key into the next series, and last the refusal.
#include <algorithm>
#include <string>

#include "engine/entry/partial_entry.h"
#include "engine/entry/typing_checks.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/entry_line_texts.h"
#include "engine/series/series_base.h"
#include "engine/tape/calculator.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/notifications/notifier.h"
#include "platform/clipboard.h"

namespace tally {
namespace {

constexpr std::string_view kPasteRefusedLine =
    "Cannot paste to the entries column of a total line, a zero total line, a group total line, a "
    "grand total line; or a boundary line for an embedded series, a group total, or a grand total.";
constexpr std::string_view kCutRefusedLine =
    "Cannot cut the entry contents from:\r\n  --  a total line\r\n  --  a zero total line\r\n  --  "
    "an external total line\r\n  --  a boundary line\r\n  --  a group total line\r\n  --  a grand "
    "total line.";
constexpr std::string_view kExternalTotalLineChange =
    "Only the arithmetic operator can be changed in an embedded series' external total line.";
constexpr std::size_t kQuotedClipboardLength = 30;

bool IsOperatorKey(char key) { return StoredOperatorForKey(key).has_value(); }
bool IsEnterOrEquals(char key) { return key == TapeChar::kEnter || key == '='; }
bool IsTypedCharacter(char key) { return static_cast<unsigned char>(key) >= 0x20 && key != '\x7F'; }

void Refuse(std::string text) { Notifier().ExplainAndBeep(std::move(text)); }

// A key as an explanation names it: a control character would break or garble the text.
std::string KeyName(char key) {
    switch (key) {
        case TapeChar::kEnter:
        case '\n': return "Enter";
        case TapeChar::kEscape: return "Escape";
        case TapeChar::kBackspace: return "Backspace";
        case '\t': return "Tab";
        case '\x7F': return "Delete";
        default: break;
    }
    const auto code = static_cast<unsigned char>(key);
    if (code >= 1 && code <= 26) return std::string("Ctrl+") + static_cast<char>('A' + code - 1);
    if (code < 0x20) return "Ctrl+" + std::to_string(code);
    return std::string(1, key);
}

TEditorState StateOf(const TEntryEditor& editor) {
    return {editor.Text, editor.SelStart, editor.SelLength};
}

}  // namespace

bool TCalculator::RetypeKey(char character) {
    if (focusColumn_ != TTapeColumn::Entries) return false;
    return RouteEntryKey(character, true);
}

bool TCalculator::IsExternalTotalFocusLine() const {
    return lines_.HasKind(focusLine_ - 1, LineKind::kEmbeddedTrailing);
}

bool TCalculator::RouteEntryKey(char key, bool retyped) {
    Notifier().ClearLastBeepExplanation();
    if (key == TapeChar::kCtrlC) return false;  // the editor copies
    if (key == TapeChar::kCtrlV) return PasteIntoEntry();
    if (key == TapeChar::kCtrlX) return CutFromEntry();
    TSeriesBase* series = currentSeries_;
    if (series != nullptr && series->EntriesEditable() && lines_.InGroup(focusLine_, LineGroup::kEntryLine)) {
        if (RouteEntryLineKey(key, retyped)) return true;
    } else if (series != nullptr && series->NonEntryLineKey(key) == TKeyAnswer::Consumed) {
        return true;
    }
    if (InsertRangeByEnter(key)) return true;
    if (CarryKeyToNextSeries(key)) return true;
    return RefuseKeypress(key);
}

// Enter or "=" on the line after a zero total line inserts a group total before it, after a
// group total range a grand total. On an earlier line, whose series has let the key through
// because its entry is empty or only an operator, that line gives way to the range.
bool TCalculator::InsertRangeByEnter(char key) {
    if (!IsEnterOrEquals(key) || focusLine_ <= 0) return false;
    const bool afterZeroTotal = lines_.InGroup(focusLine_ - 1, LineGroup::kZeroTotal);
    if (!afterZeroTotal && !lines_.HasKind(focusLine_ - 1, LineKind::kGroupTrailing)) return false;
    const std::string_view seriesType = afterZeroTotal ? "gro" : "gra";
    if (!IsLastLine(focusLine_)) {
        if (!lines_.InGroup(focusLine_, LineGroup::kEntryLine) || !IsEmptyOrOperatorOnly(editor_.Text) ||
            !lines_.InGroup(focusLine_ + 1, LineGroup::kEntryLine)) {
            return false;
        }
        // Decided before the line goes, so that a refusal leaves it in place.
        if (const TRangeInsertPlan plan = PlanTotalRange(focusLine_, seriesType); !plan.Refusal.empty()) {
            Refuse(plan.Refusal);
            return true;
        }
        const std::string text = editor_.Text;
        lines_.RemoveLines(focusLine_);
        if (!InsertTotalRangeAt(focusLine_, seriesType)) {
            // The sum would pass the calculator's capacity: the line comes back as it was.
            lines_.InsertLines(focusLine_);
            lines_.SetEntries(focusLine_, text);
            SetFocusLine(focusLine_);
        }
        return true;
    }
    InsertTotalRangeAt(focusLine_, seriesType);
    return true;
}

bool TCalculator::RouteEntryLineKey(char key, bool retyped) {
    TSeriesBase& series = *currentSeries_;
    if (series.KeyInExternalTotalLine(key, StateOf(editor_)) == TKeyAnswer::Consumed) return true;
    if (TypeAcceptedKey(key, retyped)) return true;
    if ((IsOperatorKey(key) || IsEnterOrEquals(key)) && series.DispatchKey(key) == TKeyAnswer::Consumed) {
        return true;
    }
    if (RepeatOperatorEmbeds(key)) return true;
    switch (key) {
        case TapeChar::kBackspace:
            TypeIntoEditor(key);
            modified_ = true;
            return true;
        case '\t': return true;
        case TapeChar::kEscape:
            // Drops the change not yet committed: on the tape's last line what is typed there,
            // but not an external total waiting there.
            ApplyEditorText(savedFocusEntry_, static_cast<int>(savedFocusEntry_.size()));
            return true;
        default: break;
    }
    if (IsTapeCommandLetter(key)) {
        DoTapeCommandLetter(key);
        return true;
    }
    return false;
}

// A key that may stand at the caret: the series may redirect it (a new series or embedded
// series first, then the key again), refuse it for capacity or as an operator, or warn;
// otherwise it goes into the editor. False when the key may not stand at the caret.
bool TCalculator::TypeAcceptedKey(char key, bool retyped) {
    TSeriesBase& series = *currentSeries_;
    const std::optional<char> allowed = series.KeyAllowedAt(key, StateOf(editor_));
    if (!allowed) return false;
    // A key typed again after its redirect is never redirected a second time.
    if (!retyped && series.RedirectKey(key, StateOf(editor_)) == TKeyAnswer::Consumed) return true;
    char typed = *allowed;
    if (!series.CheckDigitCapacity(typed, TextWithKeyAt(editor_.Text, editor_.SelStart, editor_.SelLength, typed))) {
        return true;
    }
    const std::optional<char> checked = series.CheckOperatorKey(typed, StateOf(editor_));
    if (!checked) return true;
    typed = *checked;
    const std::string text = TextWithKeyAt(editor_.Text, editor_.SelStart, editor_.SelLength, typed);
    WidenColumnFor(TTapeColumn::Entries, text);
    series.WarnWhileTyping(text);
    TypeIntoEditor(typed);
    modified_ = true;
    return true;
}

// Typing an entry's only operator again, outside embedded series, asks for a new embedded
// series.
bool TCalculator::RepeatOperatorEmbeds(char key) {
    const std::optional<char> op = StoredOperatorForKey(key);
    if (!op || IsInsideEmbeddedSeries(lines_, focusLine_)) return false;
    if (!IsOperatorOnlyEntry(editor_.Text) || editor_.Text.front() != *op) return false;
    PostRequest(requests::InsertNewEmbeddedSeriesCommand);
    return true;
}

// A key typed on a zero total line or on the closing line of a group or grand total range
// starts the next series: a new line below (or a new series before a range) takes the key.
// Keys that type nothing are not carried, so they leave no empty line behind.
bool TCalculator::CarryKeyToNextSeries(char key) {
    if (!IsTypedCharacter(key)) return false;
    if (IsLastLine(focusLine_) || !ClosesStandardSeriesOrRange(lines_, focusLine_)) return false;
    // The key becomes the first character of the next series' first entry: an operator that
    // needs a value before it is refused before any line is inserted.
    if (IsOperatorKey(key)) {
        const TOperatorKeyCheck check = CheckOperatorKey(key, true);
        if (!check.Refusal.empty()) {
            Refuse(check.Refusal);
            return true;
        }
    }
    const TSeriesBase* nextSeries = SeriesClaiming(focusLine_ + 1);
    const bool rangeFollows = nextSeries != nullptr && !nextSeries->SeriesTypeCode().empty();
    SetFocusLine(focusLine_ + 1);
    if (rangeFollows) {
        if (!InsertNewSeries()) return true;
        if (!editor_.Text.empty()) ApplyEditorText({}, 0);
    } else if (!InsertLineBeforeFocus()) {
        return true;
    }
    RetypeKey(key);
    return true;
}

bool TCalculator::RefuseKeypress(char key) {
    Refuse("Keypress \"" + KeyName(key) +
           "\" not valid in this entry position.  If you are trying to enter a fraction, make sure "
           "the numerator is preceded by a single space (or underscore if appropriate).");
    return true;
}

// The clipboard text goes in as if typed key by key: every character must pass the checks a
// typed key passes (what may stand at the caret, the 15-digit capacity, the first-entry
// operator), or nothing is pasted. Line breaks at the end of the text are dropped.
bool TCalculator::PasteIntoEntry() {
    TSeriesBase* series = currentSeries_;
    if (series == nullptr || !series->EntriesEditable() || !lines_.InGroup(focusLine_, LineGroup::kEntryLine)) {
        Refuse(std::string(kPasteRefusedLine));
        return true;
    }
    if (IsExternalTotalFocusLine()) {
        Refuse(std::string(kExternalTotalLineChange));
        return true;
    }
    if (clipboard_ == nullptr) return true;
    std::string pasted = clipboard_->GetText();
    while (!pasted.empty() && (pasted.back() == '\r' || pasted.back() == '\n')) pasted.pop_back();
    if (pasted.empty()) return true;

    std::string text = editor_.Text;
    int caret = std::clamp(editor_.SelStart, 0, static_cast<int>(text.size()));
    int selection = editor_.SelLength;
    for (const char c : pasted) {
        const TEditorState state{text, caret, selection};
        if (series->KeyInExternalTotalLine(c, state) == TKeyAnswer::Consumed) return true;
        const std::optional<char> allowed = series->KeyAllowedAt(c, state);
        if (!allowed) {
            // A line break or tab inside the quote would break the explanation's text.
            std::string quoted = pasted.substr(0, kQuotedClipboardLength);
            std::replace_if(quoted.begin(), quoted.end(), [](char q) { return !IsTypedCharacter(q); }, ' ');
            Refuse("Clipboard text \"" + quoted + "\" not valid in the entries column.");
            return true;
        }
        if (!series->CheckDigitCapacity(*allowed, TextWithKeyAt(text, caret, selection, *allowed))) return true;
        const std::optional<char> checked = series->CheckOperatorKey(*allowed, state);
        if (!checked) return true;
        text = TextWithKeyAt(text, caret, selection, *checked);
        ++caret;
        selection = 0;
    }
    WidenColumnFor(TTapeColumn::Entries, text);
    series->WarnWhileTyping(text);
    ApplyEditorText(std::move(text), caret);
    modified_ = true;
    return true;
}

// Only entries that may be typed into may be cut; the editor then cuts.
bool TCalculator::CutFromEntry() {
    const TSeriesBase* series = currentSeries_;
    if (series == nullptr || !series->EntriesEditable() || !lines_.InGroup(focusLine_, LineGroup::kEntryLine) ||
        IsExternalTotalFocusLine()) {
        Refuse(std::string(kCutRefusedLine));
        return true;
    }
    return false;
}

}  // namespace tally
