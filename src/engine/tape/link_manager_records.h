#pragma once
// Message records of the link manager's events.

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/mediator.h"

namespace tally {

class TCalculator;

// A linked line as the tape collects it for the link picture, or as pasted data holds it.
// Lines are numbered from 1.
struct TTapeLinkInfoListItem {
    bool InOrdinarySeries = true;
    char TapeId = 't';
    int Line = 0;
    int OwnLine = -1;
    int SeriesStart = 0;
    int RangeStart = 0;
    std::string LinkData;
    std::string SeriesKind;
    std::string LineKind;
    std::string TotalSeriesData;
};

using TTapeLinkInfoList = std::vector<TTapeLinkInfoListItem>;

// "LinkMgr_Unlink": removes the link of a tape line. Mode 'u' unlinks an ordinary link, 'p' a
// permanent one.
class TMedLnkMgr_UnLinkData_In : public TMedRecord {
public:
    TCalculator* Tape = nullptr;
    char Mode = 'u';
    std::int32_t Line = 0;
};

// "LinkMgr_ZTLDeletionCircLink": would deleting the zero total line at Line close a circle of
// links? The link manager writes the chain of lines into Chain.
class TMedLnkMgr_ZTLDeletionCircLink_In : public TMedRecord {
public:
    TCalculator* Tape = nullptr;
    std::int32_t Line = 0;
    std::string Chain;
};

// "LinkMgr_PotentialCircLink": would giving LinkData to Line close a circle?
class TMedLnkMgr_PotentialCircLink_In : public TMedRecord {
public:
    TCalculator* Tape = nullptr;
    std::int32_t Line = 0;
    std::string LinkData;
    std::string Chain;
};

// "LinkMgr_SetAsLinkSource" and "LinkMgr_SetAsLinkDest".
class TMedLnkMgr_SetLinkData_In : public TMedRecord {
public:
    TCalculator* Tape = nullptr;
    std::int32_t Line = 0;
    std::string FlagText;
};

// "LinkMgr_IsValidLinkDataString": a quick link typed into Line of Tape.
class TMedLnkMgr_CheckValidLinkData_In : public TMedRecord {
public:
    std::int32_t Line = 0;
    std::string LinkData;
    TCalculator* Tape = nullptr;
};

class TMedLnkMgr_CheckValidLinkData_Out : public TMedRecord {
public:
    bool Valid = false;
    std::string Message;
};

// "LinkMgr_StoreEntryLinkData": a quick link to carry out after the key that ended it.
class TMedLnkMgr_StoreEntryLinkData_In : public TMedRecord {
public:
    std::string EntryText;
    TCalculator* Tape = nullptr;
    std::int32_t Line = 0;
    char Key = '\0';
    std::string SeriesKind;
};

// "LinkMgr_SetAsTotalLinkSource".
class TMedLnkMgr_SetTotalLinkSourceData_In : public TMedRecord {
public:
    TCalculator* Tape = nullptr;
    std::int32_t Line = 0;
};

class TMedLnkMgr_SetTotalLinkSourceData_Out : public TMedRecord {
public:
    bool Done = false;
    std::string LinkNumber;
};

// "LinkMgr_SetAsTotalLinkDest".
class TMedLnkMgr_SetTotalLinkDestData_In : public TMedRecord {
public:
    TCalculator* DestTape = nullptr;
    TCalculator* SourceTape = nullptr;
    std::int32_t DestLine = 0;
    std::int32_t SourceLine = 0;
    std::string LinkNumber;
};

// "LinkMgr_RefreshLinkDestsInSeries".
class TMedLnkMgr_RefreshLinkDestsInSeries_In : public TMedRecord {
public:
    TCalculator* Tape = nullptr;
    std::int32_t SeriesStart = 0;
};

// "LinkMgr_GetCalcObjectByTapeId".
class TMedLnkMgr_CalculatorObject_Out : public TMedRecord {
public:
    TCalculator* Tape = nullptr;
};

// "LinkMgr_PasteSeriesCircLink": would adding these linked lines (at their final line numbers)
// close a circle?
class TMedLnkMgr_PasteSeriesCircLink_In : public TMedRecord {
public:
    TCalculator* Tape = nullptr;
    TTapeLinkInfoList LinkInfo;
};

class TMedLnkMgr_PasteSeriesCircLink_Out : public TMedRecord {
public:
    bool Circular = false;
    std::string Chain;
};

// "LinkMgr_PasteMultSeriesCircLink": would inserting a block of LineCount lines at InsertLine,
// whose linked lines are numbered from 1 within the block, close a circle?
class TMedLnkMgr_PasteMultipleSeriesCircLink_In : public TMedRecord {
public:
    TCalculator* Tape = nullptr;
    TTapeLinkInfoList LinkInfo;
    std::int32_t LineCount = 0;
    std::int32_t GrandRangeEnd = -1;
    std::int32_t GroupRangeEnd = -1;
    std::int32_t InsertLine = 0;
};

class TMedLnkMgr_PasteMultipleSeriesCircLink_Out : public TMedRecord {
public:
    bool Circular = false;
    std::string Chain;
};

}  // namespace tally
