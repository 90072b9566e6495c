#pragma once
// The series totals a tape reports and the rule that picks the totals a group or grand total
// includes.

#include <string>
#include <vector>

#include "engine/lines/line_store.h"
#include "foundation/mediator.h"

namespace tally {

// One closed series of a tape: the line just before its ending line and what it shows.
struct TTapeTotalInfoListItem {
    char TapeId = '\0';
    LineIndex Line = kNoLine;
    // -1 for a standard series; for a range, the first line of the stretch it adds up.
    LineIndex RangeStart = -1;
    std::string LinkId;
    std::string SeriesType;
    std::string Indicator;
    std::string Entries;
    std::string StatusFlag;
    // The range's display state ("SL", "ST", "GT"); empty for a standard series.
    std::string DisplayState;
};
using TTapeTotalInfoList = std::vector<TTapeTotalInfoListItem>;

// One total that a group or grand total includes.
struct TTotalSeriesContentListItem {
    char TapeId = '\0';
    LineIndex Line = kNoLine;
    std::string LinkId;
    std::string Indicator;
    std::string Total;
};
using TTotalSeriesContentList = std::vector<TTotalSeriesContentListItem>;

// "TotalMgr_DetermineTotalSeriesContent": the handler fills Content.
class TMedTotalMgr_DetermineTotalSeriesContent_In : public TMedRecord {
public:
    const TTapeTotalInfoList* InfoList = nullptr;
    TTotalSeriesContentList* Content = nullptr;
    LineIndex Line = kNoLine;
    std::string DisplayState;
    std::string SeriesType;
};

// The series totals of a tape, in line order. Reads only the structural lines; with bounds, only
// the series whose ending lines lie in first..last.
TTapeTotalInfoList CollectSeriesTotals(const TLineStore& lines, char tapeId, LineIndex first = 0,
                                       LineIndex last = kNoLine);

// The series totals that status flags may reach, in line order: each flagged total and the
// next group and the next grand total after it. The flags select among these exactly the ranges
// they would select among the whole tape's totals. Reads only flagged and range closing lines.
TTapeTotalInfoList CollectFlaggedSeriesTotals(const TLineStore& lines, char tapeId);

// The totals that a group ("gro") or grand ("gra") total standing before line `line` includes
// in the given display state, over the list taken in tape and line order.
TTotalSeriesContentList DetermineTotalSeriesContent(const TTapeTotalInfoList& infoList, LineIndex line,
                                                    std::string_view seriesType,
                                                    std::string_view displayState);

}  // namespace tally
