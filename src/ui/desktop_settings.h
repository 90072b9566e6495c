#pragma once
// The desktop program's settings: the application settings and the page layout defaults,
// loaded from the settings file at start-up and saved at exit. What the present window can
// use (its geometry, the tape font and line colours) is applied to it; the rest is kept and
// written back unchanged.

#include <optional>

#include "foundation/mediator.h"
#include "settings/appl_control_data.h"
#include "settings/page_layout_defaults.h"
#include "settings/settings_storage.h"

namespace tally {

class TfrmCalc;

class TDesktopSettings {
public:
    // The files of the user running the program.
    TDesktopSettings();
    TDesktopSettings(std::optional<TSettingsPaths> paths, const IFileCalls& calls, int colorDepth);
    TDesktopSettings(const TDesktopSettings&) = delete;
    TDesktopSettings& operator=(const TDesktopSettings&) = delete;

    TApplControlData& Application() { return application_; }
    TPageLayoutDefaults& PageLayoutDefaults() { return pageLayoutDefaults_; }
    TStMediator& ApplicationBus() { return applicationBus_; }

    // Loads both from the settings file.
    void Load();
    // The tape font and line colours, and the saved window geometry when it fits on a screen.
    void ApplyTo(TfrmCalc& window);
    // The tape font and line colours alone, for a document the window shows later.
    void ApplyToDocument(TfrmCalc& window);
    // Takes the window's geometry and saves. A failed save shows a message box naming the
    // file and the reason; answers whether the save went through.
    bool SaveFrom(const TfrmCalc& window);

private:
    // Until the main window owns the application bus, the settings answer on this one.
    TStMediator applicationBus_;
    TSettingsStorage storage_;
    TApplControlData application_;
    TPageLayoutDefaults pageLayoutDefaults_;
};

}  // namespace tally
