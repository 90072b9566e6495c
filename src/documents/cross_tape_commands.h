#pragma once
// The commands of a document that act on two of its tapes at once: adding values and totals to
// the memory tape and bringing them back, side calculations and copies to the side tape, copies
// to the results table, and the three lock modes that run those copies by themselves each time
// a tape makes a total. The document owns one; the command table (document_command_table.h)
// reaches every command by its action name.
//
// The source is split by purpose: document_memory_commands.cpp (memory functions, the recall of
// a memory entry, automatic annotation), document_side_commands.cpp (side calculations and
// copies to the side tape), document_table_commands.cpp (table functions) and
// document_lock_actions.cpp (the locks, when they run, and the tapes a running command needs).

#include <string>
#include <string_view>

#include "engine/lines/line_store.h"
#include "platform/deferred_requests.h"

namespace tally {

class TCalculator;
class TTlyFile;

inline constexpr std::string_view kNoMemoryTotalToLinkText =
    "There is no current memory total to link to.  If the memory tape is not empty, move the focus highlight to "
    "any line within the calculation series whose total you want to link to.";
inline constexpr std::string_view kNoSideTotalToLinkText =
    "There is no current side tape total to link to.  If the side tape is not empty, move the focus highlight to "
    "any line within the calculation series whose total you want to link to.";
inline constexpr std::string_view kSideForGroupOrGrandText =
    "Cannot make a side calculation for a group or grand total.";
inline constexpr std::string_view kBeginSideNotEmptyText =
    "Cannot begin a side calculation unless the entry on the line containing the focus highlight is empty or "
    "contains only an arithmetic operator character.";
inline constexpr std::string_view kSideIncompleteText =
    "Side tape calculation is incomplete.  Either complete the calculation and then press the END SIDE button or "
    "CANCEL it.  If you have created a Zero Total Line after the completed calculation, move the focus highlight "
    "to any line within the calculation series, and then press the END SIDE button.";
inline constexpr std::string_view kNoSideTotalText = "There is no side total to link to.";
inline constexpr std::string_view kCannotRecallText =
    "Can not recall a number from memory unless (1) memory is enabled and (2) the entry on the line containing "
    "the focus highlight is empty or contains only an arithmetic operator character.";

class TCrossTapeCommands {
public:
    explicit TCrossTapeCommands(TTlyFile& document) : document_(document) {}
    TCrossTapeCommands(const TCrossTapeCommands&) = delete;
    TCrossTapeCommands& operator=(const TCrossTapeCommands&) = delete;

    // ---- Memory functions (document_memory_commands.cpp); each needs the memory tape, and
    //      all but MemClear and MemDeleteLine a current tape other than it.
    void MemStoreEntry(bool minus);
    void MemStoreEntryLink(bool minus);
    void MemTotalToEntry();
    void MemTotalToEntryLink();
    // The current tape's series total, as a plus or minus entry.
    void MemStoreTotal(bool minus);
    void MemEntryToEntry();
    void MemClear();
    void MemDeleteLine();
    // At most one of the two memory locks is set; without the memory tape, or on it, neither
    // changes.
    void SetMemPlusTotalLock(bool on);
    void SetMemMinusTotalLock(bool on);
    bool MemPlusTotalLock() const { return memPlusTotalLock_; }
    bool MemMinusTotalLock() const { return memMinusTotalLock_; }
    bool AutoAnnotateMemTotal() const { return autoAnnotateMemTotal_; }
    // Switched on while the memory tape hides annotations, every tape shows them.
    void SetAutoAnnotateMemTotal(bool on);
    // The annotation a memory total from the tape's focus line gets.
    std::string MemTotalAnnotation(const TCalculator& tape) const;

    // ---- Recalling a memory entry into the current tape
    bool CanDoMemEntryToEntry() const;
    // Shows the memory tape for the user to pick a line: the line number to select, or 0 when
    // no recall could start.
    int SetupForMemEntryToEntry();
    void TeardownForMemEntryToEntry();
    TCalculator* RecallReturnTape() const { return recallReturnTape_; }

    // ---- Side tape functions (document_side_commands.cpp)
    void BeginSide();
    void EndSide();
    void EndSideLink();
    void CancelSide();
    void SideToEntry();
    void SideToEntryLink();
    void CopyToSide();
    void SetCopyToSideLock(bool on) { copyToSideLock_ = on; }
    bool CopyToSideLock() const { return copyToSideLock_; }
    TCalculator* SideOriginTape() const { return sideOriginTape_; }

    // ---- Table functions (document_table_commands.cpp); nothing without a table.
    void CopyToTable();
    // "MoveLineUp", "MoveLineDown", "MoveColLeft", "MoveColRight" on the current table.
    void MoveInTable(std::string_view action);
    void SetCopyToTableLock(bool on) { copyToTableLock_ = on; }
    bool CopyToTableLock() const { return copyToTableLock_; }

    // ---- Locks and the document's parts (document_lock_actions.cpp)
    // Runs the locks each time the tape makes a total at its end (Enter, "=" or Zero Total
    // closing a series); the side tape runs the memory and table locks only.
    void WatchTotals(TCalculator& tape, bool sideTape);
    // The deferred requests of the command letters: 103, 104 and 111. False for others.
    bool RunRequest(const TDeferredRequest& request);
    // Whether a tape may be removed or disabled now: not while it is the origin of a side
    // calculation or the tape a memory recall returns to (explained and beeped).
    bool MayRemoveTape(const TCalculator& tape) const;
    // Before memory is disabled: its locks go, a running recall ends on its return tape.
    void BeforeMemoryDisabled();
    // Before the side tape is disabled: its lock goes, a running side calculation is cancelled.
    void BeforeSideDisabled();
    void AfterTablesRemoved() { copyToTableLock_ = false; }
    void Reset();

private:
    // The memory tape when it exists and is not the current tape.
    TCalculator* MemoryForCommand() const;
    void StoreTotalFrom(TCalculator& source, bool minus);
    // The locks for the series whose total is on the line.
    void RunLockActions(TCalculator& reporter, bool sideTape, LineIndex totalLine);
    void CopySeriesToSide(TCalculator& source);
    // Links the line of one tape as the source to the focus line of another; false when either
    // step was refused.
    bool LinkInto(TCalculator& source, LineIndex sourceLine, TCalculator& dest);
    void FillEmptyAnnotation(TCalculator& tape, std::string_view annotation);
    void RefreshLinksAndTables();
    // The kind of the series the line belongs to ("", "gro", "gra", ...); an embedded line
    // takes the kind of the series around its embedded series.
    std::string SeriesKindOf(const TCalculator& tape, LineIndex line) const;

    TTlyFile& document_;
    TCalculator* sideOriginTape_ = nullptr;
    TCalculator* recallReturnTape_ = nullptr;
    int savedSideEntryOption_ = 1;
    bool autoAnnotateMemTotal_ = false;
    bool memPlusTotalLock_ = false;
    bool memMinusTotalLock_ = false;
    bool copyToSideLock_ = false;
    bool copyToTableLock_ = false;
    bool runningLocks_ = false;
};

// ---- What the commands read of a tape's lines

// The total line of the line's series: its total line, the total above its zero total, or the
// total above the empty last line of a series totalled at the end of the tape; kNoLine when the
// series has no total.
LineIndex SeriesTotalLineOf(const TCalculator& tape, LineIndex line);
// The entry value of an Entries text as the memory annotation writes it: no operator, no
// thousand separators, and a decimal number without trailing zeros ("+12.50" gives "12.5",
// "7.00" gives "7.0").
std::string AnnotationValueText(std::string_view entries);
// Sets a line's annotation as if typed: a column heading of an assigned line follows.
void SetLineAnnotation(TCalculator& tape, LineIndex line, std::string_view annotation);

}  // namespace tally
