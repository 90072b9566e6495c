#pragma once
// Registering query events whose answer is one value, and removing them again.

#include <string_view>
#include <vector>

#include "foundation/mediator.h"

namespace tally {

class TBusAnswers {
public:
    explicit TBusAnswers(TStMediator* bus) : bus_(bus) {}
    ~TBusAnswers() {
        if (!bus_) return;
        for (std::string_view name : names_) bus_->Remove(name);
    }
    TBusAnswers(const TBusAnswers&) = delete;
    TBusAnswers& operator=(const TBusAnswers&) = delete;

    // Answers the event by setting the Out record's Value to get().
    template <class Record, class Getter>
    void Answer(std::string_view name, Getter get) {
        Add(name, [get](TMedRecord*, TMedRecord* out) {
            if (auto* record = RecordAs<Record>(out)) record->Value = get();
        });
    }
    void Add(std::string_view name, TMedHandler handler) {
        if (!bus_) return;
        bus_->Add(name, std::move(handler));
        names_.push_back(name);
    }

private:
    TStMediator* bus_;
    std::vector<std::string_view> names_;
};

}  // namespace tally
