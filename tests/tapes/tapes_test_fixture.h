#pragma once
// A memory or side tape wired headless as the document will wire it: a document bus that
// queues the deferred requests the tape posts, a runner that carries them out after each key
// or command, a notifier that records every beep's explanation, and a clipboard.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/tape/calculator.h"
#include "engine/tape/tape_request_runner.h"
#include "engine/tape_fill.h"
#include "engine/tape_route_typing.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "platform/clipboard.h"
#include "platform/deferred_requests.h"

namespace tally::test {

template <class Tape>
class TapesTest : public ::testing::Test {
protected:
    TapesTest() : notifier_(platform_) {
        bus_.Add(events::FileObj_PostMainFormWindowsMsg, [this](TMedRecord* in, TMedRecord*) {
            const auto* message = RecordAs<TOsMsgVariables>(in);
            const TDeferredRequest request{message->MessageNumber - requests::kFirstUserMessage,
                                           message->FirstParam, message->SecondParam};
            posted_.push_back(request.Code);
            queue_.Post(request);
        });
        tape_.SetClipboard(&clipboard_);
        tape_.Hooks().OnSeriesTotalChange = [this](TCalculator&, const std::string& total) { shownTotal_ = total; };
    }

    void Fill(std::initializer_list<TapeRow> rows, LineIndex focus = -1) { ReplaceTapeLines(tape_, rows, focus); }

    // Keys one by one ('\n' is the Enter key), the requests they post run after each.
    void Type(std::string_view keys) {
        TypeKeys(tape_, keys, [this] { RunRequests(); });
    }
    void RunRequests() {
        queue_.Drain([this](const TDeferredRequest& request) { runner_.Run(request); });
    }

    // Each line as "indicator|entries".
    std::vector<std::string> TapeRows() const {
        std::vector<std::string> rows;
        const TLineStore& lines = tape_.Lines();
        for (LineIndex line = 0; line < lines.LineCount(); ++line) {
            rows.push_back(std::string(lines.Indicator(line)) + "|" + std::string(lines.Entries(line)));
        }
        return rows;
    }
    std::vector<std::string>& Beeps() { return platform_.Explanations(); }

    TBeepRecordingPlatform platform_;
    TInstalledNotifier notifier_;
    TStMediator bus_;
    TDeferredRequestQueue queue_;
    std::vector<int> posted_;
    HeadlessClipboard clipboard_;
    HeadlessTapeView view_{400, 20};
    Tape tape_{&bus_, &view_};
    TTapeRequestRunner runner_{tape_};
    std::string shownTotal_;
};

}  // namespace tally::test
