// Timers on the event loop: ticks while on, none while off, and none once their window has closed.
#include "tests/framework/LoggedWindow.h"
#include "tests/framework/UiTestSupport.h"

namespace {

using uitest::LoggedWindow;
using uitest::timer;

class Timers : public uitest::WindowTest {};

TEST_F(Timers, RepeatingTimerTicksUntilSwitchedOff) {
    int ticks = 0;
    fw::Ref<fw::Timer> t = timer(fw::Timer::ModeMultiple, 5, [&] { ++ticks; });

    EXPECT_TRUE(uitest::runUntil([&] { return ticks >= 3; }));
    t->setMode(fw::Timer::ModeOff);
    const int atStop = ticks;
    // Well past its period, no tick has come.
    EXPECT_TRUE(uitest::runPast(50));
    EXPECT_EQ(ticks, atStop);
}

TEST_F(Timers, TimerThatIsOffNeverTicks) {
    int ticks = 0;
    fw::Ref<fw::Timer> off = timer(fw::Timer::ModeOff, 5, [&] { ++ticks; });

    EXPECT_TRUE(uitest::runPast(60));
    EXPECT_EQ(ticks, 0);
}

TEST_F(Timers, SingleTimerTicksOnceAndTurnsItselfOff) {
    int ticks = 0;
    fw::Ref<fw::Timer> once = timer(fw::Timer::ModeSingle, 5, [&] { ++ticks; });

    EXPECT_TRUE(uitest::runPast(60));
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(once->Mode(), fw::Timer::ModeOff);
}

TEST_F(Timers, HandlerThatSwitchesItsOwnTimerOffGetsNoFurtherTick) {
    int ticks = 0;
    fw::Ref<fw::Timer> t;
    t = timer(fw::Timer::ModeMultiple, 5, [&] {
        ++ticks;
        t->setMode(fw::Timer::ModeOff);
    });

    EXPECT_TRUE(uitest::runPast(60));
    EXPECT_EQ(ticks, 1);
}

TEST_F(Timers, TimerOfAClosedWindowStops) {
    fw::Ref<LoggedWindow> window = fw::implicitInstance<LoggedWindow>();
    fw::Ref<fw::Timer> ticker = window->control<fw::Timer>("Ticker");
    int ticks = 0;
    fw::RuntimeAddEventHandler(*ticker, fw::kTimerAction, fw::_EventStub(fw::kTimerAction),
                               uitest::call([&] { ++ticks; }));
    ticker->setPeriod(5);
    ticker->setMode(fw::Timer::ModeMultiple);
    ASSERT_TRUE(uitest::runUntil([&] { return ticks >= 1; }));

    window->Close();
    const int atClose = ticks;
    EXPECT_TRUE(uitest::runPast(60));
    EXPECT_EQ(ticks, atClose);
}

TEST_F(Timers, TickThatDropsTheLastReferenceToItsTimerIsSafe) {
    bool ticked = false;
    fw::Ref<fw::Timer> t;
    t = timer(fw::Timer::ModeMultiple, 5, [&] {
        ticked = true;
        t = nullptr;
    });
    fw::WeakRef<fw::Timer> weak = t;

    EXPECT_TRUE(uitest::runUntil([&] { return ticked; }));
    EXPECT_TRUE(weak.expired());
}

TEST_F(Timers, HandlerExceptionIsReportedAndTheLoopGoesOn) {
    int ticks = 0;
    fw::Ref<fw::Timer> t = timer(fw::Timer::ModeMultiple, 5, [&] {
        ++ticks;
        throw fw::RuntimeException("tick failed");
    });

    EXPECT_TRUE(uitest::runUntil([&] { return ticks >= 2; }));
    ASSERT_GE(unhandled.size(), 2u);
    EXPECT_EQ(unhandled.front(), "tick failed");
}

} // namespace
