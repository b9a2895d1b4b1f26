// What the suites of the program's windows share.
#pragma once

#include "AppFixture.h"
#include "tests/framework/UiTestSupport.h"

// The program as the user has it once started: the application object with its menu bindings,
// and the panel shown by the application's Open event as the loop first runs.
class RunningProgramTest : public uitest::UiTest {
  protected:
    void SetUp() override;
    // Ends the run as the user would, by closing the panel, then lets the rest go.
    void TearDown() override;

    PrefsFolder prefs;
};
