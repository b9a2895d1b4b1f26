#include "RunningProgram.h"

#include "app/Startup.h"

void RunningProgramTest::SetUp() {
    UiTest::SetUp();
    setUpProgramOnce();
    ambrel::_NewAppInstance();
    ambrel::_ApplicationAddMenuHandlers();
    EXPECT_TRUE(uitest::runUntil([] { return ::Window1()->isShown(); }));
}

void RunningProgramTest::TearDown() {
    if (fw::_GetImplicitWindow("Window1.Window1")) {
        closePanel();
        fw::_RuntimeRun(); // returns at once: closing the panel quits
    }
    UiTest::TearDown(); // closes the windows left open, drops the application and its bindings
}
