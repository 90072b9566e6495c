#include "ui/qt_notification_platform.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "ui/qt_text.h"

namespace tally {

namespace {

QMessageBox::StandardButtons ToQtButtons(TMessageBoxButtons buttons) {
    switch (buttons) {
        case TMessageBoxButtons::Ok:
            return QMessageBox::Ok;
        case TMessageBoxButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case TMessageBoxButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case TMessageBoxButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon ToQtIcon(TMessageBoxIcon icon) {
    switch (icon) {
        case TMessageBoxIcon::None:
            return QMessageBox::NoIcon;
        case TMessageBoxIcon::Information:
            return QMessageBox::Information;
        case TMessageBoxIcon::Warning:
            return QMessageBox::Warning;
        case TMessageBoxIcon::Error:
            return QMessageBox::Critical;
        case TMessageBoxIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The answer of the button the user chose. A box left without a button (a close box where no
// button cancels) gives the answer that changes least: Cancel, else No, else Ok.
TMessageBoxAnswer ToAnswer(int result, TMessageBoxButtons buttons) {
    TMessageBoxAnswer answer;
    switch (result) {
        case QMessageBox::Yes:
            answer = TMessageBoxAnswer::Yes;
            break;
        case QMessageBox::No:
            answer = TMessageBoxAnswer::No;
            break;
        case QMessageBox::Ok:
            answer = TMessageBoxAnswer::Ok;
            break;
        default:
            answer = TMessageBoxAnswer::Cancel;
            break;
    }
    if (ButtonsAllow(buttons, answer)) return answer;
    if (ButtonsAllow(buttons, TMessageBoxAnswer::Cancel)) return TMessageBoxAnswer::Cancel;
    if (ButtonsAllow(buttons, TMessageBoxAnswer::No)) return TMessageBoxAnswer::No;
    return TMessageBoxAnswer::Ok;
}

}  // namespace

QtNotificationPlatform::QtNotificationPlatform(TDeferredRequestQueue& deferredRequests)
    : deferredRequests_(deferredRequests) {}

QtNotificationPlatform::~QtNotificationPlatform() { delete window_.data(); }

void QtNotificationPlatform::Beep() { QApplication::beep(); }

TfrmMultipleMsg* QtNotificationPlatform::NotificationWindow() const {
    return window_ && !window_->IsClosed() ? window_.data() : nullptr;
}

bool QtNotificationPlatform::IsNotificationWindowOpen() const {
    return NotificationWindow() != nullptr;
}

TfrmMultipleMsg& QtNotificationPlatform::EnsureNotificationWindow() {
    if (!NotificationWindow()) window_ = new TfrmMultipleMsg(mainWindow_);
    return *window_;
}

void QtNotificationPlatform::SetNotificationWindowLines(const std::vector<std::string>& lines) {
    EnsureNotificationWindow().SetLines(lines);
}

void QtNotificationPlatform::ShowNotificationWindowAt(TPoint topLeft) {
    TfrmMultipleMsg& window = EnsureNotificationWindow();
    QWidget* active = QApplication::activeWindow();
    window.move(topLeft.X, topLeft.Y);
    window.show();
    window.raise();
    // The keys stay where they were, also where the platform activates every shown window.
    if (active != nullptr && active != &window) active->activateWindow();
}

void QtNotificationPlatform::FocusNotificationWindow() {
    TfrmMultipleMsg* window = NotificationWindow();
    if (window == nullptr) return;
    window->activateWindow();
    window->OkButton()->setFocus(Qt::OtherFocusReason);
}

TRect QtNotificationPlatform::MainWindowBounds() const {
    if (!mainWindow_) return {};
    const QRect frame = mainWindow_->frameGeometry();
    return {frame.x(), frame.y(), frame.width(), frame.height()};
}

TSize QtNotificationPlatform::ScreenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QSize size = screen->availableGeometry().size();
    return {size.width(), size.height()};
}

TSize QtNotificationPlatform::NotificationWindowSize() const {
    const TfrmMultipleMsg* window = NotificationWindow();
    if (window && window->isVisible()) {
        const QSize size = window->frameGeometry().size();
        return {size.width(), size.height()};
    }
    // Not shown yet, so without a frame: count the main window's frame for it.
    QSize size = window ? window->size() : TfrmMultipleMsg::DesignedSize;
    if (mainWindow_) size += mainWindow_->frameGeometry().size() - mainWindow_->size();
    return {size.width(), size.height()};
}

TMessageBoxAnswer QtNotificationPlatform::AskMessageBox(const std::string& text,
                                                        const std::string& caption,
                                                        TMessageBoxButtons buttons,
                                                        TMessageBoxIcon icon) {
    // Owned by the active window, but not by the notification window, which the user may close.
    QWidget* owner = QApplication::activeWindow();
    if (!owner || owner == window_) owner = mainWindow_;
    QMessageBox box(ToQtIcon(icon), ToQString(caption), ToQString(text), ToQtButtons(buttons),
                    owner);
    box.setTextFormat(Qt::PlainText);
    // Deferred requests must not run inside the box's own event loop.
    TDeferredRequestHold hold(deferredRequests_);
    return ToAnswer(box.exec(), buttons);
}

}  // namespace tally
