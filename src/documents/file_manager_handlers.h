#pragma once
// Small builders of the file manager's bus handlers, shared by its command files.

#include "foundation/mediator.h"

namespace tally {

// A handler that reads the In record's Value and calls `run` with it.
template <class Record, class Run>
TMedHandler WithValue(Run run) {
    return [run](TMedRecord* in, TMedRecord*) {
        if (const auto* value = RecordAs<Record>(in)) run(value->Value);
    };
}

// A handler that sets the Out record's Value to `get()`.
template <class Record, class Get>
TMedHandler Answering(Get get) {
    return [get](TMedRecord*, TMedRecord* out) {
        if (auto* answer = RecordAs<Record>(out)) answer->Value = get();
    };
}

// A handler that lets `fill` set the fields of the Out record, from the record's defaults: a
// record asked twice keeps nothing of the first answer.
template <class Record, class Fill>
TMedHandler Filling(Fill fill) {
    return [fill](TMedRecord*, TMedRecord* out) {
        if (auto* record = RecordAs<Record>(out)) {
            *record = Record();
            fill(*record);
        }
    };
}

}  // namespace tally
