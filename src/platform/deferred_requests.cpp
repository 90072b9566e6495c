#include "platform/deferred_requests.h"

#include <stdexcept>
#include <utility>

namespace tally {

void TDeferredRequestQueue::SetWakeUp(TWakeUp wakeUp) {
    wakeUp_ = std::move(wakeUp);
    wakeUpPending_ = false;
    WakeUpIfRunnable();
}

void TDeferredRequestQueue::Post(const TDeferredRequest& request) {
    requests_.push_back(request);
    WakeUpIfRunnable();
}

std::size_t TDeferredRequestQueue::Drain(const TRunner& run) {
    wakeUpPending_ = false;
    if (draining_) return 0;
    draining_ = true;
    std::size_t ran = 0;
    try {
        while (!requests_.empty() && !IsHeld()) {
            TDeferredRequest request = requests_.front();
            requests_.pop_front();
            ++ran;
            run(request);
        }
    } catch (...) {
        draining_ = false;
        WakeUpIfRunnable();
        throw;
    }
    draining_ = false;
    return ran;
}

void TDeferredRequestQueue::Hold() { ++holdCount_; }

void TDeferredRequestQueue::Release() {
    if (holdCount_ == 0) throw std::logic_error("TDeferredRequestQueue: release without hold");
    --holdCount_;
    WakeUpIfRunnable();
}

void TDeferredRequestQueue::WakeUpIfRunnable() {
    // While draining, the running drain picks up new requests itself.
    if (!wakeUp_ || wakeUpPending_ || draining_ || IsHeld() || requests_.empty()) return;
    wakeUpPending_ = true;
    wakeUp_();
}

}  // namespace tally
