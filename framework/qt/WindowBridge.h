// The toolkit side of a window: a top-level widget holding the menu bar above a content widget, in
// which the controls sit at absolute positions.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "framework/Window.h"

namespace fw::detail {

class MenuBridge;
class WindowWidget;

class WindowBridge {
  public:
    explicit WindowBridge(Window& owner);
    ~WindowBridge();
    WindowBridge(const WindowBridge&) = delete;
    WindowBridge& operator=(const WindowBridge&) = delete;

    // Allows the widget to be made again after a close (Window.Constructor).
    void open();
    // Hides the widget and lets it go; after this the window has no widget until it is opened again.
    void destroy();

    // The widgets, made on first use; null once the window has closed.
    QWidget* widget();
    QWidget* content();
    MenuBridge* menus() const { return menus_.get(); }

    // Pushes the window's record values (frame, title, colour, sizes) to the widget.
    void apply();
    // Builds the menu bar anew from the window's MenuBar tree.
    void rebuildMenuBar();
    void show();
    void activate();
    bool isShown() const;
    bool isActive() const;

    // The content area's top-left corner on the screen, and moving the window to put it elsewhere;
    // a window so moved has a position of its own.
    QPoint contentOrigin();
    void moveContentTo(QPoint origin);
    // A window whose frame, title bar included, is not wholly on one screen is moved the least
    // that puts it wholly on one; the frame as the toolkit knows it now.
    void keepOnScreen();
    // Whether the screen point shows this window itself, not another one over it.
    bool showsScreenPoint(QPoint point);
    // The window server's id of the shown window; 0 before it is made or on a platform without.
    uint32_t nativeId() const;
    int menuBarHeight() const;

    // From the widget.
    void firstPainted();
    void closeRequested();
    void activated();
    void resized();
    // Return or Escape: presses the window's first enabled, visible default or cancel button;
    // false when there is none.
    bool pressButton(bool cancel);

  private:
    void create();
    void placeChildren();
    // Before the window is first mapped: where it goes (see show()).
    void placeForFirstShow();
    void centreOnScreen();
    // Moves the window the least that puts a frame with these widths wholly on one screen.
    void keepFrameOnScreen(QMargins frame);

    Window& owner_; // the window owns this bridge
    QPointer<WindowWidget> widget_;
    QPointer<QWidget> content_;
    std::unique_ptr<MenuBridge> menus_;
    Ref<MenuBar> menusFor_; // the bar menus_ was built from
    bool closed_ = false;
    bool positioned_ = false;      // the program gave the window its place
    bool correctAfterMap_ = false; // the frame was not known before mapping: look again once mapped
};

// Kept by Window.cpp: the window the user brought to the front goes first in the open-window list.
void noteActivated(Window& window);

} // namespace fw::detail
