// A window class of the tests' own, built the way the program builds its windows: a property
// record, controls made with __New and given records, events bound by number. It writes each
// step it takes into a log.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/CheckBox.h"
#include "framework/Label.h"
#include "framework/Menu.h"
#include "framework/PopupMenu.h"
#include "framework/Properties.h"
#include "framework/Timer.h"
#include "framework/Window.h"
#include "tests/framework/TestObject.h"
#include "tests/framework/UiTestSupport.h"

namespace uitest {

class LoggedWindow : public TestObject<LoggedWindow, fw::Window> {
  public:
    static fw::ClassRecord describe() {
        return {.name = "LoggedWindow.LoggedWindow",
                .super = &fw::Window::Class(),
                .create = fw::factoryOf<LoggedWindow>()};
    }

    static inline std::vector<std::string> log;
    // What the next windows do in their events; reset by each test.
    static inline std::function<void(LoggedWindow&)> onOpen, onClose;
    static inline fw::Ref<fw::MenuBar> menuBar;

    static void reset() {
        log.clear();
        onOpen = nullptr;
        onClose = nullptr;
        menuBar = nullptr;
    }

    void Layout() override {
        log.push_back("Layout");
        if (menuBar)
            setMenuBar(menuBar);
        fw::_SetProperties(*this, fw::encodeRecord({
                                      {"Placement", 0},
                                      {"Width", 171},
                                      {"Height", 80},
                                      {"MinWidth", 64},
                                      {"MinHeight", 64},
                                      {"MaxWidth", 32000},
                                      {"MaxHeight", 32000},
                                      {"Frame", 0},
                                      {"Composite", false},
                                      {"HasBackColor", false},
                                      {"BackColor", fw::RGB(255, 255, 255)},
                                      {"Title", "Logged"},
                                      {"Visible", true},
                                      {"FullScreen", false},
                                      {"MenuBarVisible", true},
                                      {"CloseButton", true},
                                      {"Resizeable", false},
                                      {"LiveResize", false},
                                      {"MaximizeButton", false},
                                      {"MinimizeButton", false},
                                      {"MacProcID", 0},
                                  }));
    }

    void CreateControls() override {
        log.push_back("CreateControls");
        add<fw::PopupMenu>("Popup",
                           fw::encodeRecord({{"Left", 20},
                                             {"Top", 40},
                                             {"Width", 131},
                                             {"Height", 20},
                                             {"InitialValue", "One\rTwo\rThree"},
                                             {"ListIndex", 0},
                                             {"Bold", true}}),
                           true);
        add<fw::Label>("Caption",
                       fw::encodeRecord({{"Left", 20},
                                         {"Top", 16},
                                         {"Width", 131},
                                         {"Height", 20},
                                         {"Text", "Poke Time"},
                                         {"TextAlign", 1}}),
                       true);
        add<fw::Timer>("Ticker", fw::encodeRecord({{"Mode", 0}, {"Period", 1000}}), false);
        add<fw::CheckBox>("Box",
                          fw::encodeRecord({{"Left", 8},
                                            {"Top", 1},
                                            {"Width", 62},
                                            {"Height", 20},
                                            {"Caption", "Pause"},
                                            {"State", 1},
                                            {"Value", true}}),
                          true);
        // Below the 80-pixel content, never seen, but able to take the focus.
        add<fw::PopupMenu>("Hidden",
                           fw::encodeRecord({{"Left", 22},
                                             {"Top", 110},
                                             {"Width", 80},
                                             {"Height", 20},
                                             {"InitialValue", ""},
                                             {"ListIndex", 0}}),
                           false);
    }

    void AddMenuHandlers(fw::Window*) override { log.push_back("AddMenuHandlers"); }

    void Event_Open() override {
        log.push_back("Open");
        if (onOpen)
            onOpen(*this);
    }

    void Event_Close() override {
        log.push_back("Close");
        if (onClose)
            onClose(*this);
    }

    template <class C> fw::Ref<C> control(const char* name) const {
        return fw::checkCast<C>(_ControlByName(name));
    }

    // A control's Open handler: notes which control opened and whether the last control of the
    // pass already holds its record.
    void control_Open(fw::Control* sender) {
        fw::Ref<fw::CheckBox> last = control<fw::CheckBox>("Box");
        log.push_back("Open " + sender->Name().bytes() + (last && last->State() == 1 ? " (all built)" : ""));
    }

  private:
    template <class C> void add(const char* name, const fw::String& record, bool bindOpen) {
        fw::Ref<C> made = __New<C>();
        _AddControl(name, made);
        fw::Ref<C> found = control<C>(name);
        if constexpr (std::is_base_of_v<fw::TextControl, C>)
            found->setTextUnit(fw::FontUnits::Default);
        fw::_SetProperties(*found, record);
        if (bindOpen)
            fw::RuntimeAddEventHandler(
                *found, fw::kControlOpen, fw::_EventStub(fw::kControlOpen),
                fw::methodDelegate(&LoggedWindow::control_Open, this, "( Control )", true));
    }
};

// A UI test whose LoggedWindows start from a clean log and with no hooks.
class WindowTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        LoggedWindow::reset();
    }
    void TearDown() override {
        UiTest::TearDown();
        LoggedWindow::reset();
    }
};

} // namespace uitest
