#pragma once
// Message records of the copy manager's events: a quick copy ("c", an optional tape letter and
// an optional line number) typed into a tape's entry.

#include <cstdint>
#include <string>

#include "foundation/mediator.h"

namespace tally {

class TCalculator;

// "CopyMgr_IsValidCopyDataString": a quick copy text for Line (from 1) of Tape.
class TMedCopyMgr_CheckValidCopyData_In : public TMedRecord {
public:
    std::int32_t Line = 0;
    std::string CopyData;
    TCalculator* Tape = nullptr;
};

class TMedCopyMgr_CheckValidCopyData_Out : public TMedRecord {
public:
    bool Valid = false;
    std::string Message;
};

// "CopyMgr_StoreEntryCopyData": a quick copy to carry out after the key that ended it.
class TMedCopyMgr_StoreEntryCopyData_In : public TMedRecord {
public:
    std::string EntryText;
    TCalculator* Tape = nullptr;
    std::int32_t Line = 0;
    char Key = '\0';
};

}  // namespace tally
