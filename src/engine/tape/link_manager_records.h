#pragma once
// Message records of the link manager's events that a tape sends.

#include <cstdint>
#include <string>

#include "foundation/mediator.h"

namespace tally {

class TCalculator;

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

}  // namespace tally
