#include "update/updateWindow.h"

#include "app/Window1.h"
#include "builders/ControlBuilder.h"
#include "builders/VendorHost.h"
#include "framework/Properties.h"
#include "update/selfTest.h"

namespace ambrel {

namespace {

void bindClient(updateWindow& window, fw::Control& c) {
    bindEvent(c, fw::kHTTPSocketPageReceived, window, &updateWindow::hp_PageReceived,
              "( HTTPSocket, String, Int32, InternetHeaders, String )");
    bindEvent(c, fw::kHTTPSocketError, window, &updateWindow::hp_Error, "( HTTPSocket, Int32 )");
}

void bindCancel(updateWindow& window, fw::Control& c) {
    bindEvent(c, fw::kPushButtonAction, window, &updateWindow::PushButton1_Action, "( PushButton )");
}

// The label's size is fixed whatever the framework's default; it takes no text unit.
const ControlRow<updateWindow> kControls[] = {
    {.name = "StaticText1",
     .cls = &fw::Label::Class,
     .record = &updateWindowLayout::StaticText1,
     .textSize = 12,
     .textUnit = false},
    {"ProgressBar1", &fw::ProgressBar::Class, &updateWindowLayout::ProgressBar1},
    {"hp", &updateWindow_hp::Class, &updateWindowLayout::hp, &bindClient},
    {"PushButton1", &fw::PushButton::Class, &updateWindowLayout::PushButton1, &bindCancel},
};

} // namespace

fw::ClassRecord updateWindow::describe() {
    return {
        .name = "updateWindow.updateWindow",
        .super = &fw::Window::Class(),
        .create = fw::factoryOf<updateWindow>(),
        .members =
            {
                fw::scopedMember("Layout", "%%"),
                fw::scopedMember("CreateControls", "%%"),
                {"_CreateControls0", "%%", {{"__Scope", "Public"}, {"Hidden", ""}}},
                fw::scopedMember("StaticText1", "%o<Label>%"),
                fw::scopedMember("ProgressBar1", "%o<ProgressBar>%"),
                fw::scopedMember("hp", "%o<HTTPSocket>%"),
                fw::scopedMember("PushButton1", "%o<PushButton>%"),
                fw::scopedMember("hp_PageReceived", "%%o<HTTPSocket>si4o<InternetHeaders>s"),
                fw::scopedMember("hp_Error", "%%o<HTTPSocket>i4"),
                fw::scopedMember("PushButton1_Action", "%%o<PushButton>"),
                fw::scopedMember("Event_Open", "%%"),
                fw::scopedMember("Event_Close", "%%"),
                fw::scopedMember("startTag", "%s%s"),
                fw::scopedMember("endTag", "%s%s"),
                fw::scopedMember("askUpgrade", "%%sssb"),
                fw::scopedMember("returnValue", "%s%ss"),
            },
        .properties =
            {
                {.name = "automaticCheck",
                 .typeCode = "b",
                 .type = fw::PropertyType::Boolean,
                 .set =
                     [](fw::Object& o, const fw::Value& v) {
                         static_cast<updateWindow&>(o).automaticCheck = v.asBoolean();
                     },
                 .get =
                     [](const fw::Object& o) {
                         return fw::Value(static_cast<const updateWindow&>(o).automaticCheck);
                     },
                 .attributes = {{"__Scope", "Public"}}},
            },
        .attributes = {{"__Scope", "Public"}},
    };
}

void updateWindow::Layout() {
    fw::_SetProperties(*this, updateWindowLayout::window());
}

void updateWindow::CreateControls() {
    _CreateControls0();
}

void updateWindow::_CreateControls0() {
    createControls<updateWindow>(*this, kControls);
}

fw::Ref<fw::Label> updateWindow::StaticText1() const {
    return controlNamed<fw::Label>(*this, "StaticText1");
}
fw::Ref<fw::ProgressBar> updateWindow::ProgressBar1() const {
    return controlNamed<fw::ProgressBar>(*this, "ProgressBar1");
}
fw::Ref<fw::HTTPSocket> updateWindow::hp() const {
    return controlNamed<fw::HTTPSocket>(*this, "hp");
}
fw::Ref<fw::PushButton> updateWindow::PushButton1() const {
    return controlNamed<fw::PushButton>(*this, "PushButton1");
}

void updateWindow::PushButton1_Action(fw::PushButton*) {
    Close();
}

void updateWindow::Event_Open() {
    ProgressBar1()->setMaximum(0);
    hp()->Get(updateAddresses::document());
    ::selfTest()->Close();
    ::Window1()->SetFocus();
}

void updateWindow::Event_Close() {
    ::selfTest()->Close();
}

fw::ClassRecord updateWindow_hp::describe() {
    return {
        .name = "updateWindow.hp",
        .super = &fw::HTTPSocket::Class(),
        .create = fw::factoryOf<updateWindow_hp>(),
        .attributes = {{"__Scope", "Public"}},
    };
}

namespace updateAddresses {
fw::String document() {
    return fw::String("http://") + kVendorHost + "/Updates/ambrel.xml";
}
fw::String download() {
    return fw::String("https://") + kVendorHost + "/download/";
}
fw::String website() {
    return fw::String("https://") + kVendorHost + "/";
}
} // namespace updateAddresses

} // namespace ambrel

fw::Ref<ambrel::updateWindow> updateWindow() {
    return fw::implicitInstance<ambrel::updateWindow>();
}
