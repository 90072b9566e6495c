#pragma once
// Runs the deferred requests on the Qt event loop: when requests arrive, a drain is queued to
// run after the current event. A held queue (modal dialog open) is drained after its release.

#include <QObject>

#include "platform/deferred_requests.h"

namespace tally {

class QtDeferredRequestPump : public QObject {
    Q_OBJECT

public:
    QtDeferredRequestPump(TDeferredRequestQueue& queue, TDeferredRequestQueue::TRunner run,
                          QObject* parent = nullptr);
    ~QtDeferredRequestPump() override;

private:
    void Drain();

    TDeferredRequestQueue& queue_;
    TDeferredRequestQueue::TRunner run_;
};

}  // namespace tally
