#include "app/Startup.h"

#include <cstdio>

#include "app/App.h"
#include "app/BuildSettings.h"
#include "app/MenuBar1.h"
#include "app/ProgramIcon.h"
#include "app/TolvaneVrek.h"
#include "app/Window1.h"
#include "app/prefModule.h"
#include "framework/ApplicationIcon.h"
#include "framework/CheckBox.h"
#include "framework/Date.h"
#include "framework/Dialogs.h"
#include "framework/DisplaySession.h"
#include "framework/Files.h"
#include "framework/HTTPSocket.h"
#include "framework/InternetHeaders.h"
#include "framework/Label.h"
#include "framework/Menu.h"
#include "framework/MessageDialog.h"
#include "framework/PluginHost.h"
#include "framework/PopupMenu.h"
#include "framework/ProgressBar.h"
#include "framework/PushButton.h"
#include "framework/Runtime.h"
#include "framework/TextArea.h"
#include "framework/Timer.h"
#include "help/AboutBox.h"
#include "help/Help.h"
#include "help/MenuBar2.h"
#include "update/selfTest.h"
#include "update/updateWindow.h"

namespace ambrel {

namespace {

using ClassAccessor = const fw::ClassRecord& (*)();

constexpr ClassAccessor kFrameworkClasses[] = {
    &fw::Object::Class,
    &fw::Delegate::Class,
    &fw::Application::Class,
    &fw::Window::Class,
    &fw::Control::Class,
    &fw::RectControl::Class,
    &fw::TextControl::Class,
    &fw::PopupMenu::Class,
    &fw::Label::Class,
    &fw::CheckBox::Class,
    &fw::Timer::Class,
    &fw::MenuItem::Class,
    &fw::MenuBar::Class,
    &fw::AppleMenuItem::Class,
    &fw::QuitMenuItem::Class,
    &fw::FolderItem::Class,
    &fw::TextInputStream::Class,
    &fw::TextOutputStream::Class,
    &fw::PushButton::Class,
    &fw::MessageDialog::Class,
    &fw::MessageDialogButton::Class,
    &fw::TextArea::Class,
    &fw::Date::Class,
    &fw::ProgressBar::Class,
    &fw::HTTPSocket::Class,
    &fw::InternetHeaders::Class,
};

// The program's classes up to the preferences module's, whose directive list follows them.
constexpr ClassAccessor kProgramClasses[] = {
    &TolvaneVrek::Class,    &App::Class,      &Window1::Class,
    &Window1_Timer1::Class, &MenuBar1::Class, &directiveClass::Class,
};

// The program's classes after the directive list; MenuBar2 is the last class built.
constexpr ClassAccessor kLaterProgramClasses[] = {
    &AboutBox::Class,        &Help::Class,     &selfTest::Class, &updateWindow::Class,
    &updateWindow_hp::Class, &MenuBar2::Class,
};

struct MenuBinding {
    const char* command;
    bool (App::*handler)();
};

// The commands whose windows exist; an item with no handler in reach stays disabled.
constexpr MenuBinding kMenuBindings[] = {
    {"HelpAbout", &App::_HelpAbout_Action},
    {"HelpShow", &App::_HelpShow_Action},
    {"CheckforUpdateCheckNow", &App::_CheckforUpdateCheckNow_Action},
    {"FilePrintHelp", &App::_FilePrintHelp_Action},
};

fw::Value callWithExceptionHandling(fw::Object*, fw::Arguments args) {
    if (args.size() != 2)
        throw fw::RuntimeException("The exception helper takes a function and its argument.");
    return fw::Value(fw::Ref<fw::Object>(
        fw::_CallFunctionWithExceptionHandling(args[0].asPointer(), args[1].asPointer())));
}

// Without the plug-in's functions the pokes do nothing: the user hears of it once, here, in two
// lines; the whole story goes to the error output.
void reportPluginProblems() {
    const std::vector<fw::PluginProblem>& problems = fw::pluginProblems();
    if (problems.empty())
        return;
    for (const fw::PluginProblem& p : problems)
        fw::reportModuleProblem(p);
    fw::MsgBox(fw::String("Ambrel could not load its input plug-in: " + problems.front().reason +
                          ".\nIts pokes will have no effect."));
}

// On Xwayland the pokes reach the programs under it, never the compositor, whose idle count blanks
// the screen and suspends: the panel would count and poke in vain, so the user hears of it once.
constexpr char kWaylandSession[] =
    "This is a Wayland session: Ambrel's pokes reach only programs running under Xwayland and do not "
    "keep this Wayland session awake.\nAn X11 session is kept awake, such as \"GNOME on Xorg\" chosen "
    "at the login screen.";

void reportWaylandSession() {
    if (!fw::onXwayland())
        return;
    std::fprintf(stderr, "Ambrel: %s\n", kWaylandSession);
    fw::MsgBox(fw::String(kWaylandSession));
}

} // namespace

void runClassSetupList() {
    for (ClassAccessor cls : kFrameworkClasses)
        cls();
    for (ClassAccessor cls : kProgramClasses)
        cls();
    prefModule::createDirectiveList();
    for (ClassAccessor cls : kLaterProgramClasses)
        cls();
}

void _Main() {
    try {
        fw::_RuntimeSetExceptionHelper(
            fw::RuntimeCreateDelegate(&callWithExceptionHandling, nullptr, "( Ptr, Ptr ) as Object", false));
        _EarlyStartup();
        fw::_RunFrameworkInitialization(fw::functionDelegate(&_LateStartup, "(  )"));
        fw::_RuntimeRun();
    } catch (const std::exception& e) {
        fw::_UnhandledException(e);
    }
}

void _EarlyStartup() {
    fw::_RuntimeInitExternalClasses();
    _InitPluginEntrypoints();
    reportPluginProblems();
    reportWaylandSession();
    _InitFileTypes();
    _NewAppInstance();
    _ApplicationAddMenuHandlers();
}

void _InitFileTypes() {}

void _NewAppInstance() {
    fw::Ref<App> app = fw::checkCast<App>(fw::RuntimeNewObject(App::Class()));
    app->Constructor();
    app->setMenuBar(::MenuBar1());
    fw::_RuntimeRegisterAppObject(app);
}

void _ApplicationAddMenuHandlers() {
    for (const MenuBinding& binding : kMenuBindings) {
        fw::Ref<App> app = ::App();
        app->_AddMenuHandler(binding.command,
                             fw::methodDelegate(binding.handler, app.get(), "(  ) as Boolean", false));
    }
}

void _LateStartup() {
    _MakeDefaultView();
}

void _MakeDefaultView() {
    ::Window1();
}

void runModuleExitList() {
    fw::RuntimeRunModuleExits();
    fw::releaseImplicitWindows();
    MenuBar1Module::releaseImplicitInstance();
    prefModule::releaseDirectiveList();
    MenuBar2Module::releaseImplicitInstance();
}

int runApplication(int argc, char** argv) {
    fw::setApplicationSettings(buildSettings());
    fw::RuntimeInit(argc, argv);
    // Before the first window, the start-up box included. Without it the program still runs.
    if (!fw::setApplicationIcon(kProgramIcon))
        std::fprintf(stderr, "Ambrel could not draw its icon; its windows show the toolkit's own.\n");
    runClassSetupList();
    _Main();
    runModuleExitList();
    return fw::RuntimeExit();
}

} // namespace ambrel
