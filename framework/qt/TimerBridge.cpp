#include "framework/qt/TimerBridge.h"

#include <algorithm>

#include "framework/Runtime.h"

namespace fw::detail {

std::unique_ptr<ToolkitTimer> makeToolkitTimer(Timer& owner) {
    return std::make_unique<TimerBridge>(owner);
}

TimerBridge::TimerBridge(Timer& owner) : owner_(owner), timer_(std::make_unique<QTimer>()) {
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] { fire(); });
}

TimerBridge::~TimerBridge() {
    // The last reference to the timer may go inside its own tick: the QTimer is still emitting
    // then, so it goes once control is back in the event loop.
    timer_->stop();
    QObject::disconnect(timer_.get(), nullptr, nullptr, nullptr);
    timer_.release()->deleteLater();
}

void TimerBridge::update(bool periodChanged) {
    const int32_t mode = owner_.mode_;
    const bool wanted = !dead_ && (mode == Timer::ModeSingle || mode == Timer::ModeMultiple);
    if (!wanted) {
        running_ = false;
        timer_->stop();
    } else if (!running_ || periodChanged) {
        // A timer already running keeps its schedule when its mode is set again; a new Period
        // starts the count afresh.
        start();
    }
}

void TimerBridge::stopForGood() {
    dead_ = true;
    update(false);
}

void TimerBridge::start() {
    running_ = true;
    ++schedule_;
    ticks_ = 0;
    clock_.start();
    arm();
}

void TimerBridge::arm() {
    // Deadlines are counted from the start, so a late tick does not push the later ones back.
    const int64_t period = std::max<int32_t>(owner_.period_, 1);
    const int64_t due = (ticks_ + 1) * period - clock_.elapsed();
    timer_->start(static_cast<int>(std::clamp<int64_t>(due, 0, INT32_MAX)));
}

void TimerBridge::fire() {
    if (!running_)
        return;
    const int64_t period = std::max<int32_t>(owner_.period_, 1);
    if (clock_.elapsed() < (ticks_ + 1) * period) {
        arm(); // woken a little early
        return;
    }
    Ref<Timer> protector(&owner_);
    if (owner_.mode_ == Timer::ModeSingle) {
        // A single tick turns the timer off; the handler may set it going again.
        owner_.mode_ = Timer::ModeOff;
        running_ = false;
    }
    const uint64_t schedule = schedule_;
    dispatch([&] { protector->raiseEvent(kTimerAction, {protector}); });
    if (running_ && schedule == schedule_) {
        // Deadlines that passed while the handler ran are skipped, not made up in a burst.
        ticks_ = std::max<int64_t>(ticks_ + 1, clock_.elapsed() / period);
        arm();
    }
}

} // namespace fw::detail
