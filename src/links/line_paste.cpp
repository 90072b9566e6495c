#include "links/line_paste.h"

#include <optional>
#include <string>

#include "engine/lines/calc_params.h"
#include "engine/lines/link_data.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/records/record_builder.h"
#include "engine/records/tape_record.h"
#include "engine/series/entry_line_texts.h"
#include "engine/series/series_base.h"
#include "engine/tape/calculator.h"
#include "engine/tape/link_manager_records.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/entry_checks.h"
#include "links/link_data_codec.h"
#include "links/link_manager.h"
#include "links/paste_links.h"
#include "platform/clipboard.h"

namespace tally {

namespace {

bool Refuse(std::string explanation) {
    Notifier().ExplainAndBeep(std::move(explanation));
    return false;
}

bool IsFirstLineOfSeries(const TLineStore& lines, LineIndex line) {
    return StandardSeriesRecordRange(lines, line).first == line;
}

bool HasMinusSign(std::string_view entry) {
    return (!entry.empty() && entry[0] == '-') || (entry.size() > 1 && entry[1] == '-');
}

// What the refusals compare: the record's link and table column against the receiving line's.
struct TLinePasteFacts {
    bool cut = false;
    bool sameDocument = false;
    char recordRole = '\0';
    bool recordHasTable = false;
    char receivingRole = '\0';
    bool receivingHasTable = false;
    bool sameLink = false;

    bool RecordSource() const { return recordRole == 'S'; }
    bool ReceivingLinked() const { return receivingRole != '\0'; }
};

std::optional<std::string> FactRefusal(const TLinePasteFacts& f) {
    if (f.cut && f.sameDocument && f.recordHasTable && f.receivingHasTable) {
        return "Cannot paste a cut tape line containing a table column assignment to another tape line containing a "
               "table column assignment.  Paste the cut line somewhere else to avoid losing the table column "
               "assignment.";
    }
    if (f.cut && f.RecordSource() && f.receivingHasTable) {
        return "Cannot paste a cut tape line containing a Link Source to another tape line containing a Table column "
               "assignment.  Paste the cut line somewhere else to avoid losing the Link Source.";
    }
    if (f.sameLink) {
        if (f.recordRole == 'D' && f.receivingRole == 'D') {
            return "Cannot paste a Link Destination line to another Link Destination line, both of which have the same "
                   "line as a Link Source.";
        }
        if (f.recordRole == 'S' && f.receivingRole == 'D') {
            return "Cannot paste a Link Source line to one of its own Link Destination lines.";
        }
        if (f.recordRole == 'D' && f.receivingRole == 'S') return "Cannot paste a Link Destination line to its own Link Source line.";
        return "Paste not done due to program logic error.";
    }
    if (f.cut && f.RecordSource() && f.ReceivingLinked()) {
        return "Cannot paste a cut tape line containing a Link Source to another tape line that is linked.  Paste the "
               "cut line somewhere else to avoid losing the Link Source.";
    }
    return std::nullopt;
}

// What Paste Line decided about the focus line before anything changes.
struct TLinePastePlan {
    bool allowed = false;
    // Explained and beeped when set (empty: silently); without it nothing happens.
    std::optional<std::string> refusal;
    // The refusal puts the receiving line's text back into the editor.
    bool restoreEditor = false;
    // A new line before the focus line receives the paste.
    bool newLine = false;
    // The focus entry without a quick copy typed into it.
    std::string focusEntry;
    TLinePasteFacts facts;
};

TLinePastePlan PlanLinePaste(const TCalculator& tape, const TLineRecord& record, std::string_view sessionId) {
    TLinePastePlan plan;
    const TLineStore& lines = tape.Lines();
    const LineIndex focus = tape.FocusLine();
    const char kind = lines.KindOf(focus);
    // A quick copy typed into the focus entry gives way to the line it names.
    plan.focusEntry = lines.Entries(focus);
    if (LineReferenceCommand(plan.focusEntry) == 'c') plan.focusEntry.erase(plan.focusEntry.find('c'));
    // A new line takes the paste before a "(" or ")" line, or before a line holding a number.
    plan.newLine = kind == '(' || kind == ')';
    if (!plan.newLine && !IsEmptyOrOperatorOnly(plan.focusEntry)) {
        if (!tape.CanInsertLine(focus)) return plan;
        plan.newLine = true;
    }
    const TSeriesBase* series = tape.SeriesClaiming(focus);
    if (!plan.newLine && (series == nullptr || !series->IsEditableEntryLine(focus))) {
        plan.refusal = std::string();
        return plan;
    }
    if (!AreSeriesTypesCompatible(record.seriesType, RecordSeriesType(lines, focus))) {
        plan.refusal = "The number on the clipboard (" + record.entry + ") " + "is incompatible with the total type of the " +
                       "calculation series containing the focus " + "highlight.";
        return plan;
    }

    TLinePasteFacts& facts = plan.facts;
    facts.cut = record.operation == RecordOperation::kCut;
    facts.sameDocument = record.sessionId == sessionId;
    facts.recordRole = LinkDataRole(record.linkId);
    facts.recordHasTable = !record.tableColId.empty();
    const std::string receivingLink = plan.newLine ? std::string() : std::string(lines.Property(focus, LineKey::kLinkId));
    facts.receivingRole = LinkDataRole(receivingLink);
    facts.receivingHasTable = !plan.newLine && !lines.Property(focus, LineKey::kTableColumnId).empty();
    facts.sameLink = facts.recordRole != '\0' && facts.ReceivingLinked() &&
                     LinkDataNumber(record.linkId) == LinkDataNumber(receivingLink);
    plan.refusal = FactRefusal(facts);
    plan.restoreEditor = plan.refusal.has_value();
    // A record whose entry is no number is refused before the receiving line changes.
    if (!plan.refusal && series != nullptr && !series->IsValidEntry(record.entry)) {
        plan.refusal = std::string(kInvalidEntryNumberMessage);
    }
    plan.allowed = !plan.refusal;
    return plan;
}

}  // namespace

bool CanPasteLine(const TCalculator& tape, std::string_view clipboardText, std::string_view sessionId) {
    const std::optional<TLineRecord> record = ReadLineRecord(clipboardText);
    return record && PlanLinePaste(tape, *record, sessionId).allowed;
}

bool TLinePaster::PasteLine() {
    const std::optional<TLineRecord> record = ReadLineRecord(clipboard_.GetText());
    if (!record) return Refuse("Can not paste a tape line when the clipboard does notcontain a tape line.");
    const TLinePastePlan plan = PlanLinePaste(tape_, *record, links_.SessionId());
    if (!plan.allowed) {
        if (plan.restoreEditor) tape_.ReloadFocusLine();
        return plan.refusal ? Refuse(*plan.refusal) : false;
    }
    TLineStore& lines = tape_.Lines();
    const LineIndex focus = tape_.FocusLine();
    const char kind = lines.KindOf(focus);
    const bool newLine = plan.newLine;
    const std::string& focusEntry = plan.focusEntry;
    const TLinePasteFacts& facts = plan.facts;
    const bool copiedSource = !facts.cut && facts.RecordSource();
    if (facts.recordRole != '\0' && facts.sameDocument && !copiedSource) {
        // A new line is checked as a one-line block, with the lines from the focus on moved down.
        std::optional<std::string> chain;
        if (newLine) {
            TTapeLinkInfoListItem item;
            item.Line = 1;
            item.SeriesStart = 1;
            item.InOrdinarySeries = !IsInsideEmbeddedSeries(lines, focus) || kind == '(';
            item.LinkData = record->linkId;
            item.LineKind = " ";
            chain = links_.PasteMultSeriesCircLink(tape_.TapeId(), {item}, {1, focus + 1, -1, -1});
        } else {
            chain = links_.PotentialCircLink(tape_.TapeId(), focus + 1, record->linkId);
        }
        if (chain) {
            tape_.ReloadFocusLine();
            return Refuse("Cannot paste copied line to line " + std::to_string(focus + 1) +
                          ".  It would create a Circular Link between the following " + "lines: " + *chain);
        }
    }

    if (newLine && !tape_.InsertLine()) return false;
    const LineIndex line = tape_.FocusLine();
    if (!newLine && lines.Entries(line) != focusEntry) tape_.WriteEntry(line, focusEntry);
    const std::string formerEntry(lines.Entries(line));
    std::string text = record->entry;
    const bool inEmbedded = IsInsideEmbeddedSeries(lines, line);
    if (tape_.DataEntryOption() == DataEntryOption::kAddingMachine && !inEmbedded) text = WithoutLeadingPlus(text);
    if (IsFirstLineOfSeries(lines, line)) text = WithoutLeadingPlus(text);
    const bool openLine = line == lines.LastLine() || lines.HasKind(line + 1, LineKind::kEmbeddedTrailing);
    if (IsOperatorOnlyEntry(formerEntry)) {
        // Placing a number commits it on a line that is not open.
        if (!tape_.PlaceNumber(text)) return false;
    } else {
        tape_.WriteEntry(line, text);
        if (!openLine && !CommitAsTotalKey(line, formerEntry)) {
            // A refused number leaves no empty line behind.
            if (newLine) tape_.DeleteLine();
            return false;
        }
    }
    // The receiving destination lets go of its source once its number was replaced; a refused
    // number leaves the link pair as it was.
    if (facts.receivingRole == 'D') links_.Unlink(tape_.TapeId(), line + 1, 'u');
    if (tape_.IsColumnShown(TTapeColumn::Annotations) && facts.receivingRole != 'S' && !facts.receivingHasTable &&
        lines.Annotations(line).empty()) {
        lines.SetCell(line, TLineColumn::Annotations, record->annot);
    }
    if (facts.receivingRole == '\0' && facts.recordRole != '\0' && record->linkId.front() == 'A' &&
        facts.sameDocument && !facts.receivingHasTable && !copiedSource) {
        const bool negative = (record->linkId.size() > 2 && record->linkId[2] == '-') != HasMinusSign(formerEntry);
        std::string linkData = WithLinkSign(record->linkId, negative ? '-' : '+');
        if (!facts.cut) linkData = WithLinkFlag(linkData, "");
        lines.SetProperty(line, LineKey::kLinkId, linkData);
        if (facts.cut && facts.RecordSource()) clipboard_.SetText({});
    }
    if (facts.recordHasTable && !facts.receivingHasTable && record->operation != RecordOperation::kCopy &&
        facts.sameDocument) {
        lines.SetProperty(line, LineKey::kTableColumnId, record->tableColId);
        lines.SetProperty(line, LineKey::kTableColumnNumber, record->tableColNum);
        lines.SetCell(line, TLineColumn::TableColumns, record->tableColNum);
        if (facts.cut) clipboard_.SetText({});
    }
    links_.UpdateLinksDisplay();
    if (openLine && LinkDataRole(lines.Property(line, LineKey::kLinkId)) == 'D') PassOnDestinationValue(line);
    tape_.SetModified(true);
    return true;
}

bool TLinePaster::CommitAsTotalKey(LineIndex line, const std::string& formerEntry) {
    if (TSeriesBase* series = tape_.CurrentSeries()) {
        if (tape_.FocusColumn() == TTapeColumn::Entries) {
            series->PressTotalKey();
        } else if (series->CommitEntry(line, tape_.Lines().Entries(line))) {
            // The total key reads the editor, which holds another column's text here.
            tape_.FinishLineEdit();
        }
    }
    if (!tape_.FocusEntryChanged()) return true;
    // The series refused the number (explained): the line keeps what it had.
    tape_.WriteEntry(line, formerEntry);
    tape_.ReloadFocusLine();
    return false;
}

// An open line that became a destination passes its number on: the last line remembers it
// as its entry text, the last line of an embedded series gives its series a new total.
void TLinePaster::PassOnDestinationValue(LineIndex line) {
    if (line == tape_.Lines().LastLine()) {
        tape_.SetSavedFocusEntry(std::string(tape_.Lines().Entries(line)));
        return;
    }
    if (TSeriesBase* series = tape_.SeriesClaiming(line)) series->RecalculateWithEmbedded(line);
    tape_.PostEditPass();
    tape_.ReloadFocusLine();
}

}  // namespace tally
