#include "documents/posted_requests.h"

#include "foundation/deferred_request_codes.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"

namespace tally {

void ServePostedRequests(TStMediator& parentBus, TDeferredRequestQueue& queue, std::string_view eventName) {
    parentBus.Add(eventName, [&queue](TMedRecord* in, TMedRecord*) {
        if (const auto* message = RecordAs<TOsMsgVariables>(in)) {
            queue.Post({message->MessageNumber - requests::kFirstUserMessage, message->FirstParam,
                        message->SecondParam});
        }
    });
}

}  // namespace tally
