#include "foundation/notifications/notification_placement.h"

namespace tally {

TPoint PlaceNotificationWindow(const TRect& mainWindow, TSize window, TSize screen) {
    TPoint place;
    place.X = mainWindow.Left + mainWindow.Width;
    if (place.X + window.Width >= screen.Width) {
        if (window.Width < mainWindow.Left) {
            place.X = mainWindow.Left - window.Width;
        } else {
            place.X = screen.Width - window.Width;
        }
    }
    place.Y = mainWindow.Top + mainWindow.Height / 2 - window.Height / 2;
    if (place.Y + window.Height > screen.Height) place.Y = screen.Height - window.Height;
    if (place.X < 0) place.X = 0;
    if (place.Y < 0) place.Y = 0;
    return place;
}

}  // namespace tally
