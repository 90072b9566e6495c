#pragma once
// A headless tape that is typed into as the main window does it: every key goes through the
// tape's key handlers, and the requests it posts run after each key. Beeps are recorded with
// their explanations, requests with their numbers.

#include <gtest/gtest.h>

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/tape/calculator.h"
#include "engine/tape/tape_request_runner.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "tape_fill.h"
#include "platform/clipboard.h"
#include "platform/deferred_requests.h"
#include "platform/headless_notification_platform.h"

namespace tally::test {

// Keeps the explanation of every beep (the message list's own beep keeps an empty one).
class TBeepRecordingPlatform : public HeadlessNotificationPlatform {
public:
    void Beep() override {
        HeadlessNotificationPlatform::Beep();
        explanations_.push_back(Notifier().LastBeepExplanation());
    }
    std::vector<std::string>& Explanations() { return explanations_; }

private:
    std::vector<std::string> explanations_;
};

class TypingTest : public ::testing::Test {
protected:
    TypingTest() : notifier_(platform_) {
        bus_.Add(events::FileObj_PostMainFormWindowsMsg, [this](TMedRecord* in, TMedRecord*) {
            const auto* message = RecordAs<TOsMsgVariables>(in);
            const TDeferredRequest request{message->MessageNumber - requests::kFirstUserMessage,
                                           message->FirstParam, message->SecondParam};
            posted_.push_back(request);
            queue_.Post(request);
        });
        tape_.SetClipboard(&clipboard_);
        tape_.SetColumnShown(TTapeColumn::RunningTotal, true);
        RunRequests();
        posted_.clear();
    }

    // Replaces the tape's lines; the focus goes to the line given (the last line by default).
    void Fill(std::span<const TapeRow> rows, LineIndex focus = -1) { ReplaceTapeLines(tape_, rows, focus); }
    void Fill(std::initializer_list<TapeRow> rows, LineIndex focus = -1) { ReplaceTapeLines(tape_, rows, focus); }

    // Types the keys one by one ('\n' is the Enter key) and runs the requests after each.
    void Type(std::string_view keys) {
        TypeKeys(tape_, keys, [this] { RunRequests(); });
    }
    void RunRequests() {
        queue_.Drain([this](const TDeferredRequest& request) { runner_.Run(request); });
    }

    // Each line as "indicator|entries|running total".
    std::vector<std::string> TapeRows() const {
        std::vector<std::string> rows;
        const TLineStore& lines = tape_.Lines();
        for (LineIndex line = 0; line < lines.LineCount(); ++line) {
            rows.push_back(std::string(lines.Indicator(line)) + "|" + std::string(lines.Entries(line)) + "|" +
                           std::string(lines.RunningTotal(line)));
        }
        return rows;
    }
    std::vector<int> PostedCodes() const {
        std::vector<int> codes;
        for (const TDeferredRequest& request : posted_) codes.push_back(request.Code);
        return codes;
    }
    std::vector<std::string>& Beeps() { return platform_.Explanations(); }
    const std::string& Explanation() { return notifier_.Get().LastBeepExplanation(); }

    TBeepRecordingPlatform platform_;
    TInstalledNotifier notifier_;
    TStMediator bus_;
    TDeferredRequestQueue queue_;
    std::vector<TDeferredRequest> posted_;
    HeadlessClipboard clipboard_;
    HeadlessTapeView view_{400, 20};
    TCalculator tape_{'t', &bus_, &view_};
    TTapeRequestRunner runner_{tape_};
};

using Rows = std::vector<std::string>;

inline constexpr std::string_view kKeypressRefusalTail =
    "\" not valid in this entry position.  If you are trying to enter a fraction, make sure the "
    "numerator is preceded by a single space (or underscore if appropriate).";

inline std::string KeypressRefusal(std::string_view key) {
    return "Keypress \"" + std::string(key) + std::string(kKeypressRefusalTail);
}
inline std::string KeypressRefusal(char key) { return KeypressRefusal(std::string_view(&key, 1)); }

}  // namespace tally::test
