// The plug-in's own sources are linked into this suite: bind them as the host would a module.
#include "AppFixture.h"
#include "app/Startup.h"
#include "app/TolvaneVrek.h"
#include "framework/TestHooks.h"

void setUpProgramOnce() {
    static bool done = [] {
        ambrel::runClassSetupList();
        REALPluginMain(&fw::hostResolver);
        ambrel::_InitPluginEntrypoints();
        return true;
    }();
    (void)done;
}
