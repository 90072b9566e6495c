// May the working tape's focus series be copied to the side tape? The checks run in a fixed
// order and the first that fails gives the reason.
#include "engine/lines/series_navigation.h"
#include "engine/series/series_base.h"
#include "foundation/numbers/number_texts.h"
#include "tapes/side_calculator.h"

namespace tally {
namespace {

struct TLineRange {
    LineIndex First = kNoLine;
    LineIndex Last = kNoLine;
    bool EndsWithTotal = false;
};

// The series that holds the line, or the embedded series when `embedded` and the line is in
// one. A series ends with a total when its closing line is a total or zero total line, or
// when it runs to an empty last line that follows a total line.
TLineRange SeriesRange(const TCalculator& tape, LineIndex line, bool embedded) {
    const TLineStore& lines = tape.Lines();
    TLineRange range;
    if (embedded) {
        const LineIndex trailing = EmbeddedTrailingBoundary(lines, line);
        range.First = EmbeddedLeadingBoundary(lines, line) + 1;
        range.Last = trailing == kNoLine ? tape.LastLine() : trailing - 1;
        range.EndsWithTotal = trailing != kNoLine && lines.InGroup(range.Last, LineGroup::kTotalLine);
        return range;
    }
    range.First = SeriesFirstLine(lines, line);
    range.Last = SeriesLastLine(lines, line);
    range.EndsWithTotal = lines.InGroup(range.Last, LineGroup::kZeroTotal) ||
                          lines.InGroup(range.Last, LineGroup::kTotalLine) ||
                          (tape.IsLastLine(range.Last) && lines.Entries(range.Last).empty() &&
                           lines.InGroup(range.Last - 1, LineGroup::kTotalLine));
    return range;
}

bool AllEntriesValid(const TLineStore& lines, const TLineRange& range) {
    for (LineIndex line = range.First; line <= range.Last && lines.IsLine(line); ++line) {
        if (!lines.InGroup(line, LineGroup::kEntryLine)) continue;
        const std::string_view entry = lines.Entries(line);
        if (!entry.empty() && !IsValidEntryNumber(entry)) return false;
    }
    return true;
}

// The reasons a series is refused for: no total at its end, an invalid entry.
struct TSeriesReasons {
    std::string_view MustEndWithTotal;
    std::string_view MustHaveValidEntries;
};

constexpr TSeriesReasons kOwnSeriesReasons = {
    "A calculation series must end with either a total line or a zero total line before the series can be "
    "copied to the side tape.",
    "A calculation series must have all valid entry values before the series can be copied to the side tape."};
constexpr TSeriesReasons kContainerSeriesReasons = {
    "An embedded series' container series must end with either a total line or a zero total line before the "
    "container series can be copied to the side tape.",
    "An embedded series' container series  must have all valid entry values before the container series can be "
    "copied to the side tape."};

bool Refuse(std::string& reason, std::string_view text) {
    reason = text;
    return false;
}

bool SeriesMayBeCopied(const TLineStore& lines, const TLineRange& range, const TSeriesReasons& reasons,
                       std::string& reason) {
    if (!range.EndsWithTotal) return Refuse(reason, reasons.MustEndWithTotal);
    if (!AllEntriesValid(lines, range)) return Refuse(reason, reasons.MustHaveValidEntries);
    return true;
}

}  // namespace

bool CanCopySeriesToSide(const TCalculator& workingTape, std::string& reason) {
    reason.clear();
    const TLineStore& lines = workingTape.Lines();
    const LineIndex focus = workingTape.FocusLine();
    const TSeriesBase* series = workingTape.SeriesClaiming(focus);
    const std::string_view kind = series != nullptr ? std::string_view(series->SeriesTypeCode()) : std::string_view{};
    if (kind == "gro") return Refuse(reason, "Group totals cannot be copied to the side tape.");
    if (kind == "gra") return Refuse(reason, "Grand totals cannot be copied to the side tape.");
    if (lines.HasKind(focus, LineKind::kEmbeddedLeading) || lines.HasKind(focus, LineKind::kEmbeddedTrailing)) {
        return Refuse(reason,
                      "Move the focus highlight off of an embedded series' boundary line before copying its "
                      "container series to the side tape.");
    }
    if (lines.InGroup(focus, LineGroup::kBoundary)) {
        return Refuse(reason,
                      "Move the focus highlight off of a series' boundary line before copying the series to the "
                      "side tape.");
    }
    const bool embedded = IsInsideEmbeddedSeries(lines, focus);
    if (!SeriesMayBeCopied(lines, SeriesRange(workingTape, focus, embedded), kOwnSeriesReasons, reason)) return false;
    if (!embedded) return true;
    return SeriesMayBeCopied(lines, SeriesRange(workingTape, EmbeddedLeadingBoundary(lines, focus), false),
                             kContainerSeriesReasons, reason);
}

}  // namespace tally
