#include "links/link_requests.h"

#include "foundation/deferred_request_codes.h"
#include "links/link_manager.h"

namespace tally {

bool RunLinkRequest(TLinkManager& links, const TDeferredRequest& request) {
    if (request.Code != requests::LinkWithStoredEntryData) return false;
    links.DoLinkWithStoredEntryData();
    return true;
}

}  // namespace tally
