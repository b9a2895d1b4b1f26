// The poke for real: the built plug-in module, loaded from the application folder, moves the X
// pointer onto the panel and clicks there, and the X server counts it as user activity.
#include <gtest/gtest.h>

#include "../framework/UiTestSupport.h"
#include "AppFixture.h"
#include "app/Module1.h"
#include "app/Startup.h"
#include "framework/PluginHost.h"
#include "framework/Runtime.h"

// Last: Xlib's macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace {

struct XState {
    int x = 0, y = 0;
    bool overAWindow = false;
    unsigned long idleMs = 0;
};

XState readX() {
    XState s;
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return s;
    Window root, child;
    int wx, wy;
    unsigned int mask;
    XQueryPointer(d, DefaultRootWindow(d), &root, &child, &s.x, &s.y, &wx, &wy, &mask);
    s.overAWindow = child != None;
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    if (XScreenSaverQueryInfo(d, DefaultRootWindow(d), info))
        s.idleMs = info->idle;
    XFree(info);
    XCloseDisplay(d);
    return s;
}

TEST(PokeOnX, MovesThePointerOntoThePanelAndResetsTheIdleTime) {
    PrefsFolder prefs;
    prefs.write("#Window1Position 300,400\n");
    ambrel::runClassSetupList();
    fw::_RuntimeInitExternalClasses();
    ambrel::_InitPluginEntrypoints();
    ASSERT_TRUE(fw::pluginProblems().empty()) << testing::PrintToString(fw::pluginProblems());

    fw::Ref<ambrel::Window1> panel = ::Window1();
    panel->Show();
    panel->ComboBox1()->setListIndex(1);
    panel->Pause()->setValue(false);

    // Nothing has touched the pointer yet: wait until the server has been idle a while.
    ASSERT_TRUE(uitest::runUntil([&] { return panel->isShown() && readX().idleMs > 1200; }, 20000));
    XState before = readX();
    ASSERT_GT(before.idleMs, 1000u);

    ambrel::Module1::CountDown = 1;
    panel->Timer1_Action(panel->Timer1().get());

    XState after = readX();
    EXPECT_EQ(after.x, panel->Left() + 15);
    EXPECT_EQ(after.y, panel->Top() + 23);
    EXPECT_EQ(panel->Left(), 400);
    EXPECT_EQ(panel->Top(), 300);
    EXPECT_TRUE(after.overAWindow);
    EXPECT_LT(after.idleMs, 500u);
    EXPECT_EQ(panel->StaticText2()->Text().bytes(), "60");

    panel = nullptr;
    closePanel();
}

} // namespace
