// Links into a real memory tape: the line the memory prepares for a linked value receives it
// and the memory closes or totals its series at once; the memory's open last line never
// becomes a destination.
#include <gtest/gtest.h>

#include "engine/lines/link_data.h"
#include "engine/tape/calculator.h"
#include "engine/tape/tape_request_runner.h"
#include "engine/tape_fill.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "links/calculator_link_tape.h"
#include "links/link_data_codec.h"
#include "links/link_manager.h"
#include "links/link_requests.h"
#include "platform/deferred_requests.h"
#include "platform/headless_notification_platform.h"
#include "tapes/calculator_memory.h"

namespace tally {
namespace {

using Rows = std::vector<std::string>;

class MemoryLinkTakeoverTest : public ::testing::Test {
protected:
    MemoryLinkTakeoverTest() : notifier_(platform_) {
        bus_.Add(events::FileObj_PostMainFormWindowsMsg, [this](TMedRecord* in, TMedRecord*) {
            const auto* message = RecordAs<TOsMsgVariables>(in);
            queue_.Post({message->MessageNumber - requests::kFirstUserMessage, message->FirstParam,
                         message->SecondParam});
        });
        for (TCalculator* tape : {static_cast<TCalculator*>(&main_), static_cast<TCalculator*>(&memory_)}) {
            manager_.ConnectTape(*tape);
        }
        manager_.RegisterEvents(bus_);
        // T1 +5.00 and T2 +2.00 totalled on T4.
        test::ReplaceTapeLines(main_, {{" ", "+5.00"}, {" ", "+2.00"}, {"=", "=========="}, {"T", "7.00"},
                                 {"Z", "0.00"}, {" ", ""}});
    }

    // Marks a main tape line as the source and pastes it into the memory line prepared for it.
    bool LinkIntoMemory(int sourceLine) {
        if (!manager_.SetAsLinkSource('t', sourceLine, "")) return false;
        const bool linked = manager_.SetAsLinkDest('m', memory_.FocusLine() + 1, "");
        DrainRequests();
        return linked;
    }
    // Runs the deferred requests as the main window does: link requests to the link manager,
    // the rest to the main tape.
    void DrainRequests() {
        TTapeRequestRunner runner(main_);
        queue_.Drain([&](const TDeferredRequest& request) {
            if (!RunLinkRequest(manager_, request)) runner.Run(request);
        });
    }
    void TypeOnMain(std::string_view keys) {
        test::TypeKeys(main_, keys, [this] { DrainRequests(); });
    }
    Rows MemoryRows() const {
        Rows rows;
        for (LineIndex g = 0; g < memory_.Lines().LineCount(); ++g) {
            rows.push_back(std::string(memory_.Lines().Indicator(g)) + "|" + std::string(memory_.Lines().Entries(g)));
        }
        return rows;
    }
    std::string MemoryLink(LineIndex line) const { return std::string(memory_.Lines().Property(line, LineKey::kLinkId)); }

    HeadlessNotificationPlatform platform_;
    TInstalledNotifier notifier_;
    TStMediator bus_;
    TDeferredRequestQueue queue_;
    TCalculator main_{'t', &bus_};
    TCalculatorMemory memory_{&bus_};
    TCalculatorLinkTape mainLink_{main_};
    TCalculatorLinkTape memoryLink_{memory_};
    int draws_ = 0;
    TLinkManager manager_{[this] { return std::vector<ILinkTape*>{&mainLink_, &memoryLink_}; },
                          [this] { return (++draws_ % 97) / 100.0; }};
};

TEST_F(MemoryLinkTakeoverTest, AnEmptyMemoryClosesTheSeriesItStartsForTheLinkedValue) {
    ASSERT_TRUE(memory_.PrepareLinkLine("", "DE", false, 2));
    ASSERT_TRUE(LinkIntoMemory(4));
    EXPECT_EQ(MemoryRows(), (Rows{" |+7.00", "=|==========", "T|7.00", "Z|0.00", " |"}));
    EXPECT_EQ(LinkDataRole(MemoryLink(0)), 'D');
    EXPECT_TRUE(notifier_.Get().LastBeepExplanation().empty());

    // The memory series follows its source.
    main_.SetFocusLine(1);
    TypeOnMain("\b\b\b\b\b3\n");
    ASSERT_EQ(std::string(main_.Lines().Entries(3)), "8.00");
    EXPECT_EQ(MemoryRows(), (Rows{" |+8.00", "=|==========", "T|8.00", "Z|0.00", " |"}));
}

TEST_F(MemoryLinkTakeoverTest, ALinkedValueBeforeTheMemoryTotalIsCountedAtOnce) {
    ASSERT_TRUE(memory_.StoreEntry("+10", 2, "DE", "", "", false));
    ASSERT_TRUE(memory_.PrepareLinkLine("", "DE", true, 2));
    ASSERT_TRUE(LinkIntoMemory(1));
    EXPECT_EQ(MemoryRows(), (Rows{" |+10.00", " |-5.00", "=|==========", "T|5.00", "Z|0.00", " |"}));
    EXPECT_EQ(LinkDataRole(MemoryLink(1)), 'D');
}

TEST_F(MemoryLinkTakeoverTest, TheOpenLastLineOfANonEmptyMemoryIsNoDestination) {
    ASSERT_TRUE(memory_.StoreEntry("+10", 2, "DE", "", "", false));
    const Rows before = MemoryRows();
    const int last = memory_.Lines().LineCount();
    ASSERT_TRUE(manager_.SetAsLinkSource('t', 1, ""));
    EXPECT_FALSE(manager_.SetAsLinkDest('m', last, ""));
    EXPECT_EQ(notifier_.Get().LastBeepExplanation(),
              "The entry cell at line " + std::to_string(last) + " can not be a Link Destination.");
    EXPECT_EQ(MemoryRows(), before);
    // Its entry lines can be.
    EXPECT_TRUE(manager_.SetAsLinkDest('m', 1, ""));
    EXPECT_EQ(std::string(memory_.Lines().Entries(0)), "+5.00");
}

}  // namespace
}  // namespace tally
