#pragma once

#include "framework/RectControl.h"

namespace fw {

// A push button. Action (event 15) follows every press: a click, the space bar while it has the
// focus, Return for the window's default button and Escape for its cancel button while the
// window is active.
class PushButton : public Registered<PushButton, TextControl> {
  public:
    static ClassRecord describe();

    String Caption() const { return caption_; }
    void setCaption(const String& caption);
    // The default button is pressed by Return (and Enter), the cancel button by Escape.
    bool Default() const { return default_; }
    void setDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void setCancel(bool isCancel);
    // 0 is the plain push button, the only style drawn here.
    int32_t ButtonStyle() const { return buttonStyle_; }
    void setButtonStyle(int32_t style);

    // A press as the user makes it: nothing while the button is disabled or hidden.
    void Push();

  protected:
    std::unique_ptr<detail::ToolkitControl> makeBridge(fw::Window& window) override;

  private:
    String caption_;
    bool default_ = false, cancel_ = false;
    int32_t buttonStyle_ = 0;
};

} // namespace fw
