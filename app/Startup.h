// Start-up and shutdown, in the order they run.
#pragma once

namespace ambrel {

// Every class record, framework classes first, then the program's; creates the directive list.
void runClassSetupList();
void _Main();
void _EarlyStartup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
void _LateStartup();
void _MakeDefaultView();
// Releases the module globals, window lists first.
void runModuleExitList();

// The process entry's steps: runtime, classes, _Main, exits; returns the exit status.
int runApplication(int argc, char** argv);

} // namespace ambrel
