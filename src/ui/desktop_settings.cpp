#include "ui/desktop_settings.h"

#include <QGuiApplication>
#include <QScreen>

#include "foundation/notifications/notifier.h"
#include "ui/frm_calc.h"

namespace tally {

namespace {

int PrimaryScreenDepth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 24;
}

// A saved position is used only when the window's top-left corner lands on a screen, so a
// monitor that is gone, or a hand-edited file, cannot put the window out of reach.
bool IsOnAScreen(const QPoint& topLeft) { return QGuiApplication::screenAt(topLeft + QPoint(8, 8)) != nullptr; }

}  // namespace

TDesktopSettings::TDesktopSettings()
    : TDesktopSettings(ResolveSettingsPaths(SystemSettingsLocations()), SystemFileCalls(), PrimaryScreenDepth()) {}

TDesktopSettings::TDesktopSettings(std::optional<TSettingsPaths> paths, const IFileCalls& calls, int colorDepth)
    : storage_(std::move(paths), calls),
      application_(&applicationBus_, storage_, colorDepth),
      pageLayoutDefaults_(&applicationBus_, storage_) {}

void TDesktopSettings::Load() {
    application_.SettingsStore = TSettingsStore::SettingsFile;
    pageLayoutDefaults_.SettingsStore = application_.SettingsStore;
    application_.Load();
    pageLayoutDefaults_.Load();
}

void TDesktopSettings::ApplyTo(TfrmCalc& window) {
    if (application_.FormHeight > 0) {
        const QScreen* screen = window.screen();
        const int available = screen ? screen->availableGeometry().height() : application_.FormHeight;
        window.resize(window.width(), std::min(application_.FormHeight, available));
    }
    const QPoint topLeft(application_.FormLeft, application_.FormTop);
    if (application_.FormLeft != -1 && application_.FormTop != -1 && IsOnAScreen(topLeft)) window.move(topLeft);
}

bool TDesktopSettings::SaveFrom(const TfrmCalc& window) {
    application_.FormHeight = window.height();
    application_.FormLeft = window.x();
    application_.FormTop = window.y();
    const TSaveResult saved = application_.Save();
    if (!saved) {
        Notifier().MessageBox(saved.Message(), "Tallyroll - Notify", TMessageBoxButtons::Ok, TMessageBoxIcon::Error);
    }
    return saved.Ok;
}

}  // namespace tally
