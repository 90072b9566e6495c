#include "ui/qt_deferred_request_pump.h"

#include <utility>

namespace tally {

QtDeferredRequestPump::QtDeferredRequestPump(TDeferredRequestQueue& queue,
                                             TDeferredRequestQueue::TRunner run, QObject* parent)
    : QObject(parent), queue_(queue), run_(std::move(run)) {
    // A queued call posted to this object is dropped if the pump is destroyed first.
    queue_.SetWakeUp([this] {
        QMetaObject::invokeMethod(this, &QtDeferredRequestPump::Drain, Qt::QueuedConnection);
    });
}

QtDeferredRequestPump::~QtDeferredRequestPump() { queue_.SetWakeUp({}); }

void QtDeferredRequestPump::Drain() { queue_.Drain(run_); }

}  // namespace tally
