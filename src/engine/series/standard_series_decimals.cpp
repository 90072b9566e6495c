// Decimal places and total types of standard series: the user's changes, the automatic ones
// made while entries are committed, and the queries that warn before a change loses accuracy.
#include <string>

#include "engine/decimals/entry_decimals.h"
#include "engine/lines/calc_params.h"
#include "engine/lines/link_data.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/series_arithmetic.h"
#include "engine/series/standard_series.h"
#include "engine/tape/calculator.h"
#include "foundation/numbers/number_texts.h"

namespace tally {
namespace {

// Calls visit(line) for every line of the series that holds `line`: the lines of the embedded
// series when the line is inside one, otherwise the series' normal lines (embedded series
// inside it are stepped over; they keep their own decimal places and total type).
template <class Visit>
void ForEachSeriesLine(const TLineStore& lines, LineIndex line, Visit visit) {
    if (IsInsideEmbeddedSeries(lines, line)) {
        const LineIndex trailing = EmbeddedTrailingBoundary(lines, line);
        const LineIndex last = trailing == kNoLine ? lines.LastLine() : trailing - 1;
        for (LineIndex g = EmbeddedLeadingBoundary(lines, line) + 1; g <= last; ++g) visit(g);
        return;
    }
    const LineIndex first = FirstNormalLine(lines, line);
    const LineIndex last = LastNormalLine(lines, line);
    if (first == kNoLine) return;
    for (LineIndex g = first; g <= last; ++g) {
        if (lines.HasKind(g, LineKind::kEmbeddedLeading)) {
            const LineIndex trailing = EmbeddedTrailingBoundary(lines, g);
            if (trailing == kNoLine) return;
            g = trailing;
            continue;
        }
        visit(g);
    }
}

bool IsLinkDestination(const TLineStore& lines, LineIndex line) {
    return LinkDataRole(lines.Property(line, LineKey::kLinkId)) == 'D';
}

// The entry lines the accuracy queries look at: typed entries of the series, not the open
// line being typed and not link destinations (their values come from elsewhere).
bool IsQueriedEntryLine(const TCalculator& tape, LineIndex line) {
    const TLineStore& lines = tape.Lines();
    return lines.InGroup(line, LineGroup::kEntryLine) && !tape.IsLastLine(line) &&
           !IsLinkDestination(lines, line);
}

void AppendLineNumber(std::string& list, LineIndex line) {
    if (!list.empty()) list += ", ";
    list += std::to_string(line + 1);
}

// Where a series keeps its settings: on its ending line, or in the tape for the open series.
void StoreDecimalPlaces(TCalculator& tape, LineIndex line, int decimals) {
    const LineIndex ending = SeriesEndingLine(tape.Lines(), line);
    if (ending == kNoLine) {
        tape.SetOpenSeriesDecimalPlaces(decimals);
    } else {
        tape.Lines().SetProperty(ending, LineKey::kDecimalPlaces, std::to_string(decimals));
    }
}

void StoreTotalType(TCalculator& tape, LineIndex line, std::string_view totalType) {
    const LineIndex ending = SeriesEndingLine(tape.Lines(), line);
    if (ending == kNoLine) {
        tape.SetOpenSeriesTotalType(totalType);
    } else {
        tape.Lines().SetProperty(ending, LineKey::kTotalType, totalType);
    }
}

int DecimalPlacesInForce(const TCalculator& tape, LineIndex line) {
    const auto stored = SeriesDecimalPlaces(tape.Lines(), line);
    return stored ? *stored : tape.OpenSeriesDecimalPlaces();
}

std::string TotalTypeInForce(const TCalculator& tape, LineIndex line) {
    const auto stored = SeriesTotalType(tape.Lines(), line);
    return stored ? *stored : tape.OpenSeriesTotalType();
}

}  // namespace

std::string TStandardSeries::LinesWithDecimalAccuracyReduced(LineIndex line, int decimals) const {
    const auto kept = static_cast<std::size_t>(decimals < 0 ? 0 : decimals);
    std::string list;
    ForEachSeriesLine(lines_, line, [&](LineIndex g) {
        if (!IsQueriedEntryLine(tape_, g)) return;
        const std::string number = SplitEntryOperand(lines_.Entries(g)).NumberText;
        const std::string_view digits = FractionDigits(number);
        // Trailing zeros beyond the new decimal places lose nothing.
        if (digits.size() > kept && digits.find_first_not_of('0', kept) != std::string_view::npos) {
            AppendLineNumber(list, g);
        }
    });
    return list;
}

std::string TStandardSeries::LinesWithDecimalTotalTooBig(LineIndex line) const {
    std::string list;
    ForEachSeriesLine(lines_, line, [&](LineIndex g) {
        if (!lines_.InGroup(g, LineGroup::kStandardTotal)) return;
        const std::string total = RemoveThousandSeparators(lines_.Entries(g));
        if (IsDecimalText(total) && HoursOverflow(EntryNumberValue(total))) AppendLineNumber(list, g);
    });
    return list;
}

std::string TStandardSeries::LinesWithTimeAccuracyReduced(LineIndex line, int components) const {
    std::string list;
    ForEachSeriesLine(lines_, line, [&](LineIndex g) {
        if (!IsQueriedEntryLine(tape_, g)) return;
        const std::string number = SplitEntryOperand(lines_.Entries(g)).NumberText;
        if (TimeComponentCount(number) <= components) return;
        if (SplitTime(number).Seconds.find_first_of("123456789") != std::string::npos) {
            AppendLineNumber(list, g);
        }
    });
    return list;
}

bool TStandardSeries::SetDecimalPlaces(int decimals) {
    const LineIndex focus = tape_.FocusLine();
    if (!ClaimsLine(focus)) return false;
    if (decimals == decimalPlaces_) return true;
    if (decimals < minimumDecimalPlaces_ || decimals > maximumDecimalPlaces_) return false;
    StoreDecimalPlaces(tape_, focus, decimals);
    decimalPlaces_ = decimals;
    Recalculate(focus);
    // The recalculation rewrote the entries in the new form, the focus entry with them.
    if (!tape_.IsLastLine(focus)) tape_.ReloadFocusLine();
    return true;
}

bool TStandardSeries::SetTotalType(std::string_view totalType) {
    const LineIndex focus = tape_.FocusLine();
    if (!ClaimsLine(focus) || !IsKnownTotalType(totalType)) return false;
    if (totalType == totalType_) return true;
    StoreTotalType(tape_, focus, totalType);
    totalType_ = totalType;
    Recalculate(focus);
    if (!tape_.IsLastLine(focus)) tape_.ReloadFocusLine();
    return true;
}

bool TStandardSeries::IncreaseDecimalPlacesForEntry(LineIndex line, std::string_view entryText) {
    if (!tape_.AutoIncreaseDecimalPlaces() || !ClaimsLine(line) || IsLinkDestination(lines_, line)) {
        return false;
    }
    const int digits = FractionDigitCount(SplitEntryOperand(entryText).NumberText);
    if (digits <= DecimalPlacesInForce(tape_, line) || digits > maximumDecimalPlaces_) return false;
    StoreDecimalPlaces(tape_, line, digits);
    if (tape_.CurrentSeries() == this) LoadSeriesState(tape_.FocusLine());
    Recalculate(line);
    if (tape_.Hooks().OnDecimalPlacesChange) tape_.Hooks().OnDecimalPlacesChange(tape_);
    return true;
}

bool TStandardSeries::SetTotalTypeForFirstEntry(LineIndex line, std::string_view entryText) {
    if (!tape_.AutoSetTotalType() || !ClaimsLine(line) || PreviousNormalLine(lines_, line) != kNoLine) {
        return false;
    }
    const std::string_view totalType = TotalTypeForEntry(entryText);
    if (totalType == TotalTypeInForce(tape_, line)) return false;
    StoreTotalType(tape_, line, totalType);
    if (tape_.CurrentSeries() == this) LoadSeriesState(tape_.FocusLine());
    Recalculate(line);
    if (tape_.Hooks().OnTotalTypeChange) tape_.Hooks().OnTotalTypeChange(tape_);
    return true;
}

}  // namespace tally
