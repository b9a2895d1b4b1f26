// The update check from "Check Now" to its end, against a loopback server answering for the
// vendor's host: every ending, the documents, and the windows on the way.
#include "app/App.h"
#include "builders/VendorHost.h"
#include "framework/HTTPSocket.h"
#include "framework/TestHooks.h"
#include "tests/support/Inspect.h"
#include "tests/update/UpdateFixture.h"
#include "update/updateWindow.h"

namespace {

using Reply = LoopbackHTTPServer::Reply;

std::string page(const std::string& body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

std::string document(const std::string& version, const std::string& free = "Yes",
                     const std::string& description = "Faster pokes.") {
    return "<?xml version=\"1.0\"?><Update><CurrentVersion>" + version + "</CurrentVersion><Description>" +
           description + "</Description><Free>" + free + "</Free></Update>";
}

std::string offer(const std::string& version, bool isFree) {
    return "Version " + version + " is now available. (You are using version 1.3.0.) " +
           (isFree
                ? "This is a free upgrade. Would you like to automatically download this update (using your "
                  "web browser)?"
                : "This is a paid upgrade. Would you like to automatically download the trial version (using "
                  "your web browser)?");
}

std::string host() {
    return ambrel::kVendorHost;
}

class UpdateCheck : public UpdateTest {
  protected:
    void SetUp() override {
        UpdateTest::SetUp();
        ASSERT_EQ(::App()->ShortVersion().bytes(), "1.3.0") << "the cases below are written for 1.3.0";
    }
    // No window of the check is left, and the panel is in front.
    void expectEnded(const std::string& what) {
        EXPECT_FALSE(isOpen("updateWindow.updateWindow")) << what;
        EXPECT_FALSE(isOpen("selfTest.selfTest")) << what;
    }
};

// How a check ends, for each reply of the server.
enum class Ending { Current, Offered, Error, Silent };

struct DocumentCase {
    const char* what;
    Reply reply;
    Ending ending;
    std::string detail; // the offer's message, or the error's message
};

TEST_F(UpdateCheck, EachReplyEndsTheCheckItsOwnWay) {
    const std::string notADocument = errorMessage(ambrel::kNotAnUpdateDocument);
    const std::vector<DocumentCase> cases = {
        {"same version", {.bytes = page(document("1.3.0"))}, Ending::Current, ""},
        {"fields compared as numbers", {.bytes = page(document("01.3.00"))}, Ending::Current, ""},
        {"a field's number is what it begins with",
         {.bytes = page(document("1.3.0b2"))},
         Ending::Current,
         ""},
        {"the first of two versions",
         {.bytes = page(document("1.3.0") + "<CurrentVersion>2.0.0</CurrentVersion>")},
         Ending::Current,
         ""},
        {"no status line", {.bytes = document("1.3.0")}, Ending::Current, ""},
        {"pretty-printed, the version on a line of its own",
         {.bytes = page("<Update>\r\n  <CurrentVersion>\r\n    1.3.0\r\n  </CurrentVersion>\n</Update>\n")},
         Ending::Current,
         ""},
        {"length above the body, then close",
         {.bytes = "HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n" + document("1.3.0")},
         Ending::Current,
         ""},
        {"one byte every 50 ms",
         {.bytes = "<CurrentVersion>1.3.0</CurrentVersion>", .chunkSize = 1, .chunkPauseMs = 50},
         Ending::Current,
         ""},
        {"newer bug-fix release", {.bytes = page(document("1.3.1"))}, Ending::Offered, offer("1.3.1", true)},
        {"older version offered too",
         {.bytes = page(document("1.2.9"))},
         Ending::Offered,
         offer("1.2.9", true)},
        {"new major version", {.bytes = page(document("2.0.0"))}, Ending::Offered, offer("2.0.0", true)},
        {"free in small letters",
         {.bytes = page(document("1.4.0", "yes"))},
         Ending::Offered,
         offer("1.4.0", true)},
        {"not free", {.bytes = page(document("1.4.0", "No"))}, Ending::Offered, offer("1.4.0", false)},
        {"free left empty", {.bytes = page(document("1.4.0", ""))}, Ending::Offered, offer("1.4.0", false)},
        {"a blank before Yes",
         {.bytes = page(document("1.4.0", " Yes"))},
         Ending::Offered,
         offer("1.4.0", false)},
        {"no Free element",
         {.bytes = page("<CurrentVersion>1.4.0</CurrentVersion>")},
         Ending::Offered,
         offer("1.4.0", false)},
        {"empty body", {.bytes = page("")}, Ending::Silent, ""},
        {"closed before any byte", {.bytes = ""}, Ending::Silent, ""},
        {"a 404 page",
         {.bytes = "HTTP/1.0 404 Not Found\r\n\r\n<html><body>Not Found</body></html>"},
         Ending::Error,
         notADocument},
        {"a login page",
         {.bytes = page("<html><form>Sign in to the network</form></html>")},
         Ending::Error,
         notADocument},
        {"no end tag", {.bytes = page("<CurrentVersion>1.4.0")}, Ending::Error, notADocument},
        {"a version that is no number", {.bytes = page(document("latest"))}, Ending::Error, notADocument},
        {"an empty version", {.bytes = page(document(""))}, Ending::Error, notADocument},
        {"headers over the cap",
         {.bytes =
              "HTTP/1.0 200 OK\r\nX-Big: " + std::string(70 * 1024, 'h') + "\r\n\r\n" + document("1.3.0")},
         Ending::Error,
         errorMessage(fw::HTTPSocket::kHeaderSectionTooLarge)},
        {"a body over the cap",
         {.bytes = page(document("1.3.0") + std::string(1100 * 1024, ' '))},
         Ending::Error,
         errorMessage(fw::HTTPSocket::kBodyTooLarge)},
        {"bytes that are not UTF-8",
         {.bytes = page(std::string("\xff\0\xfe", 3) + document("1.3.0") + "\xc3")},
         Ending::Current,
         ""},
    };
    for (const DocumentCase& c : cases) {
        messages.clear();
        dialogs.clear();
        LoopbackHTTPServer server({c.reply});
        fw::Ref<ambrel::updateWindow> window = startCheck(server);
        ASSERT_TRUE(window) << c.what;
        fw::Ref<fw::Label> label = window->StaticText1();
        fw::Ref<fw::ProgressBar> bar = window->ProgressBar1();
        ASSERT_TRUE(waitForTheEnd()) << c.what;

        switch (c.ending) {
        case Ending::Current:
            EXPECT_EQ(label->Text().bytes(), "This version is current.") << c.what;
            EXPECT_EQ(messages, std::vector<std::string>{kCurrentMessage}) << c.what;
            EXPECT_TRUE(dialogs.empty()) << c.what;
            break;
        case Ending::Offered:
            ASSERT_EQ(dialogs.size(), 1u) << c.what;
            EXPECT_EQ(dialogs[0].message, c.detail) << c.what;
            EXPECT_TRUE(messages.empty()) << c.what;
            EXPECT_FALSE(bar->Visible()) << c.what;
            break;
        case Ending::Error:
            EXPECT_EQ(messages, std::vector<std::string>{c.detail}) << c.what;
            EXPECT_TRUE(dialogs.empty()) << c.what;
            EXPECT_EQ(label->Text().bytes(), "Checking for update...") << c.what;
            EXPECT_EQ(fw::openWindows().front()->classRecord().name, "Window1.Window1") << c.what;
            break;
        case Ending::Silent:
            EXPECT_TRUE(messages.empty()) << c.what;
            EXPECT_TRUE(dialogs.empty()) << c.what;
            break;
        }
        expectEnded(c.what); // the offer was answered with Cancel, which closes the window
        EXPECT_EQ(server.requests().size(), 1u) << c.what;
    }
    EXPECT_TRUE(unhandled.empty()) << testing::PrintToString(unhandled);
}

TEST_F(UpdateCheck, TheRequestIsTheDefaultBuildsByteForByte) {
    LoopbackHTTPServer server({{.bytes = page(document("1.3.0"))}});
    startCheck(server);
    ASSERT_TRUE(waitForTheEnd());
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0], "GET /Updates/ambrel.xml HTTP/1.0\r\nHost: " + host() +
                                        "\r\nAccept: */*\r\nAccept-Language: en\r\n\r\n");
}

// The check's own verdict on a reply must not read as one of the socket's failures.
TEST(UpdateCheckCodes, TheChecksOwnCodeIsNoneOfTheSocketsCodes) {
    for (int32_t code : {fw::HTTPSocket::kNameNotResolved, fw::HTTPSocket::kConnectionRefused,
                         fw::HTTPSocket::kHostUnreachable, fw::HTTPSocket::kConnectionTimedOut,
                         fw::HTTPSocket::kHeaderSectionTooLarge, fw::HTTPSocket::kBodyTooLarge,
                         fw::HTTPSocket::kAddressNotUsable, fw::HTTPSocket::kSocketFailure})
        EXPECT_NE(ambrel::kNotAnUpdateDocument, code);
}

TEST_F(UpdateCheck, AConnectionThatCannotBeMadeIsReportedWithItsCode) {
    const struct {
        const char* what;
        std::string host;
        int port;
        int32_t code;
    } cases[] = {
        {"refused", "127.0.0.1", LoopbackHTTPServer::unusedPort(), fw::HTTPSocket::kConnectionRefused},
        {"unresolvable", "no-such-host.invalid", 80, fw::HTTPSocket::kNameNotResolved},
    };
    for (const auto& c : cases) {
        messages.clear();
        checkNow();
        fw::setHTTPConnectTarget(fw::String(c.host), c.port);
        fw::inspect::pressKey(*::selfTest(), fw::inspect::Key::Return);
        ASSERT_TRUE(waitForTheEnd()) << c.what;
        EXPECT_EQ(messages, std::vector<std::string>{errorMessage(c.code)}) << c.what;
        expectEnded(c.what);
        EXPECT_EQ(fw::openWindows().front()->classRecord().name, "Window1.Window1") << c.what;
    }
}

TEST_F(UpdateCheck, TheOfferShowsItsDescriptionUnchangedAndItsThreeButtons) {
    const std::string description = "Smaller &amp; faster\r\nNew: <b>bold</b> pokes\n";
    LoopbackHTTPServer server({{.bytes = page(document("1.4.0", "Yes", description))}});
    startCheck(server);
    ASSERT_TRUE(waitForTheEnd());
    ASSERT_EQ(dialogs.size(), 1u);
    const ShownDialog& d = dialogs[0];
    EXPECT_EQ(d.title, "New version available!");
    EXPECT_EQ(d.explanation, description);
    EXPECT_EQ(d.icon, 3);
    EXPECT_EQ(d.actionCaption, "OK");
    EXPECT_EQ(d.cancelCaption, "Cancel");
    EXPECT_EQ(d.alternateCaption, "Go to Website");
    EXPECT_TRUE(d.actionVisible && d.cancelVisible && d.alternateVisible);
}

// A reply's texts reach the dialog cut to a bound, so that a huge one cannot hold the program up
// while it is laid out.
TEST_F(UpdateCheck, TheOfferCutsAHugeDescriptionOrVersionBeforeShowingIt) {
    const std::string bound(4096, 'x');
    auto accents = [](int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += "\u00e9";
        return text;
    };
    const struct {
        const char* what;
        std::string version, description;
        std::string shownVersion, shownDescription;
    } cases[] = {
        {"at the bound", "1.4.0", bound, "1.4.0", bound},
        {"a megabyte of description", "1.4.0", std::string(1000 * 1000, 'x'), "1.4.0", bound + "\u2026"},
        {"a long version", "1.4." + std::string(5000, '7'), "Faster pokes.",
         "1.4." + std::string(4092, '7') + "\u2026", "Faster pokes."},
        {"characters, not bytes", "1.4.0", std::string(2000, 'x') + accents(2500), "1.4.0",
         std::string(2000, 'x') + accents(2096) + "\u2026"},
    };
    for (const auto& c : cases) {
        dialogs.clear();
        LoopbackHTTPServer server({{.bytes = page(document(c.version, "Yes", c.description))}});
        startCheck(server);
        ASSERT_TRUE(waitForTheEnd()) << c.what;
        ASSERT_EQ(dialogs.size(), 1u) << c.what;
        EXPECT_EQ(dialogs[0].explanation, c.shownDescription) << c.what;
        EXPECT_EQ(dialogs[0].message, offer(c.shownVersion, true)) << c.what;
    }
}

// The real dialog with a description far longer than the screen: it stays within the screen, its
// buttons on it, and the description scrolls inside it.
TEST_F(UpdateCheck, ALongOfferFitsTheScreen) {
    fw::setModalPresenter(nullptr);
    std::string description;
    for (int line = 1; line <= 300; ++line)
        description += "Line " + std::to_string(line) + ".\n";
    description += std::string(300, 'W');
    LoopbackHTTPServer server({{.bytes = page(document("1.4.0", "Yes", description))}});
    fw::inspect::ModalView shown;
    fw::Ref<fw::Timer> presser = uitest::timer(fw::Timer::ModeMultiple, 10, [&] {
        const fw::inspect::ModalView box = fw::inspect::modalBox();
        if (box.present) {
            shown = box;
            fw::inspect::pressModalButton("Cancel");
        }
    });
    startCheck(server);
    ASSERT_TRUE(uitest::runUntil([&] { return shown.present && !fw::inspect::modalBox().present; }, 20000));
    presser->setMode(fw::Timer::ModeOff);

    auto within = [](const fw::inspect::Rect& r) {
        for (const fw::inspect::Rect& s : fw::inspect::screens())
            if (r.left >= s.left && r.top >= s.top && r.left + r.width <= s.left + s.width &&
                r.top + r.height <= s.top + s.height)
                return true;
        return false;
    };
    EXPECT_TRUE(within(shown.area)) << shown.area.width << "x" << shown.area.height;
    ASSERT_EQ(shown.buttonAreas.size(), 3u);
    for (const fw::inspect::Rect& b : shown.buttonAreas)
        EXPECT_TRUE(within(b));
    EXPECT_EQ(shown.explanation.bytes(), description) << "the whole description, to scroll through";
}

TEST_F(UpdateCheck, EachAnswerToTheOfferDoesItsOwnThing) {
    const struct {
        Answer answer;
        std::vector<std::string> urls;
        bool windowStays;
    } cases[] = {
        {Answer::Cancel, {}, false},
        {Answer::Action, {"https://" + host() + "/download/"}, false},
        {Answer::Alternate, {"https://" + host() + "/"}, true},
    };
    for (const auto& c : cases) {
        urls.clear();
        answer = c.answer;
        LoopbackHTTPServer server({{.bytes = page(document("1.4.0"))}});
        fw::Ref<ambrel::updateWindow> window = startCheck(server);
        ASSERT_TRUE(waitForTheEnd());
        EXPECT_EQ(urls, c.urls);
        EXPECT_EQ(isOpen("updateWindow.updateWindow"), c.windowStays);
        EXPECT_FALSE(isOpen("selfTest.selfTest"));
        if (c.windowStays) {
            EXPECT_FALSE(window->ProgressBar1()->Visible());
            EXPECT_EQ(window->StaticText1()->Text().bytes(), "Checking for update...");
            window->PushButton1()->Push();
            EXPECT_FALSE(isOpen("updateWindow.updateWindow"));
        }
    }
}

// The real dialog on the offscreen screen, answered by pressing its buttons.
TEST_F(UpdateCheck, TheRealDialogsButtonsAnswerTheOffer) {
    fw::setModalPresenter(nullptr);
    const struct {
        const char* caption;
        std::vector<std::string> urls;
        bool windowStays;
    } cases[] = {
        {"Cancel", {}, false},
        {"OK", {"https://" + host() + "/download/"}, false},
        {"Go to Website", {"https://" + host() + "/"}, true},
    };
    for (const auto& c : cases) {
        urls.clear();
        LoopbackHTTPServer server({{.bytes = page(document("1.4.0"))}});
        fw::inspect::ModalView shown;
        fw::Ref<fw::Timer> presser = uitest::timer(fw::Timer::ModeMultiple, 10, [&] {
            const fw::inspect::ModalView box = fw::inspect::modalBox();
            if (box.present) {
                shown = box;
                fw::inspect::pressModalButton(c.caption);
            }
        });
        startCheck(server);
        ASSERT_TRUE(
            uitest::runUntil([&] { return shown.present && !fw::inspect::modalBox().present; }, 20000))
            << c.caption;
        presser->setMode(fw::Timer::ModeOff);
        EXPECT_EQ(shown.message.bytes(), offer("1.4.0", true)) << c.caption;
        EXPECT_EQ(shown.buttons, (std::vector<fw::String>{"Go to Website", "Cancel", "OK"})) << c.caption;
        EXPECT_EQ(urls, c.urls) << c.caption;
        EXPECT_EQ(isOpen("updateWindow.updateWindow"), c.windowStays) << c.caption;
    }
}

TEST_F(UpdateCheck, AnAutomaticCheckReportsACurrentVersionWithoutItsBox) {
    LoopbackHTTPServer server({{.bytes = page(document("1.3.0"))}});
    fw::Ref<ambrel::updateWindow> window = startCheck(server);
    ASSERT_TRUE(window);
    window->automaticCheck = true; // the reply can only come once the loop runs again
    fw::Ref<fw::Label> label = window->StaticText1();
    ASSERT_TRUE(waitForTheEnd());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(label->Text().bytes(), "This version is current.");
    expectEnded("automatic");
}

TEST_F(UpdateCheck, CancelWhileWaitingDropsTheReplyThatComesLater) {
    const Reply late{.talk = [](LoopbackHTTPServer::Connection& c) {
        if (c.pause(300))
            c.send(page(document("1.4.0")));
    }};
    for (const char* how : {"Cancel", "Escape", "close box"}) {
        LoopbackHTTPServer server({late});
        fw::Ref<ambrel::updateWindow> window = startCheck(server);
        ASSERT_TRUE(window);
        ASSERT_TRUE(uitest::runUntil([&] { return server.requests().size() == 1; }));
        if (std::string(how) == "Cancel")
            fw::inspect::click(*window->PushButton1());
        else if (std::string(how) == "Escape")
            fw::inspect::pressKey(*window, fw::inspect::Key::Escape);
        else
            fw::inspect::clickCloseBox(*window);
        EXPECT_FALSE(isOpen("updateWindow.updateWindow")) << how;
        EXPECT_TRUE(uitest::runPast(600));
        EXPECT_TRUE(messages.empty()) << how;
        EXPECT_TRUE(dialogs.empty()) << how;
        EXPECT_TRUE(unhandled.empty()) << how;
        expectEnded(how);
    }
}

TEST_F(UpdateCheck, AServerThatNeverAnswersLeavesTheWindowWaitingAndThePanelUsable) {
    LoopbackHTTPServer server({{.bytes = "", .hold = true}});
    fw::Ref<ambrel::updateWindow> window = startCheck(server);
    ASSERT_TRUE(window);
    EXPECT_TRUE(uitest::runPast(500));
    EXPECT_TRUE(isOpen("updateWindow.updateWindow")) << "no time-out of the program's own";
    EXPECT_TRUE(window->ProgressBar1()->isIndeterminate());

    // The update window is no modal dialog: the panel behind it still takes the user's clicks.
    fw::Ref<fw::CheckBox> pause = ::Window1()->Pause();
    const bool paused = pause->Value();
    fw::inspect::clickAt(*pause);
    EXPECT_NE(pause->Value(), paused);

    window->PushButton1()->Push();
    expectEnded("cancelled");
}

TEST_F(UpdateCheck, TwoChecksInARowAskTwice) {
    LoopbackHTTPServer server({{.bytes = page(document("1.3.0"))}});
    for (int i = 0; i < 2; ++i) {
        fw::Ref<ambrel::updateWindow> window = startCheck(server);
        ASSERT_TRUE(window);
        EXPECT_FALSE(window->automaticCheck) << "every new window starts without it";
        ASSERT_TRUE(waitForTheEnd());
    }
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(UpdateCheck, CheckingWhileAnUpdateWindowIsOpenSendsNoSecondRequest) {
    LoopbackHTTPServer server({{.bytes = "", .hold = true}});
    fw::Ref<ambrel::updateWindow> first = startCheck(server);
    ASSERT_TRUE(uitest::runUntil([&] { return server.requests().size() == 1; }));
    EXPECT_FALSE(isOpen("selfTest.selfTest")) << "the update window closed it as it opened";

    checkNow();
    fw::inspect::pressKey(*::selfTest(), fw::inspect::Key::Return);
    EXPECT_EQ(fw::_GetImplicitWindow("updateWindow.updateWindow"), fw::Ref<fw::Window>(first));
    EXPECT_TRUE(uitest::runPast(200));
    EXPECT_EQ(server.connections(), 1);
    EXPECT_TRUE(isOpen("selfTest.selfTest")) << "it stays until the update window closes it";

    first->PushButton1()->Push();
    expectEnded("cancelled");
}

} // namespace
