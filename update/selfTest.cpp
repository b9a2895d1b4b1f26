#include "update/selfTest.h"

#include "app/App.h"
#include "builders/ControlBuilder.h"
#include "framework/Properties.h"
#include "update/updateWindow.h"

namespace ambrel {

const fw::ClassRecord& selfTest::Class() {
    static const fw::ClassRecord& record = fw::registerClass({
        .name = "selfTest.selfTest",
        .super = &fw::Window::Class(),
        .create = fw::factoryOf<selfTest>(),
        .members =
            {
                fw::scopedMember("Layout", "%%"),
                fw::scopedMember("CreateControls", "%%"),
                {"_CreateControls0", "%%", {{"__Scope", "Public"}, {"Hidden", ""}}},
                fw::scopedMember("StaticText1", "%o<Label>%"),
                fw::scopedMember("StaticText2", "%o<Label>%"),
                fw::scopedMember("PushButton1", "%o<PushButton>%"),
                fw::scopedMember("StaticText2_Open", "%%o<Label>"),
                fw::scopedMember("PushButton1_Action", "%%o<PushButton>"),
            },
        .attributes = {{"__Scope", "Public"}},
    });
    return record;
}

void selfTest::Layout() {
    fw::_SetProperties(*this, selfTestLayout::window());
}

void selfTest::CreateControls() {
    _CreateControls0();
}

void selfTest::_CreateControls0() {
    addControl<fw::Label>(*this, "StaticText1", selfTestLayout::StaticText1());
    fw::Ref<fw::Label> version = addControl<fw::Label>(*this, "StaticText2", selfTestLayout::StaticText2());
    fw::RuntimeAddEventHandler(*version, fw::kControlOpen, fw::_EventStub(fw::kControlOpen),
                               fw::methodDelegate(&selfTest::StaticText2_Open, this, "( Label )", true));
    fw::Ref<fw::PushButton> check =
        addControl<fw::PushButton>(*this, "PushButton1", selfTestLayout::PushButton1());
    fw::RuntimeAddEventHandler(
        *check, fw::kPushButtonAction, fw::_EventStub(fw::kPushButtonAction),
        fw::methodDelegate(&selfTest::PushButton1_Action, this, "( PushButton )", true));
}

fw::Ref<fw::Label> selfTest::StaticText1() const {
    return controlNamed<fw::Label>(*this, "StaticText1");
}
fw::Ref<fw::Label> selfTest::StaticText2() const {
    return controlNamed<fw::Label>(*this, "StaticText2");
}
fw::Ref<fw::PushButton> selfTest::PushButton1() const {
    return controlNamed<fw::PushButton>(*this, "PushButton1");
}

void selfTest::StaticText2_Open(fw::Label* label) {
    label->setText(::App()->LongVersion());
}

void selfTest::PushButton1_Action(fw::PushButton*) {
    ::updateWindow()->Show();
}

} // namespace ambrel

fw::Ref<ambrel::selfTest> selfTest() {
    return fw::implicitInstance<ambrel::selfTest>();
}
