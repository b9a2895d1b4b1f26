// Dialogs: the presenters tests answer them through, the real message dialog on the screen, and
// the safety of the nested loop that modal boxes run.
#include "framework/MessageDialog.h"
#include "framework/Properties.h"
#include "framework/PushButton.h"
#include "framework/TestHooks.h"
#include "tests/framework/LoggedWindow.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/EnvironmentGuard.h"
#include "tests/support/Inspect.h"
#include "tests/support/ScratchFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace {

using fw::inspect::Key;
using uitest::LoggedWindow;

class Dialogs : public uitest::WindowTest {
  protected:
    void TearDown() override {
        fw::setModalPresenter(nullptr);
        fw::setURLPresenter(nullptr);
        WindowTest::TearDown();
    }

    // Runs `act` from a one-off timer once the loop is running, so that boxes it shows run their
    // nested loops inside the test's own.
    void runInLoop(std::function<void()> act) {
        bool done = false;
        fw::Ref<fw::Timer> starter = uitest::timer(fw::Timer::ModeSingle, 1, [&] {
            act();
            done = true;
        });
        EXPECT_TRUE(uitest::runUntil([&] { return done; }, 10000));
    }

    // Does `step` from a repeating timer while a modal box is up, once each time the box is
    // in front; used to answer boxes that really show.
    fw::Ref<fw::Timer> whileABoxIsUp(std::function<void(const fw::inspect::ModalView&)> step) {
        return uitest::timer(fw::Timer::ModeMultiple, 10, [step = std::move(step)] {
            const fw::inspect::ModalView box = fw::inspect::modalBox();
            if (box.present)
                step(box);
        });
    }

    fw::Ref<fw::MessageDialog> newVersionDialog() {
        fw::Ref<fw::MessageDialog> d = fw::make<fw::MessageDialog>();
        d->setTitle("New version available!");
        d->setMessage("Version 1.4.0 is now available.");
        d->setExplanation("<b>Faster</b> &amp; smaller\nSecond line");
        d->CancelButton()->setVisible(true);
        d->AlternateActionButton()->setCaption("Go to Website");
        d->AlternateActionButton()->setVisible(true);
        d->setIcon(fw::MessageDialog::IconQuestion);
        return d;
    }
};

TEST_F(Dialogs, AMessageDialogsButtonsAreTheSameObjectsOnEveryReadWithTheirDefaults) {
    fw::Ref<fw::MessageDialog> d = fw::make<fw::MessageDialog>();
    EXPECT_EQ(d->ActionButton(), d->ActionButton());
    EXPECT_EQ(d->CancelButton(), d->CancelButton());
    EXPECT_EQ(d->AlternateActionButton(), d->AlternateActionButton());
    EXPECT_EQ(d->ActionButton()->Caption().bytes(), "OK");
    EXPECT_TRUE(d->ActionButton()->Visible());
    EXPECT_EQ(d->CancelButton()->Caption().bytes(), "Cancel");
    EXPECT_FALSE(d->CancelButton()->Visible());
    EXPECT_FALSE(d->AlternateActionButton()->Visible());
}

TEST_F(Dialogs, PresentersAnswerShowModalAndRecordShowURL) {
    std::vector<std::string> urls;
    fw::setURLPresenter([&](const fw::String& u) { urls.push_back(u.bytes()); });
    fw::Ref<fw::MessageDialog> d = newVersionDialog();
    std::string seen;
    fw::setModalPresenter([&](fw::MessageDialog& shown) {
        seen = shown.Message().bytes();
        return shown.AlternateActionButton();
    });

    EXPECT_EQ(d->ShowModal(), d->AlternateActionButton());
    fw::ShowURL("https://example.org/");

    EXPECT_EQ(seen, "Version 1.4.0 is now available.");
    EXPECT_EQ(urls, std::vector<std::string>{"https://example.org/"});
}

// No child of this process is left, reaped or not: an opener that ended has been heard of.
bool noChildren() {
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream children(task.path() / "children");
        std::string any;
        if (children >> any)
            return false;
    }
    return true;
}

// ShowURL with the desktop's own opener, xdg-open, as the PATH finds it: a fake of the test's own.
TEST_F(Dialogs, AnAddressNoProgramOpensIsShownInABox) {
    EnvironmentGuard path({"PATH"});
    const struct {
        const char* what;
        const char* opener; // the fake xdg-open's script; none on the PATH when null
        std::string reason; // on the error output; empty when the address opens
    } cases[] = {
        {"no xdg-open on the PATH", nullptr, "no xdg-open on the PATH"},
        {"an xdg-open that cannot be started", "#!/nonexistent/interpreter\n",
         "xdg-open could not be started: "},
        {"an xdg-open that fails", "#!/bin/sh\nprintf %s \"$1\" > \"$0.seen\"\nexit 3\n",
         "xdg-open exited with status 3"},
        {"an xdg-open that is killed", "#!/bin/sh\nprintf %s \"$1\" > \"$0.seen\"\nkill -9 $$\n",
         "xdg-open was ended by signal 9"},
        {"an xdg-open that opens it", "#!/bin/sh\nprintf %s \"$1\" > \"$0.seen\"\n", ""},
    };
    const std::string address = "mailto:author@ambrel.example?subject=<Ambrel>";
    for (const auto& c : cases) {
        ScratchFolder bin;
        if (c.opener) {
            std::ofstream(bin.file("xdg-open")) << c.opener;
            ::chmod(bin.file("xdg-open").c_str(), 0755);
        }
        EnvironmentGuard::set("PATH", bin.path().c_str());
        messages.clear();
        testing::internal::CaptureStderr();
        fw::ShowURL(fw::String(address));
        EXPECT_TRUE(messages.empty()) << c.what << ": ShowURL returns before any box";
        if (c.reason.empty())
            EXPECT_TRUE(uitest::runUntil(noChildren, 10000)) << c.what << ": the opener did not end";
        else
            EXPECT_TRUE(uitest::runUntil([&] { return !messages.empty(); }, 10000)) << c.what << ": no box";
        const std::string errors = testing::internal::GetCapturedStderr();
        if (c.opener && std::string(c.opener).find("seen") != std::string::npos) {
            std::ifstream seen(bin.file("xdg-open.seen"));
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(seen), {}), address) << c.what;
        }
        if (c.reason.empty()) {
            EXPECT_TRUE(messages.empty()) << c.what << ": " << testing::PrintToString(messages);
            EXPECT_EQ(errors, "") << c.what;
            continue;
        }
        ASSERT_EQ(messages.size(), 1u) << c.what;
        EXPECT_EQ(messages[0], "No program on this computer could open this address:\n\n" + address +
                                   "\n\nYou can type it into your web browser or mail program yourself.")
            << c.what;
        EXPECT_NE(errors.find("could not open " + address + ": " + c.reason), std::string::npos)
            << c.what << ": " << errors;
    }
}

// "NAME=value" entries separated by NULs, as /proc holds a process's environment.
std::map<std::string, std::string> environmentIn(const std::string& file) {
    std::ifstream in(file);
    std::map<std::string, std::string> variables;
    for (std::string entry; std::getline(in, entry, '\0');)
        if (const size_t equals = entry.find('='); equals != std::string::npos)
            variables[entry.substr(0, equals)] = entry.substr(equals + 1);
    return variables;
}

// What the framework sets for the toolkit and the spelling library is its own: the opener gets the
// user's values of those variables (as this process was started with them), and the rest of the
// environment as it is now.
TEST_F(Dialogs, TheOpenerGetsTheUsersEnvironment) {
    EnvironmentGuard path({"PATH"});
    ScratchFolder bin;
    std::ofstream(bin.file("xdg-open")) << "#!/bin/sh\n/usr/bin/env -0 > \"$0.env\"\n";
    ::chmod(bin.file("xdg-open").c_str(), 0755);
    EnvironmentGuard::set("PATH", bin.path().c_str());
    fw::ShowURL(fw::String("https://ambrel.example/"));
    ASSERT_TRUE(uitest::runUntil(noChildren, 10000));
    std::map<std::string, std::string> seen = environmentIn(bin.file("xdg-open.env"));
    std::map<std::string, std::string> started = environmentIn("/proc/self/environ");
    EXPECT_EQ(seen["PATH"], bin.path().string());
    for (const char* own : {"QT_XCB_NO_MITSHM", "ENCHANT_CONFIG_DIR"})
        EXPECT_EQ(seen.count(own) ? seen[own] : "(unset)", started.count(own) ? started[own] : "(unset)")
            << own;
    EXPECT_TRUE(messages.empty()) << testing::PrintToString(messages);
}

// The real dialog on the offscreen screen: what it shows, and what each way of leaving it answers.
TEST_F(Dialogs, TheRealMessageDialogShowsPlainTextAndAnswersTheButtonPressed) {
    const struct {
        const char* how;
        std::function<void()> press;
        fw::Ref<fw::MessageDialogButton> (fw::MessageDialog::*expected)() const;
    } cases[] = {
        {"OK", [] { fw::inspect::pressModalButton("OK"); }, &fw::MessageDialog::ActionButton},
        {"Cancel", [] { fw::inspect::pressModalButton("Cancel"); }, &fw::MessageDialog::CancelButton},
        {"Go to Website", [] { fw::inspect::pressModalButton("Go to Website"); },
         &fw::MessageDialog::AlternateActionButton},
        {"Return", [] { fw::inspect::pressModalKey(Key::Return); }, &fw::MessageDialog::ActionButton},
        {"Escape", [] { fw::inspect::pressModalKey(Key::Escape); }, &fw::MessageDialog::CancelButton},
        {"close box", [] { fw::inspect::closeModalBox(); }, &fw::MessageDialog::CancelButton},
    };
    for (const auto& c : cases) {
        fw::Ref<fw::MessageDialog> d = newVersionDialog();
        fw::inspect::ModalView shown;
        fw::Ref<fw::Timer> answer = whileABoxIsUp([&](const fw::inspect::ModalView& box) {
            shown = box;
            c.press();
        });
        fw::Ref<fw::MessageDialogButton> pressed;
        runInLoop([&] { pressed = d->ShowModal(); });
        answer->setMode(fw::Timer::ModeOff);

        EXPECT_EQ(pressed, ((*d).*c.expected)()) << c.how;
        EXPECT_EQ(shown.title.bytes(), "New version available!");
        EXPECT_EQ(shown.message.bytes(), "Version 1.4.0 is now available.");
        EXPECT_EQ(shown.explanation.bytes(), "<b>Faster</b> &amp; smaller\nSecond line");
        EXPECT_EQ(shown.buttons, (std::vector<fw::String>{"Go to Website", "Cancel", "OK"}));
        EXPECT_EQ(shown.defaultButton.bytes(), "OK");
    }
}

TEST_F(Dialogs, TheRealMessageBoxShowsItsTextPlain) {
    fw::setMessagePresenter(nullptr);
    fw::inspect::ModalView shown;
    fw::Ref<fw::Timer> answer = whileABoxIsUp([&](const fw::inspect::ModalView& box) {
        shown = box;
        fw::inspect::pressModalKey(Key::Return);
    });
    runInLoop([] { fw::MsgBox("<i>a</i> &amp; b\nnext"); });
    EXPECT_EQ(shown.message.bytes(), "<i>a</i> &amp; b\nnext");
}

// The nested loop of a waiting box goes on running timers (the panel keeps counting) while the
// windows behind get no input.
TEST_F(Dialogs, WhileABoxWaitsTimersRunAndTheWindowsBehindGetNoInput) {
    fw::setMessagePresenter(nullptr);
    fw::Ref<LoggedWindow> behind = fw::implicitInstance<LoggedWindow>();
    behind->Show();
    fw::Ref<fw::CheckBox> box = behind->control<fw::CheckBox>("Box");
    const int32_t stateBefore = box->State();
    std::vector<std::string> menuCalls;

    int ticks = 0;
    fw::Ref<fw::Timer> counter = uitest::timer(fw::Timer::ModeMultiple, 5, [&] { ++ticks; });
    fw::Ref<fw::Timer> answer = whileABoxIsUp([&](const fw::inspect::ModalView&) {
        if (ticks < 5)
            return;
        fw::inspect::clickAt(*box);
        fw::inspect::pressKey(*behind, Key::Space);
        fw::inspect::clickCloseBox(*behind);
        fw::inspect::pressModalButton("OK");
    });
    runInLoop([] { fw::MsgBox("Waiting"); });

    EXPECT_GE(ticks, 5);
    EXPECT_EQ(box->State(), stateBefore) << "neither the click nor the key reached the box behind";
    EXPECT_TRUE(behind->isOpen()) << "nor the close box";
    EXPECT_EQ(std::count(LoggedWindow::log.begin(), LoggedWindow::log.end(), "Close"), 0);
}

TEST_F(Dialogs, NoHandlerIsEnteredAgainWhileItWaitsInABox) {
    fw::setMessagePresenter(nullptr);
    fw::Ref<fw::PushButton> button = fw::make<fw::PushButton>();
    int entries = 0, inside = 0, mostInside = 0;
    fw::RuntimeAddEventHandler(*button, fw::kPushButtonAction, fw::_EventStub(fw::kPushButtonAction),
                               uitest::call(
                                   [&] {
                                       ++entries;
                                       mostInside = std::max(mostInside, ++inside);
                                       if (entries == 1)
                                           fw::MsgBox("First press");
                                       --inside;
                                   },
                                   "( PushButton )"));
    int looks = 0;
    fw::Ref<fw::Timer> answer = whileABoxIsUp([&](const fw::inspect::ModalView&) {
        button->Push(); // a second press while the first still waits
        if (++looks == 3)
            fw::inspect::pressModalButton("OK");
    });
    runInLoop([&] { button->Push(); });
    answer->setMode(fw::Timer::ModeOff);
    button->Push();

    EXPECT_EQ(mostInside, 1);
    EXPECT_EQ(entries, 2) << "the presses made while the first waited were dropped; a later one is not";
}

TEST_F(Dialogs, AWindowClosedWhileABoxWaitsReceivesNothingAfterwards) {
    fw::setMessagePresenter(nullptr);
    fw::Ref<LoggedWindow> window = fw::implicitInstance<LoggedWindow>();
    fw::Ref<fw::Timer> ticker = window->control<fw::Timer>("Ticker");
    int ticks = 0;
    fw::RuntimeAddEventHandler(*ticker, fw::kTimerAction, fw::_EventStub(fw::kTimerAction),
                               uitest::call([&] { ++ticks; }));
    fw::Ref<fw::PopupMenu> popup = window->control<fw::PopupMenu>("Popup");
    int changes = 0;
    fw::RuntimeAddEventHandler(*popup, fw::kPopupMenuChange, fw::_EventStub(fw::kPopupMenuChange),
                               uitest::call([&] { ++changes; }, "( PopupMenu )"));

    fw::Ref<fw::Timer> answer = whileABoxIsUp([&](const fw::inspect::ModalView&) {
        window->Close();
        fw::inspect::pressModalButton("OK");
    });
    runInLoop([] { fw::MsgBox("Waiting"); });

    EXPECT_FALSE(window->isOpen());
    EXPECT_THROW(popup->setListIndex(2), fw::NilObjectException) << "as for a window that has gone";
    ticker->setPeriod(5);
    ticker->setMode(fw::Timer::ModeMultiple);
    EXPECT_TRUE(uitest::runPast(50));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(ticks, 0);
}

} // namespace
