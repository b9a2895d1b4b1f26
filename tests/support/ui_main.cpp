// Test main for suites that need the runtime and windows: Qt's offscreen platform, no display.
#include <cstdlib>

#include <gtest/gtest.h>

#include "framework/Runtime.h"
#include "tests/support/LeakSuppressions.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    fw::RuntimeInit(argc, argv);
    return RUN_ALL_TESTS();
}
