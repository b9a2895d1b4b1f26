// The toolkit side of a visual control: one widget inside the window's content, kept in step with
// the control's values, forwarding the user's changes back to it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "framework/RectControl.h"
#include "framework/qt/ToolkitControl.h"
#include "framework/qt/WindowBridge.h"

namespace fw::detail {

class ControlBridge : public ToolkitControl {
  public:
    // Takes a widget already parented to the window's content.
    ControlBridge(RectControl& owner, QWidget* widget);
    ~ControlBridge() override;
    ControlBridge(const ControlBridge&) = delete;
    ControlBridge& operator=(const ControlBridge&) = delete;

    QWidget* widget() const { return widget_; }
    void sync() final;
    void focus() final;
    bool hasFocus() const final;
    void refresh(bool immediately) final;

  protected:
    // The class's own values; runs after the common ones, with the widget's signals blocked, since
    // changes made by the program are raised by the control itself, not echoed back by Qt.
    virtual void syncOwn() = 0;
    // The context of every connection from the widget: they end with the bridge.
    QObject* receiver() { return &receiver_; }

  private:
    RectControl& owner_;
    QPointer<QWidget> widget_;
    QObject receiver_;
};

// Typed access for the control bridges.
template <class C, class W> class ControlBridgeOf : public ControlBridge {
  public:
    ControlBridgeOf(C& owner, W* widget) : ControlBridge(owner, widget), control_(owner) {}

  protected:
    C& control() const { return control_; }
    // Null once the widget has gone with its window.
    W* view() const { return static_cast<W*>(widget()); }

  private:
    C& control_; // the control owns this bridge
};

// A control's makeBridge: its bridge, with its widget in the window's content.
template <class Bridge, class C> std::unique_ptr<ControlBridge> bridgeIn(fw::Window& window, C& control) {
    return std::make_unique<Bridge>(control, window.bridge().content());
}

} // namespace fw::detail
