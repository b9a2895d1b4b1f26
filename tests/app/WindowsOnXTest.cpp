// The program's windows on a real X server, bare and under a window manager, as the X server and
// the window manager have them: each whole frame on a screen, a window without a place of its own
// centred where there is no window manager, a minimised window given back by Show, the buttons the
// window manager offers, and a long new-version dialog within the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "../framework/UiTestSupport.h"
#include "AppFixture.h"
#include "app/Startup.h"
#include "framework/MessageDialog.h"
#include "help/AboutBox.h"
#include "help/Help.h"
#include "tests/support/Inspect.h"
#include "update/selfTest.h"

// Last: Xlib's macros would break the headers above.
#include "tests/plugin/XSession.h"
#include <X11/Xatom.h>

namespace {

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    bool within(const Box& area) const {
        return x >= area.x && y >= area.y && x + width <= area.x + area.width &&
               y + height <= area.y + area.height;
    }
};

std::string describe(const Box& b) {
    return std::to_string(b.width) + "x" + std::to_string(b.height) + "+" + std::to_string(b.x) + "+" +
           std::to_string(b.y);
}

// Where a window lies on the root, in device pixels.
Box onRoot(Display* d, ::Window w) {
    XWindowAttributes a;
    if (!w || !XGetWindowAttributes(d, w, &a))
        return {};
    Box b{0, 0, a.width, a.height};
    ::Window child;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &b.x, &b.y, &child);
    return b;
}

// The window the user sees around a program's window: the window manager's frame, or the window
// itself without one.
::Window frameOf(Display* d, ::Window w) {
    for (;;) {
        ::Window root, parent, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(d, w, &root, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        if (parent == root)
            return w;
        w = parent;
    }
}

std::vector<unsigned long> longs(Display* d, ::Window w, const char* name, Atom type) {
    Atom actual;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 1024, False, type, &actual, &format, &count,
                           &after, &data) == Success &&
        data && format == 32) {
        const auto* v = reinterpret_cast<const unsigned long*>(data);
        values.assign(v, v + count);
    }
    if (data)
        XFree(data);
    return values;
}

bool hasWindowManager(Display* d) {
    return !longs(d, DefaultRootWindow(d), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty();
}

bool viewable(Display* d, ::Window w) {
    XWindowAttributes a;
    return w && XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable;
}

// ICCCM's WM_STATE: 1 normal, 3 iconic; 0 when the window manager has set none.
unsigned long wmState(Display* d, ::Window w) {
    const Atom state = XInternAtom(d, "WM_STATE", False);
    const std::vector<unsigned long> v = longs(d, w, "WM_STATE", state);
    return v.empty() ? 0 : v.front();
}

std::set<std::string> allowedActions(Display* d, ::Window w) {
    std::set<std::string> names;
    for (unsigned long a : longs(d, w, "_NET_WM_ALLOWED_ACTIONS", XA_ATOM)) {
        char* name = XGetAtomName(d, a);
        names.insert(name);
        XFree(name);
    }
    return names;
}

// The program's windows, each reached through its implicit instance.
struct ProgramWindow {
    const char* what;
    fw::Ref<fw::Window> (*window)();
};
const ProgramWindow kProgramWindows[] = {
    {"panel", [] { return fw::Ref<fw::Window>(::Window1()); }},
    {"Self Test", [] { return fw::Ref<fw::Window>(::selfTest()); }},
    {"Help", [] { return fw::Ref<fw::Window>(::Help()); }},
    {"About", [] { return fw::Ref<fw::Window>(::AboutBox()); }},
};

class WindowsOnX : public testing::Test {
  protected:
    static void SetUpTestSuite() { ambrel::runClassSetupList(); }
    void SetUp() override {
        ASSERT_TRUE(display) << "no X display";
        d = display.get();
        managed = hasWindowManager(d);
        prefs.write("#Window1Position 300,400\n");
        // The About and Self Test windows show the application's version.
        ambrel::_NewAppInstance();
    }
    void TearDown() override {
        for (const fw::Ref<fw::Window>& w : fw::openWindows())
            if (w->classRecord().name != "Window1.Window1")
                w->Close();
        closePanel();
        fw::_RuntimeRegisterAppObject(nullptr);
    }

    static bool settle(const std::function<bool()>& done, int32_t boundMs = 10000) {
        return uitest::runUntilDespiteQuits(done, boundMs);
    }

    // The screens' usable areas in device pixels: the toolkit's, by the scale that maps them onto
    // the root.
    std::vector<Box> screens() const {
        const std::vector<fw::inspect::Rect> logical = fw::inspect::screens();
        int32_t right = 1;
        for (const fw::inspect::Rect& s : logical)
            right = std::max(right, s.left + s.width);
        const double scale = DisplayWidth(d, DefaultScreen(d)) / static_cast<double>(right);
        std::vector<Box> boxes;
        for (const fw::inspect::Rect& s : logical)
            boxes.push_back(
                {int(s.left * scale), int(s.top * scale), int(s.width * scale), int(s.height * scale)});
        return boxes;
    }

    bool onAScreen(const Box& b) const {
        const std::vector<Box> all = screens();
        return std::any_of(all.begin(), all.end(), [&](const Box& s) { return b.within(s); });
    }

    // Shows the window and waits until it is mapped in its frame and the toolkit has settled its
    // place; gives back its X id.
    ::Window showAndMap(fw::Window& window) {
        window.Show();
        ::Window id = 0;
        waitUntilSteady(
            [&] {
                id = fw::inspect::nativeId(window);
                return viewable(d, id) && !(managed && frameOf(d, id) == id);
            },
            [&] { return id; });
        return id;
    }

    // Waits until `ready` holds and the window's frame has stood in the same place a few looks
    // running: a move or a correction has come, if any; false when the bound passes first.
    bool waitUntilSteady(const std::function<bool()>& ready, const std::function<::Window()>& window) {
        Box last{-1, -1, -1, -1};
        int steady = 0;
        return settle([&] {
            if (!ready())
                return false;
            const Box now = onRoot(d, frameOf(d, window()));
            steady = now.x == last.x && now.y == last.y ? steady + 1 : 0;
            last = now;
            return steady >= 3;
        });
    }

    void expectFrameOnAScreen(::Window id, const std::string& what) {
        ASSERT_TRUE(id) << what;
        const Box frame = onRoot(d, frameOf(d, id)), client = onRoot(d, id);
        EXPECT_TRUE(onAScreen(frame)) << what << ": frame " << describe(frame);
        if (managed) {
            EXPECT_LT(frame.y, client.y) << what << ": the frame has a title bar above the window";
        }
    }

    DisplayPtr display = openDisplay();
    Display* d = nullptr;
    bool managed = false;
    PrefsFolder prefs;
};

TEST_F(WindowsOnX, APanelPlacedByTheProgramShowsItsWholeFrameAndKeepsItsPlaceWhereItCan) {
    struct Case {
        const char* stored;
        bool keepsItsPlace;
    };
    const Case cases[] = {
        {"#Window1Position 300,400\n", true}, // well inside the screen
        {"#Window1Position 0,0\n", false},    // the value for a file without the directive
        {"#Window1Position 0,500\n", false},  // at the top edge
        {"#Window1Position -40,-25\n", false},
    };
    for (const Case& c : cases) {
        prefs.write(c.stored);
        fw::Ref<ambrel::Window1> panel = ::Window1();
        const ::Window id = showAndMap(*panel);
        expectFrameOnAScreen(id, c.stored);
        if (c.keepsItsPlace) {
            EXPECT_EQ(panel->Top(), 300) << c.stored;
            EXPECT_EQ(panel->Left(), 400) << c.stored;
        } else if (id) {
            // Moved the least: the frame's top edge on the screen's.
            EXPECT_EQ(onRoot(d, frameOf(d, id)).y, 0) << c.stored;
        }
        panel = nullptr;
        closePanel();
    }
}

TEST_F(WindowsOnX, WindowsWithoutAPlaceOfTheirOwnShowTheirWholeFrame) {
    fw::Ref<ambrel::Window1> panel = ::Window1();
    showAndMap(*panel);
    const fw::inspect::WindowView panelView = fw::inspect::view(*panel);
    // All but the panel, which is shown already.
    for (const ProgramWindow& c :
         std::vector<ProgramWindow>(kProgramWindows + 1, std::end(kProgramWindows))) {
        fw::Ref<fw::Window> window = c.window();
        expectFrameOnAScreen(showAndMap(*window), c.what);
        if (!managed) {
            // Centred on the screen that holds the panel.
            for (const fw::inspect::Rect& s : fw::inspect::screens()) {
                if (panelView.frame.left < s.left || panelView.frame.left >= s.left + s.width)
                    continue;
                const fw::inspect::WindowView v = fw::inspect::view(*window);
                EXPECT_NEAR(v.frame.left + v.frame.width / 2.0, s.left + s.width / 2.0, 1.0) << c.what;
                EXPECT_NEAR(v.frame.top + v.frame.height / 2.0, s.top + s.height / 2.0, 1.0) << c.what;
            }
        }
        window->Close();
    }
}

// None of the program's windows may be minimised, maximised or resized: the hints ask for a close
// box only, and the window manager offers no more.
TEST_F(WindowsOnX, TheHintsAskForOnlyTheButtonsTheRecordsAllow) {
    // The Motif hints' fields and bits that a window manager reads for buttons and functions.
    constexpr unsigned long kFunctionsSet = 1 << 0, kDecorationsSet = 1 << 1;
    constexpr unsigned long kFunctionMinimise = 1 << 3, kFunctionMaximise = 1 << 4, kFunctionClose = 1 << 5;
    constexpr unsigned long kDecorationMinimise = 1 << 5, kDecorationMaximise = 1 << 6;
    for (const ProgramWindow& c : kProgramWindows) {
        fw::Ref<fw::Window> window = c.window();
        const ::Window id = showAndMap(*window);
        const Atom motif = XInternAtom(d, "_MOTIF_WM_HINTS", False);
        const std::vector<unsigned long> hints = longs(d, id, "_MOTIF_WM_HINTS", motif);
        ASSERT_GE(hints.size(), 3u) << c.what;
        const unsigned long flags = hints[0], functions = hints[1], decorations = hints[2];
        EXPECT_TRUE((flags & kFunctionsSet) && (functions & kFunctionClose)) << c.what;
        EXPECT_EQ(functions & (kFunctionMinimise | kFunctionMaximise), 0u) << c.what;
        if (flags & kDecorationsSet) {
            EXPECT_EQ(decorations & (kDecorationMinimise | kDecorationMaximise), 0u) << c.what;
        }
        if (!managed)
            continue;
        std::set<std::string> actions;
        ASSERT_TRUE(settle([&] { return (actions = allowedActions(d, id)).count("_NET_WM_ACTION_CLOSE"); }))
            << c.what;
        for (const char* refused :
             {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE"})
            EXPECT_EQ(actions.count(refused), 0u) << c.what << " offers " << refused;
    }
}

TEST_F(WindowsOnX, ShowGivesBackAMinimisedWindowAlsoAfterTheUserMovedIt) {
    if (!managed)
        GTEST_SKIP() << "needs a window manager";
    for (const bool moved : {false, true}) {
        fw::Ref<ambrel::Help> help = ::Help();
        const ::Window id = showAndMap(*help);
        ASSERT_TRUE(id);
        if (moved) {
            const Box before = onRoot(d, id);
            XMoveWindow(d, id, before.x + 60, before.y + 40);
            XFlush(d);
            ASSERT_TRUE(waitUntilSteady([&] { return onRoot(d, id).x != before.x; }, [&] { return id; }))
                << "the move never came";
        }
        XIconifyWindow(d, id, DefaultScreen(d));
        XFlush(d);
        ASSERT_TRUE(settle([&] {
            return wmState(d, id) == IconicState && fw::inspect::view(*help).minimised;
        })) << "moved: "
            << moved;

        ::Help()->Show();
        EXPECT_TRUE(settle([&] {
            return wmState(d, id) == NormalState && viewable(d, id) &&
                   longs(d, DefaultRootWindow(d), "_NET_ACTIVE_WINDOW", XA_WINDOW) ==
                       std::vector<unsigned long>{id};
        })) << "moved: "
            << moved;
        help->Close();
    }
}

TEST_F(WindowsOnX, ALongNewVersionDialogStaysWithinTheScreen) {
    fw::Ref<ambrel::Window1> panel = ::Window1();
    showAndMap(*panel);
    std::string description;
    for (int line = 1; line <= 300; ++line)
        description += "Line " + std::to_string(line) + " of what is new in this version.\n";
    description += std::string(600, 'W'); // one long word

    fw::Ref<fw::MessageDialog> dialog = fw::make<fw::MessageDialog>();
    dialog->setTitle("New version available!");
    dialog->setMessage("Version 1." + std::string(300, '4') + " is now available.");
    dialog->setExplanation(fw::String(description));
    dialog->CancelButton()->setVisible(true);
    dialog->AlternateActionButton()->setCaption("Go to Website");
    dialog->AlternateActionButton()->setVisible(true);

    fw::inspect::ModalView seen;
    Box frame;
    std::vector<Box> buttons;
    fw::Ref<fw::Timer> looker = uitest::timer(fw::Timer::ModeMultiple, 20, [&] {
        const fw::inspect::ModalView box = fw::inspect::modalBox();
        if (!box.present || !viewable(d, box.nativeId) ||
            (managed && frameOf(d, box.nativeId) == box.nativeId))
            return;
        seen = box;
        frame = onRoot(d, frameOf(d, box.nativeId));
        // The buttons, from the toolkit's units within the box to device pixels on the root.
        const Box client = onRoot(d, box.nativeId);
        const double scale = client.width / static_cast<double>(box.area.width);
        buttons.clear();
        for (const fw::inspect::Rect& b : box.buttonAreas)
            buttons.push_back({client.x + int((b.left - box.area.left) * scale),
                               client.y + int((b.top - box.area.top) * scale), int(b.width * scale),
                               int(b.height * scale)});
        fw::inspect::pressModalButton("Cancel");
    });
    dialog->ShowModal();
    looker->setMode(fw::Timer::ModeOff);

    ASSERT_TRUE(seen.present);
    EXPECT_TRUE(onAScreen(frame)) << describe(frame);
    EXPECT_EQ(seen.buttons, (std::vector<fw::String>{"Go to Website", "Cancel", "OK"}));
    for (const Box& b : buttons)
        EXPECT_TRUE(onAScreen(b)) << "button at " << describe(b);
}

} // namespace
