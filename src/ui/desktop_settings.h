#pragma once
// The desktop program's settings: the application settings and the page layout defaults,
// loaded from the settings file at start-up and saved at exit. Both answer on the application
// bus, which the window's file manager serves and relays its documents' questions to, so every
// document takes the tape font, colours, decimals and page defaults from them. The window's
// geometry is applied here; the rest is kept and written back unchanged.

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
    // The saved window geometry, when it fits on a screen.
    void ApplyTo(TfrmCalc& window);
    // Takes the window's geometry and saves. A failed save shows a message box naming the
    // file and the reason; answers whether the save went through.
    bool SaveFrom(const TfrmCalc& window);

private:
    // The application bus; the window is given it. Outlives the window.
    TStMediator applicationBus_;
    TSettingsStorage storage_;
    TApplControlData application_;
    TPageLayoutDefaults pageLayoutDefaults_;
};

}  // namespace tally
