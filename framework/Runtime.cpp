#include "framework/Runtime.h"
#include "framework/qt/DisplayCheck.h"
#include "framework/qt/ModalRuns.h"
#include "framework/qt/Palette.h"
#include "framework/qt/Style.h"
#include "framework/qt/TerminationSignals.h"
#include "framework/qt/Toolkit.h"

#include <algorithm>
#include <cstdio>
#include <cxxabi.h>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "framework/Application.h"
#include "framework/ApplicationSettings.h"
#include "framework/Dialogs.h"
#include "framework/PluginHost.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"

namespace fw {

namespace {
struct RuntimeState {
    // The toolkit keeps references to argc and argv: they live as long as the runtime.
    int argc = 0;
    std::vector<std::string> arguments;
    std::vector<char*> argv;

    int32_t exitCode = 0;
    bool quitPending = false; // Quit was called and the loop has not returned for it yet
    bool terminating = false; // RuntimeTerminate ran and the loop has not returned for it yet
    int loopDepth = 0;        // _RuntimeRun's loop is running
    bool appOpened = false;   // the registered application's Open event has been raised
    bool reporting = false;

    Ref<Application> app;
    std::function<void(const std::exception&)> reporter;
    std::vector<void (*)()> moduleExits;
};

// Never destroyed: module globals may still be released after static destruction has begun.
RuntimeState& state() {
    static auto* s = new RuntimeState();
    return *s;
}

std::string exceptionClass(const std::exception& error) {
    if (const auto* own = dynamic_cast<const RuntimeException*>(&error))
        return own->className();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(
        abi::__cxa_demangle(typeid(error).name(), nullptr, nullptr, &status), std::free);
    return status == 0 && name ? name.get() : typeid(error).name();
}

const std::string& applicationName() {
    return applicationSettings().name;
}

void reportByMessageBox(const std::exception& error) {
    MsgBox(String("An exception of class " + exceptionClass(error) + " was not handled:\n" + error.what() +
                  "\n\n" + applicationName() + " will quit."));
    Quit(1);
}
} // namespace

void RuntimeInit(int argc, char** argv) {
    RuntimeState& s = state();
    if (detail::toolkitStarted())
        return;
    // The program has no command line: the toolkit gets the program's name only, so that none of
    // its own options (-display, -platform, -style...) can put the windows somewhere else than the
    // display the plug-in pokes.
    s.arguments.assign(1, argc > 0 && argv && argv[0] ? argv[0] : applicationName());
    s.argv = {s.arguments[0].data(), nullptr};
    s.argc = 1;
    detail::exitUnlessDisplayOpens();
    {
        const detail::DisplayLossWatch watch;
        detail::startToolkit(s.argc, s.argv.data(), applicationName());
    }
    detail::useProgramStyle();
    detail::lookAlikeActiveOrNot();
    detail::installTerminationHandlers();
}

int RuntimeExit() {
    RuntimeState& s = state();
    if (s.app)
        s.app->_RemoveMenuHandlers();
    s.app = nullptr;
    detail::stopToolkit();
    return s.exitCode;
}

void _RuntimeInitExternalClasses() {
    try {
        loadInstalledPlugins();
    } catch (...) {
        // Dropped on purpose: start-up goes on without the plug-in, and the host has noted what
        // went wrong for the start-up report.
    }
}

// The runtime calls every function inside its own handling (dispatch): it has no use for the
// helper and keeps none.
void _RuntimeSetExceptionHelper(Ref<Delegate>) {}

Object* _CallFunctionWithExceptionHandling(void* function, void* argument) {
    dispatch([&] {
        if (!function)
            throw NilObjectException();
        reinterpret_cast<void* (*)(void*)>(function)(argument);
    });
    // What the function gives back is no object the runtime could own.
    return nullptr;
}

void _RunFrameworkInitialization(Ref<Delegate> lateStartup) {
    // Nothing of the framework's own is left to ready here: the plug-ins were loaded by
    // _RuntimeInitExternalClasses, and the program reports their problems once they are bound.
    dispatch([&] { lateStartup->invoke({}); });
}

void _RuntimeRun() {
    RuntimeState& s = state();
    if (!detail::toolkitStarted())
        throw RuntimeException("The runtime has not been initialised.");
    if (s.quitPending) {
        s.quitPending = false;
        s.terminating = false;
        return;
    }
    if (s.app && !s.appOpened) {
        s.appOpened = true;
        // Posted before the loop starts, so it is the first thing the loop delivers.
        detail::postToLoop([] {
            dispatch([] {
                if (Ref<Application> app = _GetAppObject())
                    app->Event_Open();
            });
        });
    }
    ++s.loopDepth;
    detail::runLoop();
    --s.loopDepth;
    s.quitPending = false;
    s.terminating = false;
}

void Quit(int32_t exitCode) {
    RuntimeState& s = state();
    s.exitCode = exitCode;
    s.quitPending = true;
    // Outside the loop there is nothing to end yet: _RuntimeRun sees the pending quit.
    if (s.loopDepth > 0) {
        // Boxes still up are answered as cancelled first: the loop's end would leave them
        // unanswered, which a question of the toolkit's own takes as its Yes.
        detail::endModalRuns();
        detail::exitLoop(exitCode);
    }
}

void RuntimeQuitCommand() {
    for (const Ref<Window>& window : openWindows())
        window->Close();
    // A Close event may have quit with a code of its own already.
    if (!state().quitPending)
        Quit(0);
}

void RuntimeTerminate() {
    RuntimeState& s = state();
    if (s.terminating)
        return;
    s.terminating = true;
    // Their loops return once this handler has: before the event loop runs (a start-up box)
    // nothing else would end them.
    detail::endModalRuns();
    RuntimeQuitCommand();
}

bool RuntimeQuitting() {
    return state().terminating;
}

void _UnhandledException(const std::exception& error) {
    RuntimeState& s = state();
    if (s.reporting) {
        // An exception while the report is up (its box runs the loop): the report already ends
        // the program, so this one is only written down.
        std::fprintf(stderr, "%s: %s: %s\n", applicationName().c_str(), exceptionClass(error).c_str(),
                     error.what());
        return;
    }
    s.reporting = true;
    try {
        if (s.reporter)
            s.reporter(error);
        else
            reportByMessageBox(error);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s: %s: %s (the report failed: %s)\n", applicationName().c_str(),
                     exceptionClass(error).c_str(), error.what(), failure.what());
        Quit(1);
    } catch (...) {
        std::fprintf(stderr, "%s: %s: %s (the report failed)\n", applicationName().c_str(),
                     exceptionClass(error).c_str(), error.what());
        Quit(1);
    }
    s.reporting = false;
}

void setUnhandledExceptionReporter(std::function<void(const std::exception&)> reporter) {
    state().reporter = std::move(reporter);
}

Ref<Application> _GetAppObject() {
    return state().app;
}

void _RuntimeRegisterAppObject(Ref<Application> app) {
    RuntimeState& s = state();
    if (s.app && s.app != app)
        s.app->_RemoveMenuHandlers();
    s.app = std::move(app);
    s.appOpened = false;
}

void RuntimeBackgroundTask() {
    // Nothing to do: there are no cooperative threads, and pumping events here would let a handler
    // run inside the one that yields.
}

void RuntimeAddModuleExit(void (*exit)()) {
    auto& exits = state().moduleExits;
    // Each exit runs once, however often it is added.
    if (exit && std::find(exits.begin(), exits.end(), exit) == exits.end())
        exits.push_back(exit);
}

void RuntimeRunModuleExits() {
    auto& exits = state().moduleExits;
    while (!exits.empty()) {
        void (*exit)() = exits.front();
        exits.erase(exits.begin());
        dispatch(exit);
    }
}

} // namespace fw
