#include "links/tape_copy.h"

#include <algorithm>

#include "engine/lines/series_navigation.h"
#include "engine/records/record_builder.h"
#include "engine/series/series_base.h"
#include "engine/tape/calculator.h"
#include "foundation/notifications/notifier.h"
#include "platform/clipboard.h"

namespace tally {

namespace {

constexpr std::string_view kEmbeddedSeriesType = "e";

bool Refuse(std::string explanation = {}) {
    Notifier().ExplainAndBeep(std::move(explanation));
    return false;
}

bool IsOpenLastLine(const TLineStore& lines, LineIndex line) {
    return line == lines.LastLine() && lines.Entries(line).empty();
}

bool IsValidEntryAt(const TCalculator& tape, LineIndex line) {
    const TSeriesBase* series = tape.SeriesClaiming(line);
    return series != nullptr && series->IsValidEntry(tape.Lines().Entries(line));
}

}  // namespace

bool AreEntriesValid(const TCalculator& tape, LineIndex first, LineIndex last) {
    const TLineStore& lines = tape.Lines();
    for (LineIndex line = first; line <= last; ++line) {
        if (!lines.InGroup(line, LineGroup::kEntryLine) || IsOpenLastLine(lines, line)) continue;
        if (!IsValidEntryAt(tape, line)) return false;
    }
    return true;
}

bool IsSeriesValid(const TCalculator& tape, LineIndex line) {
    const TLineRange range = StandardSeriesRecordRange(tape.Lines(), line);
    return range.IsValid() && AreEntriesValid(tape, range.first, range.last);
}

bool IsCopyableLine(const TCalculator& tape, LineIndex line) {
    const TLineStore& lines = tape.Lines();
    const bool entryOrTotal = lines.InGroup(line, LineGroup::kEntryLine) || lines.InGroup(line, LineGroup::kTotalLine);
    return entryOrTotal && !lines.InGroup(line, LineGroup::kBoundary) && IsValidEntryAt(tape, line);
}

bool MayCutEntryText(const TCalculator& tape, LineIndex line) {
    const TLineStore& lines = tape.Lines();
    if (!lines.InGroup(line, LineGroup::kEntryLine)) return false;
    const std::string seriesType = RecordSeriesType(lines, line);
    const bool externalTotal = line > 0 && lines.HasKind(line - 1, LineKind::kEmbeddedTrailing);
    return seriesType != "gro" && seriesType != "gra" && !externalTotal && IsValidEntryAt(tape, line);
}

TRecordSource TTapeCopier::Source(std::string_view operation) const {
    return {tape_.Lines(), sessionId_, std::string(operation), tape_.IsColumnShown(TTapeColumn::Annotations),
            tape_.OpenSeriesDecimalPlaces(), tape_.OpenSeriesTotalType()};
}

bool TTapeCopier::Write(const std::string& text) {
    clipboard_.SetText(text);
    return true;
}

bool TTapeCopier::CopyLineAt(LineIndex line) {
    if (!CanCopyLine(line)) return Refuse("Can not copy from line " + tape_.LineName(line) + ".");
    const TRecordSource source = Source(RecordOperation::kCopy);
    return Write(WriteLineRecord(BuildLineRecord(source, line)));
}

bool TTapeCopier::CopyLine() { return CopyLineAt(tape_.FocusLine()); }

bool IsSeriesCompleteAndValid(const TCalculator& tape, LineIndex line) {
    const TLineStore& lines = tape.Lines();
    TLineRange range = StandardSeriesRecordRange(lines, line);
    if (IsInsideEmbeddedSeries(lines, line)) {
        const LineIndex trailing = EmbeddedTrailingBoundary(lines, line);
        if (trailing == kNoLine) return false;
        range = {EmbeddedLeadingBoundary(lines, line) + 1, trailing - 1};
        return lines.InGroup(range.last, LineGroup::kStandardTotal) && AreEntriesValid(tape, range.first, range.last);
    }
    if (!range.IsValid()) return false;
    const LineIndex last = range.last;
    const bool complete = lines.InGroup(last, LineGroup::kZeroTotal) || lines.InGroup(last, LineGroup::kTotalLine) ||
                          (IsOpenLastLine(lines, last) && lines.InGroup(last - 1, LineGroup::kTotalLine));
    return complete && AreEntriesValid(tape, range.first, last);
}

bool CanCopySeries(const TCalculator& tape) {
    const TLineStore& lines = tape.Lines();
    const LineIndex focus = tape.FocusLine();
    const std::string seriesType = RecordSeriesType(lines, focus);
    return seriesType != "gro" && seriesType != "gra" && !lines.InGroup(focus, LineGroup::kBoundary) &&
           IsSeriesCompleteAndValid(tape, focus);
}

bool CanCopyEmbeddedSeries(const TCalculator& tape) {
    const TLineStore& lines = tape.Lines();
    const LineIndex focus = tape.FocusLine();
    if (lines.Property(focus, LineKey::kSeriesType) != kEmbeddedSeriesType) return false;
    const LineIndex trailing = EmbeddedTrailingBoundary(lines, focus);
    if (trailing == kNoLine || !lines.InGroup(trailing - 1, LineGroup::kStandardTotal)) return false;
    const LineIndex leading = EmbeddedLeadingBoundary(lines, focus);
    return AreEntriesValid(tape, leading + 1, trailing - 1) && lines.IsLine(trailing + 1);
}

bool CanCopyTotalRange(const TCalculator& tape, std::string_view seriesType) {
    const LineIndex focus = tape.FocusLine();
    return tape.Lines().Property(focus, LineKey::kSeriesType) == seriesType &&
           TotalRangeRecordRange(tape.Lines(), focus, seriesType).IsValid();
}

bool CanCopyTape(const TCalculator& tape) {
    const TLineStore& lines = tape.Lines();
    const LineIndex last = lines.LastLine();
    if (last < 1 || !lines.Entries(last).empty()) return false;
    const bool endsProperly = lines.InGroup(last - 1, LineGroup::kZeroTotal) ||
                              lines.HasKind(last - 1, LineKind::kGroupTrailing) ||
                              lines.HasKind(last - 1, LineKind::kGrandTrailing) || IsSeriesCompleteAndValid(tape, last);
    return endsProperly && AreEntriesValid(tape, 0, last);
}

bool TTapeCopier::CopySeries(std::string_view target) {
    const LineIndex focus = tape_.FocusLine();
    // On a range line nothing happens; any other failed check beeps.
    const std::string seriesType = RecordSeriesType(tape_.Lines(), focus);
    if (seriesType == "gro" || seriesType == "gra") return false;
    if (!CanCopySeries(tape_)) return Refuse();
    const TRecordSource source = Source(target);
    return Write(WriteTapeRecord(BuildSeriesRecord(source, focus)));
}

bool TTapeCopier::CopyEmbeddedSeries() {
    if (!CanCopyEmbeddedSeries(tape_)) return false;
    const TRecordSource source = Source(RecordOperation::kCopy);
    return Write(WriteTapeRecord(BuildEmbeddedSeriesRecord(source, tape_.FocusLine())));
}

bool TTapeCopier::CopyTotalRange(std::string_view seriesType) {
    if (!CanCopyTotalRange(tape_, seriesType)) return false;
    return Write(
        WriteTapeRecord(BuildTotalRangeRecord(Source(RecordOperation::kCopy), tape_.FocusLine(), seriesType)));
}

bool TTapeCopier::CopyTape() {
    if (!CanCopyTape(tape_)) return Refuse();
    const TRecordSource source = Source(RecordOperation::kCopy);
    return Write(WriteTapeRecord(BuildTapeRecord(source)));
}

bool TTapeCopier::CutWith(const std::string& text, const std::function<bool()>& remove) {
    const std::string previous = clipboard_.GetText();
    clipboard_.SetText(text);
    if (remove()) return true;
    clipboard_.SetText(previous);
    return false;
}

bool TTapeCopier::IsOnlyEntryOfSeries(LineIndex line) const {
    const TLineStore& lines = tape_.Lines();
    if (StandardSeriesRecordRange(lines, line).first != line || line == lines.LastLine()) return false;
    if (!lines.HasKind(line + 1, '=') || !lines.HasKind(line + 2, 'T')) return false;
    const std::string_view tableColumn = lines.Property(line + 2, LineKey::kTableColumnId);
    return tableColumn.empty() || tape_.IsTableColumnEmpty(tableColumn);
}

bool TTapeCopier::CutLine() {
    const TLineStore& lines = tape_.Lines();
    const LineIndex focus = tape_.FocusLine();
    if (!lines.InGroup(focus, LineGroup::kEntryLine)) return false;
    if (!MayCutEntryText(tape_, focus)) return Refuse();
    const std::string text = WriteLineRecord(BuildLineRecord(Source(RecordOperation::kCut), focus));
    const bool wholeSeries = IsOnlyEntryOfSeries(focus);
    return CutWith(text, [&] { return wholeSeries ? tape_.DeleteSeries() : tape_.DeleteLine(); });
}

bool TTapeCopier::CutSeries() {
    TLineStore& lines = tape_.Lines();
    const LineIndex focus = tape_.FocusLine();
    const std::string seriesType = RecordSeriesType(lines, focus);
    if (seriesType == "gro") return Refuse("Cannot cut a group total to the clipboard.");
    if (seriesType == "gra") return Refuse("Cannot cut a grand total to the clipboard.");
    if (!CanCopySeries(tape_)) return Refuse();
    const std::string text = WriteTapeRecord(BuildSeriesRecord(Source(RecordOperation::kCut), focus));
    if (!IsInsideEmbeddedSeries(lines, focus)) return CutWith(text, [&] { return tape_.DeleteSeries(); });
    return CutWith(text, [&] {
        if (!tape_.EmptyEmbeddedSeries()) return false;
        // The one blank line left keeps nothing of the cut lines' links and table columns.
        const LineIndex blank = tape_.FocusLine();
        for (std::string_view key : {LineKey::kLinkId, LineKey::kTableColumnId, LineKey::kTableColumnNumber}) {
            lines.SetProperty(blank, key, {});
        }
        lines.SetCell(blank, TLineColumn::Links, {});
        lines.SetCell(blank, TLineColumn::TableColumns, {});
        return true;
    });
}

bool TTapeCopier::CutEmbeddedSeries() {
    const TLineStore& lines = tape_.Lines();
    const LineIndex focus = tape_.FocusLine();
    if (!CanCopyEmbeddedSeries(tape_)) return false;
    const std::string text = WriteTapeRecord(BuildEmbeddedSeriesRecord(Source(RecordOperation::kCut), focus));
    const LineIndex externalTotal = EmbeddedTrailingBoundary(lines, focus) + 1;
    return CutWith(text, [&] {
        if (!IsOnlyEntryOfSeries(externalTotal)) return tape_.DeleteEmbeddedSeries();
        tape_.SetFocusLine(externalTotal);
        return tape_.DeleteSeries();
    });
}

void TTapeCopier::RemoveRange(TLineRange range, bool groupRange) {
    TLineStore& lines = tape_.Lines();
    lines.RemoveLines(range.first, range.last - range.first + 1);
    tape_.SetFocusLine(std::min(range.first, lines.LastLine()));
    tape_.UpdateReviewMode();
    tape_.CallLineCountChange();
    tape_.AfterEditNotifications();
    tape_.PostEditPass();
    if (!groupRange) return;
    // The totals after the removed group range learn that a group went.
    const LineIndex closing = lines.StructuralLineAtOrAfter(range.first, LineGroup::kSeriesEnding);
    for (LineIndex line = closing - 1; closing != kNoLine && line >= range.first; --line) {
        if (lines.InGroup(line, LineGroup::kTotalLine)) {
            tape_.RecordTotalStatusChange(line, "gD");
            tape_.PostEditPass();
            break;
        }
    }
}

bool TTapeCopier::CutTotalRange(std::string_view seriesType) {
    const TLineStore& lines = tape_.Lines();
    const LineIndex focus = tape_.FocusLine();
    if (!CanCopyTotalRange(tape_, seriesType)) return false;
    clipboard_.SetText(WriteTapeRecord(BuildTotalRangeRecord(Source(RecordOperation::kCut), focus, seriesType)));
    TLineRange range = TotalRangeRecordRange(lines, focus, seriesType);
    const bool groupRange = seriesType == "gro";
    // A group range that was the whole content of the grand range after it leaves that grand
    // range with nothing to total: it goes too.
    if (groupRange && lines.HasKind(range.last + 1, LineKind::kGrandLeading) &&
        TotalRangeRecordRange(lines, range.last + 1, "gra").first == range.first) {
        range.last = TotalRangeRecordRange(lines, range.last + 1, "gra").last;
    }
    RemoveRange(range, groupRange);
    return true;
}

bool TTapeCopier::CutTape() {
    if (!CanCopyTape(tape_)) return Refuse();
    clipboard_.SetText(WriteTapeRecord(BuildTapeRecord(Source(RecordOperation::kCut))));
    tape_.EraseTape();
    return true;
}

}  // namespace tally
