#pragma once

#include <memory>

#include "framework/Control.h"

namespace fw {

namespace detail {
class TimerBridge;
class ToolkitTimer;
} // namespace detail

// Raises Action (event 0) about every Period milliseconds while Mode is 2 (repeating), once after
// Period when Mode is 1, never when it is 0. Ticks are scheduled from the start, so they do not drift.
class Timer : public Registered<Timer, Control> {
  public:
    static ClassRecord describe();
    Timer();
    ~Timer() override;

    enum : int32_t { ModeOff = 0, ModeSingle = 1, ModeMultiple = 2 };
    int32_t Mode() const { return mode_; }
    void setMode(int32_t mode);
    int32_t Period() const { return period_; }
    void setPeriod(int32_t milliseconds);

    void detach() override;

  private:
    friend class detail::TimerBridge;
    int32_t mode_ = ModeOff;
    int32_t period_ = 1000;
    std::unique_ptr<detail::ToolkitTimer> bridge_;
};

} // namespace fw
