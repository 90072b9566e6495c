#pragma once
// TTlyFile: one open document. It owns its bus, its main tape and, while they are enabled, its
// memory tape, side tape, auxiliary tapes and results table, and the managers that tie them
// together (links, totals, quick copies, auxiliary tapes, tables), its page layout and the
// print properties of its tapes and tables. It creates and wires every tape the same way,
// shows one page at a time, and relays upward on its parent bus what it cannot answer itself.
//
// The source is split by purpose: file_document.cpp (set-up, the bus, lookups, state and the
// file's view of the document), file_document_parts.cpp (creating tapes, enabling and disabling
// parts), file_document_view.cpp (shown columns, rounding, the visible page, going to a line,
// requests after an edit) and file_document_file.cpp (saving and opening its ".tly" file). The
// commands across tapes and their locks are a part of their own (cross_tape_commands.h).

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "documents/document_pages.h"
#include "documents/tly_document_parts.h"
#include "documents/tly_file.h"
#include "engine/tape/calculator.h"
#include "foundation/mediator.h"
#include "links/link_data_codec.h"
#include "platform/deferred_requests.h"
#include "settings/bus_answers.h"

namespace tally {

class IClipboard;
class IPrinter;
class TAuxiliaryCalculatorManager;
class TCalculatorCopyTape;
class TCalculatorLinkTape;
class TCopyManager;
class TCrossTapeCommands;
class TLinkManager;
class TTableManager;
class TTotalManager;
class ITotalTapes;
class TGenlOptionsVariables;

// The answer of "FileObj_GetCalcObjectByTapeId".
class TMedFileObj_CalculatorObject_Out : public TMedRecord {
public:
    TCalculator* Tape = nullptr;
};

// The bits of TTlyFile::EnabledParts().
namespace DocumentPart {
inline constexpr std::uint8_t kMainTape = 1;
inline constexpr std::uint8_t kMemoryTape = 2;
inline constexpr std::uint8_t kSideTape = 4;
inline constexpr std::uint8_t kAuxTapes = 8;
inline constexpr std::uint8_t kTables = 16;
}  // namespace DocumentPart

// What the visible page shows.
enum class TVisibleKind : std::uint8_t { MainTape = 0, MemoryTape = 1, SideTape = 2, AuxTape = 3, Table = 4 };

inline constexpr std::string_view kMainTapeName = "Tape";
inline constexpr std::string_view kMemoryTapeName = "Memory";
inline constexpr std::string_view kSideTapeName = "Side Tape";

inline constexpr std::string_view kLeaveMemoryDuringRecallText =
    "Cannot leave the memory tape while recalling a memory tape entry.  Either select a memory entry and press the "
    "Enter key, or press the Escape key to cancel.";
inline constexpr std::string_view kLeaveSideDuringSideCalcText =
    "Cannot show another tape while a side calculation is in progress.  Either END the calculation or CANCEL it.";

// What a document needs of its surroundings. Every part may be left out: the document then
// keeps headless pages and a headless printer of its own, copies and pastes nothing, and
// answers its upward queries with their fallbacks.
struct TTlyFileSetup {
    TStMediator* ParentBus = nullptr;
    IDocumentPages* Pages = nullptr;
    // Pages the document owns and frees last (a window's page control made for it); they take
    // the place of Pages.
    std::unique_ptr<IDocumentPages> OwnPages;
    IPrinter* Printer = nullptr;
    IClipboard* Clipboard = nullptr;
    // Link numbers are drawn from it; the program's generator when empty.
    TRandomFraction Random;
    std::string FileName = "Untitled(1)";
    int FileNumber = 1;
};

class TTlyFile final : public ITlyDocumentParts {
public:
    explicit TTlyFile(TTlyFileSetup setup = {});
    ~TTlyFile() override;
    TTlyFile(const TTlyFile&) = delete;
    TTlyFile& operator=(const TTlyFile&) = delete;

    // ---- Identity
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string name) { fileName_ = std::move(name); }
    int FileNumber() const { return fileNumber_; }
    TStMediator& DocumentBus() { return documentBus_; }
    IDocumentPages& Pages() const { return *pages_; }

    // ---- Managers
    TLinkManager& LinkManager() const { return *linkManager_; }
    TCopyManager& CopyManager() const { return *copyManager_; }
    TTotalManager& TotalManager() const { return *totalManager_; }
    TAuxiliaryCalculatorManager& AuxManager() const { return *auxManager_; }
    TTableManager& TableManager() const { return *tableManager_; }
    // The commands across tapes and their lock modes (cross_tape_commands.h).
    TCrossTapeCommands& Commands() const { return *commands_; }

    // ---- Parts (file_document_parts.cpp)
    void EnableMemory(bool enable);
    void EnableSide(bool enable);
    // The user's command: the new tape's name, empty when the manager has none left or refuses
    // the name. The new tape comes forward.
    std::string AddAuxTape(std::string_view tapeName = {});
    void RemoveAuxTape(std::string_view tapeName);
    // The user's command: the new table's name, empty when refused. Every tape then shows its
    // table column.
    std::string AddTableNamed(std::string_view tableName = {});
    void RemoveTable(std::string_view tableName);
    std::uint8_t EnabledParts() const { return enabledParts_; }

    // ---- Tapes
    // Main, memory, side, then the auxiliary tapes in the manager's order.
    std::vector<TCalculator*> EnabledTapes() const;
    // 't', 'm', 's' or an enabled auxiliary tape's id; null otherwise.
    TCalculator* TapeById(char tapeId) const;
    // "Tape", "Memory", "Side Tape" or an auxiliary tape's name.
    TCalculator* TapeByName(std::string_view tapeName) const;
    // The tape commands act on: the visible tape, or the main tape while a table is visible.
    TCalculator& CurrentTape() const { return *currentTape_; }
    TVisibleKind VisibleKind() const { return visibleKind_; }
    // What the View menu calls the visible page: a tape name or "Table A".
    std::string VisibleName() const;

    // ---- Shown columns and rounding (file_document_view.cpp); every tape follows.
    // Annotations, line numbers, links, running total or table columns.
    void ShowColumn(TTapeColumn column, bool shown);
    void ShowThousands(bool shown);
    // The display-related general options: colours, the creation display states of group and
    // grand totals and the automatic decimal places and total type, for every tape and the
    // auxiliary tapes to come; the highlight colour and font for the tables. (The tape grids'
    // highlight colour and font are the window's.)
    void ApplyGeneralOptions(const TGenlOptionsVariables& options);
    // "Portrait" or "Landscape" for printing the visible page: the tables' report properties
    // while a table is visible, the tapes' otherwise. Marks the document changed.
    void SetVisiblePageOrientation(std::string_view orientation);

    // ---- The visible page (file_document_view.cpp)
    // Whether the active page may be left; a refusal is explained and beeped.
    bool MayLeaveActivePage() const;
    // Brings the page of a tape or table forward (without the refusal check).
    void ShowTape(const TCalculator& tape);
    void ShowTable(const TResultsTable& table);
    // By the View menu's name: "Tape", "Memory", "Side Tape", "Aux B", "Table A"; false when no
    // such part is enabled, or when `checkLeave` and the active page may not be left.
    bool ShowByName(std::string_view name, bool checkLeave = false);
    // "FileMgr_GoToTapeLine": digits, or a tape id letter and digits.
    void GoToTapeLine(std::string_view text);
    // The next (previous) page, wrapping around, as if the user picked its tab: a page that
    // may not be left stays, with the explanation. False when the page did not change.
    bool ShowNextPage(bool forward);
    // The tab strip shows while the document has more than one page.
    void RedrawTabs();

    // Set by the cross-tape commands; while set, leaving that tape's page is refused.
    bool MemoryRecallActive() const { return memoryRecallActive_; }
    void SetMemoryRecallActive(bool active) { memoryRecallActive_ = active; }
    bool SideCalcActive() const { return sideCalcActive_; }
    void SetSideCalcActive(bool active) { sideCalcActive_ = active; }

    // ---- State (file_document.cpp)
    bool IsEmpty() const;
    bool IsModified() const;
    void ClearModified();
    // Marks the document changed where no tape or table records it: its page layout and print
    // settings.
    void SetStructureModified() { structureModified_ = true; }
    bool StructureModified() const { return structureModified_; }
    // Back to an empty document under the untitled caption; enabled parts stay enabled.
    void Reset(std::string untitledCaption);

    // ---- Its file (file_document_file.cpp)
    // False while the document has never been saved or opened: its name is an untitled caption.
    bool HasFile() const;
    // Writes the document to its file, or to a new one that becomes its file once written. The
    // old file stays as it was when writing fails; every modified flag is cleared on success
    // only. Save refuses a document that has no file yet. Opening is OpenTlyFile below: a
    // document is never read in place.
    TTlyFileResult Save(const IFileCalls& calls = SystemFileCalls());
    TTlyFileResult SaveAs(const std::string& fileName, const IFileCalls& calls = SystemFileCalls());

    // ---- Deferred requests and edits (file_document_view.cpp)
    // Runs a request the document's tapes and managers posted; false for the window's own.
    bool RunRequest(const TDeferredRequest& request);
    // After a key or a request: links whose other end went with a removed line are taken off.
    void RemoveBrokenLinksAfterEdit();
    // After a command that made its own link changes (a copied link source waits for its
    // destination without one): those changes are not taken for broken links.
    void KeepLinkState();
    // After an edit command, which removes broken links itself: the table columns no line is
    // assigned to are deleted.
    void AfterEditAction();
    // After a tape was removed or emptied: links left without a partner go, the link columns
    // and the table assignments follow.
    void RefreshAfterTapeRemoved();

    // ---- What the ".tly" reader and writer reach
    TCalculator& MainTape() override { return *mainTape_; }
    TCalculator* MemoryTape() override { return memoryTape_.get(); }
    TCalculator* SideTape() override { return sideTape_.get(); }
    TCalculator& EnableMemoryTape() override;
    TCalculator& EnableSideTape() override;
    std::vector<std::pair<std::string, TCalculator*>> AuxiliaryTapes() override;
    TCalculator* AddAuxiliaryTape(std::string_view tapeName) override;
    std::string TapeLabel(const TCalculator& tape) const override;
    void SetTapeLabel(const TCalculator& tape, std::string label) override;
    std::vector<std::pair<std::string, TResultsTable*>> Tables() override;
    TResultsTable* AddTable(std::string_view tableName) override;
    TTapePageLayout& PageLayout() override { return *pageLayout_; }
    TWyn_ReportProperties& TapeReportProps() override { return *tapeReportProps_; }
    TWyn_ReportProperties& TableReportProps() override { return *tableReportProps_; }
    TRoundingMethod RoundingMethod() const override { return roundingMethod_; }
    void SetRoundingMethod(TRoundingMethod method) override;
    std::string FinishLoad() override;

private:
    std::vector<std::pair<const TCalculator*, std::uint64_t>> LinkGenerations() const;
    struct TDocPage {
        TDocumentPageId Id = 0;
        TCalculator* Tape = nullptr;
        const TResultsTable* Table = nullptr;
    };
    struct TTapeAdapters {
        std::unique_ptr<TCalculatorLinkTape> Link;
        std::unique_ptr<TCalculatorCopyTape> Copy;
    };
    enum class TTapeKind { Main, Memory, Side, Auxiliary };
    class TDocumentTotalTapes;

    // file_document.cpp
    void RegisterEvents();
    void ApplyPageLayoutDefaults();
    // Upward queries, each with its fallback when nobody answers.
    std::int32_t AskInteger(std::string_view eventName, std::int32_t fallback) const;
    bool AskBoolean(std::string_view eventName, bool fallback) const;
    std::uint32_t AskColor(std::string_view eventName, std::uint32_t fallback) const;
    std::string AskText(std::string_view eventName) const;
    // How new group or grand totals are shown: the answer above, a single line ("SL") unanswered.
    std::string CreationDisplayState(std::string_view eventName) const;
    TTapeColors TapeColors() const;
    void SendUp(std::string_view eventName, TMedRecord* in) const;

    // file_document_parts.cpp
    TDocumentPageId AddTapePage(std::string_view caption, ITapeView*& view);
    // Gives a new tape the document's settings and wires it to the managers, then shows it on
    // its page.
    void SetUpTape(TCalculator& tape, TTapeKind kind, TDocumentPageId page);
    void ConnectTape(TCalculator& tape, TTapeKind kind);
    void CopyMainColumnChoices(TCalculator& tape) const;
    // Lets the page's view and the managers' adapters go of a tape about to be freed; returns
    // its page, which is removed once the tape is gone.
    TDocumentPageId ReleaseTape(const TCalculator& tape);
    void RemoveDocPage(TDocumentPageId id);
    void AfterPartsChanged();
    // An auxiliary tape or a table and its page, neither shown nor announced upward (what the
    // file reader adds); null when refused.
    TCalculator* CreateAuxTape(std::string_view tapeName);
    TResultsTable* CreateTable(std::string_view tableName);

    // file_document_view.cpp
    const TDocPage* PageOf(const void* shown) const;
    bool UserSelectsPage(TDocumentPageId id);
    void ActivatePage(const TDocPage& page);
    void SendLineNumber(TCalculator& tape) const;

    // Freed last: everything below registers on it.
    TStMediator documentBus_;
    TStMediator* parentBus_;
    std::unique_ptr<IDocumentPages> ownPages_;
    IDocumentPages* pages_;
    std::unique_ptr<IPrinter> ownPrinter_;
    IClipboard* clipboard_;
    std::string fileName_;
    int fileNumber_;
    TBusAnswers answers_{&documentBus_};

    std::unique_ptr<TWyn_ReportProperties> tableReportProps_;
    std::unique_ptr<TWyn_ReportProperties> tapeReportProps_;
    std::unique_ptr<TTapePageLayout> pageLayout_;
    std::unique_ptr<TDocumentTotalTapes> totalTapes_;
    std::unique_ptr<TTotalManager> totalManager_;
    std::unique_ptr<TLinkManager> linkManager_;
    std::unique_ptr<TCopyManager> copyManager_;
    std::unique_ptr<TAuxiliaryCalculatorManager> auxManager_;
    std::unique_ptr<TTableManager> tableManager_;
    std::map<const TCalculator*, TTapeAdapters> adapters_;
    std::unique_ptr<TCrossTapeCommands> commands_;

    std::unique_ptr<TCalculator> mainTape_;
    std::unique_ptr<TCalculator> memoryTape_;
    std::unique_ptr<TCalculator> sideTape_;
    TCalculator* currentTape_ = nullptr;

    std::vector<TDocPage> docPages_;
    TDocumentPageId activePage_ = 0;
    TDocumentPageId nextPageId_ = 0;
    bool tabStripShown_ = false;

    TRoundingMethod roundingMethod_ = TRoundingMethod::Up;
    TVisibleKind visibleKind_ = TVisibleKind::MainTape;
    std::uint8_t enabledParts_ = DocumentPart::kMainTape;
    bool structureModified_ = false;
    bool memoryRecallActive_ = false;
    bool sideCalcActive_ = false;
    // Each tape's link generation when broken links were last removed.
    std::vector<std::pair<const TCalculator*, std::uint64_t>> checkedLinkGenerations_;
};

// A document read from its file, or the reason it could not be.
struct TOpenedTlyFile {
    std::unique_ptr<TTlyFile> Document;
    std::string Reason;
};

// Builds a fresh document from the setup (the caller's own, so it can show it), named after the
// file, and reads the file into it. The document is answered only when the whole file was read
// and accepted; the caller then puts it in place of the open one, which a failure never touches.
// A constructed document never reads its file itself: a failure could not be answered there.
TOpenedTlyFile OpenTlyFile(TTlyFileSetup setup, const std::string& fileName);
// The same, read into a fresh document the caller built itself (through its own factory); its
// name stays the one it was built with.
TOpenedTlyFile OpenTlyFileInto(std::unique_ptr<TTlyFile> fresh, const std::string& fileName);

// The texts shown when opening, saving or exporting fails, each one line: `Cannot open file
// "<name>".`, `Cannot save file "<name>".`, `Cannot export the table to "<name>".` or `Cannot
// write the Internet document "<name>".`, then the reason as a sentence.
std::string CannotOpenFileMessage(std::string_view fileName, std::string_view reason);
std::string CannotSaveFileMessage(std::string_view fileName, std::string_view reason);
std::string CannotExportTableMessage(std::string_view fileName, std::string_view reason);
std::string CannotWriteInternetDocumentMessage(std::string_view fileName, std::string_view reason);
// Why the table cannot be exported to a text file: there is none, or it holds no data; empty
// when it can.
std::string TableExportRefusal(const TResultsTable* table);

}  // namespace tally
