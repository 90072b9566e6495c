#include "engine/sorting/segment_sort.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/lines/calc_params.h"
#include "engine/lines/operator_keys.h"
#include "engine/series/series_arithmetic.h"
#include "engine/series/series_base.h"
#include "engine/tape/calculator.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/number_texts.h"

namespace tally {
namespace {

bool IsEntryLine(const TLineStore& lines, LineIndex line) {
    return lines.InGroup(line, LineGroup::kEntryLine);
}

bool IsExternalTotalLine(const TLineStore& lines, LineIndex line) {
    return lines.HasKind(line - 1, LineKind::kEmbeddedTrailing);
}

bool IsTotalRangeLine(const TLineStore& lines, LineIndex line) {
    const std::string_view type = lines.Property(line, LineKey::kSeriesType);
    return type == "gro" || type == "groc" || type == "gra" || type == "grac";
}

// The last content line of an embedded series, the one an incomplete series is typed on.
bool IsLastEmbeddedContentLine(const TLineStore& lines, LineIndex line) {
    const std::string_view type = lines.Property(line, LineKey::kSeriesType);
    return (type == "e" || type == "c") && lines.InGroup(line + 1, LineGroup::kBoundary);
}

// The text the sort refuses with, checked in the order the user meets them; empty when the
// segment around the focus line can be sorted.
std::string_view SortRefusal(const TCalculator& tape) {
    const TLineStore& lines = tape.Lines();
    const LineIndex focus = tape.FocusLine();
    if (lines.LineCount() <= 1) return kSingleLineSegmentText;
    if (!IsEntryLine(lines, focus)) return kFocusNotInSegmentText;
    if (tape.IsLastLine(focus) && !IsEntryLine(lines, focus - 1)) return kEmptySegmentText;
    const std::optional<TTapeSegment> segment = TapeSegmentAround(tape, focus);
    if (!segment || !IsSegmentSortable(lines, *segment)) return kSegmentOperatorsText;
    for (LineIndex line = segment->First; line <= segment->Last; ++line) {
        // A text that is not a number has no place in the order, and would sort as zero.
        if (!IsValidEntryNumber(lines.Entries(line))) return kSegmentInvalidEntryText;
    }
    return {};
}

// Puts the lines of the segment into the order given by their original positions, moving
// whole rows so that cells, properties and heights stay together.
void ArrangeLines(TLineStore& lines, LineIndex first, const std::vector<LineIndex>& order) {
    const auto count = order.size();
    std::vector<LineIndex> positionOf(count);  // where each original line is now
    std::vector<LineIndex> originalAt(count);  // which original line is at each position
    for (std::size_t k = 0; k < count; ++k) positionOf[k] = originalAt[k] = static_cast<LineIndex>(k);
    for (std::size_t k = 0; k < count; ++k) {
        const auto wanted = static_cast<std::size_t>(order[k] - first);
        const auto from = static_cast<std::size_t>(positionOf[wanted]);
        if (from == k) continue;
        lines.SwapLines(first + static_cast<LineIndex>(k), first + static_cast<LineIndex>(from));
        const auto displaced = static_cast<std::size_t>(originalAt[k]);
        originalAt[from] = static_cast<LineIndex>(displaced);
        positionOf[displaced] = static_cast<LineIndex>(from);
        originalAt[k] = static_cast<LineIndex>(wanted);
        positionOf[wanted] = static_cast<LineIndex>(k);
    }
}

}  // namespace

std::optional<TTapeSegment> TapeSegmentAround(const TCalculator& tape, LineIndex line) {
    const TLineStore& lines = tape.Lines();
    if (lines.LineCount() < 2 || !lines.IsLine(line)) return std::nullopt;
    if (IsTotalRangeLine(lines, line) || IsExternalTotalLine(lines, line) ||
        !IsEntryLine(lines, line) || IsLastEmbeddedContentLine(lines, line)) {
        return std::nullopt;
    }
    const bool onLastLine = tape.IsLastLine(line);
    if (onLastLine && (!IsEntryLine(lines, line - 1) || IsExternalTotalLine(lines, line - 1))) {
        return std::nullopt;
    }
    TTapeSegment segment{line, line};
    while (IsEntryLine(lines, segment.First - 1) && !IsExternalTotalLine(lines, segment.First - 1)) {
        --segment.First;
    }
    if (onLastLine) {
        segment.Last = line - 1;
    } else {
        while (IsEntryLine(lines, segment.Last + 1) && !tape.IsLastLine(segment.Last + 1)) {
            ++segment.Last;
        }
    }
    return segment;
}

bool IsSegmentSortable(const TLineStore& lines, TTapeSegment segment) {
    for (LineIndex line = segment.First; line <= segment.Last; ++line) {
        std::string_view entry = lines.Entries(line);
        const char first = entry.empty() ? '\0' : entry.front();
        if (first != '+' && first != '-' && IsStoredOperator(first)) return false;
        while (!entry.empty() && IsStoredOperator(entry.front())) entry.remove_prefix(1);
        if (entry.empty()) return false;
    }
    return true;
}

bool CanSortTapeSegment(const TCalculator& tape) { return SortRefusal(tape).empty(); }

long double SegmentSortValue(std::string_view entryText) {
    const TEntryOperand operand = SplitEntryOperand(entryText);
    const long double value = EntryNumberValue(operand.NumberText);
    return operand.Operator == '-' ? -value : value;
}

bool SortTapeSegment(TCalculator& tape, TSortDirection direction) {
    std::string_view refusal = SortRefusal(tape);
    const LineIndex focus = tape.FocusLine();
    if (refusal.empty() && !tape.IsLastLine(focus) && tape.FocusEntryChanged()) {
        // The edit in progress belongs to the segment: commit it (its own refusal explains),
        // then look at the segment again, since the commit may have changed it.
        if (tape.CurrentSeries() == nullptr || !tape.CommitFocusEntryEdit()) return false;
        refusal = SortRefusal(tape);
    }
    if (!refusal.empty()) {
        Notifier().ExplainAndBeep(std::string(refusal));
        return false;
    }
    const TTapeSegment segment = *TapeSegmentAround(tape, tape.FocusLine());
    TLineStore& lines = tape.Lines();

    std::vector<std::pair<long double, LineIndex>> keyed;
    keyed.reserve(static_cast<std::size_t>(segment.Last - segment.First + 1));
    for (LineIndex line = segment.First; line <= segment.Last; ++line) {
        keyed.emplace_back(SegmentSortValue(lines.Entries(line)), line);
    }
    // Stable, so that lines of equal value keep their order in both directions.
    if (direction == TSortDirection::SmallToLarge) {
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    } else {
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
    }
    std::vector<LineIndex> order;
    order.reserve(keyed.size());
    for (const auto& entry : keyed) order.push_back(entry.second);
    ArrangeLines(lines, segment.First, order);

    if (TSeriesBase* series = tape.SeriesClaiming(segment.First)) series->Recalculate(segment.First);
    const LineIndex focusNow = tape.FocusLine();
    if (!tape.IsLastLine(focusNow)) tape.ReloadFocusLine();
    tape.AfterEditNotifications();
    tape.PostEditPass();
    return true;
}

}  // namespace tally
