#include "platform/headless_notification_platform.h"

#include <stdexcept>

namespace tally {

void HeadlessNotificationPlatform::Beep() { ++beepCount_; }

bool HeadlessNotificationPlatform::IsNotificationWindowOpen() const { return windowOpen_; }

void HeadlessNotificationPlatform::SetNotificationWindowLines(
    const std::vector<std::string>& lines) {
    windowOpen_ = true;
    windowLines_ = lines;
}

void HeadlessNotificationPlatform::ShowNotificationWindowAt(TPoint topLeft) {
    windowOpen_ = true;
    windowVisible_ = true;
    windowPosition_ = topLeft;
    ++windowShowCount_;
}

TRect HeadlessNotificationPlatform::MainWindowBounds() const { return mainWindow_; }
TSize HeadlessNotificationPlatform::ScreenSize() const { return screen_; }
TSize HeadlessNotificationPlatform::NotificationWindowSize() const { return notificationWindow_; }

TMessageBoxAnswer HeadlessNotificationPlatform::AskMessageBox(const std::string& text,
                                                              const std::string& caption,
                                                              TMessageBoxButtons buttons,
                                                              TMessageBoxIcon icon) {
    TMessageBoxAnswer answer;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
        if (!ButtonsAllow(buttons, answer)) {
            throw std::logic_error("scripted message box answer not allowed by its buttons: " +
                                   text);
        }
    } else if (ButtonsAllow(buttons, TMessageBoxAnswer::Cancel)) {
        answer = TMessageBoxAnswer::Cancel;
    } else if (ButtonsAllow(buttons, TMessageBoxAnswer::No)) {
        answer = TMessageBoxAnswer::No;
    } else {
        answer = TMessageBoxAnswer::Ok;
    }
    messageBoxes_.push_back({text, caption, buttons, icon, answer});
    return answer;
}

void HeadlessNotificationPlatform::QueueAnswer(TMessageBoxAnswer answer) {
    answers_.push_back(answer);
}

void HeadlessNotificationPlatform::SetMainWindowBounds(TRect bounds) { mainWindow_ = bounds; }
void HeadlessNotificationPlatform::SetScreenSize(TSize size) { screen_ = size; }
void HeadlessNotificationPlatform::SetNotificationWindowSize(TSize size) {
    notificationWindow_ = size;
}

void HeadlessNotificationPlatform::CloseNotificationWindow() {
    windowOpen_ = false;
    windowVisible_ = false;
    windowLines_.clear();
}

}  // namespace tally
