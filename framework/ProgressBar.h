#pragma once

#include "framework/RectControl.h"

namespace fw {

// A progress bar from 0 to Maximum showing Value; a Maximum of 0 shows activity without progress
// (indeterminate), animated while the bar is shown.
class ProgressBar : public Registered<ProgressBar, RectControl> {
  public:
    static ClassRecord describe();

    int32_t Maximum() const { return maximum_; }
    void setMaximum(int32_t maximum);
    int32_t Value() const { return value_; }
    void setValue(int32_t value);
    bool isIndeterminate() const { return maximum_ == 0; }

  protected:
    std::unique_ptr<detail::ToolkitControl> makeBridge(fw::Window& window) override;

  private:
    int32_t maximum_ = 100;
    int32_t value_ = 0;
};

} // namespace fw
