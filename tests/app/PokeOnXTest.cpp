// The poke for real: the built plug-in module, loaded from the application folder, moves the X
// pointer onto the panel's empty spot and clicks there, and the X server counts it as user
// activity. The suite runs on bare Xvfb and under openbox, at scale 1, 1.5 and 2.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <vector>

#include "../framework/UiTestSupport.h"
#include "AppFixture.h"
#include "app/Module1.h"
#include "app/Startup.h"
#include "app/TolvaneVrek.h"
#include "framework/PluginHost.h"
#include "framework/RectControl.h"
#include "framework/Runtime.h"
#include "tests/support/Inspect.h"

// Last: Xlib's macros would break the headers above.
#include "tests/plugin/XSession.h"
#include <X11/Xatom.h>

namespace {

// A top-level window as the X server has it: its id and where it lies on the root, in device
// pixels.
struct XPlace {
    ::Window id = 0;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0;
};

// The first mapped window of that name: a closed panel's window may linger unmapped a while.
::Window findNamed(Display* d, ::Window w, const char* name) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable)
        return 0;
    char* own = nullptr;
    if (XFetchName(d, w, &own) && own) {
        const bool match = std::string(own) == name;
        XFree(own);
        if (match)
            return w;
    }
    ::Window root, parent, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count))
        return 0;
    ::Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i)
        found = findNamed(d, children[i], name);
    if (children)
        XFree(children);
    return found;
}

XPlace placeOf(Display* d, ::Window w) {
    XPlace p{w};
    XWindowAttributes a;
    if (!w || !XGetWindowAttributes(d, w, &a))
        return {};
    ::Window child;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &p.x, &p.y, &child);
    p.width = static_cast<unsigned int>(a.width);
    p.height = static_cast<unsigned int>(a.height);
    return p;
}

::Window rootWindowProperty(Display* d, const char* name) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    ::Window value = 0;
    if (XGetWindowProperty(d, DefaultRootWindow(d), XInternAtom(d, name, False), 0, 1, False, XA_WINDOW,
                           &type, &format, &count, &after, &data) == Success &&
        data && count == 1 && format == 32)
        value = *reinterpret_cast<::Window*>(data);
    if (data)
        XFree(data);
    return value;
}

::Window activeWindow(Display* d) {
    return rootWindowProperty(d, "_NET_ACTIVE_WINDOW");
}

// Asks the window manager to activate the window, as the user does by picking it.
void activate(Display* d, ::Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = 2;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(d);
}

bool hasWindowManager(Display* d) {
    return rootWindowProperty(d, "_NET_SUPPORTING_WM_CHECK") != 0;
}

::Window inputFocus(Display* d) {
    ::Window focus;
    int revert;
    XGetInputFocus(d, &focus, &revert);
    return focus;
}

class PokeOnX : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        ambrel::runClassSetupList();
        fw::_RuntimeInitExternalClasses();
        ambrel::_InitPluginEntrypoints();
    }
    void SetUp() override {
        ASSERT_TRUE(fw::pluginProblems().empty()) << testing::PrintToString(fw::pluginProblems());
        ASSERT_TRUE(display) << "no X display";
        prefs.write("#Window1Position 300,400\n");
    }
    void TearDown() override {
        panel = nullptr;
        closePanel();
    }

    // Runs the loop until the condition holds or the bound has passed. A pending quit (a panel
    // closed by an earlier test asks for one) ends a run at once: run again.
    static bool settle(const std::function<bool()>& done, int32_t boundMs = 5000) {
        return uitest::runUntilDespiteQuits(done, boundMs);
    }

    // The panel shown and counting, found on the X server, and active.
    void showPanel() {
        panel = ::Window1();
        panel->Show();
        panel->ComboBox1()->setListIndex(1);
        panel->Pause()->setValue(false);
        ASSERT_TRUE(settle([&] {
            onX =
                placeOf(display.get(), findNamed(display.get(), DefaultRootWindow(display.get()), "Ambrel"));
            return panel->isShown() && onX.id && onX.width > 0;
        }));
        // Showing activates the panel, later: wait for it, so that it takes no focus after.
        Display* d = display.get();
        ASSERT_TRUE(
            settle([&] { return (hasWindowManager(d) ? activeWindow(d) : inputFocus(d)) == onX.id; }));
        // A window manager tells the toolkit where it placed the window after the server has it
        // there, and a loaded machine can hold that notice back: the poke aims where the panel
        // says it lies.
        ASSERT_TRUE(settle([&] {
            onX = placeOf(d, onX.id);
            const double scale = onX.width / static_cast<double>(panel->Width());
            const int32_t bar = fw::inspect::view(*panel).menuBarHeight;
            return std::abs(onX.x / scale - panel->Left()) <= 1.0 &&
                   std::abs(onX.y / scale + bar - panel->Top()) <= 1.0;
        })) << "the panel says "
            << panel->Left() << "," << panel->Top();
    }

    // Nothing has touched the server for a while, so that a poke shows in the idle time.
    void waitUntilIdle() {
        ASSERT_TRUE(settle([&] { return idleMilliseconds(display.get()) > 1200; }, 20000));
    }

    void poke() {
        ambrel::Module1::CountDown = 1;
        panel->Timer1_Action(panel->Timer1().get());
    }

    // The pointer, back in the framework's units within the panel's content: its middle.
    struct ContentPoint {
        double x, y;
    };
    ContentPoint pointerOnContent() {
        const RootPoint at = pointerPosition(display.get());
        const double scale = onX.width / static_cast<double>(panel->Width());
        const int32_t bar = fw::inspect::view(*panel).menuBarHeight;
        return {(at.x + 0.5 - onX.x) / scale, (at.y + 0.5 - onX.y) / scale - bar};
    }

    // The pointer is on the panel's empty spot (15, 23), on no control, within the rounding of
    // a scaled screen.
    void expectOnTheEmptySpot() {
        // The move may still be on its way to the server, on the input layer's own connection.
        ContentPoint c{};
        settle([&] {
            c = pointerOnContent();
            return std::abs(c.x - 15.5) <= 1.0 && std::abs(c.y - 23.5) <= 1.0;
        });
        EXPECT_NEAR(c.x, 15.5, 1.0);
        EXPECT_NEAR(c.y, 23.5, 1.0);
        for (const fw::Ref<fw::Control>& control : panel->controls()) {
            auto* shown = dynamic_cast<fw::RectControl*>(control.get());
            if (!shown)
                continue;
            EXPECT_FALSE(c.x >= shown->Left() && c.x < shown->Left() + shown->Width() &&
                         c.y >= shown->Top() && c.y < shown->Top() + shown->Height())
                << "on " << shown->Name().bytes();
        }
    }

    DisplayPtr display = openDisplay();
    PrefsFolder prefs;
    fw::Ref<ambrel::Window1> panel;
    XPlace onX;
};

TEST_F(PokeOnX, LandsOnThePanelsEmptySpotAndResetsTheIdleTime) {
    showPanel();
    waitUntilIdle();
    poke();

    expectOnTheEmptySpot();
    EXPECT_TRUE(settle([&] { return idleMilliseconds(display.get()) < 500; }))
        << "idle for " << idleMilliseconds(display.get()) << " ms after the poke";
    EXPECT_EQ(panel->x, panel->Left() + 15);
    EXPECT_EQ(panel->y, panel->Top() + 23);
    EXPECT_EQ(panel->StaticText2()->Text().bytes(), "60");
}

// The plug-in's methods that click at a point take it in the framework's units, as MouseMove does:
// on a scaled screen the device pixel differs.
TEST_F(PokeOnX, MouseMoveClickLandsOnThePointAsMouseMoveDoes) {
    showPanel();
    using Click = void (*)(ambrel::TolvaneVrek&, int32_t, int32_t, bool);
    const struct {
        const char* what;
        Click click;
    } cases[] = {
        {"one button",
         [](ambrel::TolvaneVrek& v, int32_t x, int32_t y, bool down) { v.MouseMoveClick(x, y, down); }},
        {"two buttons", [](ambrel::TolvaneVrek& v, int32_t x, int32_t y,
                           bool down) { v.MouseMoveClick(x, y, down, false); }},
    };
    Display* d = display.get();
    for (const auto& c : cases) {
        // From elsewhere, so that a pointer left on the spot proves nothing. Asked again until it
        // holds: a window manager that took the last click may hold the pointer a moment.
        const RootPoint corner{0, 0};
        ASSERT_TRUE(settle([&] {
            XWarpPointer(d, 0, DefaultRootWindow(d), 0, 0, 0, 0, corner.x, corner.y);
            XSync(d, False);
            return pointerPosition(d) == corner;
        })) << c.what;
        fw::Ref<ambrel::TolvaneVrek> vrek =
            fw::checkCast<ambrel::TolvaneVrek>(fw::RuntimeNewObject(ambrel::TolvaneVrek::Class()));
        c.click(*vrek, panel->Left() + 15, panel->Top() + 23, true);
        c.click(*vrek, panel->Left() + 15, panel->Top() + 23, false);
        EXPECT_EQ(vrek->Lasterror_Get(0), 0) << c.what;
        EXPECT_TRUE(settle([&] { return pointerPosition(d) != corner; })) << c.what;
        SCOPED_TRACE(c.what);
        expectOnTheEmptySpot();
    }
}

TEST_F(PokeOnX, AWindowOverThePokePointGetsNoClick) {
    showPanel();
    TestWindow cover(display.get(), onX.x, onX.y, onX.width, onX.height);
    waitUntilIdle();
    poke();

    expectOnTheEmptySpot();
    EXPECT_TRUE(settle([&] { return idleMilliseconds(display.get()) < 500; }))
        << "idle for " << idleMilliseconds(display.get()) << " ms after the poke";
    EXPECT_FALSE(cover.waitForButton(500ms)) << "the covering window was clicked";
}

// Also with the focus on a control that draws a focus frame, as after the user's click on Pause:
// under a window manager the panel shows nothing of the click's brief activation, only the
// countdown repaints.
TEST_F(PokeOnX, TheUsersWindowKeepsTheFocusAcrossAPoke) {
    showPanel();
    fw::inspect::PaintLog paints(*panel);
    panel->Pause()->SetFocus();
    ASSERT_TRUE(settle([&] { return paints.painted(*panel->Pause()); })) << "no focus frame drawn";
    paints.reset();
    Display* d = display.get();
    // Away from the panel, where the window manager or the test puts the focus on it.
    TestWindow user(d, 20, 700, 200, 100,
                    hasWindowManager(d) ? TestWindow::Kind::Managed : TestWindow::Kind::Unmanaged);
    const bool managed = hasWindowManager(d);
    ASSERT_TRUE(settle([&] {
        if (!managed)
            return inputFocus(d) == user.id();
        // Asked again until it holds: the window manager may not have taken the window on yet.
        if (activeWindow(d) != user.id())
            activate(d, user.id());
        return activeWindow(d) == user.id() && inputFocus(d) == user.id();
    })) << "the test window never got the focus";
    if (!managed) {
        // Nothing activates the panel, so there is nothing to give back.
        poke();
        settle([] { return false; }, 600);
        EXPECT_EQ(inputFocus(d), user.id());
        return;
    }
    // Losing the focus to the user's window, the panel erases its focus frame: no part of the poke.
    ASSERT_TRUE(settle([&] { return !fw::inspect::view(*panel).active && paints.painted(*panel->Pause()); }));
    paints.reset();
    poke();

    // The click takes the focus from the user's window (too briefly, on a busy machine, to be
    // seen by looking at the active window: its FocusOut tells), and then it is active again.
    bool lostIt = false;
    EXPECT_TRUE(settle([&] {
        lostIt |=
            user.waitFor([](const XEvent& e) { return e.type == FocusOut && e.xfocus.mode == NotifyNormal; },
                         0ms)
                .has_value();
        return lostIt && activeWindow(d) == user.id() && inputFocus(d) == user.id();
    })) << "active: "
        << activeWindow(d);
    EXPECT_TRUE(lostIt) << "the click never took the focus";
    // The toolkit deactivates the panel a moment after the window manager has.
    EXPECT_TRUE(settle([&] { return !fw::inspect::view(*panel).active; }));
    EXPECT_TRUE(paints.painted(*panel->StaticText2()));
    EXPECT_EQ(paints.paintedParts(), 1) << "more than the countdown repainted";
}

TEST_F(PokeOnX, APanelThatWasActiveStaysActive) {
    if (!hasWindowManager(display.get()))
        GTEST_SKIP() << "needs a window manager";
    showPanel();
    panel->SetFocus();
    ASSERT_TRUE(settle([&] { return activeWindow(display.get()) == onX.id; }));
    poke();

    bool leftIt = false;
    settle(
        [&] {
            leftIt |= activeWindow(display.get()) != onX.id;
            return leftIt;
        },
        700);
    EXPECT_FALSE(leftIt);
}

TEST_F(PokeOnX, OnTwoScreensAPanelGoesWhollyOntoTheNearer) {
    const std::vector<fw::inspect::Rect> screens = fw::inspect::screens();
    if (screens.size() != 2)
        GTEST_SKIP() << "needs the two screens of with-two-screens.sh";
    struct Case {
        const char* file;
        int32_t top, left;
    };
    const Case cases[] = {
        {"#Window1Position 300,2000\n", 300, 2000},            // wholly on the right one
        {"#Window1Position 900,1300\n", 900, 1280 - 171},      // below the shorter right one
        {"#Window1Position 300,1250\n", 300, 1280},            // across the seam, mostly right
        {"#Window1Position 700,2500\n", 768 - 80, 2560 - 171}, // over the right one's corner
    };
    for (const Case& c : cases) {
        prefs.write(c.file);
        showPanel();
        EXPECT_EQ(panel->Top(), c.top) << c.file;
        EXPECT_EQ(panel->Left(), c.left) << c.file;
        panel = nullptr;
        closePanel();
    }
}

} // namespace
