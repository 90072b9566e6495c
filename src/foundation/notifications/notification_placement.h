#pragma once
// Where the notification window goes: beside the main window, kept on the screen.

#include "platform/geometry.h"

namespace tally {

// To the right of the main window, or to its left when the right side has no room, or flush
// with the screen's right edge; vertically centred on the main window and kept on the screen.
// A window wider or taller than the screen keeps its left or top edge on the screen, so its
// caption and close box stay reachable.
TPoint PlaceNotificationWindow(const TRect& mainWindow, TSize window, TSize screen);

}  // namespace tally
