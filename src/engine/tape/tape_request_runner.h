#pragma once
// Runs the deferred requests a tape posts for after the current event, as the main window
// does: the edit commands a key or an edit asked for, the selection of a row, the message
// list, and the steps after which a key is typed again.

#include "platform/deferred_requests.h"

namespace tally {

class TCalculator;

class TTapeRequestRunner {
public:
    explicit TTapeRequestRunner(TCalculator& tape) : tape_(tape) {}

    // Runs one request; false when it is not a tape request (the window's own, such as the
    // window width) and the caller runs it. Requests for the memory and side tapes and for
    // stored line references (103, 104, 111, 119, 120) are taken and dropped while the tape
    // has none of those to serve them.
    bool Run(const TDeferredRequest& request);

private:
    // A key waiting for its step types only when the step was done.
    void RetypeAfter(bool stepDone, int key);

    TCalculator& tape_;
};

}  // namespace tally
