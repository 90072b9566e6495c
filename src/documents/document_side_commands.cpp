// The side tape functions of a document: a side calculation started from the current tape and
// its total brought or linked back, the side total into another tape, and copying the current
// series to the side tape.

#include "documents/cross_tape_commands.h"
#include "documents/file_document.h"
#include "engine/records/tape_record.h"
#include "engine/series/entry_line_texts.h"
#include "engine/series/series_base.h"
#include "foundation/notifications/notifier.h"
#include "links/link_manager.h"
#include "links/tape_copy.h"
#include "links/tape_paste.h"
#include "platform/clipboard.h"
#include "tapes/auxiliary_calculator_manager.h"
#include "tapes/side_calculator.h"

namespace tally {

namespace {

bool IsGroupOrGrandKind(std::string_view kind) { return kind.starts_with("gro") || kind.starts_with("gra"); }

bool FocusEntryIsOpen(const TCalculator& tape) {
    return IsEmptyOrOperatorOnly(tape.Lines().Entries(tape.FocusLine()));
}

// Whether the side tape's focus series ends with a total, with valid entries throughout.
bool IsSideSeriesComplete(const TCalculator& side) { return IsSeriesCompleteAndValid(side, side.FocusLine()); }

}  // namespace

bool TCrossTapeCommands::LinkInto(TCalculator& source, LineIndex sourceLine, TCalculator& dest) {
    TLinkManager& links = document_.LinkManager();
    if (!links.SetAsLinkSource(source.TapeId(), sourceLine + 1, "")) return false;
    const bool linked = links.SetAsLinkDest(dest.TapeId(), dest.FocusLine() + 1, "");
    // A source left waiting for a destination that was refused would link the next paste.
    if (!linked) links.Unlink(source.TapeId(), sourceLine + 1, 'u');
    document_.KeepLinkState();
    return linked;
}

// ---- Side calculations

void TCrossTapeCommands::BeginSide() {
    auto* side = static_cast<TSideCalculator*>(document_.SideTape());
    TCalculator& tape = document_.CurrentTape();
    if (document_.SideCalcActive() || side == nullptr || &tape == document_.MemoryTape() || &tape == side) return;
    const std::string kind = SeriesKindOf(tape, tape.FocusLine());
    if (IsGroupOrGrandKind(kind)) {
        Notifier().ExplainAndBeep(std::string(kSideForGroupOrGrandText));
        return;
    }
    if (!FocusEntryIsOpen(tape)) {
        Notifier().ExplainAndBeep(std::string(kBeginSideNotEmptyText));
        return;
    }
    if (!side->BeginSideCalculation(kind)) return;
    side->SetOpenSeriesDecimalPlaces(tape.CurrentSeries() != nullptr ? tape.CurrentSeries()->DecimalPlaces()
                                                                    : tape.OpenSeriesDecimalPlaces());
    side->ChooseCurrentSeries();
    document_.SetSideCalcActive(true);
    sideOriginTape_ = &tape;
    document_.ShowTape(*side);
    savedSideEntryOption_ = side->DataEntryOption();
    side->SetDataEntryOption(DataEntryOption::kManualStart);
}

void TCrossTapeCommands::EndSide() {
    TCalculator* side = document_.SideTape();
    if (!document_.SideCalcActive() || side == nullptr || side != &document_.CurrentTape() ||
        sideOriginTape_ == nullptr || !FocusEntryIsOpen(*sideOriginTape_)) {
        return;
    }
    const LineIndex totalLine = SeriesTotalLineOf(*side, side->FocusLine());
    if (totalLine == kNoLine || !IsSideSeriesComplete(*side)) {
        Notifier().ExplainAndBeep(std::string(kSideIncompleteText));
        return;
    }
    TCalculator& origin = *sideOriginTape_;
    if (!origin.PlaceNumber(side->Lines().Entries(totalLine))) return;
    // An empty side annotation keeps what the origin line says.
    const std::string_view annotation = side->Lines().Annotations(totalLine);
    if (!annotation.empty()) SetLineAnnotation(origin, origin.FocusLine(), annotation);
    document_.SetSideCalcActive(false);
    side->SetDataEntryOption(savedSideEntryOption_);
    sideOriginTape_ = nullptr;
    document_.ShowTape(origin);
}

void TCrossTapeCommands::EndSideLink() {
    TCalculator* side = document_.SideTape();
    if (!document_.SideCalcActive() || side == nullptr || side != &document_.CurrentTape() ||
        sideOriginTape_ == nullptr) {
        return;
    }
    if (!IsSideSeriesComplete(*side)) {
        Notifier().ExplainAndBeep(std::string(kSideIncompleteText));
        return;
    }
    const LineIndex totalLine = SeriesTotalLineOf(*side, side->FocusLine());
    if (totalLine == kNoLine) {
        Notifier().ExplainAndBeep(std::string(kNoSideTotalText));
        return;
    }
    TCalculator& origin = *sideOriginTape_;
    if (!LinkInto(*side, totalLine, origin)) return;
    document_.SetSideCalcActive(false);
    sideOriginTape_ = nullptr;
    document_.ShowTape(origin);
}

void TCrossTapeCommands::CancelSide() {
    TCalculator* side = document_.SideTape();
    if (!document_.SideCalcActive() || side == nullptr || side != &document_.CurrentTape()) return;
    document_.SetSideCalcActive(false);
    TCalculator* origin = sideOriginTape_;
    sideOriginTape_ = nullptr;
    document_.ShowTape(origin != nullptr ? *origin : document_.MainTape());
}

// ---- The side total into another tape

void TCrossTapeCommands::SideToEntry() {
    TCalculator* side = document_.SideTape();
    TCalculator& tape = document_.CurrentTape();
    // The side total is not recalled into the side tape itself.
    if (side == nullptr || &tape == document_.MemoryTape() || &tape == side) return;
    if (!tape.PlaceNumber(side->GetSeriesTotalText())) return;
    const LineIndex totalLine = SeriesTotalLineOf(*side, side->FocusLine());
    if (totalLine != kNoLine) FillEmptyAnnotation(tape, side->Lines().Annotations(totalLine));
}

void TCrossTapeCommands::SideToEntryLink() {
    TCalculator* side = document_.SideTape();
    if (side == nullptr || side == &document_.CurrentTape()) return;
    const LineIndex totalLine = SeriesTotalLineOf(*side, side->FocusLine());
    if (totalLine == kNoLine) {
        Notifier().ExplainAndBeep(std::string(kNoSideTotalToLinkText));
        return;
    }
    LinkInto(*side, totalLine, document_.CurrentTape());
}

// ---- Copying a series to the side tape

void TCrossTapeCommands::CopyToSide() {
    TCalculator& tape = document_.CurrentTape();
    const bool working = &tape == &document_.MainTape() ||
                         (document_.AuxManager().IsAuxiliary(&tape) && &tape == document_.AuxManager().Current());
    if (working) CopySeriesToSide(tape);
}

void TCrossTapeCommands::CopySeriesToSide(TCalculator& source) {
    auto* side = static_cast<TSideCalculator*>(document_.SideTape());
    if (side == nullptr) return;
    std::string reason;
    if (!CanCopySeriesToSide(source, reason)) {
        Notifier().ExplainAndBeep(std::move(reason));
        return;
    }
    if (!side->BeginSideCalculation(SeriesKindOf(source, source.FocusLine()))) return;
    // The record goes from the copy to the paste in memory: the user's clipboard, and the cut
    // data on it that keeps links and table columns alive, stay as they are.
    HeadlessClipboard handOver;
    TLinkManager& links = document_.LinkManager();
    if (!TTapeCopier(source, handOver, links.SessionId()).CopySeries(RecordOperation::kCopyToSide)) return;
    TTapePaster(*side, handOver, links).PasteSeries();
}

}  // namespace tally
