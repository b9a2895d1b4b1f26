#include "help/AboutBox.h"

#include "app/App.h"
#include "builders/ControlBuilder.h"
#include "framework/Dialogs.h"
#include "framework/Properties.h"
#include "framework/Runtime.h"

namespace ambrel {

namespace {

void bindButton1(AboutBox& box, fw::Control& c) {
    bindEvent(c, fw::kPushButtonAction, box, &AboutBox::PushButton1_Action, "( PushButton )");
}

void bindButton2(AboutBox& box, fw::Control& c) {
    bindEvent(c, fw::kPushButtonAction, box, &AboutBox::PushButton2_Action, "( PushButton )");
}

void bindVersion(AboutBox& box, fw::Control& c) {
    bindEvent(c, fw::kControlOpen, box, &AboutBox::StaticText4_Open, "( Label )");
}

// The labels' text sizes are fixed whatever the framework's default.
const ControlRow<AboutBox> kControls[] = {
    {"PushButton1", &fw::PushButton::Class, &AboutBoxLayout::PushButton1, &bindButton1},
    {"PushButton2", &fw::PushButton::Class, &AboutBoxLayout::PushButton2, &bindButton2},
    {"StaticText2", &fw::Label::Class, &AboutBoxLayout::StaticText2},
    {.name = "StaticText1", .cls = &fw::Label::Class, .record = &AboutBoxLayout::StaticText1, .textSize = 30},
    {.name = "StaticText3", .cls = &fw::Label::Class, .record = &AboutBoxLayout::StaticText3, .textSize = 12},
    {.name = "StaticText4",
     .cls = &fw::Label::Class,
     .record = &AboutBoxLayout::StaticText4,
     .bind = &bindVersion,
     .textSize = 12},
};

} // namespace

fw::ClassRecord AboutBox::describe() {
    return {
        .name = "AboutBox.AboutBox",
        .super = &fw::Window::Class(),
        .create = fw::factoryOf<AboutBox>(),
        .members =
            {
                fw::scopedMember("Layout", "%%"),
                fw::scopedMember("CreateControls", "%%"),
                {"_CreateControls0", "%%", {{"__Scope", "Public"}, {"Hidden", ""}}},
                fw::scopedMember("PushButton1", "%o<PushButton>%"),
                fw::scopedMember("PushButton2", "%o<PushButton>%"),
                fw::scopedMember("StaticText2", "%o<Label>%"),
                fw::scopedMember("StaticText1", "%o<Label>%"),
                fw::scopedMember("StaticText3", "%o<Label>%"),
                fw::scopedMember("StaticText4", "%o<Label>%"),
                fw::scopedMember("PushButton1_Action", "%%o<PushButton>"),
                fw::scopedMember("PushButton2_Action", "%%o<PushButton>"),
                fw::scopedMember("StaticText4_Open", "%%o<Label>"),
            },
        .attributes = {{"__Scope", "Public"}},
    };
}

void AboutBox::Layout() {
    fw::_SetProperties(*this, AboutBoxLayout::window());
}

void AboutBox::CreateControls() {
    _CreateControls0();
}

void AboutBox::_CreateControls0() {
    createControls<AboutBox>(*this, kControls);
}

fw::Ref<fw::PushButton> AboutBox::PushButton1() const {
    return controlNamed<fw::PushButton>(*this, "PushButton1");
}
fw::Ref<fw::PushButton> AboutBox::PushButton2() const {
    return controlNamed<fw::PushButton>(*this, "PushButton2");
}
fw::Ref<fw::Label> AboutBox::StaticText2() const {
    return controlNamed<fw::Label>(*this, "StaticText2");
}
fw::Ref<fw::Label> AboutBox::StaticText1() const {
    return controlNamed<fw::Label>(*this, "StaticText1");
}
fw::Ref<fw::Label> AboutBox::StaticText3() const {
    return controlNamed<fw::Label>(*this, "StaticText3");
}
fw::Ref<fw::Label> AboutBox::StaticText4() const {
    return controlNamed<fw::Label>(*this, "StaticText4");
}

void AboutBox::PushButton1_Action(fw::PushButton*) {
    fw::ShowURL(fw::String("mailto:") + AboutBoxLayout::kAuthorMail);
}

void AboutBox::PushButton2_Action(fw::PushButton*) {
    fw::ShowURL(AboutBoxLayout::webSite());
}

void AboutBox::StaticText4_Open(fw::Label* label) {
    if (!label)
        throw fw::NilObjectException();
    label->setText(::App()->LongVersion());
}

} // namespace ambrel

fw::Ref<ambrel::AboutBox> AboutBox() {
    return fw::implicitInstance<ambrel::AboutBox>();
}
