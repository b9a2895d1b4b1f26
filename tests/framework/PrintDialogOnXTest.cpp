// The real print dialog on an X server under a window manager, answered through the window system
// as a user answers it (XTest clicks and keys, the close box's request): the questions and dialogs
// that the print dialog opens itself take that input while the modal gate keeps it from the
// windows behind. Run under tests/with-xvfb.sh, tests/with-openbox.sh and tests/with-cupsd.sh.
#include <fstream>
#include <iterator>

#include "framework/Printing.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/FileContents.h"
#include "tests/support/Inspect.h"
#include "tests/support/PdfText.h"
#include "tests/support/ScratchFolder.h"

// Last: Xlib's macros would break the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

// The user's hands on the X server.
class User {
  public:
    User() : display_(XOpenDisplay(nullptr)) {}
    ~User() {
        if (display_)
            XCloseDisplay(display_);
    }
    User(const User&) = delete;
    User& operator=(const User&) = delete;
    bool ready() const { return display_ != nullptr; }

    // A push button takes a click anywhere; a radio button only on its mark or its text.
    enum Where { InTheMiddle, OnIndicator };
    void click(const fw::inspect::Rect& r, Where where = InTheMiddle) {
        const int x = where == OnIndicator ? r.left + std::min(r.width / 2, 8) : r.left + r.width / 2;
        XTestFakeMotionEvent(display_, -1, x, r.top + r.height / 2, 0);
        XTestFakeButtonEvent(display_, 1, True, 0);
        XTestFakeButtonEvent(display_, 1, False, 0);
        XSync(display_, False);
    }
    // To the window that has the focus, which the window manager gives to a new dialog.
    void press(KeySym key) {
        const KeyCode code = XKeysymToKeycode(display_, key);
        XTestFakeKeyEvent(display_, code, True, 0);
        XTestFakeKeyEvent(display_, code, False, 0);
        XSync(display_, False);
    }
    // Whether the server sends the keys to the window: the window manager gives a new window the
    // focus a little after it shows.
    bool focused(uint64_t window) {
        ::Window focus = 0;
        int revert = 0;
        XGetInputFocus(display_, &focus, &revert);
        return window && focus == static_cast<::Window>(window);
    }
    // What a window manager sends when the user clicks the window's close box.
    void closeBox(uint64_t window) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = static_cast<::Window>(window);
        e.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, e.xclient.window, False, NoEventMask, &e);
        XSync(display_, False);
    }
    // Mapped, so that the server sends it what lands on it, and where and as large as the toolkit
    // believes it to be: a click aimed before the toolkit has heard of the window manager's placing,
    // or while it still holds a new window at its first default size, would miss.
    bool viewableAt(uint64_t window, const fw::inspect::Rect& believed) {
        XWindowAttributes a;
        if (!window || !XGetWindowAttributes(display_, static_cast<::Window>(window), &a) ||
            a.map_state != IsViewable)
            return false;
        int x = 0, y = 0;
        ::Window child;
        XTranslateCoordinates(display_, static_cast<::Window>(window), DefaultRootWindow(display_), 0, 0, &x,
                              &y, &child);
        return x == believed.left && y == believed.top && a.width == believed.width &&
               a.height == believed.height;
    }

  private:
    Display* display_;
};

class PrintDialogOnX : public uitest::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        if (!user.ready())
            GTEST_SKIP() << "no X display: run under tests/with-xvfb.sh";
    }

    // Runs the dialog from inside the loop; `step` is called every 20 ms while it is up, and
    // returns true once it has done its part (each waits for its window to show). Gives whether
    // the dialog returned before the bound.
    bool runDialog(const std::function<bool()>& step) {
        fw::Ref<fw::Timer> open = uitest::timer(fw::Timer::ModeSingle, 1, [&] {
            returned = fw::OpenPrinterDialog(nullptr, nullptr);
            closed = true;
        });
        fw::Ref<fw::Timer> drive = uitest::timer(fw::Timer::ModeMultiple, 20, [&] {
            if (!closed)
                step();
        });
        const bool done = uitest::runUntil([&] { return closed; }, 30000);
        drive->setMode(fw::Timer::ModeOff);
        return done;
    }

    // The widget once the modal window in front shows it, the server has mapped the window and the
    // toolkit knows where.
    std::optional<fw::inspect::Rect> shown(const char* captionOrName) {
        std::optional<fw::inspect::Rect> r = fw::inspect::modalWidgetRect(captionOrName);
        std::optional<fw::inspect::Rect> window = fw::inspect::modalWindowRect();
        if (!r || !window || !user.viewableAt(fw::inspect::modalWindowId(), *window))
            return std::nullopt;
        return r;
    }

    User user;
    ScratchFolder folder{"ambrel-print-x"};
    fw::Ref<fw::Graphics> returned;
    bool closed = false;
};

TEST_F(PrintDialogOnX, TheOverwriteQuestionTakesInputAndOnlyYesReplacesTheFile) {
    enum class Answer { NoByClick, NoByEscape, NoByLetter, CloseBox, YesByClick };
    struct Case {
        const char* name;
        Answer answer;
    };
    const std::string kept = "the user's own file, not a PDF\n";
    for (const Case& c :
         {Case{"No by click", Answer::NoByClick}, Case{"No by Escape", Answer::NoByEscape},
          Case{"No by its letter", Answer::NoByLetter}, Case{"the close box", Answer::CloseBox},
          Case{"Yes by click", Answer::YesByClick}}) {
        SCOPED_TRACE(c.name);
        const std::string file = folder.file(std::string(c.name) + ".pdf");
        std::ofstream(file, std::ios::binary) << kept;
        returned = nullptr;
        closed = false;
        enum { Choosing, Asked, Answered } stage = Choosing;
        std::string question;
        const bool done = runDialog([&] {
            switch (stage) {
            case Choosing:
                if (fw::inspect::dialogPrinterChoices().empty() || !shown("Print"))
                    return false;
                EXPECT_TRUE(fw::inspect::choosePrintToFile(file));
                user.click(*shown("Print"));
                stage = Asked;
                return true;
            case Asked: {
                const fw::inspect::ModalView box = fw::inspect::modalBox();
                const bool byKey = c.answer == Answer::NoByEscape || c.answer == Answer::NoByLetter;
                if (!box.present || box.message.bytes().find("overwrite") == std::string::npos ||
                    !shown("No") || (byKey && !user.focused(fw::inspect::modalWindowId())))
                    return false;
                question = box.message.bytes();
                switch (c.answer) {
                case Answer::NoByClick:
                    user.click(*shown("No"));
                    break;
                case Answer::NoByEscape:
                    user.press(XK_Escape);
                    break;
                case Answer::NoByLetter:
                    user.press(XK_n);
                    break;
                case Answer::CloseBox:
                    user.closeBox(fw::inspect::modalWindowId());
                    break;
                case Answer::YesByClick:
                    user.click(*shown("Yes"));
                    break;
                }
                stage = Answered;
                return true;
            }
            case Answered:
                // Back in the print dialog after a No: the user cancels it there.
                return !fw::inspect::dialogPrinterChoices().empty() && fw::inspect::pressDialogButton(false);
            }
            return false;
        });
        ASSERT_TRUE(done) << "the dialog did not return; the question was: " << question;
        EXPECT_FALSE(question.empty()) << "no overwrite question came";
        if (c.answer == Answer::YesByClick) {
            ASSERT_TRUE(returned);
            returned->DrawString("replaced", 36, 100);
            returned = nullptr;
            std::vector<pdftext::Page> pages = pdftext::read(file);
            ASSERT_EQ(pages.size(), 1u);
            EXPECT_EQ(pages[0].text(), "replaced");
        } else {
            EXPECT_FALSE(returned);
            EXPECT_EQ(contentsOf(file), kept) << "the file was touched";
        }
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(PrintDialogOnX, AChangeInPrinterPropertiesTakesEffect) {
    const std::string file = folder.file("landscape.pdf");
    enum { Choosing, Properties, Turned, Confirmed } stage = Choosing;
    const bool done = runDialog([&] {
        switch (stage) {
        case Choosing:
            if (fw::inspect::dialogPrinterChoices().empty() || !shown("properties"))
                return false;
            EXPECT_TRUE(fw::inspect::choosePrintToFile(file));
            user.click(*shown("properties"));
            stage = Properties;
            return true;
        case Properties:
            if (!shown("landscape"))
                return false;
            user.click(*shown("landscape"), User::OnIndicator);
            stage = Turned;
            return true;
        case Turned:
            // A click that landed while the dialog still laid itself out missed: again.
            if (!fw::inspect::modalButtonChecked("landscape")) {
                stage = Properties;
                return false;
            }
            if (!shown("OK"))
                return false;
            user.click(*shown("OK"));
            stage = Confirmed;
            return true;
        case Confirmed:
            // Back in the print dialog: printed from there.
            if (fw::inspect::dialogPrinterChoices().empty())
                return false;
            return fw::inspect::pressDialogButton(true);
        }
        return false;
    });
    ASSERT_TRUE(done);
    ASSERT_TRUE(returned);
    returned->DrawString("turned", 36, 100);
    returned = nullptr;
    std::vector<pdftext::Page> pages = pdftext::read(file);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_GT(pages[0].width, pages[0].height) << "the page is not landscape";
}

} // namespace
