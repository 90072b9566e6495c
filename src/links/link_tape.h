#pragma once
// What the link manager needs of a tape. Lines are numbered from 1; a line outside the tape
// reads as empty and ignores writes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/tape/link_manager_records.h"

namespace tally {

class ILinkTape {
public:
    virtual ~ILinkTape() = default;

    virtual char TapeId() const = 0;
    virtual std::string TapeName() const = 0;
    virtual int CurrentLine() const = 0;
    virtual int LineCount() const = 0;
    bool IsLine(int line) const { return line >= 1 && line <= LineCount(); }
    bool IsLastLine(int line) const { return line == LineCount(); }

    virtual std::string LinkData(int line) const = 0;
    virtual void SetLinkData(int line, std::string_view linkData) = 0;
    // The lines with link data, ascending, and a number that changes whenever any line's link
    // data or a linked line's position changes.
    virtual std::vector<int> LinkedLines() const = 0;
    virtual std::uint64_t LinkGeneration() const = 0;
    // The linked lines with their series keys, ranges and kinds, then the dummy link pairs of
    // embedded series whose value leaves them without a total line (their LinkData left empty
    // for the link manager to fill).
    virtual void CollectLinkInfo(std::vector<TTapeLinkInfoListItem>& items, bool withDummyLinks) const = 0;

    virtual std::string EntryText(int line) const = 0;
    virtual std::string NumberText(int line) const = 0;     // entry or total without operator
    virtual std::string OperatorText(int line) const = 0;   // the operator characters
    virtual bool HasAnnotationColumn() const = 0;
    virtual std::string AnnotationText(int line) const = 0;
    virtual void SetAnnotationText(int line, std::string_view text) = 0;
    virtual std::string LineKind(int line) const = 0;       // the indicator cell
    virtual std::string SeriesKind(int line) const = 0;     // STYP, "e" replaced by the enclosing kind
    virtual int SeriesKey(int line) const = 0;
    virtual int FinalTotalLine(int line) const = 0;         // 0 when the series has none
    // The first line of the group range (grand range) that a line inserted at `line` joins.
    virtual int RangeStartAt(int line, bool grand) const = 0;
    virtual bool CanBeLinkSource(int line) const = 0;
    virtual bool CanBeLinkDest(int line) const = 0;
    // The memory takes over a linked value written into it: it closes or totals the series
    // of the new line. False on tapes that do not.
    virtual bool CloseForLink(std::string_view seriesKind) = 0;
    virtual bool ContainsNumber(int line) const = 0;
    virtual bool IsLastLineOfIncompleteEmbedded(int line) const = 0;
    virtual bool HasTableColumn(int line) const = 0;
    // Tells the table manager that the line's annotation may have changed the heading of its column.
    virtual void UpdateTableColumnHeading(int line) = 0;
    virtual bool ShowsLinksColumn() const = 0;
    virtual void SetLinksCell(int line, std::string_view text) = 0;
    virtual void SetEntryText(int line, std::string_view text) = 0;
    virtual void RecalculateSeries(int line) = 0;

    // Editor hooks around making a link.
    virtual void CommitPendingEdit(int line) = 0;
    virtual void RefreshInputLine(int line) = 0;
    virtual void RestoreEditor() = 0;
    // For the key that ended a quick link: the data entry option, the caret and the key again.
    virtual int DataEntryOption() const = 0;
    virtual void PutCaretAfterText() = 0;
    virtual void RetypeKey(char key) = 0;
};

}  // namespace tally
