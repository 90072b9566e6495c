#pragma once
// The link picture: one entry per linked line of every tape (and per planned or pasted link),
// with the line's link data string taken apart. Rebuilt from the tapes' indexes of linked
// lines for the operations that read it; lines are numbered from 1, as the user sees them.

#include <string>
#include <string_view>
#include <vector>

namespace tally {

// Line kinds (first indicator character) of total lines: a destination before such a line in
// its series feeds it.
inline constexpr std::string_view kTotalLineKinds = "TSHBDgG";

struct TMergedLinkInfoListItem {
    char TapeId = 't';
    bool InOrdinarySeries = true;
    int Line = 0;
    // -1 for lines of a tape; for pasted data the line's place in the pasted block.
    int OwnLine = -1;
    int SeriesStart = 0;
    // First line of the range of a group ('g') or grand ('G') total line, else 0.
    int RangeStart = 0;
    std::string SeriesKind;
    std::string TotalSeriesData;
    char State = '\0';
    char Role = '\0';
    char Sign = '\0';
    char Flag = '\0';
    std::string LinkNumber;
    std::string LineKind;

    char Kind() const { return LineKind.empty() ? '\0' : LineKind.front(); }
    bool IsSource() const { return Role == 'S'; }
    bool IsDestination() const { return Role == 'D'; }
};

using TMergedLinkInfoList = std::vector<TMergedLinkInfoListItem>;

// Fills State, Role, Sign, Flag and LinkNumber from a link data string; all stay empty when
// the string is not well formed.
void SplitLinkData(std::string_view linkData, TMergedLinkInfoListItem& item);

// The orders the link operations walk the picture in: by link number with a source before its
// destinations, and by tape, series key and line.
bool ByLinkNumber(const TMergedLinkInfoListItem& a, const TMergedLinkInfoListItem& b);
bool ByTapeSeriesAndLine(const TMergedLinkInfoListItem& a, const TMergedLinkInfoListItem& b);
void SortByLinkNumber(TMergedLinkInfoList& picture);

// A line as messages name it: upper-case tape id and line number ("T5", "M3").
std::string LineReference(char tapeId, int line);

}  // namespace tally
