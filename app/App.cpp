#include "app/App.h"

#include "app/Window1.h"
#include "framework/Runtime.h"
#include "help/AboutBox.h"
#include "help/Help.h"
#include "help/HelpPrinting.h"
#include "update/selfTest.h"

namespace ambrel {

fw::ClassRecord App::describe() {
    return {
        .name = "App",
        .super = &fw::Application::Class(),
        .create = fw::factoryOf<App>(),
        .members =
            {
                fw::scopedMember("Event_Open", "%%"),
                fw::scopedMember("_HelpAbout_Action", "%b%"),
                fw::scopedMember("_HelpShow_Action", "%b%"),
                fw::scopedMember("_CheckforUpdateCheckNow_Action", "%b%"),
                fw::scopedMember("_FilePrintHelp_Action", "%b%"),
                fw::scopedMember("Constructor", "%%"),
            },
        .attributes = {{"__Scope", "Public"}},
    };
}

void App::Event_Open() {
    ::Window1()->Show();
}

bool App::_HelpAbout_Action() {
    ::AboutBox()->Show();
    return true;
}

bool App::_HelpShow_Action() {
    ::Help()->Show();
    return true;
}

bool App::_CheckforUpdateCheckNow_Action() {
    ::selfTest()->Show();
    return true;
}

bool App::_FilePrintHelp_Action() {
    return printHelp();
}

} // namespace ambrel

fw::Ref<ambrel::App> App() {
    return fw::checkCast<ambrel::App>(fw::_GetAppObject());
}
