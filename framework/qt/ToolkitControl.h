// What a visual control asks of its widget in the toolkit (ControlBridge), without the toolkit's
// headers. Each call does nothing once the widget has gone with its window.
#pragma once

namespace fw::detail {

class ToolkitControl {
  public:
    virtual ~ToolkitControl() = default;
    // Pushes the control's values to the widget.
    virtual void sync() = 0;
    // Gives the widget the keyboard focus within its window.
    virtual void focus() = 0;
    // Whether the widget is its window's focus widget.
    virtual bool hasFocus() const = 0;
    // Redraws the widget; now when asked, else at the next idle time.
    virtual void refresh(bool immediately) = 0;
};

} // namespace fw::detail
