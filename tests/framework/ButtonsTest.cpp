// Push buttons: their records, the user's presses, and Return and Escape for the default and
// cancel buttons.
#include "framework/Label.h"
#include "framework/Properties.h"
#include "framework/PushButton.h"
#include "tests/framework/TestObject.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/Inspect.h"

namespace {

// A window with an OK button (the default), a Cancel button (the cancel one) and a third, plain
// one; each press is written into the log by the button's caption.
class ButtonWindow : public TestObject<ButtonWindow, fw::Window> {
  public:
    static fw::ClassRecord describe() {
        return {.name = "ButtonWindow.ButtonWindow",
                .super = &fw::Window::Class(),
                .create = fw::factoryOf<ButtonWindow>()};
    }
    static inline std::vector<std::string> log;

    void Layout() override {
        fw::_SetProperties(*this, fw::encodeRecord({{"Width", 300}, {"Height", 120}, {"Title", "Buttons"}}));
    }
    void CreateControls() override {
        add("OK", 20, true, false);
        add("Cancel", 110, false, true);
        add("Plain & simple", 200, false, false);
    }
    fw::Ref<fw::PushButton> button(const char* name) const {
        return fw::checkCast<fw::PushButton>(_ControlByName(name));
    }
    void button_Action(fw::PushButton* sender) { log.push_back(sender->Caption().bytes()); }

  private:
    void add(const char* caption, int32_t left, bool isDefault, bool isCancel) {
        fw::Ref<fw::PushButton> b = __New<fw::PushButton>();
        _AddControl(caption, b);
        b->setTextUnit(fw::FontUnits::Default);
        fw::_SetProperties(*b, fw::encodeRecord({{"Name", caption},
                                                 {"Left", left},
                                                 {"Top", 80},
                                                 {"Width", 80},
                                                 {"Height", 20},
                                                 {"TabStop", true},
                                                 {"Caption", caption},
                                                 {"Default", isDefault},
                                                 {"Cancel", isCancel},
                                                 {"ButtonStyle", 0},
                                                 {"TextFont", "System"},
                                                 {"Bold", true}}));
        fw::RuntimeAddEventHandler(
            *b, fw::kPushButtonAction, fw::_EventStub(fw::kPushButtonAction),
            fw::methodDelegate(&ButtonWindow::button_Action, this, "( PushButton )", true));
    }
};

class Buttons : public uitest::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        ButtonWindow::log.clear();
        window = fw::implicitInstance<ButtonWindow>();
        window->Show();
    }
    void TearDown() override {
        window = nullptr;
        UiTest::TearDown();
    }
    fw::Ref<ButtonWindow> window;
};

TEST_F(Buttons, TheRecordSetsCaptionDefaultCancelAndStyle) {
    fw::Ref<fw::PushButton> ok = window->button("OK");
    EXPECT_EQ(ok->Caption().bytes(), "OK");
    EXPECT_TRUE(ok->Default());
    EXPECT_FALSE(ok->Cancel());
    EXPECT_EQ(ok->ButtonStyle(), 0);
    EXPECT_TRUE(ok->Bold());
    EXPECT_TRUE(window->button("Cancel")->Cancel());
    EXPECT_EQ(fw::inspect::shownText(*window->button("Plain & simple")).bytes(), "Plain & simple")
        << "an ampersand is shown, not taken as a mnemonic";
}

TEST_F(Buttons, AClickRaisesActionWithTheButton) {
    fw::inspect::click(*window->button("Plain & simple"));
    fw::inspect::click(*window->button("OK"));
    EXPECT_EQ(ButtonWindow::log, (std::vector<std::string>{"Plain & simple", "OK"}));
}

TEST_F(Buttons, ReturnAndEnterPressTheDefaultButtonAndEscapeTheCancelButton) {
    const struct {
        fw::inspect::Key key;
        const char* pressed;
    } cases[] = {{fw::inspect::Key::Return, "OK"},
                 {fw::inspect::Key::Enter, "OK"},
                 {fw::inspect::Key::Escape, "Cancel"}};
    for (const auto& c : cases) {
        ButtonWindow::log.clear();
        fw::inspect::pressKey(*window, c.key);
        EXPECT_EQ(ButtonWindow::log, std::vector<std::string>{c.pressed}) << c.pressed;
    }
}

TEST_F(Buttons, ReturnPressesTheDefaultButtonWhereverTheFocusIs) {
    window->button("Plain & simple")->SetFocus();
    fw::inspect::pressKey(*window, fw::inspect::Key::Return);
    EXPECT_EQ(ButtonWindow::log, std::vector<std::string>{"OK"});
}

TEST_F(Buttons, ADisabledOrHiddenButtonIsNotPressed) {
    window->button("OK")->setEnabled(false);
    window->button("Cancel")->setVisible(false);
    fw::inspect::pressKey(*window, fw::inspect::Key::Return);
    fw::inspect::pressKey(*window, fw::inspect::Key::Escape);
    window->button("Cancel")->Push();
    window->button("OK")->Push();
    EXPECT_TRUE(ButtonWindow::log.empty());
}

TEST_F(Buttons, APressThatClosesTheWindowEndsThere) {
    fw::RuntimeAddEventHandler(*window->button("Cancel"), fw::kPushButtonAction,
                               fw::_EventStub(fw::kPushButtonAction),
                               uitest::call(
                                   [this] {
                                       ButtonWindow::log.push_back("closing");
                                       window->Close();
                                   },
                                   "( PushButton )"));
    fw::inspect::pressKey(*window, fw::inspect::Key::Escape);
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(ButtonWindow::log, std::vector<std::string>{"closing"});
    EXPECT_TRUE(uitest::runPast(20)) << "the widgets go once the loop is back";
    EXPECT_TRUE(unhandled.empty());
}

} // namespace
