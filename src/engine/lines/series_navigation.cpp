#include "engine/lines/series_navigation.h"

#include <algorithm>

namespace tally {

namespace {

using namespace LineKind;

bool IsRangeStart(const TLineStore& lines, LineIndex line) {
    return lines.InGroup(line, LineGroup::kLeadingRangeBoundary);
}

bool EndsSeries(const TLineStore& lines, LineIndex line) {
    return lines.InGroup(line, LineGroup::kSeriesEnding);
}

// The kinds that end a standard series or start a range: the bounds of a series that is not an
// embedded one.
constexpr std::string_view kSeriesBounds = "Zz]}>[{<";

// The "(" that opens the embedded series holding the line after `line - 1`: the nearest
// structural line before `line` when it is a "("; kNoLine when a ")", a series end or a range
// start comes first.
LineIndex OpeningBoundaryBefore(const TLineStore& lines, LineIndex line) {
    const LineIndex nearest = lines.StructuralLineAtOrBefore(line - 1);
    return lines.HasKind(nearest, kEmbeddedLeading) ? nearest : kNoLine;
}

// The first line after an opening "(" that ends its embedded series: its ")", or for a broken
// series the line that stops it (another "(", a series end, a range start) or LineCount().
// Every one of those is structural, so it is the next structural line.
LineIndex EmbeddedStop(const TLineStore& lines, LineIndex opening) {
    const LineIndex stop = lines.StructuralLineAtOrAfter(opening + 1);
    return stop == kNoLine ? lines.LineCount() : stop;
}

}  // namespace

LineIndex EmbeddedLeadingBoundary(const TLineStore& lines, LineIndex line) {
    if (!lines.IsLine(line)) return kNoLine;
    if (lines.HasKind(line, kEmbeddedLeading)) return line;
    return OpeningBoundaryBefore(lines, line);
}

LineIndex EmbeddedTrailingBoundary(const TLineStore& lines, LineIndex line) {
    const LineIndex opening = EmbeddedLeadingBoundary(lines, line);
    if (opening == kNoLine) return kNoLine;
    const LineIndex stop = EmbeddedStop(lines, opening);
    return lines.HasKind(stop, kEmbeddedTrailing) ? stop : kNoLine;
}

bool IsInsideEmbeddedSeries(const TLineStore& lines, LineIndex line) {
    const char kind = lines.KindOf(line);
    return kind != '\0' && kind != kEmbeddedLeading && kind != kEmbeddedTrailing &&
           OpeningBoundaryBefore(lines, line) != kNoLine;
}

LineIndex SeriesFirstLine(const TLineStore& lines, LineIndex line) {
    if (!lines.IsLine(line)) return kNoLine;
    if (IsInsideEmbeddedSeries(lines, line)) return OpeningBoundaryBefore(lines, line) + 1;
    if (IsRangeStart(lines, line)) return line;
    const LineIndex bound = lines.StructuralLineAtOrBefore(line - 1, kSeriesBounds);
    if (bound == kNoLine) return 0;
    return EndsSeries(lines, bound) ? bound + 1 : bound;
}

LineIndex SeriesLastLine(const TLineStore& lines, LineIndex line) {
    if (!lines.IsLine(line)) return kNoLine;
    if (IsInsideEmbeddedSeries(lines, line)) return EmbeddedStop(lines, OpeningBoundaryBefore(lines, line)) - 1;
    if (EndsSeries(lines, line)) return line;
    const LineIndex bound = lines.StructuralLineAtOrAfter(line + 1, kSeriesBounds);
    if (bound == kNoLine) return lines.LastLine();
    return EndsSeries(lines, bound) ? bound : bound - 1;
}

LineIndex FirstNormalLine(const TLineStore& lines, LineIndex line) {
    const LineIndex first = SeriesFirstLine(lines, line);
    if (first == kNoLine || IsInsideEmbeddedSeries(lines, line)) return first;
    const LineIndex last = SeriesLastLine(lines, line);
    for (LineIndex i = first; i <= last; ++i) {
        if (lines.HasKind(i, kEmbeddedLeading)) {
            // Skip the embedded series; the loop steps past its ")" (or onto the line that
            // stops a series whose ")" is missing).
            const LineIndex stop = EmbeddedStop(lines, i);
            i = lines.HasKind(stop, kEmbeddedTrailing) ? stop : stop - 1;
            continue;
        }
        if (!lines.InGroup(i, LineGroup::kBoundary)) return i;
    }
    return kNoLine;
}

LineIndex LastNormalLine(const TLineStore& lines, LineIndex line) {
    const LineIndex last = SeriesLastLine(lines, line);
    if (last == kNoLine || IsInsideEmbeddedSeries(lines, line)) return last;
    const LineIndex first = SeriesFirstLine(lines, line);
    for (LineIndex i = last; i >= first; --i) {
        if (lines.HasKind(i, kEmbeddedTrailing)) {
            const LineIndex opening = OpeningBoundaryBefore(lines, i);
            if (opening != kNoLine) i = opening;  // the loop steps before its "("
            continue;
        }
        if (!lines.InGroup(i, LineGroup::kBoundary)) return i;
    }
    return kNoLine;
}

LineIndex PreviousNormalLine(const TLineStore& lines, LineIndex line) {
    if (!lines.IsLine(line)) return kNoLine;
    if (IsInsideEmbeddedSeries(lines, line)) {
        return lines.HasKind(line - 1, kEmbeddedLeading) ? kNoLine : line - 1;
    }
    LineIndex i = line - 1;
    if (lines.HasKind(line, kEmbeddedTrailing)) {
        const LineIndex opening = OpeningBoundaryBefore(lines, line);
        if (opening != kNoLine) i = opening - 1;
    }
    while (i >= 0) {
        if (EndsSeries(lines, i)) return kNoLine;
        if (lines.HasKind(i, kEmbeddedTrailing)) {
            const LineIndex opening = OpeningBoundaryBefore(lines, i);
            if (opening == kNoLine) return kNoLine;
            i = opening - 1;
            continue;
        }
        if (lines.InGroup(i, LineGroup::kBoundary)) return kNoLine;
        return i;
    }
    return kNoLine;
}

LineIndex NextNormalLine(const TLineStore& lines, LineIndex line) {
    if (!lines.IsLine(line)) return kNoLine;
    if (IsInsideEmbeddedSeries(lines, line)) {
        return IsInsideEmbeddedSeries(lines, line + 1) ? line + 1 : kNoLine;
    }
    if (EndsSeries(lines, line)) return kNoLine;
    LineIndex i = lines.HasKind(line, kEmbeddedLeading) ? line : line + 1;
    while (lines.IsLine(i)) {
        if (lines.HasKind(i, kEmbeddedLeading)) {
            const LineIndex stop = EmbeddedStop(lines, i);
            if (!lines.HasKind(stop, kEmbeddedTrailing)) return kNoLine;
            i = stop + 1;
            continue;
        }
        if (lines.InGroup(i, LineGroup::kZeroTotal)) return i;
        if (lines.InGroup(i, LineGroup::kBoundary)) return kNoLine;
        return i;
    }
    return kNoLine;
}

LineIndex NextLineOfKind(const TLineStore& lines, LineIndex start, char kind) {
    if (KindInGroup(kind, TLineStore::kStructuralKinds)) {
        return lines.StructuralLineAtOrAfter(start, std::string_view(&kind, 1));
    }
    for (LineIndex i = std::max(start, 0); i < lines.LineCount(); ++i) {
        if (lines.HasKind(i, kind)) return i;
    }
    return kNoLine;
}

LineIndex PreviousLineOfKind(const TLineStore& lines, LineIndex start, char kind) {
    if (KindInGroup(kind, TLineStore::kStructuralKinds)) {
        return lines.StructuralLineAtOrBefore(start, std::string_view(&kind, 1));
    }
    for (LineIndex i = std::min(start, lines.LastLine()); i >= 0; --i) {
        if (lines.HasKind(i, kind)) return i;
    }
    return kNoLine;
}

bool IsStandardZeroTotalLine(const TLineStore& lines, LineIndex line) {
    return lines.HasKind(line, kZeroTotal) && lines.Property(line, LineKey::kSeriesType).empty();
}

bool ClosesStandardSeriesOrRange(const TLineStore& lines, LineIndex line) {
    const char kind = lines.KindOf(line);
    return IsStandardZeroTotalLine(lines, line) || kind == kGroupTrailing || kind == kGrandTrailing ||
           kind == kReadZeroTotal;
}

LineIndex SeriesEndingLine(const TLineStore& lines, LineIndex line) {
    if (!lines.IsLine(line)) return kNoLine;
    if (EmbeddedLeadingBoundary(lines, line) != kNoLine) return EmbeddedTrailingBoundary(lines, line);
    const LineIndex last = SeriesLastLine(lines, line);
    return EndsSeries(lines, last) ? last : kNoLine;
}

std::optional<std::string> SeriesTotalType(const TLineStore& lines, LineIndex line) {
    const LineIndex ending = SeriesEndingLine(lines, line);
    if (ending == kNoLine) return std::nullopt;
    const std::string_view totalType = lines.Property(ending, LineKey::kTotalType);
    return std::string(totalType.empty() ? kDecimalTotalType : totalType);
}

std::optional<int> SeriesDecimalPlaces(const TLineStore& lines, LineIndex line, char decimalSeparator) {
    const LineIndex ending = SeriesEndingLine(lines, line);
    if (ending == kNoLine) return std::nullopt;
    if (const TCalcParams* params = lines.Params(ending)) {
        if (const std::optional<int> places = params->DecimalPlaces()) return places;
    }
    if (!lines.InGroup(ending, LineGroup::kZeroTotal)) return kDefaultSeriesDecimalPlaces;
    const std::string_view entries = lines.Entries(ending);
    const std::size_t separator = entries.find(decimalSeparator);
    if (separator == std::string_view::npos) return 0;
    int digits = 0;
    for (std::size_t i = separator + 1; i < entries.size() && entries[i] >= '0' && entries[i] <= '9'; ++i) {
        ++digits;
    }
    return std::min(digits, kMaxSeriesDecimalPlaces);
}

}  // namespace tally
