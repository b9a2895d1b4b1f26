#include "help/AboutBox.h"

#include "app/App.h"
#include "framework/Dialogs.h"
#include "framework/Properties.h"
#include "framework/Runtime.h"

namespace ambrel {

namespace {

// One control of the creation pass: its class, the text size set before its record, its record,
// and the events the box handles on it.
struct ControlRow {
    const char* name;
    const fw::ClassRecord& (*cls)();
    float textSize; // 0: none set
    const fw::String& (*record)();
    void (*bind)(AboutBox& box, fw::Control& control);
};

void bindButton1(AboutBox& box, fw::Control& c) {
    fw::RuntimeAddEventHandler(
        c, fw::kPushButtonAction, fw::_EventStub(fw::kPushButtonAction),
        fw::methodDelegate(&AboutBox::PushButton1_Action, &box, "( PushButton )", true));
}

void bindButton2(AboutBox& box, fw::Control& c) {
    fw::RuntimeAddEventHandler(
        c, fw::kPushButtonAction, fw::_EventStub(fw::kPushButtonAction),
        fw::methodDelegate(&AboutBox::PushButton2_Action, &box, "( PushButton )", true));
}

void bindVersion(AboutBox& box, fw::Control& c) {
    fw::RuntimeAddEventHandler(c, fw::kControlOpen, fw::_EventStub(fw::kControlOpen),
                               fw::methodDelegate(&AboutBox::StaticText4_Open, &box, "( Label )", true));
}

const ControlRow kControls[] = {
    {"PushButton1", &fw::PushButton::Class, 0, &AboutBoxLayout::PushButton1, &bindButton1},
    {"PushButton2", &fw::PushButton::Class, 0, &AboutBoxLayout::PushButton2, &bindButton2},
    {"StaticText2", &fw::Label::Class, 0, &AboutBoxLayout::StaticText2, nullptr},
    {"StaticText1", &fw::Label::Class, 30, &AboutBoxLayout::StaticText1, nullptr},
    {"StaticText3", &fw::Label::Class, 12, &AboutBoxLayout::StaticText3, nullptr},
    {"StaticText4", &fw::Label::Class, 12, &AboutBoxLayout::StaticText4, &bindVersion},
};

template <class T> fw::Ref<T> control(const AboutBox& box, const char* name) {
    return fw::checkCast<T>(box._ControlByName(name));
}

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
    for (const ControlRow& row : kControls) {
        _AddControl(row.name, fw::checkCast<fw::Control>(__New(row.cls())));
        fw::Ref<fw::TextControl> c = fw::checkCast<fw::TextControl>(_ControlByName(row.name));
        if (row.textSize > 0)
            c->setTextSize(row.textSize);
        c->setTextUnit(fw::FontUnits::Default);
        fw::_SetProperties(*c, row.record());
        if (row.bind)
            row.bind(*this, *c);
    }
}

fw::Ref<fw::PushButton> AboutBox::PushButton1() const {
    return control<fw::PushButton>(*this, "PushButton1");
}
fw::Ref<fw::PushButton> AboutBox::PushButton2() const {
    return control<fw::PushButton>(*this, "PushButton2");
}
fw::Ref<fw::Label> AboutBox::StaticText2() const {
    return control<fw::Label>(*this, "StaticText2");
}
fw::Ref<fw::Label> AboutBox::StaticText1() const {
    return control<fw::Label>(*this, "StaticText1");
}
fw::Ref<fw::Label> AboutBox::StaticText3() const {
    return control<fw::Label>(*this, "StaticText3");
}
fw::Ref<fw::Label> AboutBox::StaticText4() const {
    return control<fw::Label>(*this, "StaticText4");
}

void AboutBox::PushButton1_Action(fw::PushButton*) {
    fw::ShowURL(fw::String("mailto:") + AboutBoxLayout::kAuthorMail);
}

void AboutBox::PushButton2_Action(fw::PushButton*) {
    fw::ShowURL(AboutBoxLayout::webSite());
}

void AboutBox::StaticText4_Open(fw::Label* label) {
    fw::Ref<App> app = ::App();
    if (!app || !label)
        throw fw::NilObjectException();
    label->setText(app->LongVersion());
}

} // namespace ambrel

fw::Ref<ambrel::AboutBox> AboutBox() {
    return fw::implicitInstance<ambrel::AboutBox>();
}
