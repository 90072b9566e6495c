#pragma once
// The document's total manager: keeps the single-line group and grand totals of every tape
// current. Tapes record which of them have changed totals; the manager then recalculates only
// the ranges whose content may have changed.

#include <string>

#include "engine/totals/total_lists.h"
#include "foundation/mediator.h"

namespace tally {

class TCalculator;

// How the total manager reaches the document's tapes.
class ITotalTapes {
public:
    virtual ~ITotalTapes() = default;
    // The tape with the id letter; null when there is none.
    virtual TCalculator* TapeById(char tapeId) = 0;
};

class TTotalManager {
public:
    // Serves "TotalMgr_DetermineTotalSeriesContent" and "TotalMgr_RecordSeriesTotalStatusChange"
    // on the bus until destroyed.
    TTotalManager(TStMediator& bus, ITotalTapes& tapes);
    ~TTotalManager();
    TTotalManager(const TTotalManager&) = delete;
    TTotalManager& operator=(const TTotalManager&) = delete;

    // Tape id letters with recorded changes, in arrival order, none twice.
    const std::string& PendingTapes() const { return pendingTapes_; }
    void RecordStatusChange(char tapeId);
    // Recalculates the single-line totals the recorded changes reach and clears the flags.
    void ProcessPendingTotals();

private:
    void ProcessTape(TCalculator& tape);

    TStMediator& bus_;
    ITotalTapes& tapes_;
    std::string pendingTapes_;
};

}  // namespace tally
