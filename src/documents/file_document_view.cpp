// What the document shows: the columns of its tapes, its rounding method, the visible page,
// going to a line, and the deferred requests and link upkeep after an edit.

#include <algorithm>
#include <cctype>

#include "documents/cross_tape_commands.h"
#include "documents/file_document.h"
#include "engine/tape/tape_request_runner.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "links/copy_manager.h"
#include "links/link_manager.h"
#include "links/link_requests.h"
#include "output/page_model.h"
#include "settings/appl_records.h"
#include "settings/print_settings.h"
#include "table/table_manager.h"
#include "tapes/auxiliary_calculator_manager.h"

namespace tally {

namespace ev = events;

namespace {

std::string_view ColumnStateEvent(TTapeColumn column) {
    switch (column) {
        case TTapeColumn::Annotations: return ev::FileMgr_ShowAnnotationsState;
        case TTapeColumn::Line: return ev::FileMgr_ShowLineNumbersState;
        case TTapeColumn::Links: return ev::FileMgr_ShowLinksState;
        case TTapeColumn::RunningTotal: return ev::FileMgr_ShowRunningTotalState;
        case TTapeColumn::TableColumns: return ev::FileMgr_ShowTableColumnsState;
        case TTapeColumn::Entries:
        case TTapeColumn::Indicator: break;
    }
    return {};
}

bool IsDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

// ---- Shown columns and rounding

void TTlyFile::ShowColumn(TTapeColumn column, bool shown) {
    const std::string_view stateEvent = ColumnStateEvent(column);
    if (stateEvent.empty()) return;
    // Links name lines by number, so they come with the line numbers.
    if (column == TTapeColumn::Links && shown && !mainTape_->IsColumnShown(TTapeColumn::Line) &&
        !mainTape_->IsColumnShown(TTapeColumn::Links)) {
        ShowColumn(TTapeColumn::Line, true);
    }
    for (TCalculator* tape : EnabledTapes()) {
        if (tape->IsColumnShown(column) != shown) tape->SetColumnShown(column, shown);
    }
    if (column == TTapeColumn::Links) linkManager_->UpdateLinksDisplay();
    TMedBoolean state;
    state.Value = mainTape_->IsColumnShown(column);
    SendUp(stateEvent, &state);
    SendLineNumber(*currentTape_);
    pages_->Refresh();
}

void TTlyFile::ShowThousands(bool shown) {
    for (TCalculator* tape : EnabledTapes()) {
        if (tape->ShowThousands() == shown) continue;
        tape->SetShowThousands(shown);
        tape->RefreshAll();
    }
    tableManager_->SetShowThousands(shown);
    TMedBoolean state;
    state.Value = shown;
    SendUp(ev::FileMgr_ShowThousandSeparatorState, &state);
    SendLineNumber(*currentTape_);
    pages_->Refresh();
}

void TTlyFile::SetRoundingMethod(TRoundingMethod method) {
    if (method == roundingMethod_) return;
    roundingMethod_ = method;
    for (TCalculator* tape : EnabledTapes()) {
        tape->SetRoundingMethod(method);
        tape->RefreshAll();
    }
    linkManager_->RefreshAllLinks();
    tableManager_->SetRoundingMethod(method);
    structureModified_ = true;
    pages_->Refresh();
}

void TTlyFile::ApplyGeneralOptions(const TGenlOptionsVariables& options) {
    TTapeColors colors;
    colors.EmbeddedSeries = options.EmbeddedSeriesColor;
    colors.GrandTotal = options.GrandTotalColor;
    colors.GroupTotal = options.GroupTotalColor;
    colors.ZeroTotal = options.ZeroTotalLineColor;
    for (TCalculator* tape : {mainTape_.get(), memoryTape_.get(), sideTape_.get()}) {
        if (tape == nullptr) continue;
        tape->SetColors(colors);
        // A state the kind of total does not have is refused by the tape, which keeps its own.
        tape->SetGroupTotalCreationDisplayState(options.GroupTotalCreationDisplayState);
        tape->SetGrandTotalCreationDisplayState(options.GrandTotalCreationDisplayState);
    }
    auxManager_->ApplyDisplaySettings(colors, options.GroupTotalCreationDisplayState,
                                      options.GrandTotalCreationDisplayState);
    for (TCalculator* tape : EnabledTapes()) {
        tape->SetAutoIncreaseDecimalPlaces(options.AutoIncreaseDecimalPlaces);
        tape->SetAutoSetTotalType(options.AutoSetTotalType);
    }
    tableManager_->SetFocusColor(options.FocusHighlightColor);
    tableManager_->SetFont(options.TapeScreenFont);
    pages_->Refresh();
}

void TTlyFile::SetVisiblePageOrientation(std::string_view orientation) {
    if (!IsPageOrientation(orientation)) return;
    (visibleKind_ == TVisibleKind::Table ? *tableReportProps_ : *tapeReportProps_).SetOrientation(orientation);
    structureModified_ = true;
}

void TTlyFile::SendLineNumber(TCalculator& tape) const {
    if (&tape != currentTape_) return;
    TMedInteger line;
    line.Value = tape.FocusLine() + 1;
    const bool recalling = memoryRecallActive_ && &tape == memoryTape_.get();
    SendUp(recalling ? ev::FileMgr_ShowMemTapeLineNum : ev::FileMgr_ShowTapeLineNum, &line);
}

// ---- The visible page

const TTlyFile::TDocPage* TTlyFile::PageOf(const void* shown) const {
    const auto found = std::find_if(docPages_.begin(), docPages_.end(), [shown](const TDocPage& page) {
        return page.Tape == shown || page.Table == shown;
    });
    return found == docPages_.end() ? nullptr : &*found;
}

bool TTlyFile::MayLeaveActivePage() const {
    if (visibleKind_ == TVisibleKind::MemoryTape && memoryRecallActive_) {
        Notifier().ExplainAndBeep(std::string(kLeaveMemoryDuringRecallText));
        return false;
    }
    if (visibleKind_ == TVisibleKind::SideTape && sideCalcActive_) {
        Notifier().ExplainAndBeep(std::string(kLeaveSideDuringSideCalcText));
        return false;
    }
    return true;
}

bool TTlyFile::UserSelectsPage(TDocumentPageId id) {
    if (id == activePage_) return true;
    const auto found = std::find_if(docPages_.begin(), docPages_.end(), [id](const TDocPage& page) { return page.Id == id; });
    if (found == docPages_.end() || !MayLeaveActivePage()) return false;
    ActivatePage(*found);
    return true;
}

void TTlyFile::ActivatePage(const TDocPage& page) {
    activePage_ = page.Id;
    pages_->ActivatePage(page.Id);
    if (page.Table != nullptr) {
        tableManager_->SelectTable(page.Table->TableName());
        visibleKind_ = TVisibleKind::Table;
        currentTape_ = mainTape_.get();
    } else {
        currentTape_ = page.Tape;
        if (page.Tape == mainTape_.get()) {
            visibleKind_ = TVisibleKind::MainTape;
        } else if (page.Tape == memoryTape_.get()) {
            visibleKind_ = TVisibleKind::MemoryTape;
        } else if (page.Tape == sideTape_.get()) {
            visibleKind_ = TVisibleKind::SideTape;
        } else {
            auxManager_->MakeCurrentByName(page.Tape->TapeName());
            visibleKind_ = TVisibleKind::AuxTape;
        }
    }
    SendUp(ev::FileMgr_VisibleDocumentChanged, nullptr);
}

void TTlyFile::ShowTape(const TCalculator& tape) {
    if (const TDocPage* page = PageOf(&tape)) ActivatePage(*page);
}

void TTlyFile::ShowTable(const TResultsTable& table) {
    if (const TDocPage* page = PageOf(&table)) ActivatePage(*page);
}

bool TTlyFile::ShowByName(std::string_view name, bool checkLeave) {
    const void* shown = TapeByName(name);
    if (shown == nullptr && name.starts_with("Table ")) {
        for (const auto& table : tableManager_->Tables()) {
            if (table->TableName() == name) shown = table.get();
        }
    }
    const TDocPage* page = shown != nullptr ? PageOf(shown) : nullptr;
    if (page == nullptr) return false;
    if (page->Id != activePage_ && checkLeave && !MayLeaveActivePage()) return false;
    ActivatePage(*page);
    return true;
}

bool TTlyFile::ShowNextPage(bool forward) {
    const auto active = std::find_if(docPages_.begin(), docPages_.end(),
                                     [this](const TDocPage& page) { return page.Id == activePage_; });
    if (docPages_.size() < 2 || active == docPages_.end()) return false;
    const auto count = static_cast<std::ptrdiff_t>(docPages_.size());
    const std::ptrdiff_t index = active - docPages_.begin();
    const std::ptrdiff_t next = (index + (forward ? 1 : count - 1)) % count;
    return UserSelectsPage(docPages_[static_cast<std::size_t>(next)].Id);
}

void TTlyFile::RedrawTabs() {
    const bool shown = docPages_.size() > 1;
    pages_->SetTabStripShown(shown);
    if (tabStripShown_ && !shown) SendUp(ev::FileMgr_OnFilesDocTabsNotShowing, nullptr);
    tabStripShown_ = shown;
}

void TTlyFile::GoToTapeLine(std::string_view text) {
    if (text.empty()) return;
    if (IsDigits(text)) {
        currentTape_->GoToLineText(text);
        return;
    }
    if (!IsAsciiLetter(text.front()) || !IsDigits(text.substr(1))) {
        Notifier().ExplainAndBeep("Invalid line number.");
        return;
    }
    const char tapeId = static_cast<char>(std::tolower(static_cast<unsigned char>(text.front())));
    TCalculator* tape = TapeById(tapeId);
    if (tape == nullptr) {
        Notifier().ExplainAndBeep("Invalid tape id.");
        return;
    }
    if (tape != currentTape_ || visibleKind_ == TVisibleKind::Table) {
        if (!MayLeaveActivePage()) return;
        ShowTape(*tape);
    }
    tape->GoToLineText(text.substr(1));
    pages_->Refresh();
}

// ---- Deferred requests and link upkeep

bool TTlyFile::RunRequest(const TDeferredRequest& request) {
    bool handled = RunLinkRequest(*linkManager_, request) || RunCopyRequest(*copyManager_, request) ||
                   commands_->RunRequest(request);
    if (!handled) {
        TTapeRequestRunner runner(*currentTape_);
        handled = runner.Run(request);
    }
    RemoveBrokenLinksAfterEdit();
    return handled;
}

std::vector<std::pair<const TCalculator*, std::uint64_t>> TTlyFile::LinkGenerations() const {
    std::vector<std::pair<const TCalculator*, std::uint64_t>> generations;
    for (const TCalculator* tape : EnabledTapes()) generations.emplace_back(tape, tape->Lines().LinkGeneration());
    return generations;
}

void TTlyFile::RemoveBrokenLinksAfterEdit() {
    // The line stores count every change of link data and every move of a linked line, so an
    // edit that touched no link costs nothing here.
    std::vector<std::pair<const TCalculator*, std::uint64_t>> generations = LinkGenerations();
    if (generations == checkedLinkGenerations_) return;
    linkManager_->RemoveBrokenLinks();
    checkedLinkGenerations_ = LinkGenerations();
}

void TTlyFile::AfterEditAction() {
    if ((enabledParts_ & DocumentPart::kTables) != 0) tableManager_->RemoveUnassignedColumns();
    KeepLinkState();
}

void TTlyFile::KeepLinkState() { checkedLinkGenerations_ = LinkGenerations(); }

}  // namespace tally
