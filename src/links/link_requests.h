#pragma once
// The deferred request the link manager completes for the main window.

#include "platform/deferred_requests.h"

namespace tally {

class TLinkManager;

// Carries out request 119 (a stored quick link); false for any other request.
bool RunLinkRequest(TLinkManager& links, const TDeferredRequest& request);

}  // namespace tally
