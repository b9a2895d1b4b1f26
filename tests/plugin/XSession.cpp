#include "tests/plugin/XSession.h"

#include <poll.h>
#include <thread>

DisplayPtr openDisplay() {
    return DisplayPtr(XOpenDisplay(nullptr));
}

RootPoint pointerPosition(Display* display) {
    Window root, child;
    int rootX = 0, rootY = 0, windowX, windowY;
    unsigned int buttons;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX, &windowY,
                  &buttons);
    return {rootX, rootY};
}

RootPoint pointerOnceAt(Display* display, RootPoint expected) {
    RootPoint at = pointerPosition(display);
    waitUntil([&] { return (at = pointerPosition(display)) == expected; });
    return at;
}

unsigned long idleMilliseconds(Display* display) {
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    XScreenSaverQueryInfo(display, DefaultRootWindow(display), info);
    unsigned long idle = info->idle;
    XFree(info);
    return idle;
}

bool hasExtension(Display* display, const char* name) {
    int opcode, event, error;
    return XQueryExtension(display, name, &opcode, &event, &error);
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound) {
    auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        // Server state has no event to wait for: look again shortly.
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

TestWindow::TestWindow(Display* display, int x, int y, unsigned int width, unsigned int height, Kind kind)
    : display_(display) {
    XSetWindowAttributes attributes{};
    attributes.event_mask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            StructureNotifyMask | FocusChangeMask;
    // Override redirect keeps any window manager out: the window stands where it is put.
    attributes.override_redirect = kind == Kind::Unmanaged;
    window_ = XCreateWindow(display_, DefaultRootWindow(display_), x, y, width, height, 0, CopyFromParent,
                            InputOutput, CopyFromParent, CWEventMask | CWOverrideRedirect, &attributes);
    XStoreName(display_, window_, "test window");
    XMapRaised(display_, window_);
    waitForType(MapNotify);
    if (kind == Kind::Unmanaged)
        XSetInputFocus(display_, window_, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
}

TestWindow::~TestWindow() {
    XDestroyWindow(display_, window_);
    XSync(display_, True);
}

std::optional<XEvent> TestWindow::waitFor(const std::function<bool(const XEvent&)>& match,
                                          std::chrono::milliseconds bound) {
    auto deadline = std::chrono::steady_clock::now() + bound;
    XFlush(display_);
    for (;;) {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.xany.window == window_ && match(event)) {
                return event;
            }
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                          std::chrono::steady_clock::now());
        if (left <= 0ms) {
            return std::nullopt;
        }
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left.count()));
    }
}

std::optional<XEvent> TestWindow::waitForType(int type, std::chrono::milliseconds bound) {
    return waitFor([type](const XEvent& event) { return event.type == type; }, bound);
}

std::optional<XButtonEvent> TestWindow::waitForButton(std::chrono::milliseconds bound) {
    auto event =
        waitFor([](const XEvent& e) { return e.type == ButtonPress || e.type == ButtonRelease; }, bound);
    if (!event) {
        return std::nullopt;
    }
    return event->xbutton;
}

std::string TestWindow::waitForTypedText(std::chrono::milliseconds bound) {
    std::string text;
    waitFor(
        [&text](const XEvent& event) {
            if (event.type != KeyPress) {
                return false;
            }
            XKeyEvent key = event.xkey;
            char buffer[16];
            KeySym sym;
            int length = XLookupString(&key, buffer, sizeof buffer, &sym, nullptr);
            text.assign(buffer, length > 0 ? length : 0);
            return !text.empty();
        },
        bound);
    return text;
}
