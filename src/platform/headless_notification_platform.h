#pragma once
// Notification platform without a window system: records every beep, window text and
// message box, and answers message boxes from a scripted queue.

#include <deque>
#include <string>
#include <vector>

#include "platform/notification_platform.h"

namespace tally {

struct TAskedMessageBox {
    std::string Text;
    std::string Caption;
    TMessageBoxButtons Buttons = TMessageBoxButtons::Ok;
    TMessageBoxIcon Icon = TMessageBoxIcon::None;
    TMessageBoxAnswer Answer = TMessageBoxAnswer::Ok;
};

class HeadlessNotificationPlatform : public INotificationPlatform {
public:
    void Beep() override;
    bool IsNotificationWindowOpen() const override;
    void SetNotificationWindowLines(const std::vector<std::string>& lines) override;
    void ShowNotificationWindowAt(TPoint topLeft) override;
    TRect MainWindowBounds() const override;
    TSize ScreenSize() const override;
    TSize NotificationWindowSize() const override;
    // Takes the next scripted answer; with none left it gives the answer that changes least:
    // Cancel, else No, else Ok. A scripted answer the buttons do not allow is a script error
    // and raises std::logic_error.
    TMessageBoxAnswer AskMessageBox(const std::string& text, const std::string& caption,
                                    TMessageBoxButtons buttons, TMessageBoxIcon icon) override;

    // Script and geometry.
    void QueueAnswer(TMessageBoxAnswer answer);
    void SetMainWindowBounds(TRect bounds);
    void SetScreenSize(TSize size);
    void SetNotificationWindowSize(TSize size);
    // The user closes the notification window.
    void CloseNotificationWindow();

    // What was asked.
    int BeepCount() const { return beepCount_; }
    const std::vector<std::string>& WindowLines() const { return windowLines_; }
    bool WindowVisible() const { return windowVisible_; }
    TPoint WindowPosition() const { return windowPosition_; }
    // How many times the window was shown (also counts re-showing an open window).
    int WindowShowCount() const { return windowShowCount_; }
    const std::vector<TAskedMessageBox>& MessageBoxes() const { return messageBoxes_; }

private:
    int beepCount_ = 0;
    bool windowOpen_ = false;
    bool windowVisible_ = false;
    std::vector<std::string> windowLines_;
    TPoint windowPosition_;
    int windowShowCount_ = 0;
    TRect mainWindow_{100, 100, 400, 500};
    TSize screen_{1920, 1080};
    TSize notificationWindow_{212, 210};
    std::deque<TMessageBoxAnswer> answers_;
    std::vector<TAskedMessageBox> messageBoxes_;
};

}  // namespace tally
