#pragma once
// The desktop program as main() puts it together, for tests: the deferred request queue, the
// Qt notification channels (with every beep and its explanation kept), settings kept in memory
// only (the reopen list) and the main window.

#include <string>
#include <string_view>
#include <vector>

#include "engine/tape/calculator.h"
#include "foundation/notifications/notifier.h"
#include "platform/deferred_requests.h"
#include "settings/appl_control_data.h"
#include "settings/settings_storage.h"
#include "ui/frm_calc.h"
#include "ui/qt_notification_platform.h"

namespace tally::test {

class TBeepRecordingQtPlatform : public QtNotificationPlatform {
public:
    using QtNotificationPlatform::QtNotificationPlatform;
    void Beep() override {
        explanations_.push_back(Notifier().LastBeepExplanation());
        QtNotificationPlatform::Beep();
    }
    // The explanation stored at each beep, in order.
    const std::vector<std::string>& Beeps() const { return explanations_; }

private:
    std::vector<std::string> explanations_;
};

// Types straight into the tape, past the grid; '\n' is Enter.
inline void TypeOn(TCalculator& tape, std::string_view keys) {
    for (const char key : keys) {
        if (key == '\n') {
            if (!tape.KeyDown(TTapeKey::Enter)) tape.KeyPress(TapeChar::kEnter);
        } else {
            tape.KeyPress(key);
        }
    }
}

struct Program {
    Program() {
        notifications.SetMainWindow(&window);
        window.show();
    }

    TDeferredRequestQueue requests;
    TBeepRecordingQtPlatform notifications{requests};
    TInstalledNotifier notifier{notifications};
    TStMediator settingsBus;
    TSettingsStorage storage{std::nullopt};
    TApplControlData settings{&settingsBus, storage};
    TfrmCalc window{requests, &settings, &settingsBus};
};

}  // namespace tally::test
