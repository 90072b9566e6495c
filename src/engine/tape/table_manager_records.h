#pragma once
// Message records of the table manager's events that other parts send.

#include <cstdint>

#include "foundation/mediator.h"

namespace tally {

class TCalculator;

// "TableMgr_UpdateTableColHeading": the line (its index on the tape) whose annotation changed.
class TMedTableMgr_UpdTableColHeadingData : public TMedRecord {
public:
    TCalculator* Tape = nullptr;
    std::int32_t Line = 0;
};

}  // namespace tally
