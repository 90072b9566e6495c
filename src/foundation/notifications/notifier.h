#pragma once
// The channels through which refusals, collected messages and questions reach the user: the
// last beep explanation, the message list and message boxes. They live for the whole run of
// the program; Notifier() gives the process-wide instance.

#include <string>
#include <string_view>

#include "foundation/notifications/multi_msg_list.h"
#include "platform/notification_platform.h"

namespace tally {

inline constexpr std::string_view CaptionConfirm = "Tallyroll - Confirm";
inline constexpr std::string_view CaptionInformation = "Tallyroll - Information";
inline constexpr std::string_view CaptionNotify = "Tallyroll - Notify";
// What Explain Last Beep shows when no explanation is stored.
inline constexpr std::string_view kNoBeepExplanation = "There is no explanation for the last beep.";

class TNotifier {
public:
    explicit TNotifier(INotificationPlatform& platform) : platform_(platform) {}
    TNotifier(const TNotifier&) = delete;
    TNotifier& operator=(const TNotifier&) = delete;

    // Stores the explanation of a refusal, shows it at once in the notification window when
    // that is open, and beeps. The caller then gives up without changing any data.
    void ExplainAndBeep(std::string text);
    // Empty until the first explanation.
    const std::string& LastBeepExplanation() const { return lastBeepExplanation_; }
    // Every routed key starts with an empty explanation, so an accepted key leaves no stale one.
    void ClearLastBeepExplanation() { lastBeepExplanation_.clear(); }
    // "Explain Last Beep...": the window beside the main window, showing the explanation (or
    // kNoBeepExplanation), takes the keyboard focus.
    void ShowLastExplanation();

    TWyn_MultMsgList& MessageList() { return messageList_; }
    const TWyn_MultMsgList& MessageList() const { return messageList_; }
    // Runs the main window's deferred request to show the message list: the window gets every
    // text as a line, the list is cleared, the window is placed and shown and one beep sounds.
    // An empty list shows nothing, so a repeated request cannot blank out messages on show.
    void ShowMessageList();

    TMessageBoxAnswer MessageBox(const std::string& text, std::string_view caption,
                                 TMessageBoxButtons buttons,
                                 TMessageBoxIcon icon = TMessageBoxIcon::None);

    INotificationPlatform& Platform() { return platform_; }

private:
    void ShowWindowBesideMainWindow();

    INotificationPlatform& platform_;
    std::string lastBeepExplanation_;
    TWyn_MultMsgList messageList_;
};

// The process-wide notifier. Until one is installed it talks to a headless platform.
TNotifier& Notifier();

// Installs a notifier as the process-wide one for its own lifetime, then restores the
// previous one (tests use it with a headless platform; the desktop program with its windows).
class TInstalledNotifier {
public:
    explicit TInstalledNotifier(INotificationPlatform& platform);
    ~TInstalledNotifier();
    TInstalledNotifier(const TInstalledNotifier&) = delete;
    TInstalledNotifier& operator=(const TInstalledNotifier&) = delete;

    TNotifier& Get() { return notifier_; }

private:
    TNotifier notifier_;
    TNotifier* previous_;
};

}  // namespace tally
