#pragma once
// The main window's side of "FileMgr_PostMainFormWindowsMsg": a document's deferred requests
// go into the queue that the window (or the command-line tool) drains after each event.

#include <string_view>

#include "foundation/event_names.h"
#include "platform/deferred_requests.h"

namespace tally {

class TStMediator;

// Serves the event on the bus until the bus goes; the queue must outlive the bus. A window
// with a file manager serves "UI_PostMainFormWindowsMsg" on the application bus instead.
void ServePostedRequests(TStMediator& parentBus, TDeferredRequestQueue& queue,
                         std::string_view eventName = events::FileMgr_PostMainFormWindowsMsg);

}  // namespace tally
