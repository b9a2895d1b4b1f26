#include "tests/update/UpdateFixture.h"

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/Startup.h"
#include "framework/Menu.h"
#include "framework/TestHooks.h"
#include "tests/support/Inspect.h"

void UpdateTest::SetUp() {
    UiTest::SetUp();
    setUpProgramOnce();
    ambrel::_NewAppInstance();
    ambrel::_ApplicationAddMenuHandlers();
    fw::setURLPresenter([this](const fw::String& url) { urls.push_back(url.bytes()); });
    fw::setModalPresenter([this](fw::MessageDialog& d) {
        dialogs.push_back({d.Title().bytes(), d.Message().bytes(), d.Explanation().bytes(), d.Icon(),
                           d.ActionButton()->Caption().bytes(), d.CancelButton()->Caption().bytes(),
                           d.AlternateActionButton()->Caption().bytes(), d.ActionButton()->Visible(),
                           d.CancelButton()->Visible(), d.AlternateActionButton()->Visible()});
        switch (answer) {
        case Answer::Action:
            return d.ActionButton();
        case Answer::Alternate:
            return d.AlternateActionButton();
        case Answer::Cancel:
            break;
        }
        return d.CancelButton();
    });
}

void UpdateTest::TearDown() {
    fw::setModalPresenter(nullptr);
    fw::setURLPresenter(nullptr);
    fw::setHTTPConnectTarget("", 0);
    for (const char* name : {"updateWindow.updateWindow", "selfTest.selfTest"})
        if (fw::Ref<fw::Window> open = fw::_GetImplicitWindow(name))
            open->Close();
    closePanel();
    // The panel's Close asked to quit: let that quit end an empty loop here, not the next test's.
    uitest::runLoop(10);
    UiTest::TearDown();
}

void UpdateTest::checkNow() {
    fw::Ref<fw::MenuItem> item = ::MenuBar1()->_Lookup("CheckforUpdateCheckNow");
    ASSERT_TRUE(item);
    ASSERT_TRUE(fw::routeMenuCommand(::Window1().get(), *item)) << "Check Now is served";
}

fw::Ref<ambrel::updateWindow> UpdateTest::startCheck(LoopbackHTTPServer& server) {
    fw::setHTTPConnectTarget("127.0.0.1", server.port());
    checkNow();
    fw::Ref<fw::Window> self = fw::_GetImplicitWindow("selfTest.selfTest");
    if (!self)
        return nullptr;
    fw::inspect::pressKey(*self, fw::inspect::Key::Return);
    return fw::checkCast<ambrel::updateWindow>(fw::_GetImplicitWindow("updateWindow.updateWindow"));
}

bool UpdateTest::waitForTheEnd(int32_t bound) {
    const std::size_t before = dialogs.size();
    return uitest::runUntil([&] { return !isOpen("updateWindow.updateWindow") || dialogs.size() > before; },
                            bound);
}

bool UpdateTest::isOpen(const char* fullClassName) {
    return static_cast<bool>(fw::_GetImplicitWindow(fullClassName));
}

std::string UpdateTest::errorMessage(int32_t code) {
    return "There was a communication error with the website. Please try again later. (Code: " +
           std::to_string(code) + ")";
}
