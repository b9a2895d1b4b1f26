// What the update suites share: the program set up, a loopback server standing in for the
// vendor's, and the boxes, dialogs and addresses of a check recorded and answered.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/MessageDialog.h"
#include "tests/app/AppFixture.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/LoopbackHTTPServer.h"
#include "update/selfTest.h"
#include "update/updateWindow.h"

// A new-version dialog as the program filled it in when it was shown.
struct ShownDialog {
    std::string title, message, explanation;
    int32_t icon = 0;
    std::string actionCaption, cancelCaption, alternateCaption;
    bool actionVisible = false, cancelVisible = false, alternateVisible = false;
};

class UpdateTest : public uitest::UiTest {
  protected:
    enum class Answer { Action, Cancel, Alternate };

    void SetUp() override;
    void TearDown() override;

    // "Check Now", as the menu routes it.
    void checkNow();
    // Check Now, then Return in the Self Test window: the update window opens and asks `server`.
    // Returns the update window (nil if none opened).
    fw::Ref<ambrel::updateWindow> startCheck(LoopbackHTTPServer& server);
    // Waits until the check has ended (no update window) or has shown the dialog.
    bool waitForTheEnd(int32_t boundMilliseconds = 20000);
    static bool isOpen(const char* fullClassName);

    // The message of the communication error with the code.
    static std::string errorMessage(int32_t code);
    static constexpr const char* kCurrentMessage =
        "You are using the current version. No update is available.";

    PrefsFolder prefs;
    Answer answer = Answer::Cancel;
    std::vector<ShownDialog> dialogs;
    std::vector<std::string> urls;
};
