#include "foundation/mediator.h"

namespace tally {

std::string TStMediator::Fold(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

void TStMediator::Add(std::string_view eventName, TMedHandler handler) {
    auto [it, inserted] = events_.try_emplace(Fold(eventName), std::move(handler));
    if (!inserted) {
        throw EMediatorError("TStMediator.Add: event name [" + std::string(eventName) +
                             "] already exists");
    }
}

void TStMediator::Handle(std::string_view eventName, TMedRecord* in, TMedRecord* out) const {
    if (!HandleIfExists(eventName, in, out)) {
        throw EMediatorError("TStMediator.Handle: event name [" + std::string(eventName) +
                             "] not found");
    }
}

bool TStMediator::HandleIfExists(std::string_view eventName, TMedRecord* in,
                                 TMedRecord* out) const {
    auto it = events_.find(Fold(eventName));
    if (it == events_.end()) return false;
    // Copy the handler so a handler that removes its own registration stays alive while it runs.
    TMedHandler handler = it->second;
    handler(in, out);
    return true;
}

bool TStMediator::Exists(std::string_view eventName) const {
    return events_.find(Fold(eventName)) != events_.end();
}

void TStMediator::Remove(std::string_view eventName) {
    events_.erase(Fold(eventName));
}

}  // namespace tally
