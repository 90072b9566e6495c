// Line editing in series: committing an edited entry, deleting and inserting lines, zero
// totals and new series.
#include <algorithm>
#include <array>

#include "engine/lines/calc_params.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/entry_line_texts.h"
#include "engine/series/standard_series.h"
#include "engine/tape/calculator.h"
#include "engine/tape/link_manager_records.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/entry_checks.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_texts.h"

namespace tally {
namespace {

constexpr std::string_view kFirstLineZeroTotal =
    "The first line in a calculation series can not be a zero total line.";

bool Refuse(std::string text) {
    Notifier().ExplainAndBeep(std::move(text));
    return false;
}

// The total type that holds the values of two merged series: a decimal total holds any value,
// and hours:minutes:seconds holds hours:minutes.
std::string CoveringTotalType(std::string_view a, std::string_view b) {
    if (a == kTotalTypeDecimal || b == kTotalTypeDecimal) return std::string(kTotalTypeDecimal);
    if (a == kTotalTypeHoursMinutesSeconds || b == kTotalTypeHoursMinutesSeconds) {
        return std::string(kTotalTypeHoursMinutesSeconds);
    }
    return std::string(kTotalTypeHoursMinutes);
}

}  // namespace

std::string WithOperatorList(std::string_view beginning, std::string_view ending) {
    std::string text(beginning);
    text += FormatSettings().DivideOperChar;
    text += ", P, or R";
    text += ending;
    return text;
}

// ---- Defaults: group and grand total series

TEditOutcome TSeriesBase::DeleteLine() {
    tape_.PostRequest(requests::DeleteSeriesCommand);
    return TEditOutcome::Deferred;
}

TEditOutcome TSeriesBase::InsertLine() {
    if (!lines_.InGroup(tape_.FocusLine(), LineGroup::kLeadingRangeBoundary)) return TEditOutcome::Refused;
    tape_.PostRequest(requests::InsertNewSeriesCommand);
    return TEditOutcome::Deferred;
}

// ---- Standard series

bool TStandardSeries::HasTotalOperator(LineIndex line) const {
    if (!lines_.InGroup(line, LineGroup::kEntryLine)) return false;
    const std::string_view entry = lines_.Entries(line);
    return !entry.empty() && IsMultiplicativeOperator(entry.front());
}

bool TStandardSeries::CheckEntry(LineIndex line, std::string_view entryText) const {
    if (const std::string_view problem = CheckEntryNumber(entryText); !problem.empty()) {
        return Refuse(std::string(problem));
    }
    const auto storedType = SeriesTotalType(lines_, line);
    const auto storedDecimals = SeriesDecimalPlaces(lines_, line);
    const std::string totalType = storedType ? *storedType : tape_.OpenSeriesTotalType();
    const int decimals = storedDecimals ? *storedDecimals : tape_.OpenSeriesDecimalPlaces();
    const bool firstEntry = PreviousNormalLine(lines_, line) == kNoLine;
    const bool openLine = tape_.IsLastLine(line) && !IsInsideEmbeddedSeries(lines_, line);
    const long double before = openLine ? tape_.RunningValue() : TotalBefore(line);
    if (auto refusal = CheckOperation(entryText, firstEntry, before, decimals, totalType,
                                      tape_.RoundingMethod())) {
        return Refuse(refusal->Reason);
    }
    return true;
}

bool TStandardSeries::CommitEntry(LineIndex line, std::string_view entryText) {
    const bool empty = IsEmptyOrOperatorOnly(entryText);
    const bool openLine = tape_.IsLastLine(line) && !IsInsideEmbeddedSeries(lines_, line);
    if (openLine && empty) return true;
    // An edited earlier line (not the open last line of an embedded series) gets the subtotals
    // its operator calls for.
    if (!openLine && !empty && !lines_.HasKind(line + 1, LineKind::kEmbeddedTrailing)) {
        const bool focusLine = line == tape_.FocusLine();
        if (!CommitEditedLine(line, entryText)) return false;
        if (focusLine) line = tape_.FocusLine();
        if (IsInsideEmbeddedSeries(lines_, line)) AfterEmbeddedLineChange(EmbeddedTrailingBoundary(lines_, line));
        tape_.ReloadFocusLine();
        return true;
    }
    if (!empty && !CheckEntry(line, entryText)) return false;
    if (openLine) {
        tape_.WriteEntry(line, ApplyEntry(entryText));
    } else {
        tape_.WriteEntry(line, entryText);
        Recalculate(line);
        if (IsInsideEmbeddedSeries(lines_, line)) AfterEmbeddedLineChange(EmbeddedTrailingBoundary(lines_, line));
        tape_.ReloadFocusLine();
    }
    if (tape_.Hooks().OnEntryCommitted) tape_.Hooks().OnEntryCommitted(tape_);
    return true;
}

TEditOutcome TStandardSeries::DeleteLine() {
    const LineIndex line = tape_.FocusLine();
    const char kind = lines_.KindOf(line);
    const bool embedded = IsInsideEmbeddedSeries(lines_, line);
    if (tape_.IsLastLine(line) && !embedded) {
        tape_.EmptyLastLine();
        Recalculate(line);
        return TEditOutcome::Done;
    }
    if (focusPosition_ == TFocusPosition::IncompleteEmbeddedLastLine &&
        IsEmptyOrOperatorOnly(lines_.Entries(line))) {
        Refuse("Cannot delete the last line of an incomplete embedded calculation series.  You can "
               "complete the series by pressing the Enter key.");
        return TEditOutcome::Refused;
    }
    if (kind == LineKind::kEmbeddedLeading || kind == LineKind::kEmbeddedTrailing) {
        tape_.PostRequest(requests::DeleteEmbeddedSeriesCommand);
        return TEditOutcome::Deferred;
    }
    // Inside an embedded series the deletion changes its total, which the external total line
    // and the containing series must follow.
    const LineIndex opening = embedded ? EmbeddedLeadingBoundary(lines_, line) : kNoLine;
    const bool wasComplete = embedded && IsCompleteEmbeddedSeries(EmbeddedTrailingBoundary(lines_, line));
    TEditOutcome outcome = TEditOutcome::Refused;
    if (KindInGroup(kind, LineGroup::kZeroTotal)) {
        if (DeleteZeroTotalLine(line)) outcome = TEditOutcome::Done;
    } else if (kind == LineKind::kSeparator || KindInGroup(kind, LineGroup::kStandardTotal)) {
        if (DeleteTotalLines(line)) outcome = TEditOutcome::Done;
    } else if (KindInGroup(kind, LineGroup::kEntryLine)) {
        outcome = DeleteEntryLine(line);
    }
    if (outcome == TEditOutcome::Done && opening != kNoLine) AfterEmbeddedLineDeletion(opening, wasComplete);
    return outcome;
}

void TStandardSeries::AfterEmbeddedLineDeletion(LineIndex opening, bool wasComplete) {
    LineIndex trailing = EmbeddedTrailingBoundary(lines_, opening);
    if (trailing == kNoLine) return;
    if (!wasComplete || IsCompleteEmbeddedSeries(trailing)) {
        AfterEmbeddedLineChange(trailing);
        return;
    }
    // Its total went: the series is open again, its external total line keeps only the
    // operator, and the focus waits on its last line for the series to be completed. A series
    // whose only entry went with its total keeps one empty line, as after emptying it.
    if (trailing == opening + 1) {
        lines_.InsertLines(trailing, 1);
        lines_.SetIndicator(trailing, " ");
        lines_.SetProperty(trailing, LineKey::kSeriesType, "e");
        ++trailing;
    }
    DetachExternalTotal(trailing);
    tape_.SetFocusLine(trailing - 1);
}

std::optional<std::string> TStandardSeries::ZeroTotalDeletionCircle(LineIndex line) const {
    TStMediator* bus = tape_.DocumentBus();
    if (bus == nullptr || !bus->Exists(events::LinkMgr_ZTLDeletionCircLink)) return std::nullopt;
    TMedLnkMgr_ZTLDeletionCircLink_In in;
    in.Tape = &tape_;
    in.Line = line + 1;
    TMedBoolean circular;
    bus->Handle(events::LinkMgr_ZTLDeletionCircLink, &in, &circular);
    if (!circular.Value) return std::nullopt;
    return in.Chain;
}

bool TStandardSeries::DeleteZeroTotalLine(LineIndex line) {
    const char next = lines_.KindOf(line + 1);
    if (next == LineKind::kGroupLeading) {
        return Refuse("Cannot delete a zero total line immediately before a group total.");
    }
    if (next == LineKind::kGrandLeading) {
        return Refuse("Cannot delete a zero total line immediately before a grand total.");
    }
    if (KindInGroup(next, LineGroup::kLeadingBoundary) && next != LineKind::kEmbeddedLeading) {
        return Refuse("Cannot delete this zero total line. The calculation series before and after it "
                      "cannot be combined.");
    }
    if (const auto chain = ZeroTotalDeletionCircle(line)) {
        return Refuse("Cannot delete the zero total line at line " + std::to_string(line + 1) +
                      ".  Its deletion would create a circular link between the following lines: " +
                      *chain);
    }
    const int decimalsBefore = SeriesDecimalPlaces(lines_, line).value_or(defaultDecimalPlaces_);
    const std::string typeBefore = SeriesTotalType(lines_, line).value_or(std::string(kTotalTypeDecimal));
    const int decimalsAfter = SeriesDecimalPlaces(lines_, line + 1).value_or(tape_.OpenSeriesDecimalPlaces());
    const std::string typeAfter = SeriesTotalType(lines_, line + 1).value_or(tape_.OpenSeriesTotalType());

    if (lines_.InGroup(line - 1, LineGroup::kStandardTotal)) lines_.SetIndicator(line - 1, "S");
    lines_.RemoveLines(line, 1);
    const int decimals = std::max(decimalsBefore, decimalsAfter);
    const std::string totalType = CoveringTotalType(typeBefore, typeAfter);
    const LineIndex ending = SeriesEndingLine(lines_, line);
    if (ending == kNoLine) {
        tape_.SetOpenSeriesDecimalPlaces(decimals);
        tape_.SetOpenSeriesTotalType(totalType);
    } else {
        lines_.SetProperty(ending, LineKey::kDecimalPlaces, std::to_string(decimals));
        lines_.SetProperty(ending, LineKey::kTotalType, totalType);
        // A range that follows the merged series collects one series less.
        const char after = lines_.KindOf(ending + 1);
        if (after == LineKind::kGroupLeading || after == LineKind::kGrandLeading) {
            const char totalKind = after == LineKind::kGroupLeading ? LineKind::kGroupTotal : LineKind::kGrandTotal;
            for (LineIndex g = ending + 1; lines_.IsLine(g); ++g) {
                if (lines_.HasKind(g, totalKind)) {
                    tape_.RecordTotalStatusChange(g, "TD");
                    break;
                }
                if (lines_.InGroup(g, "]}")) break;
            }
        }
    }
    tape_.SetFocusLine(line);
    RecalculateWithEmbedded(std::max(line - 1, 0));
    return true;
}

bool TStandardSeries::DeleteTotalLines(LineIndex line) {
    const LineIndex total = lines_.HasKind(line, LineKind::kSeparator) ? line + 1 : line;
    const bool withSeparator = lines_.HasKind(total - 1, LineKind::kSeparator);
    const LineIndex first = withSeparator ? total - 1 : total;
    if (lines_.InGroup(total + 1, LineGroup::kZeroTotal)) {
        return Refuse("Cannot delete a total line that is followed by a zero total line.");
    }
    const bool embedded = IsInsideEmbeddedSeries(lines_, total);
    const bool endsEmbedded = embedded && lines_.HasKind(total + 1, LineKind::kEmbeddedTrailing);
    const bool beforeIsFirst = PreviousNormalLine(lines_, first - 1) == kNoLine;
    auto subtotalCheck = [&] {
        if (endsEmbedded || !HasTotalOperator(total + 1) || beforeIsFirst) return true;
        return Refuse(WithOperatorList(
            "Can not delete a subtotal line that immediately precedes a line containing a X, "));
    };
    auto followCheck = [&] {
        if (!HasTotalOperator(first - 1)) return true;
        return Refuse(WithOperatorList(
            "Cannot delete a total line that immediately follows a line containing a X, "));
    };
    if (embedded ? !(followCheck() && subtotalCheck()) : !(subtotalCheck() && followCheck())) return false;
    lines_.RemoveLines(first, total - first + 1);
    tape_.SetFocusLine(first);
    Recalculate(std::min(first, tape_.LastLine()));
    return true;
}

TEditOutcome TStandardSeries::DeleteEntryLine(LineIndex line) {
    const bool firstLine = PreviousNormalLine(lines_, line) == kNoLine;
    const bool externalTotal = IsExternalTotalLine(line);
    const LineIndex next = externalTotal || firstLine ? line + 1 : kNoLine;
    const bool totalFollows = next != kNoLine && lines_.HasKind(next, LineKind::kSeparator) &&
                              lines_.InGroup(next + 1, LineGroup::kStandardTotal);
    if (firstLine) {
        if (totalFollows && lines_.InGroup(next + 2, LineGroup::kZeroTotal) &&
            !IsInsideEmbeddedSeries(lines_, line)) {
            tape_.PostRequest(requests::DeleteSeriesCommand);
            return TEditOutcome::Deferred;
        }
        if (HasTotalOperator(next)) {
            Refuse(WithOperatorList(
                "Cannot delete the first line in a calculation series if that line is followed by a "
                "line containing a X, "));
            return TEditOutcome::Refused;
        }
        if (totalFollows && HasTotalOperator(next + 2)) {
            Refuse(WithOperatorList(
                "Can not delete the first line in a calculation series if that line is followed by a "
                "total line which, in turn, is followed by a line containing a X, "));
            return TEditOutcome::Refused;
        }
    }
    if (externalTotal) return DeleteExternalTotalLine(line, firstLine, totalFollows);
    if (firstLine && totalFollows) {
        lines_.RemoveLines(line, 3);
    } else {
        lines_.RemoveLines(line, 1);
        const bool betweenTotals = lines_.InGroup(line - 1, LineGroup::kStandardTotal) &&
                                   lines_.HasKind(line, LineKind::kSeparator) &&
                                   lines_.InGroup(line + 1, LineGroup::kStandardTotal);
        if (betweenTotals) {
            tape_.SetFocusLine(RemoveAdjacentTotal(line - 1, line + 1, false));
            return TEditOutcome::Done;
        }
    }
    tape_.SetFocusLine(line);
    Recalculate(std::min(line, tape_.LastLine()));
    return TEditOutcome::Done;
}

LineIndex TStandardSeries::TotalDeletedWith(LineIndex line) const {
    const bool totalFollows =
        lines_.HasKind(line + 1, LineKind::kSeparator) && lines_.InGroup(line + 2, LineGroup::kStandardTotal);
    if (!lines_.InGroup(line, LineGroup::kEntryLine) || !totalFollows) return kNoLine;
    // The rules of DeleteEntryLine: the first line of a series goes with the total after it
    // (unless an operator after that total refuses the deletion).
    const LineIndex before = PreviousNormalLine(lines_, line);
    if (before == kNoLine) return HasTotalOperator(line + 3) ? kNoLine : line + 2;
    const bool external = IsExternalTotalLine(line);
    const LineIndex earlier = external ? before : line - 1;
    if (!lines_.InGroup(earlier, LineGroup::kStandardTotal)) return kNoLine;
    return TotalToRemove(earlier, line + 2, external) == TAdjacentTotal::Later ? line + 2 : earlier;
}

bool TStandardSeries::HasSingleEntry() const {
    int entries = 0;
    for (LineIndex line = FirstNormalLine(lines_, tape_.FocusLine()); line != kNoLine;
         line = NextNormalLine(lines_, line)) {
        if (!lines_.InGroup(line, LineGroup::kEntryLine) || IsEmptyOrOperatorOnly(lines_.Entries(line))) continue;
        // Two entries are enough to answer: the walk never goes through the whole series.
        if (++entries > 1) return false;
    }
    return entries == 1;
}

TEditOutcome TStandardSeries::DeleteExternalTotalLine(LineIndex line, bool firstLine, bool totalFollows) {
    LineIndex opening = EmbeddedLeadingBoundary(lines_, line - 1);
    if (opening == kNoLine) return TEditOutcome::Refused;
    LineIndex external = line;
    if (firstLine && totalFollows) {
        lines_.RemoveLines(external + 1, 2);
        lines_.RemoveLines(opening, external - opening + 1);
        if (lines_.InGroup(opening, LineGroup::kZeroTotal) && !tape_.IsLastLine(opening)) {
            lines_.RemoveLines(opening, 1);
        }
    } else {
        const LineIndex before = PreviousNormalLine(lines_, external);
        if (totalFollows && lines_.InGroup(before, LineGroup::kStandardTotal)) {
            const TAdjacentTotal which = TotalToRemove(before, external + 2, true);
            const LineIndex removed = RemoveAdjacentTotal(before, external + 2, true);
            if (which == TAdjacentTotal::Earlier) {
                const LineIndex count = opening - removed;  // the earlier total and its separator
                opening -= count;
                external -= count;
            }
        }
        lines_.RemoveLines(opening, external - opening + 1);
    }
    tape_.SetFocusLine(opening);
    RecalculateWithEmbedded(std::min(opening, tape_.LastLine()));
    return TEditOutcome::Done;
}

TEditOutcome TStandardSeries::InsertLine() {
    const LineIndex line = tape_.FocusLine();
    const bool earlier = !tape_.IsLastLine(line) || IsInsideEmbeddedSeries(lines_, line);
    if (earlier && lines_.InGroup(line, LineGroup::kEntryLine) &&
        (IsEmptyOrOperatorOnly(lines_.Entries(line)) || !IsValidEntry(lines_.Entries(line)))) {
        Refuse(std::string(kTypeNumberBeforeInsertingLine));
        return TEditOutcome::Refused;
    }
    if (tape_.FocusEntryChanged()) {
        Refuse("Complete the entry number change by pressing the Enter key before inserting a line.");
        return TEditOutcome::Refused;
    }
    LineIndex at = line;
    if (lines_.HasKind(line, LineKind::kEmbeddedLeading)) {
        const LineIndex trailing = EmbeddedTrailingBoundary(lines_, line);
        if (trailing == kNoLine || !lines_.InGroup(trailing - 1, LineGroup::kTotalLine)) {
            Refuse("Cannot insert a line before the leading boundary line of an incomplete embedded "
                   "calculation series.  Complete the series first.");
            return TEditOutcome::Refused;
        }
    } else if (lines_.InGroup(line, LineGroup::kStandardTotal) && lines_.HasKind(line - 1, LineKind::kSeparator)) {
        at = line - 1;
    } else if (IsExternalTotalLine(line)) {
        at = EmbeddedLeadingBoundary(lines_, line - 1);
    }
    const bool inEmbedded = IsInsideEmbeddedSeries(lines_, line);
    lines_.InsertLines(at, 1);
    lines_.SetIndicator(at, " ");
    if (inEmbedded) lines_.SetProperty(at, LineKey::kSeriesType, "e");
    tape_.SetFocusLine(at);
    return TEditOutcome::Done;
}

bool TStandardSeries::CanInsertZeroTotal(bool explain) const {
    const LineIndex line = tape_.FocusLine();
    auto refuse = [explain](std::string text) {
        if (explain) Refuse(std::move(text));
        return false;
    };
    if (IsInsideEmbeddedSeries(lines_, line) || !ClaimsLine(line)) return false;
    if (PreviousNormalLine(lines_, line) == kNoLine) return refuse(std::string(kFirstLineZeroTotal));
    if (tape_.IsLastLine(line)) return true;
    if (!lines_.InGroup(line, LineGroup::kEntryLine) || !IsEmptyOrOperatorOnly(lines_.Entries(line))) {
        return refuse("The entry with the focus highlight must be empty to insert a zero total line.");
    }
    const char next = lines_.KindOf(line + 1);
    if (next == LineKind::kSeparator || KindInGroup(next, LineGroup::kStandardTotal)) {
        return refuse("A zero total line cannot immediately precede a subtotal line or total line.");
    }
    if (KindInGroup(next, LineGroup::kZeroTotal)) {
        return refuse("A zero total line cannot immediately precede another zero total line.");
    }
    if (HasTotalOperator(NextNormalLine(lines_, line))) {
        return refuse(WithOperatorList("A zero total line cannot immediately precede a line containing a X, "));
    }
    return true;
}

void TStandardSeries::UnlinkLine(LineIndex line) {
    TStMediator* bus = tape_.DocumentBus();
    if (lines_.Property(line, LineKey::kLinkId).empty() || bus == nullptr) return;
    TMedLnkMgr_UnLinkData_In in;
    in.Tape = &tape_;
    in.Mode = 'u';
    in.Line = line + 1;
    bus->HandleIfExists(events::LinkMgr_Unlink, &in, nullptr);
}

bool TStandardSeries::InsertZeroTotal() {
    if (!CanInsertZeroTotal(true)) return false;
    LineIndex zero = tape_.FocusLine();
    UnlinkLine(zero);
    const int decimals = decimalPlaces_;
    const std::string totalType = totalType_;
    if (lines_.InGroup(zero - 1, LineGroup::kStandardTotal)) {
        tape_.RecordTotalStatusChange(zero - 1, "I");
    } else {
        lines_.InsertLines(zero, 2);
        lines_.SetIndicator(zero, "=");
        lines_.SetEntries(zero, kSeparatorLineText);
        lines_.SetIndicator(zero + 1, "T");
        zero += 2;
    }
    MakeZeroTotalLine(zero, decimals, totalType);
    Recalculate(zero - 1);
    if (lines_.IsLine(zero + 1)) Recalculate(zero + 1);
    tape_.SetFocusLine(zero);
    return true;
}

void TStandardSeries::MakeZeroTotalLine(LineIndex line, int decimals, std::string_view totalType) {
    lines_.SetIndicator(line, "Z");
    lines_.SetEntries(line, "");
    lines_.SetProperty(line, LineKey::kSeriesType, "");
    lines_.SetProperty(line, LineKey::kTotalType, totalType);
    lines_.SetProperty(line, LineKey::kDecimalPlaces, std::to_string(decimals));
}

bool TStandardSeries::CloseOpenSeries() {
    const LineIndex last = tape_.LastLine();
    const std::string entry(lines_.Entries(last));
    const bool empty = IsEmptyOrOperatorOnly(entry);
    if (IsInsideEmbeddedSeries(lines_, last)) return false;
    if (PreviousNormalLine(lines_, last) == kNoLine && empty) return Refuse(std::string(kFirstLineZeroTotal));
    if (empty) {
        lines_.SetEntries(last, "");
    } else if (!CommitEntry(last, entry)) {
        return false;
    }
    const LineIndex at = empty ? last : last + 1;
    const bool totalEnds = lines_.InGroup(at - 1, LineGroup::kStandardTotal);
    const LineIndex closing = totalEnds ? 1 : 3;
    lines_.InsertLines(at, empty ? closing : closing + 1);
    if (!empty) lines_.SetIndicator(at + closing, " ");
    if (!totalEnds) {
        lines_.SetIndicator(at, "=");
        lines_.SetEntries(at, kSeparatorLineText);
        lines_.SetIndicator(at + 1, "T");
    }
    MakeZeroTotalLine(at + closing - 1, tape_.OpenSeriesDecimalPlaces(), tape_.OpenSeriesTotalType());
    Recalculate(at + closing - 1);
    tape_.ResetRunningValue();
    tape_.SetFocusLine(tape_.LastLine());
    return true;
}

bool TStandardSeries::StartSeriesAt(LineIndex line, int decimals, std::string_view totalType) {
    if (line < 0 || line > lines_.LineCount()) return false;
    if (decimals < minimumDecimalPlaces_ || decimals > maximumDecimalPlaces_) decimals = defaultDecimalPlaces_;
    const std::string type(IsKnownTotalType(totalType) ? totalType : kTotalTypeDecimal);
    lines_.InsertLines(line, 4);
    lines_.SetIndicator(line, " ");
    lines_.SetEntries(line, ZeroEntryText(decimals));
    lines_.SetIndicator(line + 1, "=");
    lines_.SetEntries(line + 1, kSeparatorLineText);
    lines_.SetIndicator(line + 2, "T");
    MakeZeroTotalLine(line + 3, decimals, type);
    Recalculate(line);
    return true;
}

}  // namespace tally
