// The toolkit side of a window: a top-level widget holding the menu bar above a content widget, in
// which the controls sit at absolute positions.
#pragma once

#include <QMargins>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "framework/Window.h"
#include "framework/qt/ToolkitWindow.h"

namespace fw::detail {

class MenuBridge;
class WindowWidget;

class WindowBridge final : public ToolkitWindow {
  public:
    explicit WindowBridge(Window& owner);
    ~WindowBridge() override;
    WindowBridge(const WindowBridge&) = delete;
    WindowBridge& operator=(const WindowBridge&) = delete;

    void open() override;
    void destroy() override;
    bool hasContent() override { return content() != nullptr; }

    // The widgets, made on first use; null once the window has closed.
    QWidget* widget();
    QWidget* content();
    MenuBridge* menus() const { return menus_.get(); }

    void apply() override;
    void rebuildMenuBar() override;
    void show() override;
    void activate() override;
    bool isShown() const override;
    bool isActive() const;

    ScreenPoint contentOrigin() override;
    void moveContentTo(ScreenPoint origin) override;
    // A window whose frame, title bar included, is not wholly on one screen is moved the least
    // that puts it wholly on one; the frame as the toolkit knows it now.
    void keepOnScreen();
    bool showsScreenPoint(ScreenPoint point) override;
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

} // namespace fw::detail
