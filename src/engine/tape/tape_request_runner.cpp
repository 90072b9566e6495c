#include "engine/tape/tape_request_runner.h"

#include "engine/tape/calculator.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/notifications/notifier.h"

namespace tally {

bool TTapeRequestRunner::Run(const TDeferredRequest& request) {
    switch (request.Code) {
        case requests::SelectTapeGridRow:
            // The second number is a grid row; row 0 is the heading.
            tape_.SelectCell(tape_.FocusColumn(), request.SecondParam - 1);
            return true;
        case requests::ShowMessageList:
            Notifier().ShowMessageList();
            return true;
        case requests::ZeroTotal:
            RetypeAfter(tape_.ZeroTotal(), request.SecondParam);
            return true;
        case requests::InsertNewEmbeddedSeriesCommand:
            RetypeAfter(tape_.InsertNewEmbeddedSeries(), request.SecondParam);
            return true;
        case requests::DeleteEmbeddedSeriesCommand:
        case requests::DeleteSeriesCommand:
            tape_.DeleteSeries();
            return true;
        case requests::InsertNewSeriesCommand:
            tape_.InsertNewSeries();
            return true;
        case requests::MemoryTotalToEntry:
        case requests::SideToEntry:
        case requests::RecallMemoryEntry:
        case requests::LinkWithStoredEntryData:
        case requests::CopyWithStoredEntryData:
            return true;
        default:
            return false;
    }
}

void TTapeRequestRunner::RetypeAfter(bool stepDone, int key) {
    if (stepDone && key != 0) tape_.RetypeKey(static_cast<char>(key));
}

}  // namespace tally
