// Windows: built from property records, holding named controls, each class with one implicit
// instance at a time.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Delegate.h"
#include "framework/Forward.h"
#include "framework/Menu.h"
#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Value.h"

namespace fw {

namespace detail {
class ToolkitWindow; // the toolkit side as the core reaches it, in framework/qt
class WindowBridge;  // the toolkit side with its widgets, for framework/qt
} // namespace detail

class Window : public Registered<Window, Object> {
  public:
    static ClassRecord describe();

    Window();
    ~Window() override;

    // Builds the window: registers it as the implicit instance of its class, then runs Layout,
    // CreateControls, the controls' Open events in creation order, AddMenuHandlers and Open.
    void Constructor();

    // The window events a window class handles by overriding.
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void AddMenuHandlers(Window*) {}
    virtual void Event_Open() {}
    virtual void Event_Close() {}

    void Show();
    // Raises Close, removes the window and its controls, and ends its implicit-instance entry.
    void Close();
    // Brings the window to the front with the keyboard focus.
    void SetFocus();
    bool isOpen() const { return open_; }
    bool isShown() const;

    // The screen position of the content area (below the menu bar, where there is one).
    int32_t Top() const;
    void setTop(int32_t top);
    int32_t Left() const;
    void setLeft(int32_t left);
    // Whether the screen point (in the units of Top and Left) shows this window itself, not
    // another window over it; false while the window is not shown.
    bool ShowsScreenPoint(int32_t x, int32_t y) const;
    int32_t Width() const { return width_; }
    void setWidth(int32_t width);
    int32_t Height() const { return height_; }
    void setHeight(int32_t height);
    String Title() const { return title_; }
    void setTitle(const String& title);
    bool Resizeable() const { return resizeable_; }

    Ref<fw::MenuBar> MenuBar() const { return menuBar_; }
    void setMenuBar(Ref<fw::MenuBar> bar);

    void _AddControl(const String& name, Ref<Control> control);
    // nil when the window holds no control of that name.
    Ref<Control> _ControlByName(const String& name) const;
    const std::vector<Ref<Control>>& controls() const { return controls_; }

    // A new object of the class, owned by the caller.
    Ref<Object> __New(const ClassRecord& cls);
    template <class T> Ref<T> __New() { return checkCast<T>(__New(T::Class())); }

    void _AddMenuHandler(const String& commandName, Ref<Delegate> handler);
    Ref<Delegate> menuHandler(const String& commandName) const;

    detail::ToolkitWindow& toolkitWindow() const { return *bridge_; }
    // Defined in framework/qt, whose code alone reaches the widgets.
    detail::WindowBridge& bridge() const;

  private:
    friend class detail::WindowBridge;
    friend void releaseImplicitWindows();
    // Pushes the record's values (frame, title, colour, sizes) to the toolkit window.
    void applyGeometry();
    // Detaches the controls, drops the menu handlers and the toolkit window, leaves the open list.
    void teardown();

    std::unique_ptr<detail::ToolkitWindow> bridge_;
    std::vector<Ref<Control>> controls_;
    std::map<std::string, Ref<Delegate>> menuHandlers_; // keyed by the lower-case command name
    Ref<fw::MenuBar> menuBar_;
    bool open_ = false;
    bool closing_ = false;

    // Values of the window record.
    int32_t placement_ = 0, width_ = 100, height_ = 100;
    int32_t minWidth_ = 64, minHeight_ = 64, maxWidth_ = 32000, maxHeight_ = 32000;
    int32_t frame_ = 0, macProcID_ = 0;
    bool composite_ = false, hasBackColor_ = false, visible_ = true, fullScreen_ = false;
    bool menuBarVisible_ = true, closeButton_ = true, resizeable_ = true, liveResize_ = true;
    bool maximizeButton_ = true, minimizeButton_ = true;
    Color backColor_{255, 255, 255};
    String title_;
};

// The open window registered under the full class name ("Window1.Window1"), or nil.
Ref<Window> _GetImplicitWindow(const String& fullClassName);
// The open windows, front-most first.
std::vector<Ref<Window>> openWindows();
// The module exit of the implicit window list: drops the windows still registered.
void releaseImplicitWindows();

// The accessor every window class offers under its own name: the open window of the class, or a
// new one built by Window.Constructor.
template <class W> Ref<W> implicitInstance() {
    Ref<Window> window = _GetImplicitWindow(String(W::Class().name));
    if (!window) {
        Ref<W> made = checkCast<W>(RuntimeNewObject(W::Class()));
        made->Constructor();
        return made;
    }
    return checkCast<W>(window);
}

} // namespace fw
