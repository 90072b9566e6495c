#pragma once
// Deferred requests: numbered requests that a part posts during an event and the main window
// runs in arrival order after the event has finished. While a modal dialog is open the queue
// is held, so nothing runs inside the dialog's own event loop.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>

namespace tally {

struct TDeferredRequest {
    std::int32_t Code = 0;
    std::int32_t FirstParam = 0;
    std::int32_t SecondParam = 0;
    friend bool operator==(const TDeferredRequest&, const TDeferredRequest&) = default;
};

class TDeferredRequestQueue {
public:
    using TRunner = std::function<void(const TDeferredRequest&)>;
    using TWakeUp = std::function<void()>;

    // Called when the queue has requests that may run and no drain has been asked for since
    // the last one; the window system schedules a drain after the current event.
    void SetWakeUp(TWakeUp wakeUp);

    void Post(const TDeferredRequest& request);

    // Runs the queued requests in order, also those posted while draining, until the queue is
    // empty or held. A request is taken off the queue before it runs, so one that raises an
    // error is not run again. A drain started from inside a running request does nothing.
    // Returns how many requests ran.
    std::size_t Drain(const TRunner& run);

    // Holds nest: the queue runs again after as many releases as holds.
    void Hold();
    void Release();
    bool IsHeld() const { return holdCount_ > 0; }

    std::size_t Count() const { return requests_.size(); }

private:
    void WakeUpIfRunnable();

    std::deque<TDeferredRequest> requests_;
    int holdCount_ = 0;
    bool draining_ = false;
    bool wakeUpPending_ = false;
    TWakeUp wakeUp_;
};

// Holds the queue for its lifetime, e.g. while a modal dialog is open.
class TDeferredRequestHold {
public:
    explicit TDeferredRequestHold(TDeferredRequestQueue& queue) : queue_(queue) { queue_.Hold(); }
    ~TDeferredRequestHold() { queue_.Release(); }
    TDeferredRequestHold(const TDeferredRequestHold&) = delete;
    TDeferredRequestHold& operator=(const TDeferredRequestHold&) = delete;

private:
    TDeferredRequestQueue& queue_;
};

}  // namespace tally
