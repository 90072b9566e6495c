#include "documents/file_document.h"

#include <algorithm>

#include "documents/cross_tape_commands.h"
#include "engine/lines/calc_params.h"
#include "engine/totals/total_manager.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "links/calculator_copy_tape.h"
#include "links/calculator_link_tape.h"
#include "links/copy_manager.h"
#include "links/link_manager.h"
#include "output/page_model.h"
#include "platform/headless_printer.h"
#include "settings/page_layout_defaults.h"
#include "settings/tape_page_layout.h"
#include "table/table_manager.h"
#include "tapes/auxiliary_calculator_manager.h"

namespace tally {

namespace ev = events;

// The total manager reaches the enabled tapes by their ids.
class TTlyFile::TDocumentTotalTapes final : public ITotalTapes {
public:
    explicit TDocumentTotalTapes(const TTlyFile& document) : document_(document) {}
    TCalculator* TapeById(char tapeId) override { return document_.TapeById(tapeId); }

private:
    const TTlyFile& document_;
};

TTlyFile::TTlyFile(TTlyFileSetup setup)
    : parentBus_(setup.ParentBus),
      ownPages_(std::move(setup.OwnPages)),
      pages_(ownPages_ ? ownPages_.get() : setup.Pages),
      clipboard_(setup.Clipboard),
      fileName_(std::move(setup.FileName)),
      fileNumber_(setup.FileNumber) {
    if (pages_ == nullptr) {
        ownPages_ = std::make_unique<HeadlessDocumentPages>();
        pages_ = ownPages_.get();
    }
    IPrinter* printer = setup.Printer;
    if (printer == nullptr) {
        ownPrinter_ = std::make_unique<HeadlessPrinter>();
        printer = ownPrinter_.get();
    }
    roundingMethod_ =
        AskInteger(ev::FileMgr_GetStartupRoundingMethod, 0) == 1 ? TRoundingMethod::Even : TRoundingMethod::Up;
    RegisterEvents();

    // Inches and margins of one inch until the page layout defaults say otherwise.
    tableReportProps_ = std::make_unique<TWyn_ReportProperties>(*printer);
    tableReportProps_->Assign(TReportSettings{});
    tapeReportProps_ = std::make_unique<TWyn_ReportProperties>(*printer);
    tapeReportProps_->Assign(TReportSettings{});

    pageLayout_ = std::make_unique<TTapePageLayout>(&documentBus_);
    totalTapes_ = std::make_unique<TDocumentTotalTapes>(*this);
    totalManager_ = std::make_unique<TTotalManager>(documentBus_, *totalTapes_);
    // A tape joins the managers' lists once it has its adapters.
    linkManager_ = std::make_unique<TLinkManager>(
        [this] {
            std::vector<ILinkTape*> tapes;
            for (TCalculator* tape : EnabledTapes()) {
                if (const auto found = adapters_.find(tape); found != adapters_.end()) tapes.push_back(found->second.Link.get());
            }
            return tapes;
        },
        setup.Random ? setup.Random : ProgramRandomFraction(), clipboard_);
    linkManager_->RegisterEvents(documentBus_);
    copyManager_ = std::make_unique<TCopyManager>([this] {
        std::vector<ICopyTape*> tapes;
        for (TCalculator* tape : EnabledTapes()) {
            if (const auto found = adapters_.find(tape); found != adapters_.end()) tapes.push_back(found->second.Copy.get());
        }
        return tapes;
    });
    copyManager_->RegisterEvents(documentBus_);

    auxManager_ = std::make_unique<TAuxiliaryCalculatorManager>(&documentBus_);
    TAuxTapeSettings auxSettings;
    auxSettings.RoundingMethod = roundingMethod_;
    auxSettings.Colors = TapeColors();
    auxSettings.GroupTotalCreationDisplay = CreationDisplayState(ev::FileMgr_GetGroupTotalCreationDisplayState);
    auxSettings.GrandTotalCreationDisplay = CreationDisplayState(ev::FileMgr_GetGrandTotalCreationDisplayState);
    auxManager_->ApplySettings(auxSettings);

    tableManager_ = std::make_unique<TTableManager>(&documentBus_, clipboard_);
    // The tables highlight and write as the tapes do; unanswered, they keep their own defaults.
    TMedColor focusColor;
    if (parentBus_ != nullptr && parentBus_->HandleIfExists(ev::FileMgr_GetTapeFocusHighlightColor, nullptr, &focusColor)) {
        tableManager_->SetFocusColor(focusColor.Value);
    }
    TMedFont font;
    if (parentBus_ != nullptr && parentBus_->HandleIfExists(ev::FileMgr_GetTapeScreenFont, nullptr, &font)) {
        tableManager_->SetFont(font.Font);
    }
    TTableManagerTapes& tableTapes = tableManager_->Tapes();
    tableTapes.MainTape = [this] { return mainTape_.get(); };
    tableTapes.MemoryTape = [this] { return memoryTape_.get(); };
    tableTapes.SideTape = [this] { return sideTape_.get(); };
    tableTapes.AuxiliaryTapes = [this] {
        std::vector<TCalculator*> tapes;
        for (int i = 0; i < auxManager_->Count(); ++i) tapes.push_back(auxManager_->TapeAt(i));
        return tapes;
    };
    TResultsTableCallbacks tableCallbacks;
    tableCallbacks.CurrentColumnDecimals = [this](int decimals, bool) {
        TMedInteger shown;
        shown.Value = decimals;
        SendUp(ev::FileMgr_ShowTableDecimalPlacesValue, &shown);
    };
    tableCallbacks.CurrentColumnTotalShown = [this](bool totalShown) {
        TMedBoolean shown;
        shown.Value = totalShown;
        SendUp(ev::FileMgr_ShowTableColTotalState, &shown);
    };
    tableManager_->SetTableCallbacks(std::move(tableCallbacks));

    commands_ = std::make_unique<TCrossTapeCommands>(*this);
    pages_->SetUserSelection([this](TDocumentPageId id) { return UserSelectsPage(id); });
    ITapeView* view = nullptr;
    const TDocumentPageId page = AddTapePage("&Tape", view);
    mainTape_ = std::make_unique<TCalculator>('t', &documentBus_, view);
    SetUpTape(*mainTape_, TTapeKind::Main, page);
    currentTape_ = mainTape_.get();
    ActivatePage(docPages_.front());
    ApplyPageLayoutDefaults();
    RedrawTabs();
    checkedLinkGenerations_ = LinkGenerations();
}

TTlyFile::~TTlyFile() {
    // The views let go of their tapes and tables before those are freed; a table's page goes
    // at once.
    for (const TDocPage& page : docPages_) {
        if (page.Tape != nullptr) {
            pages_->AttachTape(page.Id, nullptr);
        } else {
            pages_->RemovePage(page.Id);
        }
    }
    pages_->SetUserSelection(nullptr);
    tableManager_.reset();
    auxManager_.reset();
    memoryTape_.reset();
    sideTape_.reset();
    mainTape_.reset();
    for (const TDocPage& page : docPages_) {
        if (page.Tape != nullptr) pages_->RemovePage(page.Id);
    }
    docPages_.clear();
}

std::int32_t TTlyFile::AskInteger(std::string_view eventName, std::int32_t fallback) const {
    TMedInteger answer;
    answer.Value = fallback;
    if (parentBus_ != nullptr) parentBus_->HandleIfExists(eventName, nullptr, &answer);
    return answer.Value;
}

bool TTlyFile::AskBoolean(std::string_view eventName, bool fallback) const {
    TMedBoolean answer;
    answer.Value = fallback;
    if (parentBus_ != nullptr) parentBus_->HandleIfExists(eventName, nullptr, &answer);
    return answer.Value;
}

std::uint32_t TTlyFile::AskColor(std::string_view eventName, std::uint32_t fallback) const {
    TMedColor answer;
    answer.Value = fallback;
    if (parentBus_ != nullptr) parentBus_->HandleIfExists(eventName, nullptr, &answer);
    return answer.Value;
}

std::string TTlyFile::AskText(std::string_view eventName) const {
    TMedString answer;
    if (parentBus_ != nullptr) parentBus_->HandleIfExists(eventName, nullptr, &answer);
    return answer.Value;
}

std::string TTlyFile::CreationDisplayState(std::string_view eventName) const {
    std::string state = AskText(eventName);
    return state.empty() ? std::string("SL") : state;
}

void TTlyFile::SendUp(std::string_view eventName, TMedRecord* in) const {
    if (parentBus_ != nullptr) parentBus_->HandleIfExists(eventName, in, nullptr);
}

void TTlyFile::RegisterEvents() {
    // A relayed query keeps the sender's own answer record, so its fallback holds when nobody
    // above answers.
    const auto relay = [this](std::string_view upward) {
        return [this, upward](TMedRecord* in, TMedRecord* out) {
            if (parentBus_ != nullptr) parentBus_->HandleIfExists(upward, in, out);
        };
    };
    answers_.Add(ev::FileObj_ConfirmDeleteTableCol, relay(ev::FileMgr_ConfirmDeleteTableCol));
    answers_.Add(ev::FileObj_GetCalcObjectByTapeId, [this](TMedRecord* in, TMedRecord* out) {
        const auto* id = RecordAs<TMedChar>(in);
        auto* answer = RecordAs<TMedFileObj_CalculatorObject_Out>(out);
        if (id != nullptr && answer != nullptr) answer->Tape = TapeById(id->Value);
    });
    answers_.Add(ev::FileObj_GetDefaultTablePageHeader, relay(ev::FileMgr_GetDefaultTablePageHeader));
    answers_.Add(ev::FileObj_GetDefaultTableTitle, relay(ev::FileMgr_GetDefaultTableTitle));
    answers_.Answer<TMedString>(ev::FileObj_GetDefaultTapePageHeader,
                                [this] { return AskText(ev::FileMgr_GetDefaultTapePageHeader); });
    answers_.Answer<TMedString>(ev::FileObj_GetDefaultTapeTitle,
                                [this] { return AskText(ev::FileMgr_GetDefaultTapeTitle); });
    answers_.Add(ev::FileObj_GetMainTapeCalcObject, [this](TMedRecord*, TMedRecord* out) {
        if (auto* answer = RecordAs<TMedObjectReference>(out)) answer->ObjRef = mainTape_.get();
    });
    answers_.Add(ev::FileObj_GetMaxTableDataCols, [this](TMedRecord* in, TMedRecord* out) {
        if (auto* answer = RecordAs<TMedInteger>(out)) answer->Value = kDefaultMaxTableDataColumns;
        if (parentBus_ != nullptr) parentBus_->HandleIfExists(ev::FileMgr_GetMaxTableDataCols, in, out);
    });
    answers_.Answer<TMedInteger>(ev::FileObj_GetStartupDecimalPlaces,
                                 [this] { return AskInteger(ev::FileMgr_GetStartupDecimalPlaces, 2); });
    answers_.Add(ev::FileObj_PostMainFormWindowsMsg, relay(ev::FileMgr_PostMainFormWindowsMsg));
    answers_.Add(ev::FileObj_SetMaxTableDataCols, relay(ev::FileMgr_SetMaxTableDataCols));
}

void TTlyFile::ApplyPageLayoutDefaults() {
    TMedObjectReference answer;
    if (parentBus_ != nullptr) parentBus_->HandleIfExists(ev::FileMgr_GetPageLayoutDefaultsObject, nullptr, &answer);
    const auto* defaults = static_cast<const TPageLayoutDefaults*>(answer.ObjRef);
    if (defaults == nullptr) return;
    TReportSettings tapeReport;
    TReportSettings tableReport;
    defaults->ApplyTo(*pageLayout_, tapeReport, tableReport);
    tapeReportProps_->Assign(tapeReport);
    tableReportProps_->Assign(tableReport);
}

// ---- Lookups

std::vector<TCalculator*> TTlyFile::EnabledTapes() const {
    std::vector<TCalculator*> tapes{mainTape_.get()};
    if (memoryTape_) tapes.push_back(memoryTape_.get());
    if (sideTape_) tapes.push_back(sideTape_.get());
    for (int i = 0; i < auxManager_->Count(); ++i) tapes.push_back(auxManager_->TapeAt(i));
    return tapes;
}

TCalculator* TTlyFile::TapeById(char tapeId) const {
    switch (tapeId) {
        case 't': return mainTape_.get();
        case 'm': return memoryTape_.get();
        case 's': return sideTape_.get();
        default: return auxManager_->IsEnabledId(tapeId) ? auxManager_->FindById(tapeId) : nullptr;
    }
}

TCalculator* TTlyFile::TapeByName(std::string_view tapeName) const {
    if (tapeName == kMainTapeName) return mainTape_.get();
    if (tapeName == kMemoryTapeName) return memoryTape_.get();
    if (tapeName == kSideTapeName) return sideTape_.get();
    return tapeName.starts_with("Aux ") ? auxManager_->FindByName(tapeName) : nullptr;
}

std::string TTlyFile::VisibleName() const {
    if (visibleKind_ == TVisibleKind::Table) {
        const TResultsTable* table = tableManager_->CurrentTable();
        return table != nullptr ? table->TableName() : std::string();
    }
    return currentTape_->TapeName();
}

// ---- State

bool TTlyFile::IsEmpty() const {
    const std::vector<TCalculator*> tapes = EnabledTapes();
    return std::all_of(tapes.begin(), tapes.end(),
                       [](const TCalculator* tape) { return tape->IsBlank(); }) &&
           tableManager_->AreAllTablesEmpty();
}

bool TTlyFile::IsModified() const {
    const std::vector<TCalculator*> tapes = EnabledTapes();
    return structureModified_ ||
           std::any_of(tapes.begin(), tapes.end(), [](const TCalculator* tape) { return tape->IsModified(); }) ||
           tableManager_->IsAnyTableModified();
}

void TTlyFile::ClearModified() {
    structureModified_ = false;
    for (TCalculator* tape : EnabledTapes()) tape->SetModified(false);
    tableManager_->SetModified(false);
}

void TTlyFile::Reset(std::string untitledCaption) {
    sideCalcActive_ = false;
    memoryRecallActive_ = false;
    commands_->Reset();
    const std::string pageHeader = AskText(ev::FileMgr_GetDefaultTapePageHeader);
    const std::string title = AskText(ev::FileMgr_GetDefaultTapeTitle);
    for (TCalculator* tape : EnabledTapes()) {
        tape->EraseTape();
        tape->SetPageHeader(pageHeader);
        tape->SetTitle(title);
        tape->SetNoteLines({});
        if (auxManager_->IsAuxiliary(tape)) auxManager_->SetLabel(tape, {});
    }
    tableManager_->NewDocument();
    fileName_ = std::move(untitledCaption);
    pageLayout_->Reset();
    tapeReportProps_->Assign(TReportSettings{});
    tableReportProps_->Assign(TReportSettings{});
    ApplyPageLayoutDefaults();
    ShowTape(*mainTape_);
    pages_->Refresh();
    ClearModified();
}

// ---- The file's view of the document

TCalculator& TTlyFile::EnableMemoryTape() {
    EnableMemory(true);
    return *memoryTape_;
}

TCalculator& TTlyFile::EnableSideTape() {
    EnableSide(true);
    return *sideTape_;
}

std::vector<std::pair<std::string, TCalculator*>> TTlyFile::AuxiliaryTapes() {
    std::vector<std::pair<std::string, TCalculator*>> tapes;
    for (int i = 0; i < auxManager_->Count(); ++i) {
        TCalculator* tape = auxManager_->TapeAt(i);
        tapes.emplace_back(tape->TapeName(), tape);
    }
    return tapes;
}

// The file's parts are created without being shown or announced: the file says which columns
// the tapes show, and the document opens on its main tape.
TCalculator* TTlyFile::AddAuxiliaryTape(std::string_view tapeName) { return CreateAuxTape(tapeName); }

std::string TTlyFile::TapeLabel(const TCalculator& tape) const { return auxManager_->Label(&tape); }

void TTlyFile::SetTapeLabel(const TCalculator& tape, std::string label) {
    auxManager_->SetLabel(&tape, std::move(label));
}

std::vector<std::pair<std::string, TResultsTable*>> TTlyFile::Tables() {
    std::vector<std::pair<std::string, TResultsTable*>> tables;
    for (const auto& table : tableManager_->Tables()) tables.emplace_back(table->TableName(), table.get());
    return tables;
}

TResultsTable* TTlyFile::AddTable(std::string_view tableName) { return CreateTable(tableName); }

std::string TTlyFile::FinishLoad() {
    // Side, memory and auxiliary tapes first: the main tape's links may take values from them.
    std::vector<TCalculator*> order;
    if (sideTape_) order.push_back(sideTape_.get());
    if (memoryTape_) order.push_back(memoryTape_.get());
    for (int i = 0; i < auxManager_->Count(); ++i) order.push_back(auxManager_->TapeAt(i));
    order.push_back(mainTape_.get());
    // A stored circle of links would make a value depend on itself: the content is refused
    // before any refresh follows the circle.
    // Checking one linked line as it stands checks the picture of every link of every tape.
    const auto linked = std::find_if(order.begin(), order.end(),
                                     [](const TCalculator* tape) { return !tape->Lines().LinkedLines().empty(); });
    if (linked != order.end()) {
        const TLineStore& lines = (*linked)->Lines();
        const LineIndex line = lines.LinkedLines().front();
        const std::string linkData(lines.Property(line, LineKey::kLinkId));
        if (const std::optional<std::string> chain =
                linkManager_->PotentialCircLink((*linked)->TapeId(), line + 1, linkData)) {
            return "The links in the file form a circle: " + *chain + ".";
        }
    }
    for (TCalculator* tape : order) {
        tape->RefreshAll();
        tape->View().Repaint();
    }
    linkManager_->UpdateLinksDisplay();
    linkManager_->RefreshAllLinks();
    tableManager_->AfterLoad();
    tableManager_->RenumberAssignments();
    pages_->Refresh();
    checkedLinkGenerations_ = LinkGenerations();
    ClearModified();
    return {};
}

}  // namespace tally
