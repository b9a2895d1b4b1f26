// One whole run of the program in this process: start-up in order, the panel placed from the
// preferences file, the menu bar shared, and closing the panel ending the run. Built three times:
// beside the plug-in module, in a folder without it, beside a damaged copy of it, and beside fake
// plug-ins whose class the host refuses.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../framework/UiTestSupport.h"
#include "AppFixture.h"
#include "PluginStandIns.h"
#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/Module1.h"
#include "app/Startup.h"
#include "app/TestHooks.h"
#include "app/prefModule.h"
#include "framework/Runtime.h"
#include "framework/TestHooks.h"
#include "framework/Timer.h"
#include "help/MenuBar2.h"

namespace {

std::vector<std::string> messages;
std::vector<std::string> unhandled;
bool sawRunningProgram = false;

int indexOf(const std::vector<const fw::ClassRecord*>& classes, const std::string& name) {
    auto it = std::find_if(classes.begin(), classes.end(),
                           [&](const fw::ClassRecord* c) { return c->name == name; });
    return it == classes.end() ? -1 : static_cast<int>(it - classes.begin());
}

void whileRunning() {
    sawRunningProgram = true;
    fw::Ref<ambrel::App> app = ::App();
    ASSERT_TRUE(app);
    EXPECT_EQ(app, ::App());
    fw::Ref<fw::Window> panel = fw::_GetImplicitWindow("Window1.Window1");
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->isShown());
    EXPECT_EQ(fw::openWindows().size(), 1u);
    EXPECT_EQ(panel->Top(), 150);
    EXPECT_EQ(panel->Left(), 200);
    EXPECT_EQ(fw::Ref<fw::MenuBar>(::MenuBar1()), app->MenuBar());
    EXPECT_EQ(fw::Ref<fw::MenuBar>(::MenuBar1()), panel->MenuBar());
    // A poke must never crash, with or without the plug-in.
    ambrel::Module1::CountDown = 1;
    fw::Ref<ambrel::Window1> w = ::Window1();
    w->Pause()->setValue(false);
    w->ComboBox1()->setListIndex(2);
    ambrel::Module1::CountDown = 1;
    w->Timer1_Action(w->Timer1().get());
    EXPECT_EQ(w->StaticText2()->Text().bytes(), "120");
    w = nullptr;
    // Help and About stay open when the panel ends the run: the exit list lets them go.
    EXPECT_TRUE(fw::routeMenuCommand(panel.get(), *::MenuBar1()->_Lookup("HelpShow")));
    EXPECT_TRUE(fw::routeMenuCommand(panel.get(), *::MenuBar1()->_Lookup("HelpAbout")));
    EXPECT_TRUE(fw::_GetImplicitWindow("Help.Help") && fw::_GetImplicitWindow("AboutBox.AboutBox"));
    panel->Close();
}

void watchdog() {
    ADD_FAILURE() << "the event loop did not end";
    fw::Quit(1);
}

TEST(Startup, RunsInOrderAndClosingThePanelEndsTheRun) {
    fw::setMessagePresenter([](const fw::String& text) { messages.push_back(text.bytes()); });
    fw::setUnhandledExceptionReporter([](const std::exception& e) { unhandled.push_back(e.what()); });
    PrefsFolder prefs;
    prefs.write("#Window1Position 150,200\n");

    ambrel::runClassSetupList();
    std::vector<const fw::ClassRecord*> classes = fw::registeredClasses();
    std::vector<int> order;
    for (const char* name :
         {"Window", "TolvaneVrek", "App", "Window1.Window1", "Window1.Timer1", "MenuBar1.MenuBar1",
          "directiveClass", "AboutBox.AboutBox", "Help.Help", "selfTest.selfTest",
          "updateWindow.updateWindow", "updateWindow.hp", "MenuBar2.MenuBar2"})
        order.push_back(indexOf(classes, name));
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()) && order.front() >= 0)
        << testing::PrintToString(order);
    ASSERT_TRUE(ambrel::prefModule::gDirectives);
    EXPECT_EQ(ambrel::prefModule::gDirectives->Ubound(), 0);
    EXPECT_EQ(classes.back()->name, "MenuBar2.MenuBar2") << "the last class built";

    fw::Ref<fw::Timer> run = uitest::timer(fw::Timer::ModeSingle, 100, &whileRunning);
    fw::Ref<fw::Timer> guard = uitest::timer(fw::Timer::ModeSingle, 20000, &watchdog);
    ambrel::_Main();
    run = nullptr;
    guard = nullptr;

    EXPECT_TRUE(sawRunningProgram);
    EXPECT_TRUE(unhandled.empty()) << testing::PrintToString(unhandled);
    EXPECT_EQ(prefs.read(), "#Window1Position 150,200\n");
    if (PLUGIN_USABLE) {
        EXPECT_TRUE(messages.empty()) << testing::PrintToString(messages);
    } else {
        // Two short lines: what is wrong and what follows; the details go to the error output.
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], "Ambrel could not load its input plug-in: " PLUGIN_REASON
                               ".\nIts pokes will have no effect.");
        // The pokes went to stand-ins of each slot's own type.
        standins::expectStandIns(
            [](ambrel::PluginEntrypoint slot) { return ambrel::pluginEntrypoints()[slot]; });
    }

    fw::WeakRef<ambrel::MenuBar1> bar(::MenuBar1());
    fw::WeakRef<ambrel::MenuBar2> helpBar(::MenuBar2());
    ambrel::runModuleExitList();
    EXPECT_TRUE(helpBar.expired()) << "the Help window's bar is let go at exit";
    EXPECT_FALSE(fw::_GetImplicitWindow("Window1.Window1"));
    EXPECT_FALSE(ambrel::prefModule::gDirectives);
    EXPECT_EQ(fw::RuntimeExit(), 0);
    EXPECT_TRUE(bar.expired()) << "the menu bar outlived the run";
}

} // namespace
