// X helpers for the tests: a connection of the test's own, a window that reports what the server
// delivers to it, and waits that end on the event or at a bound, never after a fixed sleep.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/scrnsaver.h>
// Xlib's None and Bool macros clash with names in GoogleTest, which the tests include after this.
#undef None
#undef Bool

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

using namespace std::chrono_literals;

// Long enough for a loaded machine; a passing test never waits it out.
constexpr std::chrono::milliseconds kEventBound = 5s;

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// The display named by DISPLAY; null when there is none.
DisplayPtr openDisplay();

struct RootPoint {
    int x;
    int y;
    bool operator==(const RootPoint&) const = default;
};

RootPoint pointerPosition(Display* display);
// The pointer's position once it is at `expected`, or when the bound has passed: the input layer
// only sends what it posts, on a connection of its own, so the server may take it after this
// connection's next question.
RootPoint pointerOnceAt(Display* display, RootPoint expected);

// Milliseconds since the server last saw user input, from the screen-saver extension.
unsigned long idleMilliseconds(Display* display);

bool hasExtension(Display* display, const char* name);

// Polls the condition until it holds; false when the bound passes first.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound = kEventBound);

// A mapped, focused top-level window that takes keyboard and button events.
class TestWindow {
  public:
    // Unmanaged: stands where it is put, above the others, and takes the focus itself. Managed:
    // a window manager places, stacks and focuses it, as it does a program's window.
    enum class Kind { Unmanaged, Managed };
    TestWindow(Display* display, int x, int y, unsigned int width, unsigned int height,
               Kind kind = Kind::Unmanaged);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    Window id() const { return window_; }

    // The next event for this window that matches, dropping the others on the way; nothing when
    // the bound passes first.
    std::optional<XEvent> waitFor(const std::function<bool(const XEvent&)>& match,
                                  std::chrono::milliseconds bound = kEventBound);
    std::optional<XEvent> waitForType(int type, std::chrono::milliseconds bound = kEventBound);
    std::optional<XButtonEvent> waitForButton(std::chrono::milliseconds bound = kEventBound);
    // The text of the next key press that types any; empty when none comes in time.
    std::string waitForTypedText(std::chrono::milliseconds bound = kEventBound);

  private:
    Display* display_;
    Window window_;
};
