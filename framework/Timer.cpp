#include "framework/Timer.h"

#include "framework/PropertyTable.h"
#include "framework/qt/ToolkitTimer.h"

namespace fw {

ClassRecord Timer::describe() {
    using detail::accessor;
    return detail::classOf<Timer>("Timer", Control::Class(),
                                  {
                                      accessor("Mode", &Timer::Mode, &Timer::setMode),
                                      accessor("Period", &Timer::Period, &Timer::setPeriod),
                                  });
}

Timer::Timer() : bridge_(detail::makeToolkitTimer(*this)) {}

Timer::~Timer() = default;

void Timer::setMode(int32_t mode) {
    mode_ = mode;
    bridge_->update(false);
}

void Timer::setPeriod(int32_t milliseconds) {
    const bool changed = milliseconds != period_;
    period_ = milliseconds;
    bridge_->update(changed);
}

void Timer::detach() {
    bridge_->stopForGood();
    Control::detach();
}

} // namespace fw
