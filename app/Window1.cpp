#include "app/Window1.h"

#include "app/MenuBar1.h"
#include "app/Module1.h"
#include "app/prefModule.h"
#include "builders/ControlBuilder.h"
#include "builders/MenuBuilder.h"
#include "framework/ActiveWindow.h"
#include "framework/Properties.h"
#include "framework/Runtime.h"

namespace ambrel {

namespace {

fw::PropertyInfo field(const char* name, const char* typeCode, fw::PropertyType type) {
    return {.name = name, .typeCode = typeCode, .type = type, .attributes = {{"__Scope", "Public"}}};
}

void __Exit(fw::Object& object) {
    static_cast<Window1&>(object).p = nullptr;
}

void bindComboBox1(Window1& w, fw::Control& c) {
    bindEvent(c, fw::kPopupMenuChange, w, &Window1::ComboBox1_Change, "( PopupMenu )");
    bindEvent(c, fw::kControlOpen, w, &Window1::ComboBox1_Open, "( PopupMenu )");
}

void bindTimer1(Window1& w, fw::Control& c) {
    bindEvent(c, fw::kTimerAction, w, &Window1::Timer1_Action, "( Timer )");
}

const ControlRow<Window1> kControls[] = {
    {"ComboBox1", &fw::PopupMenu::Class, &Window1Layout::ComboBox1, &bindComboBox1},
    {"StaticText1", &fw::Label::Class, &Window1Layout::StaticText1},
    {"ComboBox2", &fw::PopupMenu::Class, &Window1Layout::ComboBox2},
    {"Timer1", &Window1_Timer1::Class, &Window1Layout::Timer1, &bindTimer1},
    {"StaticText2", &fw::Label::Class, &Window1Layout::StaticText2},
    {"Pause", &fw::CheckBox::Class, &Window1Layout::Pause},
};

} // namespace

fw::ClassRecord Window1::describe() {
    return {
        .name = "Window1.Window1",
        .super = &fw::Window::Class(),
        .create = fw::factoryOf<Window1>(),
        .exitHook = &__Exit,
        .members =
            {
                fw::scopedMember("Layout", "%%"),
                fw::scopedMember("CreateControls", "%%"),
                {"_CreateControls0", "%%", {{"__Scope", "Public"}, {"Hidden", ""}}},
                fw::scopedMember("ComboBox1", "%o<PopupMenu>%"),
                fw::scopedMember("StaticText1", "%o<Label>%"),
                fw::scopedMember("ComboBox2", "%o<PopupMenu>%"),
                fw::scopedMember("Timer1", "%o<Timer>%"),
                fw::scopedMember("StaticText2", "%o<Label>%"),
                fw::scopedMember("Pause", "%o<CheckBox>%"),
                fw::scopedMember("ComboBox1_Change", "%%o<PopupMenu>"),
                fw::scopedMember("ComboBox1_Open", "%%o<PopupMenu>"),
                fw::scopedMember("Timer1_Action", "%%o<Timer>"),
                fw::scopedMember("HelpMenu", "%o<MenuItem>%"),
                fw::scopedMember("HelpAbout", "%o<AppleMenuItem>%"),
                fw::scopedMember("HelpShow", "%o<MenuItem>%"),
                fw::scopedMember("CheckforUpdateMenu", "%o<AppleMenuItem>%"),
                fw::scopedMember("CheckforUpdateCheckNow", "%o<MenuItem>%"),
                fw::scopedMember("EditMenu", "%o<MenuItem>%"),
                fw::scopedMember("EditSelectAll", "%o<MenuItem>%"),
                fw::scopedMember("UntitledMenu0", "%o<MenuItem>%"),
                fw::scopedMember("EditClear", "%o<MenuItem>%"),
                fw::scopedMember("EditPaste", "%o<MenuItem>%"),
                fw::scopedMember("EditCopy", "%o<MenuItem>%"),
                fw::scopedMember("EditCut", "%o<MenuItem>%"),
                fw::scopedMember("UntitledMenu1", "%o<MenuItem>%"),
                fw::scopedMember("EditUndo", "%o<MenuItem>%"),
                fw::scopedMember("FileMenu", "%o<MenuItem>%"),
                fw::scopedMember("FileQuit", "%o<QuitMenuItem>%"),
                fw::scopedMember("UntitledSeparator", "%o<MenuItem>%"),
                fw::scopedMember("FilePrintHelp", "%o<MenuItem>%"),
                fw::scopedMember("Event_Open", "%%"),
                fw::scopedMember("Event_Close", "%%"),
                fw::scopedMember("setTimer", "%%"),
            },
        .properties =
            {
                field("p", "o<TolvaneVrek>", fw::PropertyType::Object),
                field("x", "i4", fw::PropertyType::Integer),
                field("y", "i4", fw::PropertyType::Integer),
            },
        .attributes = {{"__Scope", "Public"}},
    };
}

void Window1::Layout() {
    setMenuBar(::MenuBar1());
    fw::_SetProperties(*this, Window1Layout::window());
}

void Window1::CreateControls() {
    _CreateControls0();
}

void Window1::_CreateControls0() {
    createControls<Window1>(*this, kControls);
}

fw::Ref<fw::PopupMenu> Window1::ComboBox1() const {
    return controlNamed<fw::PopupMenu>(*this, "ComboBox1");
}
fw::Ref<fw::Label> Window1::StaticText1() const {
    return controlNamed<fw::Label>(*this, "StaticText1");
}
fw::Ref<fw::PopupMenu> Window1::ComboBox2() const {
    return controlNamed<fw::PopupMenu>(*this, "ComboBox2");
}
fw::Ref<fw::Timer> Window1::Timer1() const {
    return controlNamed<fw::Timer>(*this, "Timer1");
}
fw::Ref<fw::Label> Window1::StaticText2() const {
    return controlNamed<fw::Label>(*this, "StaticText2");
}
fw::Ref<fw::CheckBox> Window1::Pause() const {
    return controlNamed<fw::CheckBox>(*this, "Pause");
}

void Window1::ComboBox1_Change(fw::PopupMenu*) {
    // Move the focus off the popup the user just used, onto the popup nobody sees.
    ComboBox2()->SetFocus();
    setTimer();
}

void Window1::ComboBox1_Open(fw::PopupMenu*) {
    setTimer();
}

void Window1::Timer1_Action(fw::Timer*) {
    if (Pause()->Value())
        return;
    Module1::CountDown -= 1;
    StaticText2()->setText(fw::Str(Module1::CountDown));
    if (Module1::CountDown < 1) {
        y = ::Window1()->Top() + 23;
        x = ::Window1()->Left() + 15;
        p = __New<TolvaneVrek>();
        const fw::ActiveWindowNote active = fw::ActiveWindowNote::take();
        p->MouseMove(x, y);
        // The move alone counts as activity; a click where another window covers the panel
        // would press whatever that window shows.
        if (ShowsScreenPoint(x, y)) {
            p->MouseClick(true);
            p->MouseClick(false);
            // The click made the panel active: the user's next keystrokes belong to their window.
            active.giveBackAfterClickOn(*this);
        }
        setTimer();
    }
}

void Window1::setTimer() {
    fw::String text = ComboBox1()->Text();
    if (text == Window1Layout::kIntervalRows[0]) {
        Timer1()->setMode(fw::Timer::ModeOff);
        StaticText2()->setText("");
        return;
    }
    for (int32_t minutes = 1; minutes <= 10; ++minutes) {
        if (text == Window1Layout::kIntervalRows[minutes]) {
            Module1::CountDown = minutes * 60;
            Timer1()->setMode(fw::Timer::ModeMultiple);
            break;
        }
    }
    StaticText2()->setText(fw::Str(Module1::CountDown));
}

void Window1::Event_Open() {
    prefModule::loadPrefs();
    ::Window1()->setTop(prefModule::Window1Top);
    ::Window1()->setLeft(prefModule::Window1Left);
}

void Window1::Event_Close() {
    prefModule::savePrefs();
    fw::Quit(0);
}

fw::Ref<fw::MenuItem> Window1::HelpMenu() const {
    return menuItemOf<fw::MenuItem>(*this, "HelpMenu");
}
fw::Ref<fw::AppleMenuItem> Window1::HelpAbout() const {
    return menuItemOf<fw::AppleMenuItem>(*this, "HelpAbout");
}
fw::Ref<fw::MenuItem> Window1::HelpShow() const {
    return menuItemOf<fw::MenuItem>(*this, "HelpShow");
}
fw::Ref<fw::AppleMenuItem> Window1::CheckforUpdateMenu() const {
    return menuItemOf<fw::AppleMenuItem>(*this, "CheckforUpdateMenu");
}
fw::Ref<fw::MenuItem> Window1::CheckforUpdateCheckNow() const {
    return menuItemOf<fw::MenuItem>(*this, "CheckforUpdateCheckNow");
}
fw::Ref<fw::MenuItem> Window1::EditMenu() const {
    return menuItemOf<fw::MenuItem>(*this, "EditMenu");
}
fw::Ref<fw::MenuItem> Window1::EditSelectAll() const {
    return menuItemOf<fw::MenuItem>(*this, "EditSelectAll");
}
fw::Ref<fw::MenuItem> Window1::UntitledMenu0() const {
    return menuItemOf<fw::MenuItem>(*this, "UntitledMenu0");
}
fw::Ref<fw::MenuItem> Window1::EditClear() const {
    return menuItemOf<fw::MenuItem>(*this, "EditClear");
}
fw::Ref<fw::MenuItem> Window1::EditPaste() const {
    return menuItemOf<fw::MenuItem>(*this, "EditPaste");
}
fw::Ref<fw::MenuItem> Window1::EditCopy() const {
    return menuItemOf<fw::MenuItem>(*this, "EditCopy");
}
fw::Ref<fw::MenuItem> Window1::EditCut() const {
    return menuItemOf<fw::MenuItem>(*this, "EditCut");
}
fw::Ref<fw::MenuItem> Window1::UntitledMenu1() const {
    return menuItemOf<fw::MenuItem>(*this, "UntitledMenu1");
}
fw::Ref<fw::MenuItem> Window1::EditUndo() const {
    return menuItemOf<fw::MenuItem>(*this, "EditUndo");
}
fw::Ref<fw::MenuItem> Window1::FileMenu() const {
    return menuItemOf<fw::MenuItem>(*this, "FileMenu");
}
fw::Ref<fw::QuitMenuItem> Window1::FileQuit() const {
    return menuItemOf<fw::QuitMenuItem>(*this, "FileQuit");
}
fw::Ref<fw::MenuItem> Window1::UntitledSeparator() const {
    return menuItemOf<fw::MenuItem>(*this, "UntitledSeparator");
}
fw::Ref<fw::MenuItem> Window1::FilePrintHelp() const {
    return menuItemOf<fw::MenuItem>(*this, "FilePrintHelp");
}

fw::ClassRecord Window1_Timer1::describe() {
    return {
        .name = "Window1.Timer1",
        .super = &fw::Timer::Class(),
        .create = fw::factoryOf<Window1_Timer1>(),
        .attributes = {{"__Scope", "Public"}},
    };
}

} // namespace ambrel

fw::Ref<ambrel::Window1> Window1() {
    return fw::implicitInstance<ambrel::Window1>();
}
