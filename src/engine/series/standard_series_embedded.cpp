// Embedded series inside standard series: inserting one at the focus line, the Enter and
// operator keys typed inside one, completing it into its external total line and reopening it.
//
// The external total line of a complete embedded series follows the series' total line: where a
// link manager serves the tape, through a permanent link from the total line; otherwise the
// series writes it as its operator characters followed by the embedded total whenever that
// total may have changed.
#include <string>

#include "engine/entry/typing_checks.h"
#include "engine/lines/calc_params.h"
#include "engine/lines/link_data.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/entry_line_texts.h"
#include "engine/series/series_arithmetic.h"
#include "engine/series/standard_series.h"
#include "engine/tape/calculator.h"
#include "engine/tape/link_manager_records.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/number_texts.h"

namespace tally {
namespace {

constexpr std::string_view kEmbeddedSeriesType = "e";
constexpr std::string_view kFirstLineTotal =
    "The first line of a calculation series can not be a total line.";
constexpr std::string_view kNoValidNumber =
    "The entry with the focus highlight does not contain a valid number.  If you are trying to "
    "enter a fraction, make sure the numerator is preceded by a single space (or underscore if "
    "appropriate).";
constexpr std::string_view kNoPreviousNumber = "There is no previous number to duplicate.";

TKeyAnswer Refuse(std::string_view text) {
    Notifier().ExplainAndBeep(std::string(text));
    return TKeyAnswer::Consumed;
}

void MarkEmbedded(TLineStore& lines, LineIndex line) {
    lines.SetProperty(line, LineKey::kSeriesType, kEmbeddedSeriesType);
}

// The committed number of the nearest entry above the line inside its embedded series.
std::string PreviousEmbeddedNumber(const TLineStore& lines, LineIndex line) {
    for (LineIndex g = line - 1; g >= 0 && !lines.HasKind(g, LineKind::kEmbeddedLeading); --g) {
        if (!lines.InGroup(g, LineGroup::kEntryLine)) continue;
        const std::string_view entry = lines.Entries(g);
        if (IsValidEntryNumber(entry) && !IsOperatorOnlyEntry(entry)) return SplitEntryOperand(entry).NumberText;
    }
    return {};
}

}  // namespace

// ---- Structure

bool TStandardSeries::IsCompleteEmbeddedSeries(LineIndex trailing) const {
    return lines_.HasKind(trailing, LineKind::kEmbeddedTrailing) &&
           lines_.InGroup(trailing - 1, LineGroup::kStandardTotal);
}

bool TStandardSeries::AllowsEmbeddedInsert(LineIndex line) const {
    if (!ClaimsLine(line)) return false;
    if (lines_.HasKind(line, LineKind::kEmbeddedLeading)) {
        return IsCompleteEmbeddedSeries(EmbeddedTrailingBoundary(lines_, line));
    }
    return lines_.Property(line, LineKey::kSeriesType) != kEmbeddedSeriesType;
}

bool TStandardSeries::InsertEmbeddedSeries() {
    if (tape_.CurrentSeries() != this || !AllowsEmbeddedInsert(tape_.FocusLine())) return false;
    tape_.SelectCell(TTapeColumn::Entries, tape_.FocusLine());
    const std::string_view focusEntry = lines_.Entries(tape_.FocusLine());
    if (lines_.HasKind(tape_.FocusLine(), LineKind::kEmbeddedLeading) || !IsEmptyOrOperatorOnly(focusEntry)) {
        // Room for the series: a new empty line before the focus line takes the focus.
        if (!tape_.InsertLine()) return false;
    }
    const LineIndex focus = tape_.FocusLine();

    // The new series counts like the one it stands in, or like an earlier embedded series of
    // that series where the tape does not set those values automatically.
    std::string totalType = totalType_;
    int decimals = decimalPlaces_;
    const LineIndex seriesFirst = tally::SeriesFirstLine(lines_, focus);
    for (LineIndex g = focus - 1; g >= seriesFirst && g >= 0; --g) {
        if (!lines_.HasKind(g, LineKind::kEmbeddedTrailing)) continue;
        if (!tape_.AutoSetTotalType()) totalType = SeriesTotalType(lines_, g).value_or(totalType);
        if (!tape_.AutoIncreaseDecimalPlaces()) decimals = SeriesDecimalPlaces(lines_, g).value_or(decimals);
        break;
    }

    const std::string_view entry = lines_.Entries(focus);
    const std::string externalOperator = IsOperatorOnlyEntry(entry) ? std::string(entry) : "+";
    tape_.WriteEntry(focus, externalOperator);
    lines_.SetCell(focus, TLineColumn::RunningTotal, "");

    lines_.InsertLines(focus, 3);
    lines_.SetIndicator(focus, "(");
    lines_.SetIndicator(focus + 1, " ");
    lines_.SetIndicator(focus + 2, ")");
    for (LineIndex g = focus; g <= focus + 2; ++g) MarkEmbedded(lines_, g);
    lines_.SetProperty(focus + 2, LineKey::kTotalType, totalType);
    lines_.SetProperty(focus + 2, LineKey::kDecimalPlaces, std::to_string(decimals));

    embeddedSeriesTotal_ = 0;
    timeTotalText_ = "00:00:00";
    tape_.SetFocusLine(focus + 1);
    tape_.SetSavedFocusEntry(ZeroEntryText(decimals));
    return true;
}

bool TStandardSeries::LinkExternalTotal(LineIndex trailing) {
    TStMediator* bus = tape_.DocumentBus();
    if (bus == nullptr || !bus->Exists(events::LinkMgr_SetAsLinkSource) || !bus->Exists(events::LinkMgr_SetAsLinkDest)) {
        return false;
    }
    TMedLnkMgr_SetLinkData_In set;
    set.Tape = &tape_;
    set.FlagText = "P";
    set.Line = trailing;  // the total line before ")", counted from 1
    TMedBoolean done;
    bus->Handle(events::LinkMgr_SetAsLinkSource, &set, &done);
    if (!done.Value) return false;
    set.Line = trailing + 2;  // the external total line
    done.Value = false;
    bus->Handle(events::LinkMgr_SetAsLinkDest, &set, &done);
    return done.Value;
}

bool TStandardSeries::ExternalTotalFollowsLink(LineIndex trailing) const {
    const std::string_view linkData = lines_.Property(trailing + 1, LineKey::kLinkId);
    return LinkDataRole(linkData) == 'D' && LinkDataFlag(linkData) == 'P' && tape_.Hooks().QueueLinkSourceAtOnce &&
           LinkDataRole(lines_.Property(trailing - 1, LineKey::kLinkId)) == 'S';
}

void TStandardSeries::WriteExternalTotal(LineIndex trailing) {
    const LineIndex external = trailing + 1;
    tape_.WriteEntry(external,
                     EntryWithOperator(OperatorPart(lines_.Entries(external)), lines_.Entries(trailing - 1)));
}

void TStandardSeries::CompleteEmbeddedSeries(LineIndex trailing) {
    const LineIndex external = trailing + 1;
    // The final total and its item count.
    Recalculate(trailing - 1);
    tape_.SetFocusLine(external);
    // Served by a link manager, the external total line becomes the permanent destination of
    // the total line and takes its value through the link; otherwise the series writes it.
    if (!LinkExternalTotal(trailing)) WriteExternalTotal(trailing);
    tape_.ReloadFocusLine();
    if (tape_.IsLastLine(external)) {
        if (tape_.DataEntryOption() != DataEntryOption::kAddingMachine) DispatchKey('+');
    } else {
        Recalculate(external);
    }
    tape_.FinishLineEdit();
}

bool TStandardSeries::CloseEmbeddedSeries() {
    if (tape_.CurrentSeries() != this || !inEmbeddedSeries_) return false;
    const LineIndex trailing = EmbeddedTrailingBoundary(lines_, tape_.FocusLine());
    if (trailing == kNoLine || !IsCompleteEmbeddedSeries(trailing)) return false;
    CompleteEmbeddedSeries(trailing);
    return true;
}

void TStandardSeries::ReopenEmbeddedSeries(LineIndex trailing) {
    if (IsCompleteEmbeddedSeries(trailing)) DetachExternalTotal(trailing);
}

void TStandardSeries::DetachExternalTotal(LineIndex trailing) {
    const LineIndex external = trailing + 1;
    if (!lines_.Property(external, LineKey::kLinkId).empty() && tape_.DocumentBus() != nullptr) {
        TMedLnkMgr_UnLinkData_In unlink;
        unlink.Tape = &tape_;
        unlink.Mode = 'p';
        unlink.Line = external + 1;
        tape_.DocumentBus()->HandleIfExists(events::LinkMgr_Unlink, &unlink, nullptr);
    }
    tape_.WriteEntry(external, OperatorPart(lines_.Entries(external)));
    lines_.SetCell(external, TLineColumn::Links, "");
    lines_.SetCell(external, TLineColumn::RunningTotal, "");
    Recalculate(external);
    tape_.PostEditPass();
}

void TStandardSeries::AfterEmbeddedLineChange(LineIndex trailing) {
    if (trailing == kNoLine) return;
    if (IsCompleteEmbeddedSeries(trailing)) {
        if (ExternalTotalFollowsLink(trailing)) {
            // The link refresh carries the total and recalculates the containing series.
            tape_.Hooks().QueueLinkSourceAtOnce(std::string(lines_.Property(trailing - 1, LineKey::kLinkId)));
            return;
        }
        WriteExternalTotal(trailing);
    }
    if (!tape_.IsLastLine(trailing + 1)) Recalculate(trailing + 1);
}

// ---- Keys on the open last line of an incomplete embedded series (position 4)

bool TStandardSeries::CommitOpenEmbeddedEntry(LineIndex& line, std::string_view entryText) {
    if (!CheckEntry(line, entryText)) return false;
    const std::string text(entryText);  // the line is rewritten below
    SetTotalTypeForFirstEntry(line, text);
    if (IsMultiplicativeEntry(text)) {
        // A subtotal before a multiplicative entry that follows another entry.
        const LineIndex previous = PreviousNormalLine(lines_, line);
        if (previous != kNoLine && PreviousNormalLine(lines_, previous) != kNoLine &&
            !lines_.InGroup(previous, LineGroup::kTotalLine)) {
            AddTotalLines(previous + 1, SubtotalCharacter());
            line += 2;
            tape_.SetFocusLine(line);
        }
    }
    IncreaseDecimalPlacesForEntry(line, text);
    const std::string totalType = SeriesTotalType(lines_, line).value_or(totalType_);
    const int decimals = SeriesDecimalPlaces(lines_, line).value_or(decimalPlaces_);
    tape_.WriteEntry(line, NormalFormEntry(SplitEntryOperand(text), totalType, decimals,
                                           tape_.RoundingMethod(), tape_.ShowThousands()));
    return true;
}

TKeyAnswer TStandardSeries::EnterKeyOnLastEmbeddedLine(char key) {
    LineIndex line = tape_.FocusLine();
    std::string text(lines_.Entries(line));
    if (const char command = LineReferenceCommand(tape_.Editor().Text)) return HandOverLineReference(command, key);
    const LineIndex opening = EmbeddedLeadingBoundary(lines_, line);
    if (opening == kNoLine) return TKeyAnswer::NotHandled;
    if (line == opening + 1 && IsEmptyOrOperatorOnly(text)) return Refuse(kFirstLineTotal);
    if (tape_.DataEntryOption() == DataEntryOption::kAddingMachine && IsOperatorOnlyEntry(text) &&
        IsMultiplicativeOperator(text.front())) {
        // The adding machine's repeat: "X" alone takes the number above it.
        const std::string previous = PreviousEmbeddedNumber(lines_, line);
        if (previous.empty()) return Refuse(kNoPreviousNumber);
        text = EntryWithOperator(text, previous);
    }
    if (!IsEmptyOrOperatorOnly(text)) {
        if (!CommitOpenEmbeddedEntry(line, text)) return TKeyAnswer::Consumed;
        AddTotalLines(line + 1, TotalCharacter());
    } else if (lines_.InGroup(line - 1, LineGroup::kStandardTotal)) {
        // The total above already ends the series.
        lines_.RemoveLines(line, 1);
    } else {
        lines_.SetIndicator(line, "=");
        lines_.SetEntries(line, kSeparatorLineText);
        lines_.InsertLines(line + 1, 1);
        lines_.SetIndicator(line + 1, std::string(1, TotalCharacter()));
        MarkEmbedded(lines_, line + 1);
    }
    CompleteEmbeddedSeries(EmbeddedTrailingBoundary(lines_, opening));
    return TKeyAnswer::Consumed;
}

TKeyAnswer TStandardSeries::OperatorKeyOnLastEmbeddedLine(char key) {
    LineIndex line = tape_.FocusLine();
    const std::string text(lines_.Entries(line));
    if (const char command = LineReferenceCommand(tape_.Editor().Text)) return HandOverLineReference(command, key);
    const std::optional<char> op = StoredOperatorForKey(key);
    if (!op) return TKeyAnswer::NotHandled;
    if (IsOperatorOnlyEntry(text) && text.front() == *op) return TKeyAnswer::NotHandled;
    if (!CommitOpenEmbeddedEntry(line, text)) return TKeyAnswer::Consumed;
    LineIndex next = line + 1;
    // A product, quotient, power or root is totalled at once.
    if (IsMultiplicativeEntry(text)) next = AddTotalLines(next, TotalCharacter()) + 1;
    StartEntryLineWith(next, *op);
    Recalculate(next);
    // As on the tape's last line, a total right above the open line shows as the total.
    if (lines_.HasKind(next - 1, SubtotalCharacter())) {
        int items = 0;
        for (LineIndex g = next - 1; !lines_.HasKind(g, LineKind::kEmbeddedLeading); --g) {
            if (lines_.InGroup(g, LineGroup::kEntryLine) && IsValidEntryNumber(lines_.Entries(g))) ++items;
        }
        MarkFinalTotal(next - 1, items);
    }
    tape_.FinishLineEdit();
    return TKeyAnswer::Consumed;
}

// ---- Keys on the other lines of an embedded series (positions 5 and 6)

TKeyAnswer TStandardSeries::EnterKeyInCompleteEmbedded(char key) { return EnterKeyOnEarlierEmbeddedLine(key); }
TKeyAnswer TStandardSeries::EnterKeyInIncompleteEmbedded(char key) { return EnterKeyOnEarlierEmbeddedLine(key); }
TKeyAnswer TStandardSeries::OperatorKeyInCompleteEmbedded(char key) { return OperatorKeyOnEarlierEmbeddedLine(key); }
TKeyAnswer TStandardSeries::OperatorKeyInIncompleteEmbedded(char key) { return OperatorKeyOnEarlierEmbeddedLine(key); }

TKeyAnswer TStandardSeries::EnterKeyOnEarlierEmbeddedLine(char key) {
    const LineIndex line = tape_.FocusLine();
    if (const char command = LineReferenceCommand(tape_.Editor().Text)) return HandOverLineReference(command, key);
    if (!tape_.FocusEntryChanged()) return TKeyAnswer::Consumed;
    if (!CommitEditedLine(line, std::string(lines_.Entries(line)))) return TKeyAnswer::Consumed;
    AfterEmbeddedLineChange(EmbeddedTrailingBoundary(lines_, tape_.FocusLine()));
    tape_.ReloadFocusLine();
    tape_.FinishLineEdit();
    return TKeyAnswer::Consumed;
}

TKeyAnswer TStandardSeries::OperatorKeyOnEarlierEmbeddedLine(char key) {
    const std::optional<char> op = StoredOperatorForKey(key);
    if (!op) return TKeyAnswer::NotHandled;
    const std::string text(lines_.Entries(tape_.FocusLine()));
    if (const char command = LineReferenceCommand(tape_.Editor().Text)) return HandOverLineReference(command, key);
    if (IsOperatorOnlyEntry(text)) {
        if (text.front() == *op) return TKeyAnswer::NotHandled;
        return Refuse(kNoValidNumber);
    }
    if (tape_.FocusEntryChanged() && !CommitEditedLine(tape_.FocusLine(), text)) return TKeyAnswer::Consumed;
    StartEntryLineWith(tape_.FocusLine() + 1, *op);
    AfterEmbeddedLineChange(EmbeddedTrailingBoundary(lines_, tape_.FocusLine()));
    tape_.FinishLineEdit();
    return TKeyAnswer::Consumed;
}

}  // namespace tally
