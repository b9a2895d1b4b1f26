// Window construction, implicit instances and closing.
#include <algorithm>

#include "tests/framework/LoggedWindow.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/Inspect.h"

namespace {

using uitest::LoggedWindow;

class Windows : public uitest::WindowTest {};

TEST_F(Windows, ConstructionRunsItsStepsInOrderWithEveryControlBuiltBeforeAnyOpen) {
    fw::Ref<LoggedWindow> window = fw::implicitInstance<LoggedWindow>();

    const std::vector<std::string> expected = {"Layout",
                                               "CreateControls",
                                               "Open Popup (all built)",
                                               "Open Caption (all built)",
                                               "Open Box (all built)",
                                               "AddMenuHandlers",
                                               "Open"};
    EXPECT_EQ(LoggedWindow::log, expected);
    EXPECT_EQ(window->Width(), 171);
    EXPECT_EQ(window->Height(), 80);
    EXPECT_EQ(window->Title().bytes(), "Logged");
    EXPECT_TRUE(window->isOpen());
    EXPECT_FALSE(window->isShown()) << "showing is the caller's business";
}

TEST_F(Windows, ControlsAreFoundByNameIgnoringCaseAndNilWhenAbsent) {
    fw::Ref<LoggedWindow> window = fw::implicitInstance<LoggedWindow>();

    EXPECT_EQ(window->_ControlByName("popup"), window->_ControlByName("Popup"));
    EXPECT_TRUE(window->_ControlByName("POPUP"));
    EXPECT_FALSE(window->_ControlByName("Nothing"));
    EXPECT_THROW(window->control<fw::Label>("Popup"), fw::IllegalCastException);
}

TEST_F(Windows, ReferenceFromInsideOpenReturnsTheWindowUnderConstruction) {
    fw::Window* seen = nullptr;
    LoggedWindow::onOpen = [&](LoggedWindow&) { seen = fw::implicitInstance<LoggedWindow>().get(); };

    fw::Ref<LoggedWindow> window = fw::implicitInstance<LoggedWindow>();

    EXPECT_EQ(seen, window.get());
    EXPECT_EQ(fw::openWindows().size(), 1u);
    EXPECT_EQ(fw::implicitInstance<LoggedWindow>(), window);
}

TEST_F(Windows, ClosingAWindowThatIsNotOpenBuildsItThenClosesIt) {
    fw::implicitInstance<LoggedWindow>()->Close();

    ASSERT_FALSE(LoggedWindow::log.empty());
    EXPECT_EQ(LoggedWindow::log.front(), "Layout");
    EXPECT_EQ(LoggedWindow::log.back(), "Close");
    EXPECT_FALSE(fw::_GetImplicitWindow("LoggedWindow.LoggedWindow"));
    EXPECT_TRUE(fw::openWindows().empty());
}

TEST_F(Windows, AfterCloseTheNextReferenceMakesAFreshWindow) {
    fw::WeakRef<LoggedWindow> first;
    {
        fw::Ref<LoggedWindow> window = fw::implicitInstance<LoggedWindow>();
        first = window;
        window->control<fw::PopupMenu>("Popup")->setListIndex(2);
        window->Close();
        EXPECT_FALSE(window->isOpen());
        EXPECT_FALSE(window->_ControlByName("Popup")) << "its controls went with it";
    }
    EXPECT_TRUE(first.expired()) << "a closed window is freed with its last reference";

    fw::Ref<LoggedWindow> second = fw::implicitInstance<LoggedWindow>();
    EXPECT_EQ(second->control<fw::PopupMenu>("Popup")->ListIndex(), 0) << "no state kept from the old one";
}

TEST_F(Windows, CloseEventRunsOnceEvenWhenItClosesAgain) {
    LoggedWindow::onClose = [](LoggedWindow& w) { w.Close(); };
    fw::Ref<LoggedWindow> window = fw::implicitInstance<LoggedWindow>();

    window->Close();
    window->Close();

    EXPECT_EQ(std::count(LoggedWindow::log.begin(), LoggedWindow::log.end(), "Close"), 1);
}

TEST_F(Windows, WindowGoesEvenWhenItsCloseEventRaises) {
    LoggedWindow::onClose = [](LoggedWindow&) { throw fw::NilObjectException(); };
    fw::Ref<LoggedWindow> window = fw::implicitInstance<LoggedWindow>();

    EXPECT_THROW(window->Close(), fw::NilObjectException);
    EXPECT_FALSE(window->isOpen());
    EXPECT_TRUE(fw::openWindows().empty());
}

TEST_F(Windows, UsersCloseBoxRunsTheSameClose) {
    fw::Ref<LoggedWindow> window = fw::implicitInstance<LoggedWindow>();
    window->Show();

    fw::inspect::clickCloseBox(*window);

    EXPECT_EQ(LoggedWindow::log.back(), "Close");
    EXPECT_FALSE(window->isOpen());
    EXPECT_FALSE(window->isShown());
}

TEST_F(Windows, HandlersHoldingTheirWindowDoNotKeepItAliveAfterClose) {
    fw::WeakRef<LoggedWindow> weak;
    {
        fw::Ref<LoggedWindow> window = fw::implicitInstance<LoggedWindow>();
        weak = window;
        window->_AddMenuHandler(
            "FilePrintHelp",
            fw::RuntimeCreateDelegate([](fw::Object*, fw::Arguments) { return fw::Value(true); },
                                      window.get(), "(  ) as Boolean", false));
        window->Close();
    }
    EXPECT_TRUE(weak.expired());
}

TEST_F(Windows, ReleasingTheImplicitWindowsDropsTheOpenOnesWithoutTheirCloseEvent) {
    fw::WeakRef<LoggedWindow> weak = fw::implicitInstance<LoggedWindow>();

    fw::releaseImplicitWindows();

    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(std::count(LoggedWindow::log.begin(), LoggedWindow::log.end(), "Close"), 0);
}

TEST_F(Windows, ControlEventAfterItsWindowHasGoneRaisesNilObject) {
    fw::Ref<fw::PopupMenu> popup;
    {
        fw::Ref<LoggedWindow> window = fw::implicitInstance<LoggedWindow>();
        popup = window->control<fw::PopupMenu>("Popup");
        window->Close();
    }
    EXPECT_FALSE(popup->Window());
    EXPECT_THROW(popup->raiseEvent(fw::kControlOpen, {popup}), fw::NilObjectException);
}

} // namespace
