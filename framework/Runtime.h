// The runtime: start-up, the event loop, quitting, the exception boundary and module exits.
#pragma once

#include <cstdint>
#include <exception>

#include "framework/Delegate.h"
#include "framework/Forward.h"
#include "framework/Object.h"

namespace fw {

// Initialises the runtime (and the toolkit underneath) for this process. The toolkit is given the
// program's name only. Without a usable display on the X platform it says so in one line and
// exits with status 1.
void RuntimeInit(int argc, char** argv);
// Tears the runtime down; the result is the process exit status (the code given to Quit).
int RuntimeExit();

// Readies the classes of the loaded plug-ins: loads the modules from the application's own folder
// and lets each register its classes. Failures are kept for the start-up report, never thrown.
void _RuntimeInitExternalClasses();

// The exception helper the runtime calls functions through: "( Ptr, Ptr ) as Object".
void _RuntimeSetExceptionHelper(Ref<Delegate> helper);
Object* _CallFunctionWithExceptionHandling(void* function, void* argument);

// Completes the framework's initialisation; as its last step calls the late start-up delegate.
void _RunFrameworkInitialization(Ref<Delegate> lateStartup);

// Runs the event loop until Quit. Raises the application's Open event once, first thing.
void _RuntimeRun();
// Ends the event loop with the exit code; windows still open are left for the exit list.
void Quit(int32_t exitCode = 0);
// The standard quit command: closes the open windows (running their Close events), then quits.
void RuntimeQuitCommand();
// A request from outside to end the program (SIGTERM at log-out, SIGINT): the quit command at any
// moment, also while modal boxes or dialogs run, which end as if cancelled. From then on the
// runtime is quitting until its loop has returned.
void RuntimeTerminate();
// A termination is under way: no window opens (Window.Constructor builds nothing, so Show, Close
// and SetFocus on it do nothing) and no modal box shows, whatever the handlers beneath the ended
// boxes go on to do.
bool RuntimeQuitting();

// Reports an exception that no handler caught, then quits with a non-zero status.
void _UnhandledException(const std::exception& error);

// The exception boundary around every call from the toolkit into framework or program code: no
// exception ever crosses a toolkit frame.
template <class F> void dispatch(F&& f) noexcept {
    try {
        f();
    } catch (const std::exception& e) {
        _UnhandledException(e);
    } catch (...) {
        _UnhandledException(std::runtime_error("An unknown exception was raised."));
    }
}

Ref<Application> _GetAppObject();
void _RuntimeRegisterAppObject(Ref<Application> app);

// The loop yield. There are no cooperative threads here, and it never pumps events: a handler
// must never run inside another.
void RuntimeBackgroundTask();

// Module exits, run in the order they were added by RuntimeRunModuleExits.
void RuntimeAddModuleExit(void (*exit)());
void RuntimeRunModuleExits();

} // namespace fw
