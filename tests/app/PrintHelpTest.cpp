// Print Help: the help text through the real print path into PDF files (the print dialog answered
// as the user would), read back with pdftotext; and the styled text printer that lays it out.
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "../framework/UiTestSupport.h"
#include "RunningProgram.h"
#include "app/App.h"
#include "app/Startup.h"
#include "framework/Date.h"
#include "framework/Printing.h"
#include "framework/StyledTextPrinter.h"
#include "framework/TestHooks.h"
#include "help/Help.h"
#include "help/HelpPrinting.h"
#include "tests/support/EnvironmentGuard.h"
#include "tests/support/Inspect.h"
#include "tests/support/PdfText.h"
#include "tests/support/PrintFaults.h"
#include "tests/support/ScratchFolder.h"

namespace {

// The text block and the footer line of every printed page, in points.
constexpr double kBlockLeft = 36, kBlockRight = 528, kBlockTop = 36, kBlockBottom = 708;
constexpr double kFooterLine = 720;

std::string stampNow() {
    fw::Ref<fw::Date> now = fw::make<fw::Date>();
    return (now->ShortTime() + ", " + now->ShortDate()).bytes();
}

// The words of a text as pdftotext separates them: at any run of blanks and line ends.
std::vector<std::string> wordsOf(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

std::string joined(const std::vector<std::string>& words) {
    std::string s;
    for (const std::string& w : words)
        s += (s.empty() ? "" : " ") + w;
    return s;
}

// A page's footer as printed, and its body: the words above the footer line.
struct PrintedPage {
    std::string footer;
    std::vector<pdftext::Word> body;
};

PrintedPage split(const pdftext::Page& page) {
    PrintedPage p;
    std::vector<std::string> footer;
    for (const pdftext::Word& w : page.words) {
        if (w.yMin <= kFooterLine && kFooterLine <= w.yMax)
            footer.push_back(w.text);
        else
            p.body.push_back(w);
    }
    p.footer = joined(footer);
    return p;
}

std::string bodyText(const PrintedPage& page) {
    std::vector<std::string> words;
    for (const pdftext::Word& w : page.body)
        words.push_back(w.text);
    return joined(words);
}

// One of the stamps, or, given the stamps before and after the command, one taken between them: a
// busy machine can spend seconds in between. A stamp reads "HH:MM:SS, date": on one date, stamps
// order as text.
bool stampAmong(const std::string& printed, const std::vector<std::string>& stamps) {
    if (std::find(stamps.begin(), stamps.end(), printed) != stamps.end())
        return true;
    auto date = [](const std::string& stamp) {
        const std::size_t comma = stamp.find(',');
        return comma == std::string::npos ? std::string() : stamp.substr(comma);
    };
    return stamps.size() == 2 && !date(printed).empty() && date(printed) == date(stamps[0]) &&
           date(printed) == date(stamps[1]) && stamps[0] <= printed && printed <= stamps[1];
}

// "page N" at x 40 and the stamp at x 100, on the footer line.
void expectFooter(const pdftext::Page& page, int number, const std::vector<std::string>& stamps) {
    std::vector<pdftext::Word> line = page.onLine(kFooterLine);
    ASSERT_GE(line.size(), 3u) << page.text();
    EXPECT_EQ(line[0].text, "page");
    EXPECT_NEAR(line[0].xMin, 40, 1.5);
    EXPECT_EQ(line[1].text, std::to_string(number));
    EXPECT_NEAR(line[2].xMin, 100, 1.5) << line[2].text;
    for (const pdftext::Word& w : line)
        EXPECT_LT(w.yMax - kFooterLine, 4) << w.text << " does not sit on the footer line";
    std::vector<std::string> stampWords;
    for (std::size_t i = 2; i < line.size(); ++i)
        stampWords.push_back(line[i].text);
    EXPECT_TRUE(stampAmong(joined(stampWords), stamps)) << "the stamp printed is " << joined(stampWords);
}

void expectInsideTheBlock(const PrintedPage& page) {
    for (const pdftext::Word& w : page.body) {
        EXPECT_GE(w.xMin, kBlockLeft - 0.5) << w.text;
        EXPECT_LE(w.xMax, kBlockRight + 0.5) << w.text;
        EXPECT_GE(w.yMin, kBlockTop - 0.5) << w.text;
        EXPECT_LE(w.yMax, kBlockBottom + 0.5) << w.text;
    }
}

class PrintHelp : public RunningProgramTest {
  protected:
    void TearDown() override {
        fw::setPrintDialogPresenter(nullptr);
        RunningProgramTest::TearDown();
    }

    // The dialog confirmed, printing into a PDF file of the test's own; `whileUp` runs as it shows.
    std::string answerWithFile(std::function<void()> whileUp = nullptr) {
        const std::string file = folder.file("help-" + std::to_string(++jobs) + ".pdf");
        fw::setPrintDialogPresenter([this, file, whileUp] {
            ++dialogs;
            helpOpenAtDialog = bool(fw::_GetImplicitWindow("Help.Help"));
            if (whileUp)
                whileUp();
            return fw::PrintDialogChoice{.confirmed = true, .outputFile = file};
        });
        return file;
    }

    static bool helpOpen() { return bool(fw::_GetImplicitWindow("Help.Help")); }

    // The Help window open with this text in its text area.
    fw::Ref<ambrel::Help> helpWith(const std::string& text) {
        fw::Ref<ambrel::Help> help = ::Help();
        help->Show();
        help->TextArea1()->setText(text);
        return help;
    }

    ScratchFolder folder{"ambrel-print-help"};
    int jobs = 0, dialogs = 0;
    bool helpOpenAtDialog = false;
};

TEST_F(PrintHelp, TheHelpTextPrintsOnOnePageWithItsFooterWhereverTheCommandComesFrom) {
    struct Case {
        const char* name;
        std::function<void()> print;
    };
    const Case cases[] = {
        {"App's handler, chosen on the panel with no Help window open",
         [] { EXPECT_TRUE(fw::inspect::chooseMenuItem(*::Window1(), "FilePrintHelp")); }},
        {"the Help window's own handler, chosen in its menu bar",
         [] {
             fw::Ref<ambrel::Help> help = ::Help();
             help->Show();
             EXPECT_TRUE(fw::inspect::chooseMenuItem(*help, "FilePrintHelp"));
         }},
        {"App's handler while the Help window is open behind the panel",
         [] {
             ::Help()->Show();
             ::Window1()->Show();
             EXPECT_TRUE(fw::inspect::chooseMenuItem(*::Window1(), "FilePrintHelp"));
         }},
        {"Ctrl+P on the panel, no menu opened first", [] { fw::inspect::pressKeys(*::Window1(), "Ctrl+P"); }},
        {"Ctrl+P in the Help window",
         [] {
             fw::Ref<ambrel::Help> help = ::Help();
             help->Show();
             fw::inspect::pressKeys(*help, "Ctrl+P");
         }},
        {"the procedure itself", [] { EXPECT_TRUE(ambrel::printHelp()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = answerWithFile();
        const std::string before = stampNow();
        c.print();
        const std::vector<std::string> stamps = {before, stampNow()};
        EXPECT_FALSE(helpOpen()) << "printing closes the Help window";

        std::vector<pdftext::Page> pages = pdftext::read(file);
        ASSERT_EQ(pages.size(), 1u);
        expectFooter(pages[0], 1, stamps);
        const PrintedPage page = split(pages[0]);
        expectInsideTheBlock(page);
        EXPECT_EQ(bodyText(page), joined(wordsOf(ambrel::HelpLayout::kHelpText)));
    }
}

TEST_F(PrintHelp, ATextOfThreeBlocksPrintsThreePagesNumberedInTurn) {
    // The line pitch of the help text's font, from a print of two lines.
    const std::string probe = answerWithFile();
    helpWith("Line 1\rLine 2");
    ambrel::printHelp();
    std::vector<pdftext::Page> probed = pdftext::read(probe);
    ASSERT_EQ(probed.size(), 1u);
    const PrintedPage two = split(probed[0]);
    ASSERT_EQ(two.body.size(), 4u);
    const double pitch = two.body[2].yMin - two.body[0].yMin;
    ASSERT_GT(pitch, 5);
    const int perBlock = static_cast<int>((kBlockBottom - kBlockTop) / pitch);

    const int lines = 2 * perBlock + perBlock / 2;
    std::string text;
    for (int i = 1; i <= lines; ++i)
        text += (i > 1 ? "\r" : "") + std::string("Line ") + std::to_string(i);
    const std::string file = answerWithFile();
    helpWith(text);
    const std::string before = stampNow();
    EXPECT_TRUE(ambrel::printHelp());
    const std::vector<std::string> stamps = {before, stampNow()};

    std::vector<pdftext::Page> pages = pdftext::read(file);
    ASSERT_EQ(pages.size(), 3u);
    int next = 1;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE("page " + std::to_string(i + 1));
        expectFooter(pages[i], static_cast<int>(i + 1), stamps);
        const PrintedPage page = split(pages[i]);
        expectInsideTheBlock(page);
        // Every line once, in order, none lost or repeated at a page break.
        for (std::size_t w = 0; w + 1 < page.body.size(); w += 2) {
            EXPECT_EQ(page.body[w].text, "Line");
            EXPECT_EQ(page.body[w + 1].text, std::to_string(next++));
        }
    }
    EXPECT_EQ(next, lines + 1);
    EXPECT_EQ(split(pages[0]).body.size(), 2u * perBlock) << "a full block on the first page";
}

TEST_F(PrintHelp, CancelPrintsNothingAndClosesTheHelpWindowOpenOrNot) {
    for (bool openBefore : {true, false}) {
        SCOPED_TRACE(openBefore ? "Help window open" : "no Help window");
        if (openBefore)
            ::Help()->Show();
        fw::setPrintDialogPresenter([this] {
            ++dialogs;
            return fw::PrintDialogChoice{.confirmed = false};
        });
        EXPECT_TRUE(ambrel::printHelp());
        EXPECT_FALSE(helpOpen());
    }
    EXPECT_EQ(dialogs, 2);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_TRUE(messages.empty());
}

TEST_F(PrintHelp, WithNoHelpWindowOpenItIsMadeAfterTheDialogAndClosedAgain) {
    const std::string file = answerWithFile();
    EXPECT_TRUE(ambrel::printHelp());
    EXPECT_FALSE(helpOpenAtDialog);
    EXPECT_FALSE(helpOpen());
    std::vector<pdftext::Page> pages = pdftext::read(file);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(bodyText(split(pages[0])), joined(wordsOf(ambrel::HelpLayout::kHelpText)));
}

TEST_F(PrintHelp, TheStampIsTakenBeforeTheDialogOpens) {
    // While the dialog is up the clock moves on by half an hour, as far as local time goes.
    EnvironmentGuard zone({"TZ"});
    EnvironmentGuard::set("TZ", "UTC0");
    tzset();
    const std::string before = stampNow();
    std::string during;
    const std::string file = answerWithFile([&] {
        EnvironmentGuard::set("TZ", "XST-5:30");
        tzset();
        during = stampNow();
    });
    ambrel::printHelp();
    const std::string after = stampNow();
    ASSERT_NE(before, during) << "the zone change did not show";

    std::vector<pdftext::Page> pages = pdftext::read(file);
    ASSERT_EQ(pages.size(), 1u);
    expectFooter(pages[0], 1, {before});
    tzset();
}

TEST_F(PrintHelp, AnEmptiedTextPrintsOnePageWithOnlyItsFooter) {
    const std::string file = answerWithFile();
    helpWith("");
    const std::string before = stampNow();
    EXPECT_TRUE(ambrel::printHelp());
    std::vector<pdftext::Page> pages = pdftext::read(file);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(split(pages[0]).body.empty()) << pages[0].text();
    expectFooter(pages[0], 1, {before, stampNow()});
}

TEST_F(PrintHelp, ALineTallerThanTheBlockIsPrintedAndThePrintingEnds) {
    const std::string file = answerWithFile();
    fw::Ref<ambrel::Help> help = helpWith("I\rH");
    help->TextArea1()->setTextSize(600);
    EXPECT_TRUE(ambrel::printHelp());
    std::vector<pdftext::Page> pages = pdftext::read(file);
    ASSERT_EQ(pages.size(), 2u) << "one line a page";
    EXPECT_NE(pages[0].find("I"), std::nullopt);
    EXPECT_NE(pages[1].find("H"), std::nullopt);
}

TEST_F(PrintHelp, AJobThatCannotBeFinishedIsReportedOnceAndTheHelpWindowStillCloses) {
    struct Case {
        const char* name;
        std::function<std::string()> print; // prints the help text; gives the message expected
    };
    const Case cases[] = {
        {"the disk fills up while the file is written",
         [this] {
             const std::string file = answerWithFile();
             std::string text;
             for (int i = 1; i <= 400; ++i)
                 text += "Line " + std::to_string(i) + "\r";
             helpWith(text);
             FullDisk full(3000);
             EXPECT_TRUE(ambrel::printHelp());
             return "The help text could not be printed.\nThe file " + file + " was not written completely.";
         }},
        {"the print service does not answer",
         [this] {
             EnvironmentGuard server({"CUPS_SERVER"});
             const std::string socketPath = folder.file("cups.sock");
             SilentPrintService silent(socketPath);
             EXPECT_TRUE(silent.listening());
             EnvironmentGuard::set("CUPS_SERVER", socketPath.c_str());
             const int before = dialogs;
             answerWithFile();
             ::Help()->Show();
             EXPECT_TRUE(ambrel::printHelp());
             EXPECT_EQ(dialogs, before) << "the dialog was shown";
             return std::string("The print service does not answer.");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        const std::string expected = c.print();
        EXPECT_FALSE(helpOpen());
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], expected);
    }
}

TEST_F(PrintHelp, EachParagraphPrintsAlignedAsTheHelpWindowShowsIt) {
    struct Case {
        const char* name;
        const char* paragraph;
        bool right; // the paragraph's lines end at the block's right edge, else start at its left
    };
    const Case cases[] = {
        {"left to right", "Left to right", false},
        {"Hebrew", "\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD", true},
        {"Arabic", "\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645", true},
        {"Hebrew with a Latin word inside", "\u05E9\u05DC\u05D5\u05DD Ambrel \u05E2\u05D5\u05DC\u05DD", true},
    };
    std::string text;
    for (const Case& c : cases)
        text += (text.empty() ? "" : "\r") + std::string(c.paragraph);
    const std::string file = answerWithFile();
    helpWith(text);
    EXPECT_TRUE(ambrel::printHelp());
    std::vector<pdftext::Page> pages = pdftext::read(file);
    ASSERT_EQ(pages.size(), 1u);

    // The body's words by line, top to bottom: one line for each paragraph.
    std::vector<std::vector<pdftext::Word>> lines;
    std::vector<pdftext::Word> body = split(pages[0]).body;
    std::sort(body.begin(), body.end(), [](const auto& a, const auto& b) { return a.yMin < b.yMin; });
    for (const pdftext::Word& w : body) {
        if (lines.empty() || w.yMin > lines.back().front().yMin + 2)
            lines.emplace_back();
        lines.back().push_back(w);
    }
    ASSERT_EQ(lines.size(), std::size(cases));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        double left = kBlockRight, right = kBlockLeft;
        for (const pdftext::Word& w : lines[i]) {
            left = std::min(left, w.xMin);
            right = std::max(right, w.xMax);
        }
        if (cases[i].right)
            EXPECT_NEAR(right, kBlockRight, 2);
        else
            EXPECT_NEAR(left, kBlockLeft, 2);
    }
}

// The styled text printer on its own: lines within the width, whole lines per block, and at least
// one line whatever the block.
class StyledText : public PrintHelp {
  protected:
    // Lays the Help window's text out for a job into a new PDF file.
    void start(const std::string& text, int32_t width) {
        file = answerWithFile();
        graphics = fw::OpenPrinterDialog(nullptr, nullptr);
        ASSERT_TRUE(graphics);
        printer = helpWith(text)->TextArea1()->styledTextPrinter(graphics, width);
    }
    std::vector<pdftext::Page> finish() {
        printer = nullptr;
        graphics = nullptr;
        return pdftext::read(file);
    }

    std::string file;
    fw::Ref<fw::Graphics> graphics;
    fw::Ref<fw::StyledTextPrinter> printer;
};

TEST_F(StyledText, LinesBreakWithinTheWidth) {
    std::string paragraph;
    for (int i = 0; i < 60; ++i)
        paragraph += "word" + std::to_string(i) + " ";
    start(paragraph, 150);
    printer->DrawBlock(100, 100, 600);
    EXPECT_TRUE(printer->Eof());
    std::vector<pdftext::Page> pages = finish();
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].words.size(), 60u);
    double lastTop = 0;
    int lines = 0;
    for (const pdftext::Word& w : pages[0].words) {
        EXPECT_GE(w.xMin, 99.5) << w.text;
        EXPECT_LE(w.xMax, 250.5) << w.text;
        if (w.yMin > lastTop + 1) {
            ++lines;
            lastTop = w.yMin;
        }
    }
    EXPECT_GT(lines, 5);
}

TEST_F(StyledText, EachBlockTakesTheWholeLinesThatFitAndAtLeastOne) {
    // The line pitch, from two lines printed in one block.
    start("A\rB", 400);
    printer->DrawBlock(36, 36, 600);
    std::vector<pdftext::Page> probe = finish();
    ASSERT_EQ(probe.size(), 1u);
    ASSERT_EQ(probe[0].words.size(), 2u);
    const double pitch = probe[0].words[1].yMin - probe[0].words[0].yMin;
    ASSERT_GT(pitch, 5);

    struct Case {
        const char* name;
        double room; // the block's height, in line pitches
        std::size_t linesPerBlock;
    };
    const std::vector<std::string> letters = {"A", "B", "C", "D", "E", "F", "G"};
    for (const Case& c : {Case{"two and a half lines", 2.5, 2}, Case{"just over three", 3.02, 3},
                          Case{"too small for one", 0.1, 1}, Case{"no height at all", 0, 1}}) {
        SCOPED_TRACE(c.name);
        start("A\rB\rC\rD\rE\rF\rG", 400);
        // Bounded: a block that consumed nothing would otherwise make this loop run for ever.
        for (std::size_t blocks = 0; !printer->Eof() && blocks < letters.size(); ++blocks) {
            printer->DrawBlock(36, 36, c.room * pitch);
            if (!printer->Eof())
                graphics->NextPage();
        }
        EXPECT_TRUE(printer->Eof());
        std::vector<pdftext::Page> pages = finish();
        ASSERT_EQ(pages.size(), (letters.size() + c.linesPerBlock - 1) / c.linesPerBlock);
        std::size_t next = 0;
        for (const pdftext::Page& page : pages) {
            EXPECT_EQ(page.words.size(), std::min(c.linesPerBlock, letters.size() - next));
            for (const pdftext::Word& w : page.words) {
                ASSERT_LT(next, letters.size());
                EXPECT_EQ(w.text, letters[next++]);
            }
            EXPECT_NEAR(page.words.front().yMin, probe[0].words[0].yMin, 0.5)
                << "each block starts at its top";
        }
    }
}

TEST_F(StyledText, AnEmptyTextHasNoLines) {
    start("", 492);
    EXPECT_TRUE(printer->Eof());
    printer->DrawBlock(36, 36, 672);
    EXPECT_TRUE(printer->Eof());
    finish();
}

} // namespace
