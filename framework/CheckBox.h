#pragma once

#include "framework/RectControl.h"

namespace fw {

class CheckBox : public Registered<CheckBox, TextControl> {
  public:
    static ClassRecord describe();

    String Caption() const { return caption_; }
    void setCaption(const String& caption);
    // Ticked or not; State 1 is ticked, 0 not, 2 mixed.
    bool Value() const { return state_ == 1; }
    void setValue(bool ticked);
    int32_t State() const { return state_; }
    void setState(int32_t state);

  protected:
    std::unique_ptr<detail::ToolkitControl> makeBridge(fw::Window& window) override;

  private:
    String caption_;
    int32_t state_ = 0;
};

} // namespace fw
