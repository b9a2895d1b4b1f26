// Test main for the program's suites that need the runtime and windows: Qt's offscreen platform,
// no display, and the program's build settings handed to the framework first, as at start-up.
#include <cstdlib>

#include <gtest/gtest.h>

#include "app/BuildSettings.h"
#include "framework/ApplicationSettings.h"
#include "framework/Runtime.h"
#include "tests/support/LeakSuppressions.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    fw::setApplicationSettings(ambrel::buildSettings());
    fw::RuntimeInit(argc, argv);
    return RUN_ALL_TESTS();
}
