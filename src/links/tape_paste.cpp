#include "links/tape_paste.h"

#include <optional>
#include <set>

#include "engine/lines/calc_params.h"
#include "engine/lines/line_kinds.h"
#include "engine/lines/link_data.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/entry_line_texts.h"
#include "engine/records/record_builder.h"
#include "engine/tape/calculator.h"
#include "engine/tape/link_manager_records.h"
#include "foundation/notifications/notifier.h"
#include "links/link_manager.h"
#include "links/tape_copy.h"
#include "platform/clipboard.h"

namespace tally {

namespace {

bool Refuse(std::string explanation) {
    Notifier().ExplainAndBeep(std::move(explanation));
    return false;
}

// Lines that end a series.
constexpr std::string_view kClosingKinds = "Zz]}>";

char SymbolKind(const TRecordLineGroup& group) { return group.symbol.empty() ? ' ' : group.symbol.front(); }

std::string SeriesTypeOf(const TRecordLineGroup& group) {
    return std::string(TCalcParams::FromText(group.calcParams).Value(LineKey::kSeriesType));
}

bool HasAnnotationLine(const TTapeRecord& record) {
    for (const TRecordLineGroup& group : record.groups) {
        if (!group.annot.empty()) return true;
    }
    return false;
}

// Position (from 1) of the last group whose symbol starts with one of the kinds; -1 without.
int LastGroupOfKind(const TTapeRecord& record, std::string_view kinds) {
    for (std::size_t i = record.groups.size(); i-- > 0;) {
        if (kinds.find(SymbolKind(record.groups[i])) != std::string_view::npos) return static_cast<int>(i) + 1;
    }
    return -1;
}

// The record's linked lines numbered from 1 within the block, with their series starts and
// the starts of the ranges their group and grand totals close, counted in the block.
TTapeLinkInfoList BlockLinkInfo(const TTapeRecord& record) {
    TTapeLinkInfoList items;
    int seriesStart = 1;
    int groupRangeStart = 1;
    int grandRangeStart = 1;
    bool embedded = false;
    for (std::size_t i = 0; i < record.groups.size(); ++i) {
        const TRecordLineGroup& group = record.groups[i];
        const int line = static_cast<int>(i) + 1;
        const char kind = SymbolKind(group);
        const TCalcParams params = TCalcParams::FromText(group.calcParams);
        if (kind == '(') embedded = true;
        if (const std::string_view linkData = params.Value(LineKey::kLinkId); !linkData.empty()) {
            TTapeLinkInfoListItem item;
            item.Line = line;
            item.InOrdinarySeries = !embedded;
            item.SeriesStart = seriesStart;
            item.LinkData = std::string(linkData);
            item.SeriesKind = std::string(params.Value(LineKey::kSeriesType));
            item.LineKind = group.symbol;
            if (kind == LineKind::kGroupTotal) item.RangeStart = groupRangeStart;
            if (kind == LineKind::kGrandTotal) item.RangeStart = grandRangeStart;
            items.push_back(std::move(item));
        }
        if (kind == ')') embedded = false;
        if (kClosingKinds.find(kind) != std::string_view::npos) seriesStart = line + 1;
        if (kind == ']' || kind == '}') groupRangeStart = line + 1;
        if (kind == '}') grandRangeStart = line + 1;
    }
    return items;
}

// The total line of the series that ends just before `line`: the closing line itself when it
// is a total, or the total line above its zero total.
LineIndex TotalLineAbove(const TLineStore& lines, LineIndex line) {
    for (LineIndex above = line - 1; above >= 0 && above >= line - 2; --above) {
        if (lines.InGroup(above, LineGroup::kTotalLine)) return above;
    }
    return kNoLine;
}

std::optional<TTapeRecord> ReadTapeOrRange(std::string_view text) {
    for (TRecordKind kind : {TRecordKind::EntireTape, TRecordKind::GroupTotalRange, TRecordKind::GrandTotalRange}) {
        if (auto record = ReadTapeRecord(text, kind)) return record;
    }
    return std::nullopt;
}

// The refusal for data that ends in a range before a range line, by record kind; nullopt when
// the paste may go on ("" refuses silently).
std::optional<std::string> RangeOrderRefusal(const TTapeRecord& record, std::string_view dataEnd,
                                             std::string_view before) {
    const bool tape = record.kind == TRecordKind::EntireTape;
    const bool group = record.kind == TRecordKind::GroupTotalRange;
    if (dataEnd == "gra" && (before == "gro" || before == "gra")) {
        if (tape) return "Cannot paste a tape that ends with a grand total immediately before a group total or another grand total.";
        if (group) return std::string();
        return "Cannot paste a grand total with all series in its range immediately before a group total or another grand total.";
    }
    if (dataEnd == "gro" && before == "gro") {
        if (tape) return "Cannot paste a tape that ends with a group total immediately before another group total.";
        if (group) return "Cannot paste a group total with all series in its range immediately before another group total.";
        return std::string();
    }
    return std::nullopt;
}

// What a paste's checks decided before anything changes: it may go on, nothing happens, or
// it is refused with the explanation (empty: a silent beep).
struct TPasteCheck {
    bool allowed = false;
    std::optional<std::string> refusal;
};

const TPasteCheck kPasteAllowed{true, std::nullopt};
const TPasteCheck kNothingHappens{false, std::nullopt};

TPasteCheck Refusal(std::string explanation) { return {false, std::move(explanation)}; }

// A refused paste: explained and beeped, or nothing at all.
bool Settle(const TPasteCheck& check) { return check.refusal ? Refuse(*check.refusal) : false; }

// The one blank line between the boundary lines of an empty embedded series.
bool IsBlankOfEmptyEmbeddedSeries(const TLineStore& lines, LineIndex line) {
    return line > 0 && lines.HasKind(line - 1, LineKind::kEmbeddedLeading) &&
           lines.HasKind(line + 1, LineKind::kEmbeddedTrailing) && lines.Entries(line).empty();
}

// Paste Series: into an empty embedded series a series without embedded series of a
// compatible type; elsewhere before a series whose entries are valid.
TPasteCheck CheckSeriesPaste(const TCalculator& tape, const TTapeRecord& record) {
    const TLineStore& lines = tape.Lines();
    const LineIndex focus = tape.FocusLine();
    if (IsBlankOfEmptyEmbeddedSeries(lines, focus)) {
        if (LastGroupOfKind(record, "(") > 0) {
            return Refusal("Cannot paste a calculation series containing an embedded series into another embedded series.");
        }
        if (!AreSeriesTypesCompatible(record.seriesType, RecordSeriesType(lines, focus))) {
            return Refusal("The total type of the calculation series on the clipboard is incompatible with the total "
                           "type of the calculation series that contains the target embedded series.");
        }
        return kPasteAllowed;
    }
    const bool seriesValid = StandardSeriesRecordRange(lines, focus).first != kNoLine && IsSeriesValid(tape, focus);
    return seriesValid ? kPasteAllowed : kNothingHappens;
}

// Paste Tape: before the focus line's series, unless the data ends in a range the range there
// may not follow.
TPasteCheck CheckTapePaste(const TCalculator& tape, const TTapeRecord& record) {
    const TLineStore& lines = tape.Lines();
    const LineIndex at = StandardSeriesRecordRange(lines, tape.FocusLine()).first;
    if (at == kNoLine) return kNothingHappens;
    const std::string before = at == lines.LastLine() ? std::string() : std::string(lines.Property(at, LineKey::kSeriesType));
    if (auto refusal = RangeOrderRefusal(record, SeriesTypeOf(record.groups.back()), before)) {
        return Refusal(std::move(*refusal));
    }
    return kPasteAllowed;
}

// Paste Embedded Series: not into another embedded series or a range, into a series of a
// compatible type, and into a line that is open or may get a new line before it.
TPasteCheck CheckEmbeddedSeriesPaste(const TCalculator& tape, const TTapeRecord& record) {
    const TLineStore& lines = tape.Lines();
    const LineIndex focus = tape.FocusLine();
    const char kind = lines.KindOf(focus);
    if (IsInsideEmbeddedSeries(lines, focus) && kind != LineKind::kEmbeddedLeading) {
        return Refusal("Cannot paste an embedded calculation series into another embedded calculation series.");
    }
    const std::string focusType = RecordSeriesType(lines, focus);
    if (focusType == "gro") return Refusal("Cannot paste an embedded calculation series into, or before, a group total.");
    if (focusType == "gra") return Refusal("Cannot paste an embedded calculation series into, or before, a grand total.");
    if (!AreSeriesTypesCompatible(record.seriesType, focusType)) {
        return Refusal("The total type of the embedded calculation series on the clipboard is incompatible with the "
                       "total type of the receiving calculation series.");
    }
    const bool newLineNeeded = kind != LineKind::kEmbeddedLeading && !IsEmptyOrOperatorOnly(lines.Entries(focus));
    return newLineNeeded && !tape.CanInsertLine(focus) ? kNothingHappens : kPasteAllowed;
}

std::string_view TapeCircleText(TRecordKind kind) {
    switch (kind) {
    case TRecordKind::GroupTotalRange:
        return "Pasting the cut or copied group total with all series in its range into the specified place on the receiving tape would create a circular link.";
    case TRecordKind::GrandTotalRange:
        return "Pasting the cut or copied grand total with all series in its range into the specified place on the receiving tape would create a circular link.";
    default:
        return "Pasting the cut or copied tape into the specified place on the receiving tape would create a circular link.";
    }
}

}  // namespace

bool CanPasteSeries(const TCalculator& tape, std::string_view clipboardText) {
    const std::optional<TTapeRecord> record = ReadTapeRecord(clipboardText, TRecordKind::CalcSeries);
    return record && CheckSeriesPaste(tape, *record).allowed;
}

bool CanPasteEmbeddedSeries(const TCalculator& tape, std::string_view clipboardText) {
    const std::optional<TTapeRecord> record = ReadTapeRecord(clipboardText, TRecordKind::EmbeddedSeries);
    return record && CheckEmbeddedSeriesPaste(tape, *record).allowed;
}

bool CanPasteTape(const TCalculator& tape, std::string_view clipboardText, TRecordKind kind) {
    const bool tapeOrRange = kind == TRecordKind::EntireTape || kind == TRecordKind::GroupTotalRange ||
                             kind == TRecordKind::GrandTotalRange;
    if (!tapeOrRange) return false;
    const std::optional<TTapeRecord> record = ReadTapeRecord(clipboardText, kind);
    return record && CheckTapePaste(tape, *record).allowed;
}

bool TTapePaster::PrepareBlock(TTapeRecord& record, TPasteTarget target, LineIndex at, int lineCount,
                               std::string_view circleText) {
    const TPasteCase pasteCase = ClassifyPaste(record, links_.SessionId());
    std::set<std::string, std::less<>> numbersInUse = links_.LinkNumbers();
    PreparePastedProperties(record, PasteRulesFor(target, pasteCase), numbersInUse, ProgramRandomFraction());
    // The existing lines from `at` on are counted as moved down by the block, so the check sees
    // the picture as it will be after the insertion.
    TLinkManager::TPastedBlock block;
    block.LineCount = lineCount;
    block.InsertLine = at + 1;
    block.GroupRangeEnd = LastGroupOfKind(record, "]");
    block.GrandRangeEnd = LastGroupOfKind(record, "}");
    if (links_.PasteMultSeriesCircLink(tape_.TapeId(), BlockLinkInfo(record), block)) {
        return Refuse(std::string(circleText));
    }
    return true;
}

void TTapePaster::InsertBlock(const TTapeRecord& record, LineIndex at) {
    const bool foreign = ClassifyPaste(record, links_.SessionId()) == TPasteCase::Foreign;
    if (foreign && HasAnnotationLine(record) && !tape_.IsColumnShown(TTapeColumn::Annotations)) {
        tape_.SetColumnShown(TTapeColumn::Annotations, true);
    }
    InsertRecordLines(tape_.Lines(), at, record.groups, tape_.IsColumnShown(TTapeColumn::Annotations));
}

void TTapePaster::Finish(const TTapeRecord& record, LineIndex at) {
    if (record.operation == RecordOperation::kCut) clipboard_.SetText({});
    tape_.RefreshAll();
    links_.UpdateLinksDisplay();
    tape_.SetFocusLine(at);
    tape_.AfterEditNotifications();
    tape_.SetModified(true);
}

bool TTapePaster::PasteSeriesIntoEmptyEmbedded(TTapeRecord& record, LineIndex blank) {
    TLineStore& lines = tape_.Lines();
    // The final zero total stays behind; its total type and decimal places go to the ")" line.
    const TRecordLineGroup zeroTotal = record.groups.back();
    const TCalcParams zeroParams = TCalcParams::FromText(zeroTotal.calcParams);
    std::string decimals(zeroParams.Value(LineKey::kDecimalPlaces));
    if (decimals.empty()) {
        const std::size_t point = zeroTotal.entry.find('.');
        decimals = std::to_string(point == std::string::npos ? 0 : zeroTotal.entry.size() - point - 1);
    }
    record.groups.pop_back();
    for (TRecordLineGroup& group : record.groups) {
        TCalcParams params = TCalcParams::FromText(group.calcParams);
        params.SetValue(LineKey::kSeriesType, "e");
        group.calcParams = params.Text();
    }
    const int count = static_cast<int>(record.groups.size());
    if (!PrepareBlock(record, TPasteTarget::EmptyEmbeddedSeries, blank, count - 1,
                      "Pasting the cut or copied calculation series into the specified empty embedded calculation "
                      "series would create a circular link.")) {
        return false;
    }
    if (!lines.Property(blank, LineKey::kLinkId).empty()) links_.Unlink(tape_.TapeId(), blank + 1, 'u');
    // The blank line is replaced by the pasted lines.
    lines.RemoveLines(blank, 1);
    InsertBlock(record, blank);
    const LineIndex trailing = blank + count;
    lines.SetProperty(trailing, LineKey::kTotalType, zeroParams.Value(LineKey::kTotalType));
    lines.SetProperty(trailing, LineKey::kDecimalPlaces, decimals);
    Finish(record, blank);
    return true;
}

bool TTapePaster::PasteSeries() {
    std::optional<TTapeRecord> record = ReadTapeRecord(clipboard_.GetText(), TRecordKind::CalcSeries);
    if (!record) return false;
    if (const TPasteCheck check = CheckSeriesPaste(tape_, *record); !check.allowed) return Settle(check);
    const TLineStore& lines = tape_.Lines();
    const LineIndex focus = tape_.FocusLine();
    if (IsBlankOfEmptyEmbeddedSeries(lines, focus)) return PasteSeriesIntoEmptyEmbedded(*record, focus);
    const LineIndex at = StandardSeriesRecordRange(lines, focus).first;
    for (TRecordLineGroup& group : record->groups) {
        TCalcParams params = TCalcParams::FromText(group.calcParams);
        if (params.Value(LineKey::kSeriesType).empty() && !record->seriesType.empty()) {
            params.SetValue(LineKey::kSeriesType, record->seriesType);
            group.calcParams = params.Text();
        }
    }
    const int count = static_cast<int>(record->groups.size());
    if (!PrepareBlock(*record, TPasteTarget::Series, at, count,
                      "Pasting the cut or copied calculation series into the specified place on the tape would create a circular link.")) {
        return false;
    }
    InsertBlock(*record, at);
    const LineIndex last = at + static_cast<LineIndex>(record->groups.size()) - 1;
    if (record->seriesType.empty() && tape_.Lines().InGroup(last, LineGroup::kZeroTotal) && last > at) {
        tape_.RecordTotalStatusChange(last - 1, "I");
    }
    Finish(*record, at);
    return true;
}

bool TTapePaster::PasteTape() {
    std::optional<TTapeRecord> record = ReadTapeOrRange(clipboard_.GetText());
    if (!record) return false;
    if (const TPasteCheck check = CheckTapePaste(tape_, *record); !check.allowed) return Settle(check);
    const LineIndex at = StandardSeriesRecordRange(tape_.Lines(), tape_.FocusLine()).first;
    const int count = static_cast<int>(record->groups.size());
    if (!PrepareBlock(*record, TPasteTarget::TapeOrRange, at, count, TapeCircleText(record->kind))) return false;
    InsertBlock(*record, at);
    const int lastTotal = LastGroupOfKind(*record, LineGroup::kTotalLine);
    if (lastTotal > 0) tape_.RecordTotalStatusChange(at + lastTotal - 1, "I");
    const bool hasRanges = LastGroupOfKind(*record, "[{") > 0;
    if (hasRanges && at > 0) {
        if (const LineIndex above = TotalLineAbove(tape_.Lines(), at); above != kNoLine) {
            tape_.RecordTotalStatusChange(above, "I");
        }
    }
    Finish(*record, at);
    return true;
}

bool TTapePaster::PasteEmbeddedSeries() {
    std::optional<TTapeRecord> record = ReadTapeRecord(clipboard_.GetText(), TRecordKind::EmbeddedSeries);
    if (!record) return false;
    if (const TPasteCheck check = CheckEmbeddedSeriesPaste(tape_, *record); !check.allowed) return Settle(check);
    TLineStore& lines = tape_.Lines();
    const LineIndex focus = tape_.FocusLine();
    const bool newLine = lines.HasKind(focus, LineKind::kEmbeddedLeading) || !IsEmptyOrOperatorOnly(lines.Entries(focus));
    // The block ends with the receiving line, which exists already unless a new line takes it.
    const int count = static_cast<int>(record->groups.size());
    if (!PrepareBlock(*record, TPasteTarget::EmbeddedSeries, focus, newLine ? count : count - 1,
                      "Pasting the cut or copied embedded calculation series into the specified calculation series "
                      "would create a Circular Link.")) {
        return false;
    }
    if (newLine && !tape_.InsertLine()) return false;
    const LineIndex at = tape_.FocusLine();
    // The receiving line lets go of its own link before it becomes the external total.
    if (!lines.Property(at, LineKey::kLinkId).empty()) links_.Unlink(tape_.TapeId(), at + 1, 'u');
    const std::string formerEntry(lines.Entries(at));
    const TRecordLineGroup externalTotal = record->groups.back();
    record->groups.pop_back();
    InsertBlock(*record, at);
    const LineIndex receiving = at + static_cast<LineIndex>(record->groups.size());
    std::string text = externalTotal.entry;
    if (IsOperatorOnlyEntry(formerEntry)) {
        text = formerEntry.substr(0, 1) + WithoutLeadingPlus(text);
    } else if (StandardSeriesRecordRange(lines, receiving).first == receiving) {
        text = WithoutLeadingPlus(text);
    }
    lines.SetEntries(receiving, text);
    const std::string linkData(TCalcParams::FromText(externalTotal.calcParams).Value(LineKey::kLinkId));
    lines.SetProperty(receiving, LineKey::kLinkId, linkData);
    if (record->operation == RecordOperation::kCut) clipboard_.SetText({});
    // The recalculation below gives the external total lines inside the tape their values and
    // passes them on; the open last line is not recalculated, so its source passes its
    // number on here.
    if (receiving == lines.LastLine() && LinkDataRole(linkData) == 'S' && tape_.Hooks().QueueLinkSource) {
        tape_.Hooks().QueueLinkSource(linkData);
    }
    tape_.RefreshAll();
    links_.UpdateLinksDisplay();
    tape_.SetFocusLine(receiving);
    tape_.AfterEditNotifications();
    tape_.SetModified(true);
    return true;
}

}  // namespace tally
