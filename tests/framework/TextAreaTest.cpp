// The text area: its text read back as it was given, the selection in characters, the keys the
// user presses, its limits, the spelling marks, and where the dictionary's memory lies.
#include "framework/TextArea.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/Properties.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/EnvironmentGuard.h"
#include "tests/support/Inspect.h"
#include "tests/support/ScratchFolder.h"

namespace {

// The bytes the allocator has handed out and not had back: from the main heap, which serves the
// program's own thread, and from every heap and mapping together.
struct HeapUse {
    int64_t main = 0;
    int64_t all = 0;
};

HeapUse heapUse() {
    char* report = nullptr;
    size_t length = 0;
    FILE* out = open_memstream(&report, &length);
    EXPECT_TRUE(out && malloc_info(0, out) == 0);
    if (out)
        std::fclose(out);
    const std::string xml = report ? report : "";
    std::free(report);
    // The first heap's own record: its system bytes less those it holds free.
    const std::string heap = xml.substr(0, xml.find("</heap>"));
    const auto number = [&](const std::string& tag) {
        const size_t at = heap.find(tag);
        const size_t value = heap.find("size=\"", at);
        return at == std::string::npos ? int64_t{0} : std::atoll(heap.c_str() + value + 6);
    };
    const struct mallinfo2 all = mallinfo2();
    return {number("<system type=\"current\"") - number("<total type=\"fast\"") -
                number("<total type=\"rest\""),
            static_cast<int64_t>(all.uordblks + all.hblkhd)};
}

class TextAreas : public uitest::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        makeWindow();
    }
    void makeWindow() {
        window = fw::make<fw::Window>();
        window->Constructor();
        fw::_SetProperties(*window, fw::encodeRecord({{"Width", 300}, {"Height", 200}}));
    }
    void TearDown() override {
        fw::inspect::useSpellingLanguages({});
        area = nullptr;
        other = nullptr;
        window = nullptr;
        UiTest::TearDown();
    }

    // A text area as the Help window has it (and a second one to take the focus), shown.
    fw::Ref<fw::TextArea> add(const fw::String& extra = fw::String()) {
        area = window->__New<fw::TextArea>();
        window->_AddControl("Area", area);
        fw::_SetProperties(*area, fw::encodeRecord({{"Left", 10},
                                                    {"Top", 10},
                                                    {"Width", 200},
                                                    {"Height", 100},
                                                    {"Multiline", true},
                                                    {"Styled", true},
                                                    {"AcceptTabs", false},
                                                    {"HideSelection", true}}) +
                                      extra);
        other = window->__New<fw::TextArea>();
        window->_AddControl("Other", other);
        fw::_SetProperties(*other, fw::encodeRecord({{"Left", 10}, {"Top", 120}, {"TabIndex", 1}}));
        window->Show();
        // The Edit commands act on the application's focus, which an active window has.
        EXPECT_TRUE(uitest::runUntil([&] { return fw::inspect::view(*window).active; }));
        return area;
    }

    fw::Ref<fw::Window> window;
    fw::Ref<fw::TextArea> area, other;
};

TEST_F(TextAreas, TextReadsBackWithItsParagraphsAndIsNeverMarkup) {
    add();
    struct Case {
        const char* given;
        const char* read;
    };
    const Case cases[] = {
        {"one\r\rtwo", "one\r\rtwo"},
        {"", ""},
        {"ends with a break\r", "ends with a break\r"},
        {"<b>bold</b> &amp; <i>x</i>", "<b>bold</b> &amp; <i>x</i>"},
        {"non\xc2\xa0"
         "breaking and \xf0\x9f\x98\x80",
         "non\xc2\xa0"
         "breaking and \xf0\x9f\x98\x80"},
        {"line feed\nand crlf\r\nend", "line feed\rand crlf\rend"},
    };
    for (const Case& c : cases) {
        area->setText(c.given);
        EXPECT_EQ(area->Text().bytes(), c.read) << c.given;
    }
    area->setText("<b>bold</b>");
    EXPECT_EQ(fw::inspect::shownText(*area).bytes(), "<b>bold</b>") << "shown as typed, not as bold";
}

TEST_F(TextAreas, TextSetBeforeTheWidgetExistsIsShown) {
    fw::Ref<fw::TextArea> loose = fw::make<fw::TextArea>();
    loose->setText("first\rsecond");
    window->_AddControl("Loose", loose);
    EXPECT_EQ(loose->Text().bytes(), "first\rsecond");
    EXPECT_EQ(fw::inspect::shownText(*loose).bytes(), "first\nsecond");
}

TEST_F(TextAreas, SelectionCountsCharactersFromZero) {
    add();
    area->setText("h\xc3\xa9llo \xf0\x9f\x98\x80 world\rnext");
    EXPECT_EQ(area->SelStart(), 0);
    EXPECT_EQ(area->SelLength(), 0);

    area->setSelStart(8);
    area->setSelLength(5);
    EXPECT_EQ(area->SelStart(), 8);
    EXPECT_EQ(area->SelLength(), 5);
    area->setSelStart(14); // the CR is one character
    area->setSelLength(4);
    EXPECT_EQ(area->SelStart(), 14);
    EXPECT_EQ(area->SelLength(), 4);

    area->setSelStart(100);
    EXPECT_EQ(area->SelStart(), 18) << "an insertion point past the end stands at the end";
    EXPECT_EQ(area->SelLength(), 0);
}

TEST_F(TextAreas, TabMovesTheFocusUnlessTabsAreAccepted) {
    add();
    area->setText("text");
    area->SetFocus();
    fw::inspect::pressKeys(*window, "Tab");
    EXPECT_FALSE(area->hasFocus());
    EXPECT_TRUE(other->hasFocus());
    EXPECT_EQ(area->Text().bytes(), "text");

    fw::_SetProperties(*area, fw::encodeRecord({{"AcceptTabs", true}}));
    area->SetFocus();
    area->setSelStart(4);
    fw::inspect::pressKeys(*window, "Tab");
    EXPECT_TRUE(area->hasFocus());
    EXPECT_EQ(area->Text().bytes(), "text\t");
}

TEST_F(TextAreas, TypingReadOnlyAndTheLimit) {
    add(fw::encodeRecord({{"LimitText", 5}}));
    area->SetFocus();
    fw::inspect::typeText(*window, "abcdefgh");
    EXPECT_EQ(area->Text().bytes(), "abcde") << "typing stops at the limit";
    fw::inspect::pressKeys(*window, "Backspace");
    fw::inspect::typeText(*window, "xy");
    EXPECT_EQ(area->Text().bytes(), "abcdx");

    area->setText("the program may set more");
    EXPECT_EQ(area->Text().bytes(), "the program may set more");

    fw::_SetProperties(*area, fw::encodeRecord({{"LimitText", 0}, {"ReadOnly", true}}));
    area->setSelStart(0);
    fw::inspect::typeText(*window, "typed ");
    EXPECT_EQ(area->Text().bytes(), "the program may set more") << "a read-only text takes no typing";
}

TEST_F(TextAreas, LongLinesWrapAtTheWidthWhenMultiline) {
    add();
    area->setText("many words that cannot possibly fit on one line of two hundred pixels");
    EXPECT_GT(fw::inspect::lineCount(*area), 1);
    fw::_SetProperties(*area, fw::encodeRecord({{"Multiline", false}}));
    EXPECT_EQ(fw::inspect::lineCount(*area), 1);
}

TEST_F(TextAreas, HiddenSelectionIsDrawnOnlyWithTheFocus) {
    add();
    area->setText("select me");
    area->SetFocus();
    area->setSelStart(0);
    area->setSelLength(6);
    EXPECT_TRUE(fw::inspect::selectionShown(*area));
    other->SetFocus();
    EXPECT_FALSE(fw::inspect::selectionShown(*area));
    EXPECT_EQ(area->SelLength(), 6) << "hidden, not lost";

    fw::_SetProperties(*area, fw::encodeRecord({{"HideSelection", false}}));
    EXPECT_TRUE(fw::inspect::selectionShown(*area));
}

TEST_F(TextAreas, ATextAreaInANewWindowIsDrawnFromWhatTheStyleKeptForTheLastOfItsLook) {
    add();
    const std::vector<int64_t> first = fw::inspect::drawingKeys(*area);
    ASSERT_FALSE(first.empty());
    window->Close();
    makeWindow();
    add();
    // New keys would have the style draw and keep its pieces anew for every window opened.
    EXPECT_EQ(fw::inspect::drawingKeys(*area), first);
}

TEST_F(TextAreas, EditCommandsActOnTheFocusedTextArea) {
    add();
    area->setText("alpha beta");
    area->SetFocus();
    area->setSelStart(0);
    area->setSelLength(6);
    fw::Ref<fw::MenuItem> item = fw::make<fw::MenuItem>();
    auto run = [&](const char* name) {
        item->setName(name);
        return fw::routeMenuCommand(window.get(), *item);
    };

    EXPECT_TRUE(run("EditCut"));
    EXPECT_EQ(area->Text().bytes(), "beta");
    area->setSelStart(4);
    EXPECT_TRUE(run("EditPaste"));
    EXPECT_EQ(area->Text().bytes(), "betaalpha ");
    EXPECT_TRUE(run("EditUndo"));
    EXPECT_EQ(area->Text().bytes(), "beta");
    EXPECT_TRUE(run("EditSelectAll"));
    EXPECT_EQ(area->SelLength(), 4);
    EXPECT_TRUE(run("EditCopy"));
    EXPECT_TRUE(run("EditClear"));
    EXPECT_EQ(area->Text().bytes(), "");

    other->SetFocus();
    other->setText("untouched");
    area->SetFocus();
    EXPECT_TRUE(run("EditPaste"));
    EXPECT_EQ(area->Text().bytes(), "beta");
    EXPECT_EQ(other->Text().bytes(), "untouched");
}

TEST_F(TextAreas, MisspeltWordsAreMarkedAsShownAndAsTyped) {
    fw::inspect::useSpellingLanguages({"en_US"});
    add(fw::encodeRecord(
        {{"AutomaticallyCheckSpelling", true}, {"Text", "The quikc brown fox, 20 times.\rA sekond line"}}));
    EXPECT_EQ(fw::inspect::misspeltWords(*area), (std::vector<fw::String>{"quikc", "sekond"}));

    area->SetFocus();
    area->setSelStart(fw::Len(area->Text()));
    fw::inspect::typeText(*window, " and a mispeled word");
    EXPECT_EQ(fw::inspect::misspeltWords(*area), (std::vector<fw::String>{"quikc", "sekond", "mispeled"}));

    fw::_SetProperties(*area, fw::encodeRecord({{"AutomaticallyCheckSpelling", false}}));
    EXPECT_TRUE(fw::inspect::misspeltWords(*area).empty());
}

// A text area that is never seen, as the one printing fills, loads no dictionary; shown, it checks.
TEST_F(TextAreas, TheDictionaryLoadsOnlyForATextAreaThatShows) {
    fw::inspect::useSpellingLanguages({"en_US"});
    fw::Ref<fw::TextArea> unseen = window->__New<fw::TextArea>();
    window->_AddControl("Unseen", unseen);
    fw::_SetProperties(*unseen, fw::encodeRecord({{"Width", 200},
                                                  {"Height", 100},
                                                  {"Multiline", true},
                                                  {"AutomaticallyCheckSpelling", true},
                                                  {"Text", "The quikc brown fox"}}));
    uitest::runPast(100);
    EXPECT_FALSE(fw::inspect::spellingDictionaryLoaded());
    EXPECT_TRUE(fw::inspect::misspeltWords(*unseen).empty());

    window->Show();
    EXPECT_TRUE(uitest::runUntil([&] { return !fw::inspect::misspeltWords(*unseen).empty(); }));
    EXPECT_EQ(fw::inspect::misspeltWords(*unseen), (std::vector<fw::String>{"quikc"}));
    EXPECT_TRUE(fw::inspect::spellingDictionaryLoaded());
}

TEST_F(TextAreas, TheDictionaryLiesApartFromTheProgramsOwnBlocks) {
    // Among the window's blocks, its tens of thousands would leave pages kept for those blocks
    // when it goes, more with every window that checks.
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the sanitizer's allocator places blocks its own way";
#endif
    fw::inspect::useSpellingLanguages({"en_US"});
    add(fw::encodeRecord({{"Text", "quikc"}}));
    const HeapUse before = heapUse();
    fw::_SetProperties(*area, fw::encodeRecord({{"AutomaticallyCheckSpelling", true}}));
    ASSERT_TRUE(uitest::runUntil([&] { return !fw::inspect::misspeltWords(*area).empty(); }));
    const HeapUse loaded = heapUse();
    ASSERT_GT(loaded.all - before.all, 1 << 20) << "a dictionary takes megabytes";
    EXPECT_LT(loaded.main - before.main, (loaded.all - before.all) / 10);
}

// The environment's entries, where they lie: a variable set or unset moves them.
std::vector<const char*> environmentEntries() {
    std::vector<const char*> entries;
    for (char** entry = environ; *entry; ++entry)
        entries.push_back(*entry);
    entries.push_back(reinterpret_cast<const char*>(environ));
    return entries;
}

// Another thread may be reading the environment meanwhile (libcups asks the print service from
// one), and the C library reads it without a lock.
TEST_F(TextAreas, CheckingTheSpellingChangesNoEnvironmentAndWritesNoWordList) {
    ScratchFolder home;
    EnvironmentGuard guard({"HOME", "XDG_CONFIG_HOME"});
    EnvironmentGuard::set("HOME", home.path().c_str());
    EnvironmentGuard::set("XDG_CONFIG_HOME", home.file(".config").c_str());
    fw::inspect::useSpellingLanguages({"en_US"});
    const std::vector<const char*> before = environmentEntries();
    add(fw::encodeRecord({{"AutomaticallyCheckSpelling", true}, {"Text", "quikc"}}));
    ASSERT_TRUE(uitest::runUntil([&] { return !fw::inspect::misspeltWords(*area).empty(); }));
    EXPECT_EQ(environmentEntries(), before);
    EXPECT_TRUE(std::filesystem::is_empty(home.path()));
}

TEST_F(TextAreas, WithoutADictionaryNothingIsMarkedAndNothingFails) {
    fw::inspect::useSpellingLanguages({"xx_NONE"});
    add(fw::encodeRecord({{"AutomaticallyCheckSpelling", true}, {"Text", "quikc sekond"}}));
    EXPECT_TRUE(fw::inspect::misspeltWords(*area).empty());
    area->SetFocus();
    fw::inspect::typeText(*window, " mispeled");
    EXPECT_TRUE(fw::inspect::misspeltWords(*area).empty());
    EXPECT_TRUE(unhandled.empty());
}

} // namespace
