// The runtime: the event loop and quitting, the exception boundary, start-up reports, module exits.
#include <algorithm>
#include <csignal>

#include "framework/MessageDialog.h"
#include "framework/TestHooks.h"
#include "tests/framework/LoggedWindow.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/Inspect.h"

namespace {

using uitest::LoggedWindow;
using uitest::runLoop;
using uitest::timer;

class RuntimeLoop : public uitest::WindowTest {};

class OtherWindow : public TestObject<OtherWindow, LoggedWindow> {
  public:
    static fw::ClassRecord describe() {
        return {.name = "OtherWindow.OtherWindow",
                .super = &LoggedWindow::Class(),
                .create = fw::factoryOf<OtherWindow>()};
    }
    void Event_Close() override { LoggedWindow::log.push_back("Close other"); }
};

class LoggedApp : public TestObject<LoggedApp, fw::Application> {
  public:
    static fw::ClassRecord describe() {
        return {
            .name = "LoggedApp", .super = &fw::Application::Class(), .create = fw::factoryOf<LoggedApp>()};
    }
    void Event_Open() override { LoggedWindow::log.push_back("App Open"); }
};

TEST_F(RuntimeLoop, QuitBeforeTheLoopRunsMakesItReturnAtOnce) {
    bool ticked = false;
    fw::Ref<fw::Timer> t = timer(fw::Timer::ModeSingle, 1, [&] { ticked = true; });

    fw::Quit(0);
    fw::_RuntimeRun();

    EXPECT_FALSE(ticked);
    EXPECT_FALSE(runLoop(50)) << "the quit was used up: the next run waits for the next quit";
    EXPECT_TRUE(ticked);
}

TEST_F(RuntimeLoop, ApplicationOpenIsTheLoopsFirstEventAndComesOnce) {
    fw::_RuntimeRegisterAppObject(fw::checkCast<fw::Application>(fw::RuntimeNewObject(LoggedApp::Class())));
    fw::Ref<fw::Timer> t = timer(fw::Timer::ModeSingle, 1, [] {
        LoggedWindow::log.push_back("tick");
        fw::Quit(0);
    });
    ASSERT_TRUE(runLoop());
    t->setMode(fw::Timer::ModeSingle);
    ASSERT_TRUE(runLoop());

    EXPECT_EQ(LoggedWindow::log, (std::vector<std::string>{"App Open", "tick", "tick"}));
}

TEST_F(RuntimeLoop, QuitCommandClosesTheOpenWindowsFrontToBackThenEndsTheLoop) {
    fw::Ref<LoggedWindow> back = fw::implicitInstance<LoggedWindow>();
    back->Show();
    fw::Ref<OtherWindow> front = fw::implicitInstance<OtherWindow>();
    front->Show();
    fw::Ref<fw::Timer> t = timer(fw::Timer::ModeSingle, 1, [] { fw::RuntimeQuitCommand(); });

    ASSERT_TRUE(runLoop());

    EXPECT_FALSE(back->isOpen());
    EXPECT_FALSE(front->isOpen());
    EXPECT_TRUE(fw::openWindows().empty());
    const auto closes = std::vector<std::string>(LoggedWindow::log.end() - 2, LoggedWindow::log.end());
    EXPECT_EQ(closes, (std::vector<std::string>{"Close other", "Close"}));
}

TEST_F(RuntimeLoop, TerminationSignalsQuitLikeTheQuitCommand) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        LoggedWindow::log.clear();
        fw::Ref<LoggedWindow> panel = fw::implicitInstance<LoggedWindow>();
        panel->Show();
        fw::Ref<fw::Timer> t = timer(fw::Timer::ModeSingle, 1, [signal] { raise(signal); });

        ASSERT_TRUE(runLoop()) << "signal " << signal;
        EXPECT_FALSE(panel->isOpen());
        EXPECT_EQ(LoggedWindow::log.back(), "Close");
    }
}

// Each kind of box the framework runs modally, shown for real.
const struct {
    const char* what;
    void (*show)();
} kRealBoxes[] = {
    {"message box", [] { fw::MsgBox("Under the box"); }},
    {"message dialog", [] { fw::make<fw::MessageDialog>()->ShowModal(); }},
};

TEST_F(RuntimeLoop, ATerminationSignalUnderABoxQuitsAndTheHandlerBeneathOpensNothing) {
    fw::setMessagePresenter(nullptr);
    for (const auto& box : kRealBoxes) {
        for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
            const std::string what = std::string(box.what) + ", signal " + std::to_string(signal);
            LoggedWindow::log.clear();
            fw::Ref<LoggedWindow> panel = fw::implicitInstance<LoggedWindow>();
            panel->Show();
            bool signalled = false, carriedOn = false;
            fw::Ref<OtherWindow> opened;
            fw::Ref<fw::Timer> underTheBox = timer(fw::Timer::ModeMultiple, 5, [&] {
                if (!signalled && fw::inspect::modalBox().present) {
                    signalled = true;
                    raise(signal);
                }
            });
            // A handler that shows a box and, once it returns, opens a window and shows another box.
            fw::Ref<fw::Timer> handler = timer(fw::Timer::ModeSingle, 1, [&] {
                box.show();
                carriedOn = true;
                opened = fw::implicitInstance<OtherWindow>();
                opened->Show();
                opened->SetFocus();
                box.show();
                opened->Close();
            });

            ASSERT_TRUE(runLoop()) << what << ": the box held the quit up";
            underTheBox->setMode(fw::Timer::ModeOff);
            EXPECT_TRUE(signalled) << what;
            EXPECT_TRUE(carriedOn) << what;
            EXPECT_FALSE(panel->isOpen()) << what;
            ASSERT_TRUE(opened) << what;
            EXPECT_FALSE(opened->isOpen() || opened->isShown()) << what;
            EXPECT_TRUE(fw::openWindows().empty()) << what;
            EXPECT_FALSE(fw::inspect::modalBox().present) << what;
            // The panel closed as with the quit command, and nothing was built after it.
            EXPECT_EQ(LoggedWindow::log.back(), "Close")
                << what << ": " << testing::PrintToString(LoggedWindow::log);
            EXPECT_EQ(std::count(LoggedWindow::log.begin(), LoggedWindow::log.end(), "Layout"), 1) << what;
            EXPECT_FALSE(fw::RuntimeQuitting()) << what << ": the quit outlived its loop";
        }
    }
}

TEST_F(RuntimeLoop, WindowThatQuitsInItsCloseEventEndsTheLoopOnce) {
    LoggedWindow::onClose = [](LoggedWindow&) { fw::Quit(0); };
    fw::Ref<LoggedWindow> panel = fw::implicitInstance<LoggedWindow>();
    panel->Show();
    fw::Ref<fw::Timer> t = timer(fw::Timer::ModeSingle, 1, [&] { fw::inspect::clickCloseBox(*panel); });

    ASSERT_TRUE(runLoop());
    EXPECT_FALSE(panel->isOpen());
    EXPECT_FALSE(runLoop(50)) << "no quit is left over for the next run";
}

TEST_F(RuntimeLoop, UnhandledExceptionByDefaultNamesItsClassInAMessageBoxAndQuits) {
    fw::setUnhandledExceptionReporter(nullptr);

    fw::dispatch([] { throw fw::NilObjectException(); });

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("NilObjectException"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("A nil object was used."), std::string::npos) << messages[0];
    bool ticked = false;
    fw::Ref<fw::Timer> t = timer(fw::Timer::ModeSingle, 1, [&] { ticked = true; });
    fw::_RuntimeRun();
    EXPECT_FALSE(ticked) << "the report quit the program";
}

TEST_F(RuntimeLoop, CallWithExceptionHandlingPassesTheArgumentAndReportsWhatItRaises) {
    int argument = 41;
    auto increment = +[](void* p) -> void* {
        ++*static_cast<int*>(p);
        return nullptr;
    };
    auto raise = +[](void*) -> void* { throw fw::RuntimeException("raised inside"); };

    EXPECT_EQ(fw::_CallFunctionWithExceptionHandling(reinterpret_cast<void*>(increment), &argument), nullptr);
    EXPECT_EQ(argument, 42);
    EXPECT_EQ(fw::_CallFunctionWithExceptionHandling(reinterpret_cast<void*>(raise), nullptr), nullptr);
    EXPECT_EQ(unhandled, std::vector<std::string>{"raised inside"});
}

TEST_F(RuntimeLoop, LateStartupThatRaisesIsReported) {
    fw::_RunFrameworkInitialization(fw::RuntimeCreateDelegate(
        [](fw::Object*, fw::Arguments) -> fw::Value { throw fw::RuntimeException("late failed"); }, nullptr,
        "(  )", false));

    EXPECT_EQ(unhandled, std::vector<std::string>{"late failed"});
}

std::vector<std::string> exitsRun;
void firstExit() {
    exitsRun.push_back("first");
}
void secondExit() {
    exitsRun.push_back("second");
}

TEST_F(RuntimeLoop, ModuleExitsRunInTheOrderAddedEachOnce) {
    exitsRun.clear();
    fw::RuntimeAddModuleExit(&firstExit);
    fw::RuntimeAddModuleExit(&secondExit);
    fw::RuntimeAddModuleExit(&firstExit);

    fw::RuntimeRunModuleExits();
    fw::RuntimeRunModuleExits();

    EXPECT_EQ(exitsRun, (std::vector<std::string>{"first", "second"}));
}

} // namespace
