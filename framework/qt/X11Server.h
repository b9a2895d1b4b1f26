// What the framework asks the X server directly, on the toolkit's own connection: which window
// shows at a point, the window manager's active window and the frames it draws. Every call
// answers "nothing" on a platform other than X.
#pragma once

#include <cstdint>
#include <optional>

#include "framework/DisplaySession.h"
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
// Whether a window manager runs (one that names its check window on the root, as EWMH asks).
bool windowManagerRunning();

// The widths of the frame that the window manager draws around a top-level window, in device
// pixels.
struct FrameExtents {
    int32_t left = 0, right = 0, top = 0, bottom = 0;
};
// Asks the window manager what frame it will draw around the window before it maps it, and waits
// a short while for the answer; nothing when it gives none. No frame without a window manager.
std::optional<FrameExtents> requestFrameExtents(WindowId window);
// The frame the window manager has told for the window so far; nothing when it has told none.
std::optional<FrameExtents> frameExtents(WindowId window);

// What the server tells of itself: its extensions and the names of its RandR outputs.
XServerSigns serverSigns();

} // namespace fw::detail::x11
