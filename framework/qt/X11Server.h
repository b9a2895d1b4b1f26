// What the framework asks the X server directly, on the toolkit's own connection: which window
// shows at a point, and the window manager's active window. Every call answers "nothing" on a
// platform other than X.
#pragma once

#include <cstdint>

#include "framework/Screens.h"

namespace fw::detail::x11 {

using WindowId = uint32_t; // 0: none

bool available();
// Whether the top-level window `window`, or one inside it, is what shows at the device pixel,
// by the server's stacking order.
bool showsAt(WindowId window, ScreenPoint device);
// The window manager's _NET_ACTIVE_WINDOW; 0 without a window manager that keeps it.
WindowId activeWindow();
// Asks the window manager to make the window active, as a pager does.
void requestActive(WindowId window, WindowId currentlyActive);

} // namespace fw::detail::x11
