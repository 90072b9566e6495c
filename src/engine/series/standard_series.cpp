#include "engine/series/standard_series.h"

#include "engine/entry/typing_checks.h"
#include "engine/lines/calc_params.h"
#include "engine/lines/link_data.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/entry_line_texts.h"
#include "engine/series/series_arithmetic.h"
#include "engine/tape/calculator.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/number_format.h"
#include "foundation/numbers/number_texts.h"
#include "foundation/numbers/rounding.h"

namespace tally {
namespace {

std::string TimeTextOf(long double seconds, std::string_view totalType) {
    if (totalType == kTotalTypeHoursMinutes) return SecondsToHoursMinutesText(seconds);
    return SecondsToHoursMinutesSecondsText(seconds);
}

// The text a zero total shows in the Running Total column.
std::string ZeroRunningTotal(std::string_view totalType, int decimals, bool showThousands) {
    if (totalType == kTotalTypeHoursMinutes) return "00:00";
    if (totalType == kTotalTypeHoursMinutesSeconds) return "00:00:00";
    return FormatDecimal(0, decimals, showThousands);
}

bool SameTotalText(std::string_view a, std::string_view b) {
    return RemoveThousandSeparators(a) == RemoveThousandSeparators(b);
}

}  // namespace

TStandardSeries::TStandardSeries(TCalculator& tape) : TSeriesBase(tape) { Initialize(); }

std::string TStandardSeries::TotalIndicator(int itemCount) const {
    std::string indicator(1, TotalCharacter());
    if (tape_.ShowSeriesTotalItemCount()) {
        indicator += '(';
        indicator += std::to_string(itemCount);
        indicator += ')';
    }
    return indicator;
}

void TStandardSeries::MarkFinalTotal(LineIndex line, int itemCount) {
    if (lines_.HasKind(line, SubtotalCharacter()) || lines_.HasKind(line, TotalCharacter())) {
        lines_.SetIndicator(line, TotalIndicator(itemCount));
    }
}

std::string TStandardSeries::SeriesTotalText() const {
    return FormatTotal(tape_.RunningValue(), totalType_, decimalPlaces_, tape_.ShowThousands());
}

bool TStandardSeries::ApplyLineOperation(long double& total, std::string_view entryText,
                                         int decimals, std::string_view totalType) const {
    const TEntryOperand operand = SplitEntryOperand(entryText);
    const TRoundingMethod method = tape_.RoundingMethod();
    if (IsTimeTotalType(totalType)) {
        try {
            ApplyTimeOperator(total, operand.Operator, operand.NumberText, totalType, decimals,
                              method);
        } catch (const ETimeValueOverflow&) {
            return false;
        }
        return true;
    }
    const long double x = RoundByMethod(EntryNumberValue(operand.NumberText), decimals, method);
    return ApplyOperator(total, operand.Operator, x, decimals, method);
}

bool TStandardSeries::IsLinkSource(LineIndex line) const {
    return LinkDataRole(lines_.Property(line, LineKey::kLinkId)) == 'S';
}

bool TStandardSeries::HasFilledTableColumn(LineIndex line) const {
    const std::string_view columnId = lines_.Property(line, LineKey::kTableColumnId);
    return !columnId.empty() && !tape_.IsTableColumnEmpty(columnId);
}

void TStandardSeries::Recalculate(LineIndex line) {
    RestoreDefaultFloatingPointMode();
    if (lines_.LineCount() <= 1 || !ClaimsLine(line)) return;
    if (IsInsideEmbeddedSeries(lines_, line)) {
        const LineIndex trailing = EmbeddedTrailingBoundary(lines_, line);
        RecalculateRange(EmbeddedLeadingBoundary(lines_, line) + 1,
                         trailing == kNoLine ? lines_.LastLine() : trailing - 1, true);
    } else {
        RecalculateRange(FirstNormalLine(lines_, line), LastNormalLine(lines_, line), false);
    }
    if (Notifier().MessageList().Count() > 0) tape_.ShowCollectedMessages();
}

void TStandardSeries::RecalculateRange(LineIndex first, LineIndex last, bool embedded) {
    if (first == kNoLine) return;
    const auto storedType = SeriesTotalType(lines_, first);
    const auto storedDecimals = SeriesDecimalPlaces(lines_, first);
    const std::string totalType = storedType ? *storedType : tape_.OpenSeriesTotalType();
    const int decimals = storedDecimals ? *storedDecimals : tape_.OpenSeriesDecimalPlaces();
    if (!IsKnownTotalType(totalType)) return;

    const LineIndex tapeLast = tape_.LastLine();
    if (first == tapeLast) {
        tape_.ResetRunningValue();
        return;
    }
    const bool thousands = tape_.ShowThousands();
    const bool runningShown = !embedded && tape_.IsColumnShown(TTapeColumn::RunningTotal);
    const TRoundingMethod method = tape_.RoundingMethod();
    const bool editingThisEmbedded =
        embedded && tape_.CurrentSeries() == this && inEmbeddedSeries_ && embeddedFirstLine_ == first;
    const bool timeSeries = IsTimeTotalType(totalType);

    long double total = 0;
    int itemCount = 0;
    bool lastTotalChanged = false;
    auto storeEmbeddedTotal = [&] {
        if (!editingThisEmbedded) return;
        embeddedSeriesTotal_ = total;
        if (timeSeries) timeTotalText_ = TimeTextOf(total, totalType);
    };

    for (LineIndex g = first; lines_.IsLine(g); ++g) {
        if (!embedded && g == tapeLast) {
            tape_.SetRunningValue(total, timeSeries ? TimeTextOf(total, totalType)
                                                    : tape_.RunningTimeText());
            if (lines_.HasKind(g - 1, SubtotalCharacter())) MarkFinalTotal(g - 1, itemCount);
            return;
        }
        if (!embedded && g > last) break;
        const char kind = lines_.KindOf(g);
        if (kind == LineKind::kEmbeddedTrailing) {
            storeEmbeddedTotal();
            if (lines_.HasKind(g - 1, SubtotalCharacter())) MarkFinalTotal(g - 1, itemCount);
            return;
        }
        if (kind == LineKind::kSeparator) continue;
        if (kind == SubtotalCharacter() || kind == TotalCharacter()) {
            lines_.SetIndicator(g, std::string(1, SubtotalCharacter()));
            const std::string text = FormatTotal(total, totalType, decimals, thousands);
            if (!SameTotalText(text, lines_.Entries(g))) {
                lastTotalChanged = true;
                if (IsLinkSource(g) && tape_.Hooks().QueueLinkSource) {
                    tape_.Hooks().QueueLinkSource(std::string(lines_.Property(g, LineKey::kLinkId)));
                }
            }
            lines_.SetEntries(g, text);
            if (runningShown) lines_.SetCell(g, TLineColumn::RunningTotal, text);
            continue;
        }
        if (KindInGroup(kind, LineGroup::kZeroTotal)) {
            if (lines_.HasKind(g - 1, SubtotalCharacter())) MarkFinalTotal(g - 1, itemCount);
            lines_.SetEntries(g, FormatDecimal(0, decimals, thousands));
            if (lastTotalChanged) tape_.RecordTotalStatusChange(g - 1, "C");
            if (runningShown) {
                lines_.SetCell(g, TLineColumn::RunningTotal,
                               ZeroRunningTotal(totalType, decimals, thousands));
            }
            return;
        }
        if (kind == LineKind::kEmbeddedLeading && !embedded) {
            // Jump over the embedded series; its external total line comes next.
            const LineIndex trailing = EmbeddedTrailingBoundary(lines_, g + 1);
            if (trailing == kNoLine) return;
            g = trailing;
            continue;
        }
        if (!KindInGroup(kind, LineGroup::kEntryLine)) continue;
        if (embedded && g == last) {
            // The open line of an incomplete embedded series: the entry being typed.
            storeEmbeddedTotal();
            return;
        }
        const std::string_view entry = lines_.Entries(g);
        if (entry.empty() || IsOperatorOnlyEntry(entry)) continue;

        TEntryOperand operand = SplitEntryOperand(entry);
        if (IsValidEntryNumber(entry)) {
            std::string normal = NormalFormEntry(operand, totalType, decimals, method, thousands);
            if (normal != entry) {
                // The line counts as it is shown from now on.
                operand = SplitEntryOperand(normal);
                lines_.SetEntries(g, normal);
            }
        }
        TOperationResult result =
            EvaluateOperation(operand, g == first, total, decimals, totalType, method);
        if (result.Refusal) {
            Notifier().MessageList().Add(result.Refusal->MessageForLine(tape_.LineName(g)));
            Notifier().MessageList().Add("");
        } else {
            ++itemCount;
            total = result.Total;
        }
        if (runningShown) {
            lines_.SetCell(g, TLineColumn::RunningTotal,
                           FormatTotal(total, totalType, decimals, thousands));
        }
    }
    if (lines_.InGroup(last, LineGroup::kStandardTotal)) MarkFinalTotal(last, itemCount);
}

bool TStandardSeries::IsSeriesConsistent(LineIndex line) const {
    const LineIndex anchor = IsInsideEmbeddedSeries(lines_, line) ? EmbeddedLeadingBoundary(lines_, line) : line;
    const LineIndex first = tally::SeriesFirstLine(lines_, anchor);
    const LineIndex last = tally::SeriesLastLine(lines_, anchor);
    if (first == kNoLine) return true;
    for (LineIndex g = first; g <= last && g < tape_.LastLine(); ++g) {
        if (!lines_.InGroup(g, LineGroup::kEntryLine)) continue;
        const std::string_view entry = lines_.Entries(g);
        if (IsEmptyOrOperatorOnly(entry)) continue;
        if (!IsValidEntryNumber(entry)) return false;
        // Inside an embedded series the last entry may still be open; its total comes later.
        if (IsMultiplicativeEntry(entry) && !IsInsideEmbeddedSeries(lines_, g) &&
            !lines_.HasKind(g + 1, LineKind::kSeparator)) {
            return false;
        }
    }
    return true;
}

void TStandardSeries::RecalculateWithEmbedded(LineIndex line) {
    const LineIndex first = tally::SeriesFirstLine(lines_, line);
    const LineIndex last = tally::SeriesLastLine(lines_, line);
    if (first == kNoLine) return;
    for (LineIndex g = first; g <= last && lines_.IsLine(g); ++g) {
        if (lines_.HasKind(g, LineKind::kEmbeddedLeading) && lines_.IsLine(g + 1) &&
            !lines_.HasKind(g + 1, LineKind::kEmbeddedTrailing)) {
            Recalculate(g + 1);
        }
    }
    Recalculate(first);
}

long double TStandardSeries::TotalBefore(LineIndex line) const {
    const LineIndex first = IsInsideEmbeddedSeries(lines_, line)
                                ? EmbeddedLeadingBoundary(lines_, line) + 1
                                : FirstNormalLine(lines_, line);
    if (first == kNoLine || line <= first || first == tape_.LastLine()) return 0;
    const auto storedType = SeriesTotalType(lines_, first);
    const auto storedDecimals = SeriesDecimalPlaces(lines_, first);
    const std::string totalType = storedType ? *storedType : tape_.OpenSeriesTotalType();
    const int decimals = storedDecimals ? *storedDecimals : tape_.OpenSeriesDecimalPlaces();

    long double total = 0;
    LineIndex start = first;
    if (!IsTimeTotalType(totalType)) {
        // A decimal series can start from the nearest total above the line.
        for (LineIndex g = line - 1; g >= first; --g) {
            if (lines_.InGroup(g, LineGroup::kStandardTotal)) {
                total = EntryNumberValue(lines_.Entries(g));
                start = g + 1;
                break;
            }
            if (lines_.HasKind(g, LineKind::kEmbeddedTrailing)) {
                g = EmbeddedLeadingBoundary(lines_, g - 1);
                if (g == kNoLine) break;
            }
        }
    }
    for (LineIndex g = start; g < line; ++g) {
        const char kind = lines_.KindOf(g);
        if (KindInGroup(kind, LineGroup::kZeroTotal)) break;
        if (kind == LineKind::kEmbeddedLeading) {
            const LineIndex trailing = EmbeddedTrailingBoundary(lines_, g + 1);
            if (trailing == kNoLine || trailing >= line) break;
            g = trailing;
            continue;
        }
        if (!KindInGroup(kind, LineGroup::kEntryLine)) continue;
        const std::string_view entry = lines_.Entries(g);
        if (entry.empty() || IsOperatorOnlyEntry(entry) || !IsValidEntryNumber(entry)) continue;
        if (CheckOperation(entry, g == first, total, decimals, totalType, tape_.RoundingMethod())) {
            continue;
        }
        ApplyLineOperation(total, entry, decimals, totalType);
    }
    return total;
}

std::string TStandardSeries::ApplyEntry(std::string_view entryText) {
    // The series may first take the decimal places the entry carries; that recalculates the
    // series, so the running value below is read afterwards.
    IncreaseDecimalPlacesForEntry(tape_.LastLine(), entryText);
    const std::string totalType = tape_.OpenSeriesTotalType();
    const int decimals = tape_.OpenSeriesDecimalPlaces();
    // The running value takes the entry as the tape shows it, so that a later recalculation
    // of the same lines gives the same total (1:00:29 in an hours:minutes series is 01:00).
    const std::string normal = NormalFormEntry(SplitEntryOperand(entryText), totalType, decimals,
                                               tape_.RoundingMethod(), tape_.ShowThousands());
    long double running = tape_.RunningValue();
    if (!ApplyLineOperation(running, normal, decimals, totalType)) {
        return normal;  // the caller's check refuses such an entry; the value stays as it was
    }
    tape_.SetRunningValue(running, IsTimeTotalType(totalType) ? TimeTextOf(running, totalType)
                                                              : tape_.RunningTimeText());
    return normal;
}

TAdjacentTotal TStandardSeries::TotalToRemove(LineIndex earlierTotal, LineIndex laterTotal,
                                              bool deletedExternalTotal) const {
    if (deletedExternalTotal && IsLinkSource(laterTotal)) {
        // The later total feeds the embedded series that starts right after it.
        const LineIndex next = laterTotal + 1;
        if (lines_.HasKind(next, LineKind::kEmbeddedLeading)) {
            const std::string_view sourceNumber =
                LinkDataNumber(lines_.Property(laterTotal, LineKey::kLinkId));
            const std::string_view destination = lines_.Property(next + 1, LineKey::kLinkId);
            if (LinkDataRole(destination) == 'D' && LinkDataNumber(destination) == sourceNumber) {
                return TAdjacentTotal::Earlier;
            }
        }
    }
    const bool laterKept = IsLinkSource(laterTotal) || HasFilledTableColumn(laterTotal);
    const bool earlierAssigned = HasFilledTableColumn(earlierTotal);
    if (laterKept && !earlierAssigned &&
        (HasFilledTableColumn(laterTotal) || !IsLinkSource(earlierTotal))) {
        return TAdjacentTotal::Earlier;
    }
    return TAdjacentTotal::Later;
}

LineIndex TStandardSeries::RemoveAdjacentTotal(LineIndex earlierTotal, LineIndex laterTotal,
                                               bool deletedExternalTotal) {
    const TAdjacentTotal which = TotalToRemove(earlierTotal, laterTotal, deletedExternalTotal);
    const LineIndex removed = which == TAdjacentTotal::Later ? laterTotal : earlierTotal;
    if (which == TAdjacentTotal::Later && lines_.InGroup(laterTotal + 1, LineGroup::kZeroTotal)) {
        tape_.RecordTotalStatusChange(earlierTotal, "C");
    }
    // A total goes together with the separator line drawn above it.
    const bool withSeparator = lines_.HasKind(removed - 1, LineKind::kSeparator);
    const LineIndex firstRemoved = withSeparator ? removed - 1 : removed;
    lines_.RemoveLines(firstRemoved, withSeparator ? 2 : 1);
    Recalculate(std::min(firstRemoved, lines_.LastLine()));
    return firstRemoved;
}

}  // namespace tally
