// Menu trees, the menu bar a window shows, and how a chosen item finds what serves it.
#include <algorithm>

#include "framework/TextArea.h"
#include "tests/framework/LoggedWindow.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/Inspect.h"

namespace {

using uitest::LoggedWindow;

template <class C = fw::MenuItem>
fw::Ref<fw::MenuItem> item(const char* name, const char* text, const char* shortcut = "",
                           bool autoEnable = true) {
    fw::Ref<fw::MenuItem> made = fw::make<C>();
    made->setName(name);
    made->setAutoEnable(autoEnable);
    made->setText(text);
    if (*shortcut)
        made->setKeyboardShortcut(shortcut);
    return made;
}

// File and Edit as the program's bars have them, and one item that asks for no AutoEnable.
fw::Ref<fw::MenuBar> programBar() {
    fw::Ref<fw::MenuBar> bar = fw::make<fw::MenuBar>();
    fw::Ref<fw::MenuItem> file = item("FileMenu", "&File");
    bar->Append(file);
    file->Append(item("FilePrintHelp", "Print Help...", "Cmd+P"));
    file->Append(item("UntitledSeparator", "-"));
    file->Append(item<fw::QuitMenuItem>("FileQuit", "&Quit", "Cmd+Q"));
    fw::Ref<fw::MenuItem> edit = item("EditMenu", "&Edit");
    bar->Append(edit);
    edit->Append(item("EditCopy", "&Copy", "Cmd+C"));
    edit->Append(item("EditSelectAll", "Select &All", "Cmd+A"));
    fw::Ref<fw::MenuItem> help = item("HelpMenu", "Help ");
    bar->Append(help);
    help->Append(item("HelpAbout", "About..."));
    help->Append(item("HelpAlways", "Always", "", false));
    return bar;
}

class Menus : public uitest::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        LoggedWindow::menuBar = programBar();
        app = fw::make<fw::Application>();
        fw::_RuntimeRegisterAppObject(app);
        window = fw::implicitInstance<LoggedWindow>();
    }
    void TearDown() override {
        window = nullptr;
        app = nullptr;
        WindowTest::TearDown();
    }

    fw::Ref<fw::MenuItem> find(const char* name) { return window->MenuBar()->_Lookup(name); }

    fw::Ref<fw::Application> app;
    fw::Ref<LoggedWindow> window;
    std::vector<std::string> calls;
};

TEST_F(Menus, TreeFindsDirectChildrenAndItemsAnywhereBelowIgnoringCase) {
    fw::Ref<fw::MenuBar> bar = window->MenuBar();
    fw::Ref<fw::MenuItem> file = bar->Child("filemenu");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->parent(), bar.get());
    EXPECT_EQ(file->Count(), 3);
    EXPECT_EQ(file->Item(2)->Name().bytes(), "FileQuit");

    EXPECT_FALSE(bar->Child("FilePrintHelp")) << "Child looks at direct children only";
    fw::Ref<fw::MenuItem> print = bar->_Lookup("fileprinthelp");
    ASSERT_TRUE(print);
    EXPECT_EQ(print->parent(), file.get());
    EXPECT_TRUE(bar->_Lookup("HelpAbout"));
    EXPECT_FALSE(bar->_Lookup("Nothing"));
    EXPECT_TRUE(bar->_Lookup("FileQuit")->isA(fw::QuitMenuItem::Class()));
}

TEST_F(Menus, ItemCannotBeAppendedBelowItself) {
    fw::Ref<fw::MenuItem> file = window->MenuBar()->Child("FileMenu");
    EXPECT_THROW(file->Append(window->MenuBar()), fw::RuntimeException);
    EXPECT_THROW(file->Append(file), fw::RuntimeException);
    EXPECT_THROW(file->Append(nullptr), fw::NilObjectException);
}

TEST_F(Menus, ItemAppendedElsewhereMovesThere) {
    fw::Ref<fw::MenuItem> about = find("HelpAbout");
    fw::Ref<fw::MenuItem> file = window->MenuBar()->Child("FileMenu");

    file->Append(about);

    EXPECT_EQ(about->parent(), file.get());
    EXPECT_FALSE(window->MenuBar()->Child("HelpMenu")->Child("HelpAbout"));
    EXPECT_EQ(file->Child("HelpAbout"), about);
}

TEST_F(Menus, BarShowsCaptionsAndShortcutsTheQtWay) {
    const fw::inspect::MenuEntryView print = fw::inspect::menuEntry(*window, "FilePrintHelp");
    ASSERT_TRUE(print.present);
    EXPECT_EQ(print.text.bytes(), "Print Help...");
    EXPECT_EQ(print.shortcut.bytes(), "Ctrl+P");
    EXPECT_EQ(fw::inspect::menuEntry(*window, "FileQuit").text.bytes(), "&Quit");
    EXPECT_EQ(fw::inspect::menuEntry(*window, "FileQuit").shortcut.bytes(), "Ctrl+Q");
    EXPECT_EQ(fw::inspect::menuEntry(*window, "HelpAbout").shortcut.bytes(), "");
    EXPECT_FALSE(fw::inspect::menuEntry(*window, "UntitledSeparator").present) << "a separator is no command";

    const std::vector<fw::String> titles = fw::inspect::menuTitles(*window);
    ASSERT_EQ(titles.size(), 3u);
    EXPECT_EQ(titles[0].bytes(), "&File");
    EXPECT_EQ(titles[2].bytes(), "Help ");
}

TEST_F(Menus, CommandGoesToTheWindowThenTheApplicationThenTheFramework) {
    enum Answer { None, Handled, Declined };
    struct Case {
        Answer window, app;
        std::vector<std::string> calls;
        bool served;
    };
    const Case cases[] = {
        {None, None, {}, false},
        {Handled, Handled, {"window"}, true},
        {Declined, Handled, {"window", "app"}, true},
        {None, Declined, {"app"}, false},
        {Declined, Declined, {"window", "app"}, false},
    };
    for (const Case& c : cases) {
        fw::Ref<fw::Window> w = fw::make<fw::Window>();
        fw::Ref<fw::Application> a = fw::make<fw::Application>();
        fw::_RuntimeRegisterAppObject(a);
        std::vector<std::string> seen;
        if (c.window != None)
            w->_AddMenuHandler("helpabout", uitest::menuHandler(seen, "window", c.window == Handled));
        if (c.app != None)
            a->_AddMenuHandler("HELPABOUT", uitest::menuHandler(seen, "app", c.app == Handled));

        EXPECT_EQ(fw::routeMenuCommand(w.get(), *window->MenuBar()->_Lookup("HelpAbout")), c.served);
        EXPECT_EQ(seen, c.calls);
    }
}

TEST_F(Menus, QuitItemWithoutAHandlerIsTheFrameworksQuitCommand) {
    fw::Ref<fw::MenuItem> quit = find("FileQuit");

    EXPECT_TRUE(fw::routeMenuCommand(window.get(), *quit));

    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(LoggedWindow::log.back(), "Close");
    fw::_RuntimeRun(); // returns at once: the quit is pending
}

TEST_F(Menus, AutoEnableDisablesWhatNothingServesAsTheMenuOpens) {
    fw::inspect::openMenus(*window);
    EXPECT_FALSE(fw::inspect::menuEntry(*window, "FilePrintHelp").enabled);
    EXPECT_FALSE(fw::inspect::menuEntry(*window, "HelpAbout").enabled);
    EXPECT_FALSE(fw::inspect::menuEntry(*window, "EditCopy").enabled) << "no text widget has the focus";
    EXPECT_TRUE(fw::inspect::menuEntry(*window, "FileQuit").enabled);
    EXPECT_TRUE(fw::inspect::menuEntry(*window, "HelpAlways").enabled) << "not AutoEnable";
    EXPECT_FALSE(fw::inspect::chooseMenuItem(*window, "HelpAbout"));

    app->_AddMenuHandler("HelpAbout", uitest::menuHandler(calls, "app", true));
    window->_AddMenuHandler("FilePrintHelp", uitest::menuHandler(calls, "window", true));
    fw::inspect::openMenus(*window);
    EXPECT_TRUE(fw::inspect::menuEntry(*window, "HelpAbout").enabled);
    EXPECT_TRUE(fw::inspect::menuEntry(*window, "FilePrintHelp").enabled);
}

TEST_F(Menus, ChosenItemReachesItsHandlerThroughTheMenuBar) {
    app->_AddMenuHandler("HelpAbout", uitest::menuHandler(calls, "about", true));

    EXPECT_TRUE(fw::inspect::chooseMenuItem(*window, "HelpAbout"));

    EXPECT_EQ(calls, std::vector<std::string>{"about"});
}

TEST_F(Menus, HandlerThatRaisesIsReportedAndStaysOnTheToolkitSide) {
    app->_AddMenuHandler("HelpAbout", fw::RuntimeCreateDelegate(
                                          [](fw::Object*, fw::Arguments) -> fw::Value {
                                              throw fw::IllegalCastException("MenuItem", "Window");
                                          },
                                          nullptr, "(  ) as Boolean", false));

    EXPECT_TRUE(fw::inspect::chooseMenuItem(*window, "HelpAbout"));

    EXPECT_EQ(unhandled, std::vector<std::string>{"An object of class MenuItem is not a Window."});
}

TEST_F(Menus, HandlerThatClosesItsOwnWindowFromTheMenuIsSafe) {
    window->_AddMenuHandler("FilePrintHelp", fw::RuntimeCreateDelegate(
                                                 [](fw::Object* target, fw::Arguments) {
                                                     fw::checkCast<fw::Window>(target)->Close();
                                                     return fw::Value(true);
                                                 },
                                                 window.get(), "(  ) as Boolean", false));
    fw::WeakRef<LoggedWindow> weak = window;
    window = nullptr;
    fw::Ref<LoggedWindow> shown = weak.lock();
    ASSERT_TRUE(shown);

    EXPECT_TRUE(fw::inspect::chooseMenuItem(*shown, "FilePrintHelp"));
    EXPECT_FALSE(shown->isOpen());
    shown = nullptr;
    EXPECT_TRUE(weak.expired());
    EXPECT_TRUE(unhandled.empty());
}

TEST_F(Menus, EnablingFollowsHandlersAndFocusWithoutAMenuOpening) {
    window->Show();
    ASSERT_TRUE(uitest::runUntil([&] { return fw::inspect::view(*window).active; }));
    EXPECT_FALSE(fw::inspect::menuEntry(*window, "HelpAbout").enabled);
    EXPECT_FALSE(fw::inspect::menuEntry(*window, "EditCopy").enabled);

    app->_AddMenuHandler("HelpAbout", uitest::menuHandler(calls, "about", true));
    EXPECT_TRUE(fw::inspect::menuEntry(*window, "HelpAbout").enabled);
    window->_AddMenuHandler("FilePrintHelp", uitest::menuHandler(calls, "print", true));
    fw::inspect::pressKeys(*window, "Ctrl+P");
    EXPECT_EQ(calls, std::vector<std::string>{"print"}) << "the shortcut, no menu opened";

    fw::Ref<fw::TextArea> text = window->__New<fw::TextArea>();
    window->_AddControl("Text", text);
    text->SetFocus();
    EXPECT_TRUE(fw::inspect::menuEntry(*window, "EditCopy").enabled) << "the focus is in a text";
    window->control<fw::PopupMenu>("Popup")->SetFocus();
    EXPECT_FALSE(fw::inspect::menuEntry(*window, "EditCopy").enabled);

    fw::_RuntimeRegisterAppObject(fw::make<fw::Application>());
    EXPECT_FALSE(fw::inspect::menuEntry(*window, "HelpAbout").enabled) << "its application has gone";
}

// A bar too narrow for its menus shows the style's arrows on its » button; they are read without
// loading any image-format plug-in, which would bring the SVG module and more along at start-up.
TEST_F(Menus, TheExtensionButtonShowsItsArrowsWithoutImagePlugins) {
    window->Show();
    const std::vector<std::pair<int32_t, int32_t>> sizes = fw::inspect::menuBarExtensionArrowSizes(*window);
    EXPECT_EQ(sizes, (std::vector<std::pair<int32_t, int32_t>>{{8, 5}, {16, 10}, {32, 20}}));
    EXPECT_FALSE(fw::inspect::imageFormatPluginsLoaded());
}

} // namespace
