// What a Timer asks of its timer in the toolkit (TimerBridge), without the toolkit's headers.
#pragma once

#include <memory>

namespace fw {
class Timer;
}

namespace fw::detail {

class ToolkitTimer {
  public:
    virtual ~ToolkitTimer() = default;
    // Follows the owner's Mode and Period: starts, stops or re-times the schedule.
    virtual void update(bool periodChanged) = 0;
    // The owner's window has closed: no tick from now on.
    virtual void stopForGood() = 0;
};

std::unique_ptr<ToolkitTimer> makeToolkitTimer(Timer& owner);

} // namespace fw::detail
