#pragma once
// What the core needs of the window system to reach the user: the beep, the non-modal
// notification window and modal message boxes.

#include <string>
#include <vector>

#include "platform/geometry.h"

namespace tally {

enum class TMessageBoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class TMessageBoxIcon { None, Information, Warning, Error, Question };
enum class TMessageBoxAnswer { Yes, No, Cancel, Ok };

// Whether a box with these buttons can give this answer.
bool ButtonsAllow(TMessageBoxButtons buttons, TMessageBoxAnswer answer);

class INotificationPlatform {
public:
    virtual ~INotificationPlatform() = default;

    virtual void Beep() = 0;

    // The notification window exists only while shown; the user's close destroys it.
    virtual bool IsNotificationWindowOpen() const = 0;
    // Creates the window when there is none and replaces its text with the lines.
    virtual void SetNotificationWindowLines(const std::vector<std::string>& lines) = 0;
    // Moves the window's top-left corner to the position and shows it, leaving the keyboard
    // focus where it is (messages shown while the user types).
    virtual void ShowNotificationWindowAt(TPoint topLeft) = 0;
    // The shown window takes the keyboard focus (the user asked for it); closing it gives the
    // focus back. Without a window system there is no focus to move.
    virtual void FocusNotificationWindow() {}

    // Geometry for placing the notification window beside the main window.
    virtual TRect MainWindowBounds() const = 0;
    virtual TSize ScreenSize() const = 0;
    virtual TSize NotificationWindowSize() const = 0;

    // Modal box owned by the active window; the answer is one the buttons allow.
    virtual TMessageBoxAnswer AskMessageBox(const std::string& text, const std::string& caption,
                                            TMessageBoxButtons buttons, TMessageBoxIcon icon) = 0;
};

}  // namespace tally
