// What a Window asks of its window in the toolkit (WindowBridge), without the toolkit's headers.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Screens.h"

namespace fw {
class Window;
}

namespace fw::detail {

class ToolkitWindow {
  public:
    virtual ~ToolkitWindow() = default;

    // Allows the window to be made again after a close (Window.Constructor).
    virtual void open() = 0;
    // Hides the window and lets it go; after this it has none until it is opened again.
    virtual void destroy() = 0;
    // Whether there is a content area to put controls in: made on first use; none once the
    // window has closed.
    virtual bool hasContent() = 0;

    // Pushes the window's record values (frame, title, colour, sizes) to the toolkit's window.
    virtual void apply() = 0;
    // Builds the menu bar anew from the window's MenuBar tree.
    virtual void rebuildMenuBar() = 0;
    virtual void show() = 0;
    virtual void activate() = 0;
    virtual bool isShown() const = 0;

    // The content area's top-left corner on the screen, and moving the window to put it elsewhere;
    // a window so moved has a position of its own.
    virtual ScreenPoint contentOrigin() = 0;
    virtual void moveContentTo(ScreenPoint origin) = 0;
    // Whether the screen point shows this window itself, not another one over it.
    virtual bool showsScreenPoint(ScreenPoint point) = 0;
};

std::unique_ptr<ToolkitWindow> makeToolkitWindow(Window& owner);

// Kept by Window.cpp: the window the user brought to the front goes first in the open-window list.
void noteActivated(Window& window);

} // namespace fw::detail
