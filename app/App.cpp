#include "app/App.h"

#include "app/Window1.h"
#include "framework/Runtime.h"

namespace ambrel {

const fw::ClassRecord& App::Class() {
    static const fw::ClassRecord& record = fw::registerClass({
        .name = "App",
        .super = &fw::Application::Class(),
        .create = fw::factoryOf<App>(),
        .members = {fw::scopedMember("Event_Open", "%%"), fw::scopedMember("Constructor", "%%")},
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
