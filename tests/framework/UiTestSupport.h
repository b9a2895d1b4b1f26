// Helpers for the tests that build windows and run the event loop.
#pragma once

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Delegate.h"
#include "framework/Dialogs.h"
#include "framework/Runtime.h"
#include "framework/TestHooks.h"
#include "framework/Timer.h"
#include "framework/Window.h"

namespace uitest {

// A delegate that runs a test's own code for an event, ignoring its arguments.
inline fw::Ref<fw::Delegate> call(std::function<void()> body, const char* signature = "( Timer )") {
    return fw::RuntimeCreateDelegate(
        [body = std::move(body)](fw::Object*, fw::Arguments) {
            body();
            return fw::Value();
        },
        nullptr, signature, false);
}

// A menu handler that notes its call and answers `handled`.
inline fw::Ref<fw::Delegate> menuHandler(std::vector<std::string>& calls, std::string name, bool handled) {
    return fw::RuntimeCreateDelegate(
        [&calls, name = std::move(name), handled](fw::Object*, fw::Arguments) {
            calls.push_back(name);
            return fw::Value(handled);
        },
        nullptr, "(  ) as Boolean", false);
}

inline fw::Ref<fw::Timer> timer(int32_t mode, int32_t period, std::function<void()> action) {
    fw::Ref<fw::Timer> t = fw::make<fw::Timer>();
    fw::RuntimeAddEventHandler(*t, fw::kTimerAction, fw::_EventStub(fw::kTimerAction),
                               call(std::move(action)));
    t->setPeriod(period);
    t->setMode(mode);
    return t;
}

// Seconds from the moment until now, for the figures a test prints.
inline double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs the event loop until something quits it; false when the bound ran out first.
inline bool runLoop(int32_t boundMilliseconds = 5000) {
    bool timedOut = false;
    fw::Ref<fw::Timer> watchdog = timer(fw::Timer::ModeSingle, boundMilliseconds, [&] {
        timedOut = true;
        fw::Quit(0);
    });
    fw::_RuntimeRun();
    watchdog->setMode(fw::Timer::ModeOff);
    return !timedOut;
}

// Runs the event loop until `done` holds, looking after each pass of a short poll; false when the
// bound ran out first.
inline bool runUntil(const std::function<bool()>& done, int32_t boundMilliseconds = 5000) {
    fw::Ref<fw::Timer> poll = timer(fw::Timer::ModeMultiple, 5, [&] {
        if (done())
            fw::Quit(0);
    });
    const bool returned = runLoop(boundMilliseconds);
    poll->setMode(fw::Timer::ModeOff);
    return returned && done();
}

// As runUntil, but a pending quit (a closed panel asks for one), which ends a run at once, does
// not end the wait: the loop runs again until the condition holds or the bound has passed.
inline bool runUntilDespiteQuits(const std::function<bool()>& done, int32_t boundMilliseconds = 5000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMilliseconds);
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        runUntil(done, static_cast<int32_t>(left.count()));
    }
    return true;
}

// Lets the loop run until a single tick that many milliseconds away has come.
inline bool runPast(int32_t milliseconds) {
    bool came = false;
    fw::Ref<fw::Timer> mark = timer(fw::Timer::ModeSingle, milliseconds, [&] { came = true; });
    return runUntil([&] { return came; });
}

// Every UI test starts without windows or application and keeps message boxes off the screen:
// on the offscreen platform a modal box would wait for ever.
class UiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fw::setUnhandledExceptionReporter([this](const std::exception& e) { unhandled.push_back(e.what()); });
        fw::setMessagePresenter([this](const fw::String& m) { messages.push_back(m.bytes()); });
    }
    void TearDown() override {
        fw::releaseImplicitWindows();
        fw::_RuntimeRegisterAppObject(nullptr);
        fw::setUnhandledExceptionReporter(
            [](const std::exception& e) { ADD_FAILURE() << "unhandled: " << e.what(); });
        fw::setMessagePresenter([](const fw::String& m) { ADD_FAILURE() << "message box: " << m.c_str(); });
    }

    std::vector<std::string> unhandled;
    std::vector<std::string> messages;
};

} // namespace uitest
