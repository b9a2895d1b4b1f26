#include "update/updateWindow.h"

#include "app/Window1.h"
#include "builders/ControlBuilder.h"
#include "builders/VendorHost.h"
#include "framework/Properties.h"
#include "update/selfTest.h"

namespace ambrel {

const fw::ClassRecord& updateWindow::Class() {
    static const fw::ClassRecord&
        record =
            fw::registerClass(
                {
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
                });
    return record;
}

void updateWindow::Layout() {
    fw::_SetProperties(*this, updateWindowLayout::window());
}

void updateWindow::CreateControls() {
    _CreateControls0();
}

void updateWindow::_CreateControls0() {
    // The label's size is fixed whatever the framework's default; it takes no text unit.
    addControl<fw::Label>(*this, "StaticText1", updateWindowLayout::StaticText1(),
                          [](fw::Label& label) { label.setTextSize(12); });
    addControl<fw::ProgressBar>(*this, "ProgressBar1", updateWindowLayout::ProgressBar1());
    fw::Ref<updateWindow_hp> client = addControl<updateWindow_hp>(*this, "hp", updateWindowLayout::hp());
    fw::RuntimeAddEventHandler(
        *client, fw::kHTTPSocketPageReceived, fw::_EventStub(fw::kHTTPSocketPageReceived),
        fw::methodDelegate(&updateWindow::hp_PageReceived, this,
                           "( HTTPSocket, String, Int32, InternetHeaders, String )", true));
    fw::RuntimeAddEventHandler(
        *client, fw::kHTTPSocketError, fw::_EventStub(fw::kHTTPSocketError),
        fw::methodDelegate(&updateWindow::hp_Error, this, "( HTTPSocket, Int32 )", true));
    fw::Ref<fw::PushButton> cancel =
        addControl<fw::PushButton>(*this, "PushButton1", updateWindowLayout::PushButton1());
    fw::RuntimeAddEventHandler(
        *cancel, fw::kPushButtonAction, fw::_EventStub(fw::kPushButtonAction),
        fw::methodDelegate(&updateWindow::PushButton1_Action, this, "( PushButton )", true));
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

const fw::ClassRecord& updateWindow_hp::Class() {
    static const fw::ClassRecord& record = fw::registerClass({
        .name = "updateWindow.hp",
        .super = &fw::HTTPSocket::Class(),
        .create = fw::factoryOf<updateWindow_hp>(),
        .attributes = {{"__Scope", "Public"}},
    });
    return record;
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
