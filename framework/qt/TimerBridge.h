// The toolkit side of a Timer: a single-shot precise QTimer armed for each deadline in turn.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <cstdint>
#include <memory>

#include "framework/Timer.h"
#include "framework/qt/ToolkitTimer.h"

namespace fw::detail {

class TimerBridge final : public ToolkitTimer {
  public:
    explicit TimerBridge(Timer& owner);
    ~TimerBridge() override;
    TimerBridge(const TimerBridge&) = delete;
    TimerBridge& operator=(const TimerBridge&) = delete;

    void update(bool periodChanged) override;
    void stopForGood() override;

  private:
    void start();
    void arm();
    void fire();

    Timer& owner_; // the timer owns this bridge
    std::unique_ptr<QTimer> timer_;
    QElapsedTimer clock_;   // since the schedule started
    int64_t ticks_ = 0;     // deadlines served so far
    uint64_t schedule_ = 0; // counts the starts: a handler that restarts the timer owns the next deadline
    bool running_ = false;
    bool dead_ = false;
};

} // namespace fw::detail
