#include "engine/records/record_builder.h"

#include "engine/lines/calc_params.h"
#include "engine/lines/line_kinds.h"
#include "engine/lines/series_navigation.h"
#include "foundation/numbers/number_format.h"

namespace tally {

namespace {

constexpr std::string_view kEmbeddedSeriesType = "e";
constexpr std::string_view kUnknownSeriesType = "?";
constexpr std::string_view kClosingKinds = LineGroup::kSeriesEnding;

TRecordLineGroup GroupOfLine(const TRecordSource& source, LineIndex line) {
    TRecordLineGroup group;
    group.entry = std::string(source.lines.Entries(line));
    group.symbol = std::string(source.lines.Indicator(line));
    group.calcParams = source.lines.ParamsText(line);
    if (source.withAnnotations) group.annot = std::string(source.lines.Annotations(line));
    return group;
}

TRecordLineGroup MadeUpZeroTotal(int decimals, const TCalcParams& params) {
    return {FormatDecimal(0.0L, decimals, false), std::string(1, LineKind::kZeroTotal), params.Text(), {}};
}

TTapeRecord EmptyRecord(const TRecordSource& source, TRecordKind kind) {
    TTapeRecord record;
    record.kind = kind;
    record.sessionId = source.sessionId;
    record.operation = source.operation;
    record.withAnnotations = source.withAnnotations;
    return record;
}

bool IsOpenLastLine(const TLineStore& lines, LineIndex line) {
    return line == lines.LastLine() && lines.Entries(line).empty();
}

// The open last line after a total line becomes the zero total the series would get.
TRecordLineGroup OpenSeriesZeroTotal(const TRecordSource& source, std::string_view seriesType) {
    TCalcParams params;
    params.SetValue(LineKey::kTotalType, source.openTotalType);
    params.SetValue(LineKey::kDecimalPlaces, std::to_string(source.openDecimals));
    params.SetValue(LineKey::kSeriesType, seriesType);
    return MadeUpZeroTotal(source.openDecimals, params);
}

// Appends the groups of first..last; the open last line after a total line is written as a
// made-up zero total line.
void AppendLines(const TRecordSource& source, TLineRange range, TTapeRecord& record) {
    const TLineStore& lines = source.lines;
    record.groups.reserve(record.groups.size() + static_cast<std::size_t>(range.last - range.first + 1));
    for (LineIndex line = range.first; line <= range.last; ++line) {
        if (line == range.last && IsOpenLastLine(lines, line) && lines.InGroup(line - 1, LineGroup::kTotalLine)) {
            record.groups.push_back(OpenSeriesZeroTotal(source, record.seriesType));
        } else {
            record.groups.push_back(GroupOfLine(source, line));
        }
    }
}

TTapeRecord EmbeddedContentAsSeries(const TRecordSource& source, LineIndex line) {
    const TLineStore& lines = source.lines;
    TTapeRecord record = EmptyRecord(source, TRecordKind::CalcSeries);
    record.seriesType = RecordSeriesType(lines, line);
    const LineIndex opening = EmbeddedLeadingBoundary(lines, line);
    const LineIndex trailing = EmbeddedTrailingBoundary(lines, line);
    if (opening == kNoLine || trailing == kNoLine) return record;
    for (LineIndex g = opening + 1; g < trailing; ++g) {
        TRecordLineGroup group = GroupOfLine(source, g);
        TCalcParams params = TCalcParams::FromText(group.calcParams);
        params.SetValue(LineKey::kSeriesType, record.seriesType);
        // A copy's embedded total is no longer the source of the links it fed.
        if (g == trailing - 1 && source.operation != RecordOperation::kCut) params.SetValue(LineKey::kLinkId, {});
        group.calcParams = params.Text();
        record.groups.push_back(std::move(group));
    }
    const TCalcParams* trailingParams = lines.Params(trailing);
    TCalcParams params = trailingParams ? *trailingParams : TCalcParams{};
    params.SetValue(LineKey::kSeriesType, record.seriesType);
    record.groups.push_back(MadeUpZeroTotal(params.DecimalPlaces().value_or(kDefaultSeriesDecimalPlaces), params));
    return record;
}

}  // namespace

std::string RecordSeriesType(const TLineStore& lines, LineIndex line) {
    if (!lines.IsLine(line)) return std::string(kUnknownSeriesType);
    const std::string_view own = lines.Property(line, LineKey::kSeriesType);
    if (own != kEmbeddedSeriesType) return std::string(own);
    // An embedded line: its external total line, after the ")", belongs to the containing series.
    const LineIndex trailing = EmbeddedTrailingBoundary(lines, line);
    if (trailing == kNoLine || !lines.IsLine(trailing + 1)) return std::string(kUnknownSeriesType);
    const std::string_view containing = lines.Property(trailing + 1, LineKey::kSeriesType);
    return std::string(containing == kEmbeddedSeriesType ? kUnknownSeriesType : containing);
}

TLineRange StandardSeriesRecordRange(const TLineStore& lines, LineIndex line) {
    if (!lines.IsLine(line)) return {};
    const LineIndex previousClosing = line == 0 ? kNoLine : lines.StructuralLineAtOrBefore(line - 1, kClosingKinds);
    const LineIndex nextClosing = lines.StructuralLineAtOrAfter(line, kClosingKinds);
    return {previousClosing + 1, nextClosing == kNoLine ? lines.LastLine() : nextClosing};
}

TLineRange EmbeddedSeriesRecordRange(const TLineStore& lines, LineIndex line) {
    const LineIndex opening = EmbeddedLeadingBoundary(lines, line);
    const LineIndex trailing = EmbeddedTrailingBoundary(lines, line);
    if (opening == kNoLine || trailing == kNoLine || !lines.IsLine(trailing + 1)) return {};
    return {opening, trailing + 1};
}

TLineRange TotalRangeRecordRange(const TLineStore& lines, LineIndex line, std::string_view seriesType) {
    if (!lines.IsLine(line)) return {};
    const bool group = seriesType == "gro";
    const std::string_view before = group ? "]}" : "}";
    const std::string_view closing = group ? "]" : "}";
    const LineIndex previous = line == 0 ? kNoLine : lines.StructuralLineAtOrBefore(line - 1, before);
    const LineIndex next = lines.StructuralLineAtOrAfter(line, closing);
    if (next == kNoLine) return {};
    return {previous + 1, next};
}

TLineRecord BuildLineRecord(const TRecordSource& source, LineIndex line) {
    const TLineStore& lines = source.lines;
    TLineRecord record;
    record.sessionId = source.sessionId;
    record.operation = source.operation;
    record.entry = std::string(lines.Entries(line));
    record.linkId = std::string(lines.Property(line, LineKey::kLinkId));
    record.tableColId = std::string(lines.Property(line, LineKey::kTableColumnId));
    record.tableColNum = std::string(lines.Property(line, LineKey::kTableColumnNumber));
    if (source.withAnnotations) record.annot = std::string(lines.Annotations(line));
    record.seriesType = RecordSeriesType(lines, line);
    return record;
}

TTapeRecord BuildSeriesRecord(const TRecordSource& source, LineIndex line) {
    if (IsInsideEmbeddedSeries(source.lines, line) && source.operation != RecordOperation::kCopyToSide) {
        return EmbeddedContentAsSeries(source, line);
    }
    TTapeRecord record = EmptyRecord(source, TRecordKind::CalcSeries);
    record.seriesType = RecordSeriesType(source.lines, line);
    const TLineRange range = StandardSeriesRecordRange(source.lines, line);
    if (range.IsValid()) AppendLines(source, range, record);
    return record;
}

TTapeRecord BuildEmbeddedSeriesRecord(const TRecordSource& source, LineIndex line) {
    TTapeRecord record = EmptyRecord(source, TRecordKind::EmbeddedSeries);
    record.seriesType = RecordSeriesType(source.lines, line);
    const TLineRange range = EmbeddedSeriesRecordRange(source.lines, line);
    if (!range.IsValid()) return record;
    for (LineIndex g = range.first; g <= range.last; ++g) record.groups.push_back(GroupOfLine(source, g));
    return record;
}

TTapeRecord BuildTotalRangeRecord(const TRecordSource& source, LineIndex line, std::string_view seriesType) {
    TTapeRecord record =
        EmptyRecord(source, seriesType == "gro" ? TRecordKind::GroupTotalRange : TRecordKind::GrandTotalRange);
    const TLineRange range = TotalRangeRecordRange(source.lines, line, seriesType);
    if (range.IsValid()) AppendLines(source, range, record);
    return record;
}

TTapeRecord BuildTapeRecord(const TRecordSource& source) {
    const TLineStore& lines = source.lines;
    TTapeRecord record = EmptyRecord(source, TRecordKind::EntireTape);
    LineIndex last = lines.LastLine();
    // The open last line after a closing line is no line of the copy.
    if (IsOpenLastLine(lines, last) && lines.InGroup(last - 1, kClosingKinds)) --last;
    if (last >= 0) AppendLines(source, {0, last}, record);
    return record;
}

void InsertRecordLines(TLineStore& lines, LineIndex at, const std::vector<TRecordLineGroup>& groups,
                       bool withAnnotations) {
    if (groups.empty() || at < 0 || at > lines.LineCount()) return;
    lines.InsertLines(at, static_cast<LineIndex>(groups.size()));
    LineIndex line = at;
    for (const TRecordLineGroup& group : groups) {
        lines.SetEntries(line, group.entry);
        lines.SetIndicator(line, group.symbol);
        if (!group.calcParams.empty()) lines.SetParamsText(line, group.calcParams);
        if (withAnnotations && !group.annot.empty()) lines.SetCell(line, TLineColumn::Annotations, group.annot);
        ++line;
    }
}

}  // namespace tally
