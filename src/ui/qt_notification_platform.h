#pragma once
// The notification channels on Qt: the system beep, the notification window and QMessageBox.

#include <QPointer>
#include <QWidget>

#include "platform/deferred_requests.h"
#include "platform/notification_platform.h"
#include "ui/frm_multiple_msg.h"

namespace tally {

class QtNotificationPlatform : public INotificationPlatform {
public:
    // Deferred requests are held while a message box is open.
    explicit QtNotificationPlatform(TDeferredRequestQueue& deferredRequests);
    ~QtNotificationPlatform() override;
    QtNotificationPlatform(const QtNotificationPlatform&) = delete;
    QtNotificationPlatform& operator=(const QtNotificationPlatform&) = delete;

    // The window the notification window is placed beside and owned by.
    void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }

    void Beep() override;
    bool IsNotificationWindowOpen() const override;
    void SetNotificationWindowLines(const std::vector<std::string>& lines) override;
    void ShowNotificationWindowAt(TPoint topLeft) override;
    void FocusNotificationWindow() override;
    TRect MainWindowBounds() const override;
    TSize ScreenSize() const override;
    TSize NotificationWindowSize() const override;
    TMessageBoxAnswer AskMessageBox(const std::string& text, const std::string& caption,
                                    TMessageBoxButtons buttons, TMessageBoxIcon icon) override;

    // The open notification window, or null.
    TfrmMultipleMsg* NotificationWindow() const;

private:
    TfrmMultipleMsg& EnsureNotificationWindow();

    TDeferredRequestQueue& deferredRequests_;
    QPointer<QWidget> mainWindow_;
    QPointer<TfrmMultipleMsg> window_;
};

}  // namespace tally
