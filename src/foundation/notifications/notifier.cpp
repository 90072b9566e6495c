#include "foundation/notifications/notifier.h"

#include <utility>

#include "foundation/notifications/notification_placement.h"
#include "platform/headless_notification_platform.h"

namespace tally {

namespace {

TNotifier& DefaultNotifier() {
    static HeadlessNotificationPlatform platform;
    static TNotifier notifier(platform);
    return notifier;
}

TNotifier*& InstalledNotifier() {
    static TNotifier* installed = nullptr;
    return installed;
}

}  // namespace

void TNotifier::ExplainAndBeep(std::string text) {
    lastBeepExplanation_ = std::move(text);
    if (platform_.IsNotificationWindowOpen()) {
        platform_.SetNotificationWindowLines({lastBeepExplanation_});
    }
    platform_.Beep();
}

void TNotifier::ShowLastExplanation() {
    platform_.SetNotificationWindowLines(
        {lastBeepExplanation_.empty() ? std::string(kNoBeepExplanation) : lastBeepExplanation_});
    ShowWindowBesideMainWindow();
    platform_.FocusNotificationWindow();
}

void TNotifier::ShowMessageList() {
    if (messageList_.Count() == 0) return;
    platform_.SetNotificationWindowLines(messageList_.Texts());
    messageList_.Clear();
    ShowWindowBesideMainWindow();
    platform_.Beep();
}

TMessageBoxAnswer TNotifier::MessageBox(const std::string& text, std::string_view caption,
                                        TMessageBoxButtons buttons, TMessageBoxIcon icon) {
    return platform_.AskMessageBox(text, std::string(caption), buttons, icon);
}

void TNotifier::ShowWindowBesideMainWindow() {
    platform_.ShowNotificationWindowAt(PlaceNotificationWindow(
        platform_.MainWindowBounds(), platform_.NotificationWindowSize(), platform_.ScreenSize()));
}

TNotifier& Notifier() {
    TNotifier* installed = InstalledNotifier();
    return installed ? *installed : DefaultNotifier();
}

TInstalledNotifier::TInstalledNotifier(INotificationPlatform& platform)
    : notifier_(platform), previous_(InstalledNotifier()) {
    InstalledNotifier() = &notifier_;
}

TInstalledNotifier::~TInstalledNotifier() { InstalledNotifier() = previous_; }

}  // namespace tally
