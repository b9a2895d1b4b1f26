#include "app/App.h"

#include "app/Window1.h"
#include "framework/Runtime.h"

namespace ambrel {

namespace {
fw::MemberInfo publicMember(const char* name, const char* signature) {
    return {name, signature, {{"__Scope", "Public"}}, 0};
}
} // namespace

const fw::ClassRecord& App::Class() {
    static const fw::ClassRecord& record = fw::registerClass({
        .name = "App",
        .super = &fw::Application::Class(),
        .create = fw::factoryOf<App>(),
        .members = {publicMember("Event_Open", "%%"), publicMember("Constructor", "%%")},
        .attributes = {{"__Scope", "Public"}},
    });
    return record;
}

void App::Event_Open() {
    ::Window1()->Show();
}

} // namespace ambrel

fw::Ref<ambrel::App> App() {
    return fw::checkCast<ambrel::App>(fw::_GetAppObject());
}
