#pragma once
// TLinkManager: the link bookkeeping of one document. Links live in the tape lines themselves
// (their LID property); the manager keeps only the pending link source, the refresh queue,
// the stored quick link request and the session id. It reads the tapes through ILinkTape,
// builds its picture from each tape's index of linked lines, and serves the "LinkMgr_" events.
//
// The source is split by purpose: link_manager.cpp (picture, numbers, making links),
// link_manager_maintenance.cpp (unlink, broken links, the Links column),
// link_manager_refresh.cpp (the refresh queue and value transfer), link_manager_quick.cpp
// (quick links) and link_manager_events.cpp (the bus and the tape hooks).

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "links/link_data_codec.h"
#include "links/link_picture.h"
#include "links/link_tape.h"

namespace tally {

class IClipboard;
class TCalculator;
class TStMediator;

struct TQuickLinkCheck {
    bool Valid = false;
    std::string Message;
};

class TLinkManager {
public:
    // The enabled tapes in document order: main, memory, side, then the auxiliary tapes.
    using TTapeList = std::function<std::vector<ILinkTape*>()>;

    explicit TLinkManager(TTapeList tapes, TRandomFraction random = ProgramRandomFraction(),
                          IClipboard* clipboard = nullptr);
    ~TLinkManager();
    TLinkManager(const TLinkManager&) = delete;
    TLinkManager& operator=(const TLinkManager&) = delete;

    // ---- Document wiring (link_manager_events.cpp)
    // Serves the "LinkMgr_" events on the bus until destroyed.
    void RegisterEvents(TStMediator& bus);
    // Sets the tape's link hooks: refresh queue, pending count, destination refresh, display.
    void ConnectTape(TCalculator& tape);
    ILinkTape* TapeById(char tapeId) const;

    // ---- Numbers
    const std::string& SessionId() const { return sessionId_; }
    // All link numbers on all tapes.
    std::set<std::string, std::less<>> LinkNumbers() const;
    std::string NewLinkNumber();
    std::string DummySourceLinkData();
    // Empty when the given string is not well formed.
    std::string DummyDestLinkData(std::string_view linkData) const;

    // ---- Making links; refusals explain and beep and return false.
    bool SetAsLinkSource(char tapeId, int line, std::string_view flag);
    bool SetAsLinkDest(char tapeId, int line, std::string_view flag);
    bool HasPendingLinkSource() const { return pendingSource_.has_value(); }
    // The number of the new permanent source, or nullopt when the line cannot be one.
    std::optional<std::string> SetAsTotalLinkSource(char tapeId, int line);
    void SetAsTotalLinkDest(char destTapeId, int destLine, char sourceTapeId, int sourceLine,
                            std::string_view number);

    // ---- Circle checks: the chain "T5 to M3 to T5" when the change would close a circle.
    std::optional<std::string> PotentialCircLink(char tapeId, int line, std::string_view linkData);
    std::optional<std::string> ZeroTotalDeletionCircLink(char tapeId, int line);
    // Pasted linked lines at their final line numbers.
    std::optional<std::string> PasteSeriesCircLink(char tapeId, const TTapeLinkInfoList& items);
    struct TPastedBlock {
        int LineCount = 0;
        int InsertLine = 1;
        int GrandRangeEnd = -1;
        int GroupRangeEnd = -1;
    };
    // A block inserted at block.InsertLine whose linked lines are numbered from 1 within it.
    std::optional<std::string> PasteMultSeriesCircLink(char tapeId, TTapeLinkInfoList items, const TPastedBlock& block);
    const std::string& LastCircularChain() const { return lastChain_; }

    // ---- Maintenance (link_manager_maintenance.cpp)
    // Mode 'u' keeps permanent links, 'p' removes them too.
    void Unlink(char tapeId, int line, char mode);
    void RemoveBrokenLinks();
    void UpdateLinksDisplay();

    // ---- Refresh (link_manager_refresh.cpp)
    void QueueLinkSource(std::string_view linkData);
    int PendingLinkCount() const { return static_cast<int>(queue_.size()); }
    // True while a refresh runs: messages it collects are not complete yet.
    bool IsRefreshing() const { return refreshing_; }
    // Brings every destination of the queued sources up to date, round by round; ends with an
    // empty queue, also when stored links form a circle (then with a message in the list).
    void ProcessLinkQueue();
    void RefreshLinkDestsOfNumber(std::string_view number);
    void RefreshLinkDest(char tapeId, int line);
    void RefreshLinkDestsInSeries(char tapeId, int seriesStart);
    void RefreshAllLinks();

    // ---- Quick links (link_manager_quick.cpp)
    TQuickLinkCheck CheckQuickLink(char tapeId, int line, std::string_view text) const;
    void StoreQuickLink(std::string text, char tapeId, int line, char key, std::string seriesKind);
    bool HasStoredQuickLink() const { return quickLink_.has_value(); }
    void DoLinkWithStoredEntryData();

private:
    struct TPendingSource {
        std::string LinkData;
        char TapeId = 't';
        std::string SeriesKind;
    };
    struct TQuickLinkRequest {
        std::string EntryText;
        char TapeId = 't';
        int Line = 0;
        char Key = '\0';
        std::string SeriesKind;
    };
    // The link state of the tapes when the last display update or broken-link removal ran.
    struct TLinkSnapshot {
        std::vector<std::pair<char, std::uint64_t>> Generations;
        std::vector<bool> ShowsLinks;
        std::size_t ClipboardHash = 0;
        bool operator==(const TLinkSnapshot&) const = default;
    };

    // How much of each linked line the picture holds: its link data only (enough for the
    // bookkeeping), also its series and kinds, or those and the dummy links of embedded series
    // (what the circle check needs).
    enum class TPictureDetail { LinkData, Series, SeriesAndDummyLinks };
    TMergedLinkInfoList BuildPicture(TPictureDetail detail);
    static TMergedLinkInfoListItem MergedItem(const TTapeLinkInfoListItem& item);
    TMergedLinkInfoListItem PictureItemOf(const ILinkTape& tape, int line, std::string_view linkData) const;
    std::optional<std::string> CheckCircle(const TMergedLinkInfoList& picture);
    bool Refuse(std::string text) const;
    bool PasteLinkDest(char tapeId, int line, std::string_view flag);
    void ClearLink(ILinkTape& tape, int line);
    TLinkSnapshot Snapshot(bool withClipboard) const;
    // Value transfer from a source line to a destination line with the destination's data.
    void TransferValue(const ILinkTape& sourceTape, int sourceLine, ILinkTape& destTape, int destLine,
                       std::string_view destLinkData);
    void CarryAnnotation(const ILinkTape& sourceTape, int sourceLine, ILinkTape& destTape, int destLine);
    // The refresh of one queued source: push to its destinations and recalculate their series.
    void RefreshQueuedSource(const TMergedLinkInfoList& picture, std::string_view number);
    void PullFromSource(const TMergedLinkInfoList& picture, const TMergedLinkInfoListItem& dest);
    std::string QuickLinkSeriesMessage(const ILinkTape& tape) const;

    TTapeList tapes_;
    TRandomFraction random_;
    IClipboard* clipboard_;
    TStMediator* bus_ = nullptr;
    std::vector<std::string> registeredEvents_;

    std::deque<std::string> queue_;
    std::unordered_set<std::string> queuedNumbers_;
    bool refreshing_ = false;
    std::optional<TPendingSource> pendingSource_;
    // The user's pending source while a tape marks and pastes a permanent pair.
    std::optional<TPendingSource> userPendingSource_;
    bool permanentPairPending_ = false;
    std::optional<TQuickLinkRequest> quickLink_;
    std::string lastChain_;
    std::string sessionId_;
    std::optional<TLinkSnapshot> displayedSnapshot_;
    std::optional<TLinkSnapshot> brokenCheckedSnapshot_;
};

inline constexpr std::string_view kSeriesKindMismatchMessage =
    "A number in the calculation series containing the specified Link Source cannot be used in the "
    "calculation series containing the specified Link Destination.";

// May a number of a series of the source's kind be used in a series of the destination's kind?
bool SeriesKindsFit(std::string_view sourceKind, std::string_view destKind);
// A source's number text that a destination can take: without thousand separators, a decimal,
// fraction or time text.
bool IsLinkableNumberText(std::string_view numberText);

// The Links cell prefixes.
inline constexpr std::string_view kLinksFromPrefix = "From line ";
inline constexpr std::string_view kLinksUsedAtPrefix = "Used at line ";

}  // namespace tally
