// Creating tapes and enabling or disabling the parts of a document: memory, side tape,
// auxiliary tapes and tables.

#include <algorithm>

#include "documents/cross_tape_commands.h"
#include "documents/file_document.h"
#include "engine/totals/total_manager.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "links/calculator_copy_tape.h"
#include "links/calculator_link_tape.h"
#include "links/link_manager.h"
#include "table/table_manager.h"
#include "tapes/auxiliary_calculator_manager.h"
#include "tapes/calculator_memory.h"
#include "tapes/side_calculator.h"

namespace tally {

namespace ev = events;

namespace {

constexpr TTapeColumn kChosenColumns[] = {TTapeColumn::Annotations, TTapeColumn::Line, TTapeColumn::Links,
                                          TTapeColumn::RunningTotal, TTapeColumn::TableColumns};

}  // namespace

TTapeColors TTlyFile::TapeColors() const {
    const TTapeColors defaults;
    TTapeColors colors;
    colors.ZeroTotal = AskColor(ev::FileMgr_GetZeroTotalLineColor, 0xC0C0C0);
    colors.EmbeddedSeries = AskColor(ev::FileMgr_GetEmbeddedSeriesColor, defaults.EmbeddedSeries);
    colors.GrandTotal = AskColor(ev::FileMgr_GetGrandTotalColor, defaults.GrandTotal);
    colors.GroupTotal = AskColor(ev::FileMgr_GetGroupTotalColor, defaults.GroupTotal);
    return colors;
}

TDocumentPageId TTlyFile::AddTapePage(std::string_view caption, ITapeView*& view) {
    const TDocumentPageId id = nextPageId_++;
    view = pages_->AddTapePage(id, caption);
    return id;
}

void TTlyFile::SetUpTape(TCalculator& tape, TTapeKind kind, TDocumentPageId page) {
    tape.SetClipboard(clipboard_);
    tape.SetRoundingMethod(roundingMethod_);
    if (kind != TTapeKind::Memory) {
        tape.SetDataEntryOption(AskInteger(ev::FileMgr_GetDefaultDataEntryOption, DataEntryOption::kManualStart));
    }
    // The general options; the values after them hold when nobody answers.
    tape.SetShowSeriesTotalItemCount(AskBoolean(ev::FileMgr_GetShowSeriesTotalItemCount, false));
    tape.SetShowGroupTotalItemCount(AskBoolean(ev::FileMgr_GetShowGroupTotalItemCount, false));
    tape.SetShowGrandTotalItemCount(AskBoolean(ev::FileMgr_GetShowGrandTotalItemCount, false));
    tape.SetAutoIncreaseDecimalPlaces(AskBoolean(ev::FileMgr_GetAutoIncreaseDecimalPlacesOption, true));
    tape.SetAutoSetTotalType(AskBoolean(ev::FileMgr_GetAutoSetTotalTypeOption, true));
    // The auxiliary tape manager names its tapes and gives them their colours and headings.
    if (kind != TTapeKind::Auxiliary) {
        tape.SetTapeName(std::string(kind == TTapeKind::Main     ? kMainTapeName
                                     : kind == TTapeKind::Memory ? kMemoryTapeName
                                                                 : kSideTapeName));
        tape.SetColors(TapeColors());
        tape.SetGroupTotalCreationDisplayState(CreationDisplayState(ev::FileMgr_GetGroupTotalCreationDisplayState));
        tape.SetGrandTotalCreationDisplayState(CreationDisplayState(ev::FileMgr_GetGrandTotalCreationDisplayState));
        tape.SetPageHeader(AskText(ev::FileMgr_GetDefaultTapePageHeader));
        tape.SetTitle(AskText(ev::FileMgr_GetDefaultTapeTitle));
        tape.SetNoteLines({});
    }
    // A new tape's open series starts with them; a file read into the tape brings its own.
    const int startupDecimals = AskInteger(ev::FileMgr_GetStartupDecimalPlaces, 2);
    tape.SetStartupDecimalPlaces(startupDecimals);
    tape.SetOpenSeriesDecimalPlaces(startupDecimals);
    if (kind != TTapeKind::Main) CopyMainColumnChoices(tape);
    ConnectTape(tape, kind);
    adapters_[&tape] = {std::make_unique<TCalculatorLinkTape>(tape),
                        std::make_unique<TCalculatorCopyTape>(tape, *linkManager_)};
    docPages_.push_back({page, &tape, nullptr});
    pages_->AttachTape(page, &tape);
}

void TTlyFile::ConnectTape(TCalculator& tape, TTapeKind kind) {
    auxManager_->ConnectTape(tape);
    tableManager_->ConnectTape(tape);
    linkManager_->ConnectTape(tape);
    TCalculatorHooks& hooks = tape.Hooks();
    hooks.ProcessPendingTotals = [this](TCalculator&) { totalManager_->ProcessPendingTotals(); };
    // The status panel shows the current tape's values.
    const auto sendInteger = [this](std::string_view event, std::int32_t value) {
        TMedInteger shown;
        shown.Value = value;
        SendUp(event, &shown);
    };
    const auto sendText = [this](std::string_view event, std::string text) {
        TMedString shown;
        shown.Value = std::move(text);
        SendUp(event, &shown);
    };
    if (kind != TTapeKind::Memory) {
        hooks.OnDataEntryOptionChange = [this, sendInteger](TCalculator&) {
            sendInteger(ev::FileMgr_ShowTapeDataEntryOptionValue, currentTape_->DataEntryOption());
        };
    }
    hooks.OnDecimalPlacesChange = [this, sendInteger](TCalculator&) {
        sendInteger(ev::FileMgr_ShowTapeDecimalPlacesValue, currentTape_->OpenSeriesDecimalPlaces());
    };
    hooks.OnTotalTypeChange = [this, sendText](TCalculator&) {
        sendText(ev::FileMgr_ShowTapeTotalType, currentTape_->OpenSeriesTotalType());
    };
    hooks.OnLineCountChange = [this, sendInteger](TCalculator&) {
        sendInteger(ev::FileMgr_ShowTapeLineCount, currentTape_->Lines().LineCount());
    };
    hooks.OnLineNumberChange = [this](TCalculator& changed, int) { SendLineNumber(changed); };
    if (kind == TTapeKind::Memory || kind == TTapeKind::Side) {
        const std::string_view event = kind == TTapeKind::Memory ? ev::FileMgr_ShowMemoryTotal : ev::FileMgr_ShowSideTapeTotal;
        hooks.OnSeriesTotalChange = [sendText, event](TCalculator&, const std::string& total) { sendText(event, total); };
    }
    if (kind != TTapeKind::Memory) commands_->WatchTotals(tape, kind == TTapeKind::Side);
}

void TTlyFile::CopyMainColumnChoices(TCalculator& tape) const {
    for (const TTapeColumn column : kChosenColumns) {
        const bool shown = mainTape_->IsColumnShown(column);
        if (tape.IsColumnShown(column) != shown) tape.SetColumnShown(column, shown);
    }
    tape.SetShowThousands(mainTape_->ShowThousands());
}

TDocumentPageId TTlyFile::ReleaseTape(const TCalculator& tape) {
    const TDocumentPageId id = PageOf(&tape)->Id;
    if (id == activePage_) ShowTape(*mainTape_);
    pages_->AttachTape(id, nullptr);
    adapters_.erase(&tape);
    return id;
}

void TTlyFile::RemoveDocPage(TDocumentPageId id) {
    pages_->RemovePage(id);
    std::erase_if(docPages_, [id](const TDocPage& page) { return page.Id == id; });
}

void TTlyFile::AfterPartsChanged() {
    structureModified_ = true;
    RedrawTabs();
    // With a second page the tab strip appears and the grids grow shorter.
    if (docPages_.size() == 2) pages_->Refresh();
}

void TTlyFile::RefreshAfterTapeRemoved() {
    linkManager_->RemoveBrokenLinks();
    linkManager_->UpdateLinksDisplay();
    if ((enabledParts_ & DocumentPart::kTables) != 0) tableManager_->RenumberAssignments();
    checkedLinkGenerations_ = LinkGenerations();
}

// ---- Memory and side tape

void TTlyFile::EnableMemory(bool enable) {
    if (enable == (memoryTape_ != nullptr)) return;
    if (!enable) commands_->BeforeMemoryDisabled();
    memoryRecallActive_ = false;
    if (enable) {
        ITapeView* view = nullptr;
        const TDocumentPageId page = AddTapePage("&Memory", view);
        memoryTape_ = std::make_unique<TCalculatorMemory>(&documentBus_, view);
        SetUpTape(*memoryTape_, TTapeKind::Memory, page);
        enabledParts_ |= DocumentPart::kMemoryTape;
    } else {
        const TDocumentPageId page = ReleaseTape(*memoryTape_);
        memoryTape_.reset();
        RemoveDocPage(page);
        enabledParts_ &= static_cast<std::uint8_t>(~DocumentPart::kMemoryTape);
        RefreshAfterTapeRemoved();
    }
    AfterPartsChanged();
}

void TTlyFile::EnableSide(bool enable) {
    if (enable == (sideTape_ != nullptr)) return;
    if (!enable) {
        if (!commands_->MayRemoveTape(*sideTape_)) return;
        commands_->BeforeSideDisabled();
    }
    sideCalcActive_ = false;
    if (enable) {
        ITapeView* view = nullptr;
        const TDocumentPageId page = AddTapePage("&Side Tape", view);
        sideTape_ = std::make_unique<TSideCalculator>(&documentBus_, view);
        SetUpTape(*sideTape_, TTapeKind::Side, page);
        sideTape_->SetOpenSeriesDecimalPlaces(mainTape_->OpenSeriesDecimalPlaces());
        enabledParts_ |= DocumentPart::kSideTape;
    } else {
        const TDocumentPageId page = ReleaseTape(*sideTape_);
        sideTape_.reset();
        RemoveDocPage(page);
        enabledParts_ &= static_cast<std::uint8_t>(~DocumentPart::kSideTape);
        RefreshAfterTapeRemoved();
    }
    AfterPartsChanged();
}

// ---- Auxiliary tapes

std::string TTlyFile::AddAuxTape(std::string_view tapeName) {
    TCalculator* tape = CreateAuxTape(tapeName);
    if (tape == nullptr) return {};
    ShowTape(*tape);
    return tape->TapeName();
}

TCalculator* TTlyFile::CreateAuxTape(std::string_view tapeName) {
    if (!auxManager_->MoreAvailable()) return nullptr;
    std::string name(tapeName);
    for (char letter = 'a'; name.empty() && letter <= 'z'; ++letter) {
        if (!auxManager_->IsEnabledId(letter)) name = TAuxiliaryCalculatorManager::NameForId(letter);
    }
    ITapeView* view = nullptr;
    const TDocumentPageId page = AddTapePage(name, view);
    TCalculator* tape = auxManager_->CreateByName(name, view);
    if (tape == nullptr) {
        pages_->RemovePage(page);
        return nullptr;
    }
    tape->SetRoundingMethod(roundingMethod_);
    SetUpTape(*tape, TTapeKind::Auxiliary, page);
    enabledParts_ |= DocumentPart::kAuxTapes;
    // The View menu's "Show Auxiliary Tape" brings the newest one.
    auxManager_->MakeCurrentByName(name);
    AfterPartsChanged();
    return tape;
}

void TTlyFile::RemoveAuxTape(std::string_view tapeName) {
    TCalculator* tape = tapeName.starts_with("Aux ") ? auxManager_->FindByName(tapeName) : nullptr;
    if (tape == nullptr || !commands_->MayRemoveTape(*tape)) return;
    const TDocumentPageId page = ReleaseTape(*tape);
    auxManager_->Remove(tape);
    RemoveDocPage(page);
    if (auxManager_->Count() == 0) enabledParts_ &= static_cast<std::uint8_t>(~DocumentPart::kAuxTapes);
    RefreshAfterTapeRemoved();
    AfterPartsChanged();
}

// ---- Tables

std::string TTlyFile::AddTableNamed(std::string_view tableName) {
    const TResultsTable* table = CreateTable(tableName);
    if (table == nullptr) return {};
    // The user adds a table to fill it, so the tapes show the column that assigns lines to it.
    ShowColumn(TTapeColumn::TableColumns, true);
    return table->TableName();
}

TResultsTable* TTlyFile::CreateTable(std::string_view tableName) {
    if (!tableManager_->CreateTable()) return nullptr;
    TResultsTable* table = tableManager_->CurrentTable();
    const std::string name = table->TableName();
    // The manager names its tables; a name it would not give is refused.
    if (!tableName.empty() && tableName != name) {
        tableManager_->RemoveTable(name);
        return nullptr;
    }
    const TDocumentPageId page = nextPageId_++;
    pages_->AddTablePage(page, "Table", *table);
    docPages_.push_back({page, nullptr, table});
    enabledParts_ |= DocumentPart::kTables;
    tableManager_->SelectTable(name);
    tableManager_->RenumberAssignments();
    AfterPartsChanged();
    return table;
}

void TTlyFile::RemoveTable(std::string_view tableName) {
    const auto& tables = tableManager_->Tables();
    const auto found =
        std::find_if(tables.begin(), tables.end(), [tableName](const auto& table) { return table->TableName() == tableName; });
    if (found == tables.end()) return;
    commands_->AfterTablesRemoved();
    const TDocumentPageId id = PageOf(found->get())->Id;
    if (id == activePage_) ShowTape(*mainTape_);
    RemoveDocPage(id);
    tableManager_->RemoveTable(tableName);
    if (tableManager_->Tables().empty()) {
        ShowColumn(TTapeColumn::TableColumns, false);
        enabledParts_ &= static_cast<std::uint8_t>(~DocumentPart::kTables);
    }
    AfterPartsChanged();
}

}  // namespace tally
