#include "platform/deferred_requests.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace tally {
namespace {

class DeferredRequestQueueTest : public ::testing::Test {
protected:
    TDeferredRequestQueue queue;
    std::vector<std::int32_t> ran;
    int wakeUps = 0;

    void SetUp() override { queue.SetWakeUp([this] { ++wakeUps; }); }

    std::size_t DrainRecording() {
        return queue.Drain([this](const TDeferredRequest& r) { ran.push_back(r.Code); });
    }
};

TEST_F(DeferredRequestQueueTest, RunsRequestsInArrivalOrderWithTheirParameters) {
    queue.Post({101, 0, 17});
    queue.Post({108});
    queue.Post({122, 0, 3});
    std::vector<TDeferredRequest> seen;
    EXPECT_EQ(queue.Drain([&](const TDeferredRequest& r) { seen.push_back(r); }), 3u);
    EXPECT_EQ(seen, (std::vector<TDeferredRequest>{{101, 0, 17}, {108, 0, 0}, {122, 0, 3}}));
    EXPECT_EQ(queue.Count(), 0u);
}

TEST_F(DeferredRequestQueueTest, RequestsPostedWhileDrainingRunAfterThoseAlreadyQueued) {
    queue.Post({129, 0, '5'});
    queue.Post({131});
    queue.Drain([&](const TDeferredRequest& r) {
        ran.push_back(r.Code);
        if (r.Code == 129) queue.Post({101});
    });
    EXPECT_EQ(ran, (std::vector<std::int32_t>{129, 131, 101}));
}

TEST_F(DeferredRequestQueueTest, HeldQueueKeepsItsRequestsUntilTheLastRelease) {
    queue.Hold();
    queue.Hold();
    queue.Post({108});
    EXPECT_EQ(wakeUps, 0);
    EXPECT_EQ(DrainRecording(), 0u);

    queue.Release();
    EXPECT_EQ(DrainRecording(), 0u);
    EXPECT_EQ(wakeUps, 0);

    queue.Release();
    EXPECT_EQ(wakeUps, 1);
    EXPECT_EQ(DrainRecording(), 1u);
    EXPECT_EQ(ran, (std::vector<std::int32_t>{108}));
}

TEST_F(DeferredRequestQueueTest, ModalDialogInsideARequestStopsTheDrainUntilItCloses) {
    queue.Post({118});
    queue.Post({108});
    std::size_t nestedRan = 99;
    queue.Drain([&](const TDeferredRequest& r) {
        ran.push_back(r.Code);
        if (r.Code == 118) {
            TDeferredRequestHold dialog(queue);
            // The dialog's own event loop tries to drain: nothing may run inside it.
            nestedRan = DrainRecording();
        }
    });
    EXPECT_EQ(nestedRan, 0u);
    EXPECT_EQ(ran, (std::vector<std::int32_t>{118, 108}));
}

TEST_F(DeferredRequestQueueTest, WakeUpIsAskedOnceUntilTheQueueIsDrained) {
    queue.Post({101});
    queue.Post({102});
    EXPECT_EQ(wakeUps, 1);
    DrainRecording();
    queue.Post({103});
    EXPECT_EQ(wakeUps, 2);
}

TEST_F(DeferredRequestQueueTest, FailingRequestIsNotRunAgainAndTheRestStayQueued) {
    queue.Post({107});
    queue.Post({108});
    const int wakeUpsBefore = wakeUps;
    EXPECT_THROW(queue.Drain([&](const TDeferredRequest& r) {
        ran.push_back(r.Code);
        throw std::runtime_error("failed");
    }),
                 std::runtime_error);
    EXPECT_EQ(queue.Count(), 1u);
    EXPECT_EQ(wakeUps, wakeUpsBefore + 1);  // the remainder is scheduled again
    ran.clear();
    DrainRecording();
    EXPECT_EQ(ran, (std::vector<std::int32_t>{108}));
}

TEST_F(DeferredRequestQueueTest, ReleaseWithoutHoldIsAProgrammingError) {
    EXPECT_THROW(queue.Release(), std::logic_error);
    EXPECT_FALSE(queue.IsHeld());
}

}  // namespace
}  // namespace tally
