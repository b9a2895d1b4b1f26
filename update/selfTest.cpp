#include "update/selfTest.h"

#include "app/App.h"
#include "builders/ControlBuilder.h"
#include "framework/Properties.h"
#include "update/updateWindow.h"

namespace ambrel {

namespace {

void bindVersion(selfTest& window, fw::Control& c) {
    bindEvent(c, fw::kControlOpen, window, &selfTest::StaticText2_Open, "( Label )");
}

void bindCheck(selfTest& window, fw::Control& c) {
    bindEvent(c, fw::kPushButtonAction, window, &selfTest::PushButton1_Action, "( PushButton )");
}

const ControlRow<selfTest> kControls[] = {
    {"StaticText1", &fw::Label::Class, &selfTestLayout::StaticText1},
    {"StaticText2", &fw::Label::Class, &selfTestLayout::StaticText2, &bindVersion},
    {"PushButton1", &fw::PushButton::Class, &selfTestLayout::PushButton1, &bindCheck},
};

} // namespace

fw::ClassRecord selfTest::describe() {
    return {
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
    };
}

void selfTest::Layout() {
    fw::_SetProperties(*this, selfTestLayout::window());
}

void selfTest::CreateControls() {
    _CreateControls0();
}

void selfTest::_CreateControls0() {
    createControls<selfTest>(*this, kControls);
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
