// The application's menu bar: its tree, the panel's accessors, and which commands are served.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "AppFixture.h"
#include "MenuRows.h"
#include "RunningProgram.h"
#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/Startup.h"
#include "framework/TestHooks.h"
#include "tests/support/Inspect.h"

namespace {

class MenuTest : public testing::Test {
  protected:
    void SetUp() override {
        setUpProgramOnce();
        if (!::App())
            ambrel::_NewAppInstance();
    }
    void TearDown() override { closePanel(); }
    PrefsFolder prefs;
};

TEST_F(MenuTest, OneBarServesTheApplicationAndThePanel) {
    EXPECT_EQ(::MenuBar1(), ::MenuBar1());
    EXPECT_EQ(fw::Ref<fw::MenuBar>(::MenuBar1()), ::App()->MenuBar());
    EXPECT_EQ(fw::Ref<fw::MenuBar>(::MenuBar1()), ::Window1()->MenuBar());
}

TEST_F(MenuTest, ThePanelsAccessorsFindTheirItems) {
    fw::Ref<ambrel::Window1> panel = ::Window1();
    fw::Ref<fw::MenuItem> edit = ::MenuBar1()->Child("EditMenu");
    EXPECT_EQ(fw::Ref<fw::MenuItem>(panel->UntitledMenu1()), edit->Item(1)); // right below "&Undo"
    EXPECT_EQ(fw::Ref<fw::MenuItem>(panel->UntitledMenu0()), edit->Item(6)); // right above "Select &All"
    EXPECT_EQ(panel->FileQuit()->classRecord().name, "QuitMenuItem");
    EXPECT_EQ(panel->HelpAbout()->classRecord().name, "AppleMenuItem");
    EXPECT_EQ(panel->CheckforUpdateMenu()->classRecord().name, "AppleMenuItem");
    EXPECT_EQ(panel->FilePrintHelp()->Text().bytes(), "Print Help...");
    EXPECT_EQ(panel->EditSelectAll()->KeyboardShortcut().bytes(), "Cmd+A");
}

TEST_F(MenuTest, AnAccessorOnAWindowWithoutABarRaises) {
    fw::Ref<ambrel::Window1> panel = ::Window1();
    panel->setMenuBar(nullptr);
    EXPECT_THROW(panel->HelpMenu(), fw::NilObjectException);
    panel->setMenuBar(::MenuBar1());
}

TEST_F(MenuTest, CommandsAreAvailableOnceTheirHandlersAreInReach) {
    fw::Ref<ambrel::Window1> panel = ::Window1();
    fw::Ref<fw::MenuBar> bar = panel->MenuBar();
    EXPECT_TRUE(fw::menuCommandAvailable(panel.get(), *bar->_Lookup("FileQuit")));
    constexpr const char* kCommands[] = {"HelpAbout", "HelpShow", "CheckforUpdateCheckNow", "FilePrintHelp"};
    for (const char* command : kCommands)
        EXPECT_FALSE(fw::menuCommandAvailable(panel.get(), *bar->_Lookup(command))) << command;
    EXPECT_FALSE(fw::routeMenuCommand(panel.get(), *bar->_Lookup("HelpAbout")));
    ambrel::_ApplicationAddMenuHandlers();
    for (const char* command : kCommands)
        EXPECT_TRUE(fw::menuCommandAvailable(panel.get(), *bar->_Lookup(command))) << command;
}

// Each command, chosen on the panel, reaches its own handler: the one that opens its window, or
// for Print Help the one that asks the print dialog.
class MenuRouting : public RunningProgramTest {
  protected:
    void TearDown() override {
        fw::setPrintDialogPresenter(nullptr);
        RunningProgramTest::TearDown();
    }

    // The open windows other than the panel.
    static std::vector<fw::Ref<fw::Window>> besideThePanel() {
        std::vector<fw::Ref<fw::Window>> windows;
        for (const fw::Ref<fw::Window>& w : fw::openWindows())
            if (w->classRecord().name != "Window1.Window1")
                windows.push_back(w);
        return windows;
    }
    static std::vector<std::string> classesBesideThePanel() {
        std::vector<std::string> names;
        for (const fw::Ref<fw::Window>& w : besideThePanel())
            names.push_back(w->classRecord().name);
        return names;
    }
};

// The panel's bar as the user finds it in the running program: its Edit items wait for a text
// to act on.
TEST_F(MenuRouting, ThePanelShowsFourMenusWithTheirEntriesAndShortcuts) {
    expectShownBar(*::Window1(), {
                                     {"&File", {{"Print Help...", "Ctrl+P"}, {"-"}, {"&Quit", "Ctrl+Q"}}},
                                     {"&Edit",
                                      {{"&Undo", "Ctrl+Z", false},
                                       {"-"},
                                       {"Cu&t", "Ctrl+X", false},
                                       {"&Copy", "Ctrl+C", false},
                                       {"&Paste", "Ctrl+V", false},
                                       {"&Delete", "", false},
                                       {"-"},
                                       {"Select &All", "Ctrl+A", false}}},
                                     {"Check for Update", {{"Check Now"}}},
                                     {"Help ", {{"Show"}, {"About..."}}},
                                 });
}

TEST_F(MenuRouting, EachCommandReachesItsOwnHandler) {
    int dialogs = 0;
    fw::setPrintDialogPresenter([&] {
        ++dialogs;
        return fw::PrintDialogChoice{.confirmed = false};
    });
    const struct {
        const char* menu;
        const char* command;
        const char* opens; // the window the handler shows; null: none
        int dialogs;       // print dialogs asked
    } cases[] = {
        {"Help ", "About...", "AboutBox.AboutBox", 0},
        {"Help ", "Show", "Help.Help", 0},
        {"Check for Update", "Check Now", "selfTest.selfTest", 0},
        {"&File", "Print Help...", nullptr, 1},
    };
    for (const auto& c : cases) {
        dialogs = 0;
        ASSERT_TRUE(fw::inspect::chooseMenuEntry(*::Window1(), c.menu, c.command)) << c.command;
        EXPECT_TRUE(uitest::runUntil([&] { return !c.opens || classesBesideThePanel().size() == 1; }))
            << c.command;
        EXPECT_EQ(classesBesideThePanel(),
                  c.opens ? std::vector<std::string>{c.opens} : std::vector<std::string>{})
            << c.command;
        EXPECT_EQ(dialogs, c.dialogs) << c.command;
        for (const fw::Ref<fw::Window>& w : besideThePanel())
            w->Close();
    }
    EXPECT_TRUE(messages.empty());
}

} // namespace
