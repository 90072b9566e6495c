#pragma once
// A hand-wired document for link tests: a main tape 't', a memory tape 'm' and an auxiliary
// tape 'a' (plain tapes with those ids), each switchable off, a link manager over them with a
// counting number generator, a clipboard and a notifier that records beeps.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/lines/calc_params.h"
#include "engine/tape/calculator.h"
#include "engine/lines/link_data.h"
#include "engine/tape_fill.h"
#include "engine/tape/link_manager_records.h"
#include "engine/tape/table_manager_records.h"
#include "engine/tape/tape_request_runner.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "links/calculator_link_tape.h"
#include "links/link_manager.h"
#include "links/link_requests.h"
#include "platform/clipboard.h"
#include "platform/deferred_requests.h"
#include "platform/headless_notification_platform.h"

namespace tally::test {

// Link numbers in the tests: "00000000000000" followed by two digits.
inline std::string Num(int n) {
    std::string digits = std::to_string(n);
    return std::string(16 - digits.size(), '0') + digits;
}
// A LID property item; a flagged value holds a comma, so it is quoted.
inline std::string Lid(std::string_view head, int n, std::string_view flag = "") {
    if (flag.empty()) return "LID=" + std::string(head) + Num(n);
    return "\"LID=" + std::string(head) + Num(n) + "," + std::string(flag) + "\"";
}

// A series in a group range that is the whole content of a grand range, then the open last
// line.
inline std::vector<TapeRow> RangesTape() {
    return {{" ", "+1.00"},
            {"=", "=========="},
            {"T", "1.00"},
            {"Z", "0.00", "TT=DE,SDP=2"},
            {"[", "", "STYP=gro"},
            {"g", "1.00", "STYP=gro"},
            {"]", "", "STYP=gro,TSD=SL,SDP=2,TT=DE"},
            {"{", "", "STYP=gra"},
            {"G", "1.00", "STYP=gra"},
            {"}", "", "STYP=gra,TSD=SL,SDP=2,TT=DE"},
            {" ", ""}};
}

struct LinkDocument {
    LinkDocument() : notifier_(platform_) {
        bus_.Add(events::FileObj_PostMainFormWindowsMsg, [this](TMedRecord* in, TMedRecord*) {
            const auto* message = RecordAs<TOsMsgVariables>(in);
            queue_.Post({message->MessageNumber - requests::kFirstUserMessage, message->FirstParam,
                         message->SecondParam});
        });
        aux_.SetTapeName("Aux A");
        memory_.SetTapeName("Memory");
        for (TCalculator* tape : {&main_, &memory_, &aux_}) manager_.ConnectTape(*tape);
        manager_.RegisterEvents(bus_);
    }

    std::vector<ILinkTape*> Tapes() {
        std::vector<ILinkTape*> tapes{&mainLink_};
        if (memoryEnabled_) tapes.push_back(&memoryLink_);
        if (auxEnabled_) tapes.push_back(&auxLink_);
        return tapes;
    }

    // Line numbers from 1, as the link manager counts.
    static std::string Entry(const TCalculator& tape, int line) { return std::string(tape.Lines().Entries(line - 1)); }
    static std::string LinkOf(const TCalculator& tape, int line) {
        return std::string(tape.Lines().Property(line - 1, LineKey::kLinkId));
    }
    static std::string LinksCell(const TCalculator& tape, int line) { return std::string(tape.Lines().Links(line - 1)); }
    const std::string& Explanation() { return notifier_.Get().LastBeepExplanation(); }

    HeadlessNotificationPlatform platform_;
    TInstalledNotifier notifier_;
    TStMediator bus_;
    HeadlessClipboard clipboard_;
    TCalculator main_{'t', &bus_};
    TCalculator memory_{'m', &bus_};
    TCalculator aux_{'a', &bus_};
    TCalculatorLinkTape mainLink_{main_};
    TCalculatorLinkTape memoryLink_{memory_};
    TCalculatorLinkTape auxLink_{aux_};
    bool memoryEnabled_ = true;
    bool auxEnabled_ = true;
    int draws_ = 0;
    TLinkManager manager_{[this] { return Tapes(); }, [this] { return (++draws_ % 97) / 100.0; }, &clipboard_};
    TDeferredRequestQueue queue_;
    // The requests of another manager of the document; true when it took the request.
    std::function<bool(const TDeferredRequest&)> otherRequests_;

    // Types keys into a tape ('\n' is Enter) and runs the deferred requests after each, as the
    // main window does: the stored quick link goes to the link manager, the rest to the tape.
    void Type(TCalculator& tape, std::string_view keys) {
        TypeKeys(tape, keys, [this, &tape] {
            TTapeRequestRunner runner(tape);
            queue_.Drain([&](const TDeferredRequest& request) {
                if (RunLinkRequest(manager_, request)) return;
                if (!otherRequests_ || !otherRequests_(request)) runner.Run(request);
            });
        });
    }
};

class LinkTest : public ::testing::Test, public LinkDocument {};

}  // namespace tally::test
