// Print Help end to end through a real CUPS queue: the real print dialog, confirmed with its OK
// button, sends the job to the private scheduler that tests/with-cupsd.sh starts, whose cups-pdf
// queue writes the PDF into the job owner's ~/PDF. Nothing is stood in for.
//
// The queue passes the job through PostScript, after which pdftotext reads the text as glyph codes
// (and may skip a glyph of a font) while the boxes keep their places: so the words are
// checked in Qt's own PDF of the same print, and the places through the queue, word by word
// against it by where each word ends.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

#include "../framework/UiTestSupport.h"
#include "framework/TestHooks.h"
#include "help/Help.h"
#include "help/HelpPrinting.h"
#include "tests/support/Inspect.h"
#include "tests/support/PdfText.h"
#include "tests/support/ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr double kFooterLine = 720;

// The PDF the queue wrote for the job, once it is readable; empty if none came within the bound.
std::string queueOutput(long job) {
    const fs::path folder = fs::path(getpwuid(geteuid())->pw_dir) / "PDF";
    const std::string prefix = "job_" + std::to_string(job) + "-";
    std::string found;
    uitest::runUntil(
        [&] {
            std::error_code ignored;
            for (const auto& entry : fs::directory_iterator(folder, ignored))
                if (entry.path().filename().string().rfind(prefix, 0) == 0 &&
                    !pdftext::read(entry.path().string()).empty())
                    found = entry.path().string();
            return !found.empty();
        },
        60000);
    return found;
}

// The word of the queue's page that ends where the reference word ends, on the same line.
const pdftext::Word* counterpart(const pdftext::Page& page, const pdftext::Word& reference) {
    const double baseline = reference.yMax - 2; // inside the word's box, just above its descent
    for (const pdftext::Word& w : page.words)
        if (std::abs(w.xMax - reference.xMax) < 1 && w.yMin <= baseline && baseline <= w.yMax)
            return &w;
    return nullptr;
}

class PrintQueue : public uitest::UiTest {
  protected:
    void TearDown() override {
        fw::setPrintDialogPresenter(nullptr);
        UiTest::TearDown();
    }
    // Three pages of numbered lines in the Help window, printed through the procedure.
    static void fillHelp() {
        std::string text;
        for (int i = 1; i <= 140; ++i)
            text += (i > 1 ? "\r" : "") + std::string("Line ") + std::to_string(i);
        fw::Ref<ambrel::Help> help = ::Help();
        help->Show();
        help->TextArea1()->setText(text);
    }
    ScratchFolder folder{"ambrel-print-queue"};
};

TEST_F(PrintQueue, TheDialogsOKPrintsTheHelpOnTheDefaultPrinterPageForPage) {
    if (geteuid() != 0)
        GTEST_SKIP() << "the cups-pdf backend runs only as root (and reads only /etc/cups/cups-pdf.conf): "
                        "this test runs as root";
    const char* firstJob = std::getenv("CUPS_TEST_FIRST_JOB");
    ASSERT_TRUE(firstJob) << "run it under tests/with-cupsd.sh";

    // Qt's own PDF of the print: the words as they are, and where each lands.
    const std::string reference = folder.file("reference.pdf");
    fw::setPrintDialogPresenter(
        [&] { return fw::PrintDialogChoice{.confirmed = true, .outputFile = reference}; });
    fillHelp();
    EXPECT_TRUE(ambrel::printHelp());
    fw::setPrintDialogPresenter(nullptr);
    std::vector<pdftext::Page> expected = pdftext::read(reference);
    ASSERT_GE(expected.size(), 3u);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        std::vector<pdftext::Word> footer = expected[i].onLine(kFooterLine);
        ASSERT_GE(footer.size(), 3u);
        EXPECT_EQ(footer[0].text + " " + footer[1].text, "page " + std::to_string(i + 1));
        EXPECT_NEAR(footer[0].xMin, 40, 1.5);
        EXPECT_NEAR(footer[2].xMin, 100, 1.5);
    }

    // The same print through the real dialog and the queue, the dialog's OK pressed as it shows.
    std::vector<fw::String> offered;
    fw::Ref<fw::Timer> press = uitest::timer(fw::Timer::ModeMultiple, 20, [&] {
        if ((offered = fw::inspect::dialogPrinterChoices()).empty())
            return;
        EXPECT_TRUE(fw::inspect::pressDialogButton(true));
        press->setMode(fw::Timer::ModeOff);
    });
    fillHelp();
    EXPECT_TRUE(ambrel::printHelp());
    EXPECT_FALSE(fw::_GetImplicitWindow("Help.Help"));
    for (const char* printer : {"AmbrelPDF", "Print to File (PDF)"})
        EXPECT_NE(std::find(offered.begin(), offered.end(), fw::String(printer)), offered.end()) << printer;

    const std::string printed = queueOutput(std::atol(firstJob));
    ASSERT_FALSE(printed.empty()) << "the queue wrote no PDF for job " << firstJob;
    std::vector<pdftext::Page> pages = pdftext::read(printed);
    fs::remove(printed);
    ASSERT_EQ(pages.size(), expected.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE("page " + std::to_string(i + 1));
        std::size_t placed = 0;
        for (const pdftext::Word& w : expected[i].words)
            placed += counterpart(pages[i], w) != nullptr;
        EXPECT_GE(placed * 10, expected[i].words.size() * 9)
            << placed << " of " << expected[i].words.size() << " words where Qt put them";
        // The footer in place: "page" where Qt put it, and the rest of the line but for at most
        // one word, which the skipped glyph may have taken with it.
        std::vector<pdftext::Word> footer = expected[i].onLine(kFooterLine);
        ASSERT_FALSE(footer.empty());
        EXPECT_TRUE(counterpart(pages[i], footer[0])) << "page";
        std::size_t footerPlaced = 0;
        for (const pdftext::Word& w : footer)
            footerPlaced += counterpart(pages[i], w) != nullptr;
        EXPECT_GE(footerPlaced + 1, footer.size())
            << footerPlaced << " of " << footer.size() << " footer words";
    }
}

} // namespace
