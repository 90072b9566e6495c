#include "links/calculator_link_tape.h"

#include "engine/lines/calc_params.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/series_base.h"
#include "engine/tape/calculator.h"
#include "engine/tape/table_manager_records.h"
#include "foundation/event_names.h"
#include "foundation/numbers/number_texts.h"

namespace tally {
namespace {

// Lines are numbered from 1 here and indexed from 0 in the tape.
LineIndex IndexOf(int line) { return line - 1; }
int NumberOf(LineIndex index) { return index + 1; }

}  // namespace

char TCalculatorLinkTape::TapeId() const { return tape_.TapeId(); }
std::string TCalculatorLinkTape::TapeName() const { return tape_.TapeName(); }
int TCalculatorLinkTape::CurrentLine() const { return NumberOf(tape_.FocusLine()); }
int TCalculatorLinkTape::LineCount() const { return tape_.Lines().LineCount(); }

std::string TCalculatorLinkTape::LinkData(int line) const {
    return std::string(tape_.Lines().Property(IndexOf(line), LineKey::kLinkId));
}

void TCalculatorLinkTape::SetLinkData(int line, std::string_view linkData) {
    tape_.Lines().SetProperty(IndexOf(line), LineKey::kLinkId, linkData);
}

std::vector<int> TCalculatorLinkTape::LinkedLines() const {
    std::vector<int> lines;
    lines.reserve(tape_.Lines().LinkedLines().size());
    for (const LineIndex index : tape_.Lines().LinkedLines()) lines.push_back(NumberOf(index));
    return lines;
}

std::uint64_t TCalculatorLinkTape::LinkGeneration() const { return tape_.Lines().LinkGeneration(); }

TTapeLinkInfoListItem TCalculatorLinkTape::InfoOf(int line) const {
    const TLineStore& lines = tape_.Lines();
    const LineIndex index = IndexOf(line);
    TTapeLinkInfoListItem item;
    item.TapeId = tape_.TapeId();
    item.Line = line;
    item.InOrdinarySeries = !IsInsideEmbeddedSeries(lines, index);
    item.SeriesStart = SeriesKey(line);
    item.LinkData = LinkData(line);
    item.SeriesKind = SeriesKind(line);
    item.LineKind = std::string(lines.Indicator(index));
    const char kind = lines.KindOf(index);
    if (kind == LineKind::kGroupTotal || kind == LineKind::kGrandTotal) {
        item.RangeStart = RangeStartAt(line, kind == LineKind::kGrandTotal);
        item.TotalSeriesData = std::string(lines.Property(index, LineKey::kTotalDisplayState));
    }
    return item;
}

void TCalculatorLinkTape::CollectLinkInfo(std::vector<TTapeLinkInfoListItem>& items, bool withDummyLinks) const {
    const TLineStore& lines = tape_.Lines();
    for (const LineIndex index : lines.LinkedLines()) items.push_back(InfoOf(NumberOf(index)));
    if (!withDummyLinks) return;
    // The value of an embedded series without a total line flows on through its ")" line.
    for (LineIndex closing = lines.StructuralLineAtOrAfter(0, ")"); closing != kNoLine;
         closing = lines.StructuralLineAtOrAfter(closing + 1, ")")) {
        if (lines.InGroup(closing - 1, LineGroup::kTotalLine) || !lines.IsLine(closing + 1)) continue;
        TTapeLinkInfoListItem source;
        source.TapeId = tape_.TapeId();
        source.Line = NumberOf(closing);
        source.InOrdinarySeries = false;
        source.SeriesStart = SeriesKey(NumberOf(closing - 1));
        source.LineKind = "T";
        TTapeLinkInfoListItem dest;
        dest.TapeId = tape_.TapeId();
        dest.Line = NumberOf(closing + 1);
        dest.SeriesStart = SeriesKey(NumberOf(closing + 1));
        dest.LineKind = " ";
        items.push_back(std::move(source));
        items.push_back(std::move(dest));
    }
}

std::string TCalculatorLinkTape::EntryText(int line) const {
    return std::string(tape_.Lines().Entries(IndexOf(line)));
}

std::string TCalculatorLinkTape::OperatorText(int line) const {
    const LineIndex index = IndexOf(line);
    if (!tape_.Lines().InGroup(index, LineGroup::kEntryLine)) return {};
    const std::string_view entry = tape_.Lines().Entries(index);
    std::size_t length = 0;
    while (length < entry.size() && IsStoredOperator(entry[length])) ++length;
    return std::string(entry.substr(0, length));
}

std::string TCalculatorLinkTape::NumberText(int line) const {
    return EntryText(line).substr(OperatorText(line).size());
}

bool TCalculatorLinkTape::HasAnnotationColumn() const { return tape_.IsColumnShown(TTapeColumn::Annotations); }

std::string TCalculatorLinkTape::AnnotationText(int line) const {
    return std::string(tape_.Lines().Annotations(IndexOf(line)));
}

void TCalculatorLinkTape::SetAnnotationText(int line, std::string_view text) {
    tape_.Lines().SetCell(IndexOf(line), TLineColumn::Annotations, text);
}

std::string TCalculatorLinkTape::LineKind(int line) const {
    return std::string(tape_.Lines().Indicator(IndexOf(line)));
}

std::string TCalculatorLinkTape::SeriesKind(int line) const {
    const TLineStore& lines = tape_.Lines();
    const LineIndex index = IndexOf(line);
    const std::string_view kind = lines.Property(index, LineKey::kSeriesType);
    if (kind != "e") return std::string(kind);
    // An embedded series takes the kind of the series around it.
    const LineIndex leading = EmbeddedLeadingBoundary(lines, index);
    return leading > 0 ? std::string(lines.Property(leading - 1, LineKey::kSeriesType)) : std::string();
}

int TCalculatorLinkTape::SeriesKey(int line) const {
    const TLineStore& lines = tape_.Lines();
    const LineIndex index = IndexOf(line);
    if (IsInsideEmbeddedSeries(lines, index)) return NumberOf(EmbeddedLeadingBoundary(lines, index) + 1);
    const LineIndex first = SeriesFirstLine(lines, index);
    return first == kNoLine ? line : NumberOf(first);
}

int TCalculatorLinkTape::FinalTotalLine(int line) const {
    const TLineStore& lines = tape_.Lines();
    const LineIndex last = SeriesLastLine(lines, IndexOf(line));
    if (last == kNoLine) return 0;
    if (lines.InGroup(last, LineGroup::kTotalLine)) return NumberOf(last);
    // The total stands before the line that closes the series, or, in a series not closed yet,
    // before the tape's open last line.
    const bool closes = lines.InGroup(last, LineGroup::kEndsSeriesOrEmbedded) || tape_.IsLastLine(last);
    if (closes && lines.InGroup(last - 1, LineGroup::kTotalLine)) return NumberOf(last - 1);
    return 0;
}

int TCalculatorLinkTape::RangeStartAt(int line, bool grand) const {
    // A group range starts after the last "]" or "}" before it, a grand range after the last "}".
    const LineIndex closer = tape_.Lines().StructuralLineAtOrBefore(IndexOf(line) - 1, grand ? "}" : "]}");
    return closer == kNoLine ? 1 : NumberOf(closer + 1);
}

bool TCalculatorLinkTape::CanBeLinkSource(int line) const {
    const LineIndex index = IndexOf(line);
    return tape_.Lines().InGroup(index, LineGroup::kEntryLine) || tape_.Lines().InGroup(index, LineGroup::kTotalLine);
}

bool TCalculatorLinkTape::CanBeLinkDest(int line) const { return tape_.CanSetAsLinkDest(IndexOf(line)); }

bool TCalculatorLinkTape::CloseForLink(std::string_view seriesKind) { return tape_.CloseForLink(seriesKind); }

bool TCalculatorLinkTape::ContainsNumber(int line) const {
    return IsValidEntryNumber(RemoveThousandSeparators(NumberText(line)));
}

bool TCalculatorLinkTape::IsLastLineOfIncompleteEmbedded(int line) const {
    const TLineStore& lines = tape_.Lines();
    const LineIndex index = IndexOf(line);
    return lines.HasKind(index + 1, LineKind::kEmbeddedTrailing) && !lines.InGroup(index, LineGroup::kTotalLine);
}

bool TCalculatorLinkTape::HasTableColumn(int line) const {
    return !tape_.Lines().Property(IndexOf(line), LineKey::kTableColumnId).empty();
}

void TCalculatorLinkTape::UpdateTableColumnHeading(int line) {
    TStMediator* bus = tape_.DocumentBus();
    if (bus == nullptr || !bus->Exists(events::TableMgr_UpdateTableColHeading)) return;
    TMedTableMgr_UpdTableColHeadingData data;
    data.Tape = &tape_;
    data.Line = IndexOf(line);
    bus->Handle(events::TableMgr_UpdateTableColHeading, &data, nullptr);
}

bool TCalculatorLinkTape::ShowsLinksColumn() const { return tape_.IsColumnShown(TTapeColumn::Links); }

void TCalculatorLinkTape::SetLinksCell(int line, std::string_view text) {
    if (tape_.Lines().Links(IndexOf(line)) != text) tape_.Lines().SetCell(IndexOf(line), TLineColumn::Links, text);
}

void TCalculatorLinkTape::SetEntryText(int line, std::string_view text) {
    tape_.WriteEntry(IndexOf(line), text);
    // A linked value is no edit of the user's: the focus line counts it as committed.
    if (IndexOf(line) == tape_.FocusLine()) tape_.ReloadFocusLine();
}

void TCalculatorLinkTape::RecalculateSeries(int line) {
    const LineIndex index = IndexOf(line);
    TSeriesBase* series = tape_.SeriesClaiming(index);
    if (series == nullptr) return;
    series->Recalculate(index);
    // An embedded series' total goes on into the series around it.
    if (IsInsideEmbeddedSeries(tape_.Lines(), index)) {
        const LineIndex trailing = EmbeddedTrailingBoundary(tape_.Lines(), index);
        if (trailing != kNoLine) series->Recalculate(std::min(trailing + 1, tape_.LastLine()));
    }
    if (tape_.Lines().IsLine(tape_.FocusLine())) tape_.ReloadFocusLine();
}

void TCalculatorLinkTape::CommitPendingEdit(int line) {
    const LineIndex index = IndexOf(line);
    if (index != tape_.FocusLine() || !tape_.FocusEntryChanged() || tape_.CurrentSeries() == nullptr) return;
    if (tape_.IsLastLine(index)) return;  // the open line's text becomes the linked value
    // A typed line reference ("lt3") is no entry to commit.
    const std::string text = tape_.Editor().Text;  // the commit rewrites the editor
    std::size_t i = 0;
    while (i < text.size() && IsStoredOperator(text[i])) ++i;
    if (i < text.size() && ((text[i] >= 'a' && text[i] <= 'z') || (text[i] >= 'A' && text[i] <= 'Z'))) return;
    tape_.CurrentSeries()->CommitEntry(index, text);
}

void TCalculatorLinkTape::RefreshInputLine(int line) {
    if (IndexOf(line) == tape_.FocusLine()) tape_.ReloadFocusLine();
}

// A refused link leaves the focus line as it was before the typing that asked for it.
void TCalculatorLinkTape::RestoreEditor() {
    const std::string saved = tape_.SavedFocusEntry();
    tape_.WriteEntry(tape_.FocusLine(), saved);
}

int TCalculatorLinkTape::DataEntryOption() const { return tape_.DataEntryOption(); }

void TCalculatorLinkTape::PutCaretAfterText() {
    TEntryEditor& editor = tape_.Editor();
    editor.SelStart = static_cast<int>(editor.Text.size());
    editor.SelLength = 0;
}

void TCalculatorLinkTape::RetypeKey(char key) { tape_.RetypeKey(key); }

}  // namespace tally
