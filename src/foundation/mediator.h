#pragma once
// Named-event bus. Owners register handlers by name; senders pass an In record with the
// arguments and an Out record for the results. Names compare case-insensitively (ASCII
// folding, independent of the locale).

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tally {

// Base of every message record. Records are owned by their sender; handlers only read the
// In record and write the Out record.
class TMedRecord {
public:
    virtual ~TMedRecord() = default;
};

// Raised for programming errors: an unknown event name or a duplicate registration.
class EMediatorError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

using TMedHandler = std::function<void(TMedRecord* in, TMedRecord* out)>;

class TStMediator {
public:
    TStMediator() = default;
    TStMediator(const TStMediator&) = delete;
    TStMediator& operator=(const TStMediator&) = delete;

    // Registers the handler; a name already registered is refused with EMediatorError and the
    // first registration stays in force.
    void Add(std::string_view eventName, TMedHandler handler);
    // Calls the handler registered under the name; EMediatorError when there is none.
    void Handle(std::string_view eventName, TMedRecord* in, TMedRecord* out) const;
    bool Exists(std::string_view eventName) const;
    // Unregisters the name; an unknown name is ignored.
    void Remove(std::string_view eventName);

    // Sends the event when it is registered; returns whether it was. Senders use this so the
    // Out record keeps its defaults (the sender's fallback) when nobody answers.
    bool HandleIfExists(std::string_view eventName, TMedRecord* in, TMedRecord* out) const;

private:
    static std::string Fold(std::string_view name);
    std::map<std::string, TMedHandler, std::less<>> events_;
};

// Casts a record received by a handler to the class the event uses; null stays null.
template <class Record>
Record* RecordAs(TMedRecord* record) {
    return dynamic_cast<Record*>(record);
}

}  // namespace tally
