// The window the window manager has active, noted before the program clicks one of its own
// windows, so that it can be handed back once the click has been handled: a click activates what
// it presses, and the user's next keystrokes would go there.
#pragma once

#include <cstdint>

namespace fw {

class Window;

class ActiveWindowNote {
  public:
    // Reads the window manager's active window now; notes none without a window manager.
    static ActiveWindowNote take();

    // After a click on `clicked`: once the server has handled it and the window manager has
    // activated `clicked`, or half a second has passed, asks for the noted window to be active
    // again, unless it still is. Returns at once; the wait runs on the event loop.
    void giveBackAfterClickOn(Window& clicked) const;

    uint32_t window() const { return window_; }

  private:
    uint32_t window_ = 0;
};

} // namespace fw
