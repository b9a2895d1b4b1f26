// Printing through the real print path into PDF files, the dialog answered as the user would.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "framework/Printing.h"
#include "framework/TestHooks.h"
#include "tests/framework/LoggedWindow.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/EnvironmentGuard.h"
#include "tests/support/Inspect.h"
#include "tests/support/PdfText.h"
#include "tests/support/PrintFaults.h"
#include "tests/support/ScratchFolder.h"

namespace {

using namespace std::chrono_literals;

// What may stand under the name of the file to print into that is no regular file. A FIFO's reader
// comes late or at once: a print that waits on it comes back after the wait, to fail.
struct UnfitTarget {
    const char* what;
    std::function<std::unique_ptr<Fifo>(const std::string& path)> make;
};
const UnfitTarget kUnfitTargets[] = {
    {"a FIFO with no reader", [](const std::string& p) { return std::make_unique<Fifo>(p, 10s); }},
    {"a FIFO being read", [](const std::string& p) { return std::make_unique<Fifo>(p, 0ms); }},
    {"a link to a device",
     [](const std::string& p) {
         std::filesystem::create_symlink("/dev/null", p);
         return nullptr;
     }},
    {"a folder",
     [](const std::string& p) {
         std::filesystem::create_directory(p);
         return nullptr;
     }},
};

class Printing : public uitest::WindowTest {
  protected:
    void TearDown() override {
        fw::setPrintDialogPresenter(nullptr);
        WindowTest::TearDown();
    }

    // The dialog confirmed with a PDF file of the given paper size.
    void answerWithFile(const std::string& file, const std::string& paper = "") {
        fw::setPrintDialogPresenter([this, file, paper] {
            ++dialogs;
            return fw::PrintDialogChoice{.confirmed = true, .outputFile = file, .paperSize = paper};
        });
    }

    ScratchFolder folder{"ambrel-print"};
    int dialogs = 0;
};

// Where a word drawn with DrawString at (x, baseline) lands, for any size of paper.
void expectDrawnAt(const pdftext::Page& page, const std::string& word, double x, double baseline) {
    std::optional<pdftext::Word> w = page.find(word);
    ASSERT_TRUE(w) << word << " is not on the page: " << page.text();
    EXPECT_NEAR(w->xMin, x, 1.5) << word;
    EXPECT_LT(w->yMin, baseline) << word;
    EXPECT_GT(w->yMax, baseline) << word;
    EXPECT_LT(w->yMax - baseline, 4) << word << " sits below its baseline by more than a descent";
}

TEST_F(Printing, PositionsArePointsFromThePapersTopLeftWhateverItsSize) {
    struct Paper {
        const char* name;
        double width, height;
    };
    for (const Paper& paper : {Paper{"Letter", 612, 792}, Paper{"A4", 595.3, 841.9}}) {
        SCOPED_TRACE(paper.name);
        const std::string file = folder.file(std::string(paper.name) + ".pdf");
        answerWithFile(file, paper.name);
        {
            fw::Ref<fw::Graphics> g = fw::OpenPrinterDialog(nullptr, nullptr);
            ASSERT_TRUE(g);
            g->setTextFont("Arial");
            g->setTextSize(10);
            g->DrawString("footer", 40, 720, 0, false);
            g->DrawString("corner", 36, 36, 0, false);
        }
        std::vector<pdftext::Page> pages = pdftext::read(file);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_NEAR(pages[0].width, paper.width, 1);
        EXPECT_NEAR(pages[0].height, paper.height, 1);
        expectDrawnAt(pages[0], "footer", 40, 720);
        expectDrawnAt(pages[0], "corner", 36, 36);
        const pdftext::Word footer = *pages[0].find("footer");
        EXPECT_NEAR(footer.yMax - footer.yMin, 11.5, 2.5) << "10 points high, not 10 device pixels";
    }
}

TEST_F(Printing, TheJobIsFinishedWhenItsLastReferenceGoes) {
    const std::string file = folder.file("job.pdf");
    answerWithFile(file);
    fw::Ref<fw::Graphics> g = fw::OpenPrinterDialog(nullptr, nullptr);
    ASSERT_TRUE(g);
    g->DrawString("one", 36, 100);
    g->NextPage();
    g->DrawString("two", 36, 100);
    fw::Ref<fw::Graphics> other = g;
    g = nullptr;
    EXPECT_TRUE(pdftext::read(file).empty()) << "finished while a reference remained";
    other = nullptr;
    std::vector<pdftext::Page> pages = pdftext::read(file);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].text(), "one");
    EXPECT_EQ(pages[1].text(), "two");
    EXPECT_EQ(dialogs, 1);
}

TEST_F(Printing, CancelGivesNilAndPrintsNothing) {
    fw::setPrintDialogPresenter([] { return fw::PrintDialogChoice{.confirmed = false}; });
    EXPECT_FALSE(fw::OpenPrinterDialog(nullptr, nullptr));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_TRUE(messages.empty());
}

TEST_F(Printing, AJobThatCannotStartIsReportedAndGivesNil) {
    const std::string file = folder.file("missing/folder/out.pdf");
    answerWithFile(file);
    EXPECT_FALSE(fw::OpenPrinterDialog(nullptr, nullptr));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(file), std::string::npos) << messages[0];
}

TEST_F(Printing, DrawStringWrapsOrCondensesOnlyWithAWrapWidth) {
    struct Case {
        const char* name;
        double wrap;
        bool condense;
        std::size_t lines;
    };
    const std::string text = "alpha beta gamma delta epsilon zeta eta theta";
    for (const Case& c :
         {Case{"one line", 0, false, 1}, Case{"wrapped", 80, false, 4}, Case{"condensed", 80, true, 1}}) {
        SCOPED_TRACE(c.name);
        const std::string file = folder.file(std::string(c.name) + ".pdf");
        answerWithFile(file);
        {
            fw::Ref<fw::Graphics> g = fw::OpenPrinterDialog(nullptr, nullptr);
            ASSERT_TRUE(g);
            g->setTextSize(10);
            g->DrawString(text, 100, 200, c.wrap, c.condense);
        }
        std::vector<pdftext::Page> pages = pdftext::read(file);
        ASSERT_EQ(pages.size(), 1u);
        std::vector<double> baselines;
        for (const pdftext::Word& w : pages[0].words) {
            if (c.wrap > 0) {
                EXPECT_LE(w.xMax, 100 + c.wrap + 0.5) << w.text;
            }
            if (baselines.empty() || std::abs(w.yMax - baselines.back()) > 1)
                baselines.push_back(w.yMax);
        }
        EXPECT_GE(baselines.size(), c.lines);
        if (c.lines == 1) {
            EXPECT_EQ(baselines.size(), 1u);
        }
        expectDrawnAt(pages[0], "alpha", 100, 200);
    }
}

TEST_F(Printing, AJobCutShortByAFullDiskIsReportedOnceWithItsReason) {
    const std::string file = folder.file("cut.pdf");
    answerWithFile(file);
    fw::setPrintFailureText("The test page could not be printed.");
    {
        fw::Ref<fw::Graphics> g = fw::OpenPrinterDialog(nullptr, nullptr);
        ASSERT_TRUE(g);
        FullDisk full(2000);
        for (int page = 0; page < 20; ++page) {
            g->DrawString("a page of its own " + fw::Str(page), 36, 100);
            g->NextPage();
        }
        g = nullptr;
    }
    fw::setPrintFailureText("The document could not be printed.");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
              "The test page could not be printed.\nThe file " + file + " was not written completely.");
}

// Only a regular file, or a new one, is printed into; what else stands under the name is refused
// at once with the failure box, and nothing is written into it.
TEST_F(Printing, WhatIsNoRegularFileIsRefusedAtOnce) {
    fw::setPrintFailureText("The test page could not be printed.");
    for (const UnfitTarget& target : kUnfitTargets) {
        SCOPED_TRACE(target.what);
        messages.clear();
        const std::string file = folder.file(std::string(target.what) + ".pdf");
        const std::unique_ptr<Fifo> fifo = target.make(file);
        answerWithFile(file);
        const auto start = std::chrono::steady_clock::now();
        if (fw::Ref<fw::Graphics> g = fw::OpenPrinterDialog(nullptr, nullptr)) {
            ADD_FAILURE() << "a job was started";
            g->DrawString("into it", 36, 100);
        }
        const double took = uitest::secondsSince(start);
        std::printf("%s: refused after %.3f s\n", target.what, took);
        EXPECT_LT(took, 5.0);
        EXPECT_EQ(messages, std::vector<std::string>{"The test page could not be printed.\n" + file +
                                                     " is not a regular file."});
        if (fifo) {
            EXPECT_EQ(fifo->bytesRead(), 0u);
        }
    }
    fw::setPrintFailureText("The document could not be printed.");
}

TEST_F(Printing, APrintServiceThatDoesNotAnswerIsReportedAsACancelWhileTheLoopRuns) {
    EnvironmentGuard server({"CUPS_SERVER"});
    const std::string socketPath = folder.file("cups.sock");
    SilentPrintService silent(socketPath);
    ASSERT_TRUE(silent.listening());
    EnvironmentGuard::set("CUPS_SERVER", socketPath.c_str());
    answerWithFile(folder.file("never.pdf"));

    // The panel's countdown stands for everything the loop runs; a window behind takes no close.
    int ticks = 0;
    fw::Ref<fw::Timer> count = uitest::timer(fw::Timer::ModeMultiple, 50, [&] { ++ticks; });
    fw::Ref<uitest::LoggedWindow> behind = fw::implicitInstance<uitest::LoggedWindow>();
    behind->Show();
    bool closeRefused = false;
    fw::Ref<fw::Timer> closer = uitest::timer(fw::Timer::ModeSingle, 200, [&] {
        fw::inspect::clickCloseBox(*behind);
        closeRefused = behind->isOpen();
    });
    fw::Ref<fw::Graphics> returned;
    bool done = false;
    fw::Ref<fw::Timer> open = uitest::timer(fw::Timer::ModeSingle, 1, [&] {
        returned = fw::OpenPrinterDialog(nullptr, nullptr);
        done = true;
    });
    ASSERT_TRUE(uitest::runUntil([&] { return done; }, 30000));
    EXPECT_FALSE(returned);
    EXPECT_EQ(dialogs, 0) << "the dialog asked the silent service for its printers";
    EXPECT_GE(ticks, 2) << "the loop stood still while the service was asked";
    EXPECT_TRUE(closeRefused) << "a window behind took input during the wait";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "The print service does not answer.");
}

// The real dialog, with no answer set: what it offers, and what its buttons and a termination
// signal do.
class PrintDialog : public uitest::UiTest {
  protected:
    // Opens the dialog from inside the loop, runs `whileUp` once the dialog shows its printers,
    // and gives whether the loop was quit before the bound (by the test once the dialog has
    // returned, when `quitAfter`).
    bool openWhile(const std::function<void()>& whileUp, bool quitAfter) {
        fw::Ref<fw::Timer> open = uitest::timer(fw::Timer::ModeSingle, 1, [&] {
            returned = fw::OpenPrinterDialog(nullptr, nullptr);
            closed = true;
            if (quitAfter)
                fw::Quit(0);
        });
        fw::Ref<fw::Timer> watch = uitest::timer(fw::Timer::ModeMultiple, 10, [&] {
            if (offered.empty() && !(offered = fw::inspect::dialogPrinterChoices()).empty())
                whileUp();
        });
        return uitest::runLoop(10000);
    }

    std::vector<fw::String> offered;
    fw::Ref<fw::Graphics> returned;
    bool closed = false;
};

TEST_F(PrintDialog, OffersPrintingToAFileAndCancelGivesNil) {
    EXPECT_TRUE(openWhile([] { EXPECT_TRUE(fw::inspect::pressDialogButton(false)); }, true));
    EXPECT_TRUE(closed);
    EXPECT_FALSE(returned);
    EXPECT_NE(std::find(offered.begin(), offered.end(), fw::String("Print to File (PDF)")), offered.end());
    EXPECT_FALSE(fw::inspect::pressDialogButton(true)) << "the dialog is gone";
}

// The dialog's Print looks at the file named before the toolkit opens it to see whether it can be
// written (which a FIFO with no reader would hold for good): what is no regular file ends the
// dialog at once with the failure box, and the toolkit asks nothing about it.
TEST_F(PrintDialog, AFileThatIsNoRegularFileIsRefusedBeforeTheToolkitOpensIt) {
    ScratchFolder folder{"ambrel-print-dialog"};
    for (const UnfitTarget& target : kUnfitTargets) {
        SCOPED_TRACE(target.what);
        messages.clear();
        offered.clear();
        returned = nullptr;
        closed = false;
        const std::string file = folder.file(std::string(target.what) + ".pdf");
        const std::unique_ptr<Fifo> fifo = target.make(file);
        std::chrono::steady_clock::time_point pressedAt{};
        bool asked = false;
        // Pressed from a timer of its own: what Print does runs inside the press.
        fw::Ref<fw::Timer> press = uitest::timer(fw::Timer::ModeOff, 1, [&] {
            pressedAt = std::chrono::steady_clock::now();
            fw::inspect::pressDialogButton(true);
        });
        // Questions and warnings of the toolkit's about the file are closed, and a dialog still up
        // after them cancelled, so that a failing run ends.
        fw::Ref<fw::Timer> unstick = uitest::timer(fw::Timer::ModeMultiple, 100, [&] {
            if (fw::inspect::modalBox().present && fw::inspect::dialogPrinterChoices().empty()) {
                asked = true;
                fw::inspect::closeModalBox();
            } else if (asked) {
                fw::inspect::pressDialogButton(false);
            }
        });
        EXPECT_TRUE(openWhile(
            [&] {
                EXPECT_TRUE(fw::inspect::choosePrintToFile(file));
                press->setMode(fw::Timer::ModeSingle);
            },
            true));
        unstick->setMode(fw::Timer::ModeOff);
        const double took = uitest::secondsSince(pressedAt);
        std::printf("%s: refused after %.3f s\n", target.what, took);
        EXPECT_LT(took, 5.0);
        EXPECT_TRUE(closed);
        EXPECT_FALSE(returned);
        EXPECT_FALSE(asked) << "the toolkit asked about the file";
        EXPECT_EQ(messages, std::vector<std::string>{"The document could not be printed.\n" + file +
                                                     " is not a regular file."});
        if (fifo) {
            EXPECT_EQ(fifo->bytesRead(), 0u);
        }
    }
}

TEST_F(PrintDialog, ATerminationSignalWhileItIsUpQuits) {
    EXPECT_TRUE(openWhile([] { std::raise(SIGTERM); }, false)) << "the program did not quit";
    EXPECT_TRUE(closed);
    EXPECT_FALSE(returned);
}

} // namespace
