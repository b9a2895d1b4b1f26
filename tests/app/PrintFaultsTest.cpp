// Print Help when something goes wrong around it, in the running program beside the private CUPS
// scheduler that tests/with-cupsd.sh starts: a termination signal under the print dialog's own
// question, a print service that stops answering, a queue that rejects jobs.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "../framework/UiTestSupport.h"
#include "RunningProgram.h"
#include "framework/Printing.h"
#include "help/Help.h"
#include "help/HelpPrinting.h"
#include "tests/support/FileContents.h"
#include "tests/support/Inspect.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SocketFront.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTerminationSignals[] = {SIGTERM, SIGINT, SIGHUP};

class PrintFaults : public RunningProgramTest {
  protected:
    void SetUp() override {
        RunningProgramTest::SetUp();
        if (!std::getenv("CUPS_TEST_FIRST_JOB"))
            GTEST_SKIP() << "run it under tests/with-cupsd.sh (as root), beside a scheduler of its own";
    }
    void TearDown() override {
        fw::setPrintDialogPresenter(nullptr);
        RunningProgramTest::TearDown();
    }

    // The panel open and counting down from a minute, its position not yet saved.
    static fw::Ref<ambrel::Window1> countingPanel(const PrefsFolder& prefs) {
        std::filesystem::remove(prefs.file());
        fw::Ref<ambrel::Window1> panel = ::Window1();
        panel->Show();
        panel->ComboBox1()->setListIndex(1);
        panel->Pause()->setValue(false);
        return panel;
    }
    static bool positionSaved(const PrefsFolder& prefs) {
        return prefs.read().rfind("#Window1Position ", 0) == 0;
    }

    ScratchFolder folder{"ambrel-print-faults"};
};

// The signal comes while the print dialog asks whether to overwrite the file the user named. No
// answer is a No: nothing prints, the file stays as it was, and the program quits as with any
// termination signal, the panel's position saved.
TEST_F(PrintFaults, ATerminationSignalUnderTheOverwriteQuestionLeavesTheFileAndQuits) {
    const std::string kept = "the user's own file, not a PDF\n";
    for (int signal : kTerminationSignals) {
        SCOPED_TRACE("signal " + std::to_string(signal));
        const std::string file = folder.file("kept-" + std::to_string(signal) + ".pdf");
        std::ofstream(file, std::ios::binary) << kept;
        countingPanel(prefs);
        enum { Choosing, Asked, Signalled } stage = Choosing;
        bool returned = false;
        fw::Ref<fw::Timer> print =
            uitest::timer(fw::Timer::ModeSingle, 1, [&] { returned = ambrel::printHelp(); });
        // Pressed from a timer of its own: the question runs inside the press.
        fw::Ref<fw::Timer> press =
            uitest::timer(fw::Timer::ModeOff, 1, [] { EXPECT_TRUE(fw::inspect::pressDialogButton(true)); });
        fw::Ref<fw::Timer> drive = uitest::timer(fw::Timer::ModeMultiple, 20, [&] {
            if (stage == Choosing && !fw::inspect::dialogPrinterChoices().empty()) {
                EXPECT_TRUE(fw::inspect::choosePrintToFile(file));
                press->setMode(fw::Timer::ModeSingle);
                stage = Asked;
            } else if (stage == Asked &&
                       fw::inspect::modalBox().message.bytes().find("overwrite") != std::string::npos) {
                std::raise(signal);
                stage = Signalled;
            }
        });
        EXPECT_TRUE(uitest::runLoop(30000)) << "the program did not quit";
        drive->setMode(fw::Timer::ModeOff);
        EXPECT_EQ(stage, Signalled) << "the question never came";
        EXPECT_TRUE(returned);
        EXPECT_TRUE(contentsOf(file) == kept) << "the file was replaced";
        EXPECT_TRUE(positionSaved(prefs));
        EXPECT_FALSE(fw::_GetImplicitWindow("Window1.Window1"));
        EXPECT_FALSE(fw::_GetImplicitWindow("Help.Help"));
    }
    EXPECT_TRUE(messages.empty()) << messages.front();
}

// A print service that answers the first connection and never the next ones (the toolkit's
// printer asks it for its printers, and would wait minutes for each reply): the loop goes on, the
// panel counts on, and a termination signal quits within a second (measured against a bound of
// several seconds), the position saved. Unsignalled, the wait gives up by itself and says so.
TEST_F(PrintFaults, APrintServiceThatStopsAnsweringHoldsNothingUp) {
    EnvironmentGuard server({"CUPS_SERVER"});
    const std::string scheduler = std::getenv("CUPS_SERVER");
    for (const bool signalled : {true, false}) {
        SCOPED_TRACE(signalled ? "with a termination signal" : "left to wait");
        messages.clear();
        const std::string socketPath = folder.file(std::string("front-") + (signalled ? "1" : "0") + ".sock");
        SocketFront front(socketPath, scheduler, SocketFront::Unanswered);
        ASSERT_TRUE(front.listening());
        EnvironmentGuard::set("CUPS_SERVER", socketPath.c_str());
        fw::Ref<ambrel::Window1> panel = countingPanel(prefs);

        bool printing = false, returned = false;
        int counted = 0;
        std::string shown = panel->StaticText2()->Text().bytes();
        Clock::time_point signalledAt{};
        fw::Ref<fw::Timer> print = uitest::timer(fw::Timer::ModeSingle, 1, [&] {
            printing = true;
            returned = ambrel::printHelp();
            printing = false;
        });
        fw::Ref<fw::Timer> watch = uitest::timer(fw::Timer::ModeMultiple, 20, [&] {
            // A dialog that came after all is cancelled, so that a failing run ends.
            if (!fw::inspect::dialogPrinterChoices().empty())
                fw::inspect::pressDialogButton(false);
            if (!printing || front.connections() < 2)
                return;
            const std::string now = panel->StaticText2()->Text().bytes();
            counted += now != shown;
            shown = now;
            if (signalled && counted >= 1 && signalledAt == Clock::time_point{}) {
                signalledAt = Clock::now();
                std::raise(SIGTERM);
            }
        });
        if (signalled) {
            EXPECT_TRUE(uitest::runLoop(60000)) << "the program did not quit";
            const double took = uitest::secondsSince(signalledAt);
            std::printf("quit %.3f s after the signal\n", took);
            EXPECT_LT(took, 5.0);
            EXPECT_TRUE(positionSaved(prefs));
            EXPECT_TRUE(messages.empty()) << messages.front();
        } else {
            EXPECT_TRUE(uitest::runUntil([&] { return returned; }, 60000));
            EXPECT_GE(counted, 2) << "the panel stopped counting while the service was asked";
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0], "The print service does not answer.");
            closePanel();
            fw::_RuntimeRun();
        }
        watch->setMode(fw::Timer::ModeOff);
        EXPECT_TRUE(returned);
        EXPECT_GE(front.connections(), 2) << "the service was asked only once";
        EXPECT_FALSE(fw::_GetImplicitWindow("Help.Help"));
    }
}

// A queue that rejects jobs: the refusal is reported in the print failure box, as other failures
// are, rather than the job seeming printed.
TEST_F(PrintFaults, AQueueThatRejectsJobsIsReportedInTheFailureBox) {
    ASSERT_EQ(std::system("cupsreject AmbrelPDF"), 0);
    fw::setPrintDialogPresenter(
        [] { return fw::PrintDialogChoice{.confirmed = true, .printerName = "AmbrelPDF"}; });
    EXPECT_TRUE(ambrel::printHelp());
    EXPECT_EQ(std::system("cupsaccept AmbrelPDF"), 0);
    ASSERT_EQ(messages.size(), 1u);
    const std::string& box = messages[0];
    EXPECT_EQ(box.rfind("The help text could not be printed.\nThe print service refused the job: ", 0), 0u)
        << box;
    EXPECT_NE(box.find("not accepting jobs"), std::string::npos) << box;
    EXPECT_FALSE(fw::_GetImplicitWindow("Help.Help"));
}

} // namespace
