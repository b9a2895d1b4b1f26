// The Help window: one at a time, its layout and help text, its own menu bar, and the keys that
// act in it from the moment it opens.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../framework/UiTestSupport.h"
#include "MenuRows.h"
#include "RunningProgram.h"
#include "app/App.h"
#include "app/Startup.h"
#include "help/Help.h"
#include "help/MenuBar2.h"
#include "tests/support/Inspect.h"
#include "tests/support/Occurrences.h"

namespace {

class HelpTest : public RunningProgramTest {
  protected:
    // Help > Show, chosen on the panel's menu bar.
    fw::Ref<ambrel::Help> showHelp() {
        EXPECT_TRUE(fw::inspect::chooseMenuItem(*::Window1(), "HelpShow"));
        fw::Ref<ambrel::Help> help = fw::checkCast<ambrel::Help>(fw::_GetImplicitWindow("Help.Help"));
        EXPECT_TRUE(help);
        if (help) {
            EXPECT_TRUE(uitest::runUntil([&] { return fw::inspect::view(*help).active; }));
        }
        return help;
    }
};

TEST_F(HelpTest, ShowOpensOneWindowThatKeepsItsEditsUntilItCloses) {
    fw::Ref<ambrel::Help> help = showHelp();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isShown());
    EXPECT_EQ(help->TextArea1()->Text().bytes(), ambrel::HelpLayout::kHelpText);

    help->TextArea1()->setSelStart(0);
    fw::inspect::typeText(*help, "Edited. ");
    EXPECT_EQ(showHelp(), help) << "the same window comes to the front";
    const std::vector<fw::Ref<fw::Window>> open = fw::openWindows();
    EXPECT_EQ(
        std::count_if(open.begin(), open.end(),
                      [](const fw::Ref<fw::Window>& w) { return w->classRecord().name == "Help.Help"; }),
        1);
    EXPECT_EQ(help->TextArea1()->Text().bytes(), std::string("Edited. ") + ambrel::HelpLayout::kHelpText);

    fw::inspect::clickCloseBox(*help);
    ASSERT_TRUE(uitest::runUntil([&] { return !help->isOpen(); }));
    fw::Ref<ambrel::Help> again = showHelp();
    EXPECT_NE(again, help);
    EXPECT_EQ(again->TextArea1()->Text().bytes(), ambrel::HelpLayout::kHelpText) << "the edits went with it";
}

TEST_F(HelpTest, TheWindowIsFixedAndTheTextKeepsAMarginOfTwenty) {
    fw::Ref<ambrel::Help> help = showHelp();
    ASSERT_TRUE(help);
    const fw::inspect::WindowView view = fw::inspect::view(*help);
    EXPECT_EQ(view.title.bytes(), "Help");
    EXPECT_EQ(view.content.width, 350);
    EXPECT_EQ(view.content.height, 348);
    EXPECT_TRUE(view.fixedSize);
    EXPECT_EQ(fw::inspect::menuTitles(*help), (std::vector<fw::String>{"&File", "&Edit"}));

    fw::Ref<fw::TextArea> text = help->TextArea1();
    EXPECT_EQ(text->Left(), 20);
    EXPECT_EQ(text->Top(), 20);
    EXPECT_EQ(text->Left() + text->Width() + 20, 350);
    EXPECT_EQ(text->Top() + text->Height() + 20, 348);
    EXPECT_TRUE(text->Styled() && text->Multiline() && text->AutomaticallyCheckSpelling());
    EXPECT_FALSE(text->ReadOnly() || text->AcceptTabs() || text->ScrollbarHorizontal());
    EXPECT_GT(fw::inspect::lineCount(*text), 5) << "the paragraphs wrap at the width";
}

TEST_F(HelpTest, TheHelpTextHasItsFiveParagraphs) {
    const std::string text = ambrel::HelpLayout::kHelpText;
    EXPECT_GT(text.size(), 850u);
    EXPECT_LT(text.size(), 900u);
    EXPECT_TRUE(
        std::all_of(text.begin(), text.end(), [](char c) { return c > 0 && (c >= ' ' || c == '\r'); }));
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(countOf(text, "\r\r"), 4u);
    EXPECT_EQ(countOf(text, "\r"), 8u);
    EXPECT_NE(text.back(), '\r');
    // Every full stop but a paragraph's last is followed by two blanks.
    for (std::size_t at = text.find('.'); at != std::string::npos; at = text.find('.', at + 1))
        if (at + 1 < text.size() && text[at + 1] != '\r') {
            EXPECT_EQ(text.substr(at + 1, 2), "  ") << text.substr(0, at + 1);
        }
    EXPECT_EQ(countOf(text, "Ambrel"), 5u);
    EXPECT_EQ(countOf(text, "Control Panel"), 5u);
    EXPECT_EQ(countOf(text, "Let Me Sleep"), 2u);
    EXPECT_EQ(countOf(text, "User"), 2u);
    std::string figures;
    std::copy_if(text.begin(), text.end(), std::back_inserter(figures),
                 [](char c) { return c >= '0' && c <= '9'; });
    EXPECT_EQ(figures, "20");
    EXPECT_EQ(countOf(text, "Mac"), 0u);
}

// Everything under the folder, as paths relative to it.
std::vector<std::string> filesUnder(const std::filesystem::path& folder) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        found.push_back(std::filesystem::relative(entry.path(), folder).string());
    std::sort(found.begin(), found.end());
    return found;
}

TEST_F(HelpTest, MisspeltWordsAreMarkedButNotTheProgramsNameAndNoFileIsWritten) {
    fw::inspect::useSpellingLanguages({"en_US"});
    const std::filesystem::path config = prefs.file().parent_path();
    const std::vector<std::string> before = filesUnder(config);

    fw::Ref<ambrel::Help> help = showHelp();
    ASSERT_TRUE(help);
    fw::Ref<fw::TextArea> text = help->TextArea1();
    text->setSelStart(0);
    fw::inspect::typeText(*help, "Ambrel mispeled ");
    const auto marked = [&](const char* word) {
        const std::vector<fw::String> words = fw::inspect::misspeltWords(*text);
        return std::find(words.begin(), words.end(), fw::String(word)) != words.end();
    };
    ASSERT_TRUE(uitest::runUntil([&] { return marked("mispeled"); }));
    EXPECT_FALSE(marked("Ambrel")) << "the program's own name is a word";
    EXPECT_TRUE(fw::inspect::spellingDictionaryLoaded());

    help->Close();
    help = nullptr;
    text = nullptr;
    EXPECT_TRUE(uitest::runUntil([] { return !fw::inspect::spellingDictionaryLoaded(); }))
        << "the dictionary goes with the last text area that checks";
    EXPECT_EQ(filesUnder(config), before);
    fw::inspect::useSpellingLanguages({});
}

TEST_F(HelpTest, MenuBar2IsTheSameBarEachTimeWithTwelveAccessors) {
    fw::Ref<ambrel::Help> help = showHelp();
    ASSERT_TRUE(help);
    fw::Ref<ambrel::MenuBar2> bar = ::MenuBar2();
    EXPECT_EQ(fw::Ref<fw::MenuBar>(bar), help->MenuBar());
    // The text has the focus: the Edit items act on it.
    expectShownBar(*help, {
                              {"&File", {{"Print Help", "Ctrl+P"}, {"&Quit", "Ctrl+Q"}}},
                              {"&Edit",
                               {{"&Undo", "Ctrl+Z"},
                                {"-"},
                                {"Cu&t", "Ctrl+X"},
                                {"&Copy", "Ctrl+C"},
                                {"&Paste", "Ctrl+V"},
                                {"&Delete"},
                                {"-"},
                                {"Select &All", "Ctrl+A"}}},
                          });

    fw::Ref<fw::MenuItem> edit = bar->Child("EditMenu");
    EXPECT_EQ(fw::Ref<fw::MenuItem>(help->EditSeparator1()), edit->Item(1)); // right below "&Undo"
    EXPECT_EQ(fw::Ref<fw::MenuItem>(help->EditSeparator2()), edit->Item(6)); // right above "Select &All"
    EXPECT_EQ(help->FileQuit()->classRecord().name, "QuitMenuItem");
    const fw::Ref<fw::MenuItem> accessed[] = {
        help->EditMenu(),  help->EditSelectAll(), help->EditSeparator2(), help->EditClear(),
        help->EditPaste(), help->EditCopy(),      help->EditCut(),        help->EditSeparator1(),
        help->EditUndo(),  help->FileMenu(),      help->FileQuit(),       help->FilePrintHelp()};
    for (const fw::Ref<fw::MenuItem>& item : accessed) {
        ASSERT_TRUE(item);
        EXPECT_EQ(fw::Ref<fw::MenuItem>(bar->_Lookup(item->Name())), item);
    }

    help->Close();
    EXPECT_EQ(fw::Ref<fw::MenuBar>(bar), showHelp()->MenuBar())
        << "a Help window opened again gets the same bar";
}

TEST_F(HelpTest, PrintHelpIsBoundOnTheWindowItself) {
    fw::Ref<ambrel::Help> help = showHelp();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->menuHandler("FilePrintHelp"));
    EXPECT_FALSE(help->menuHandler("HelpShow"));
    fw::WeakRef<ambrel::Help> weak(help);
    help->Close();
    help = nullptr;
    EXPECT_TRUE(weak.expired()) << "the binding that holds the window goes with it";
}

TEST_F(HelpTest, EditKeysActInTheTextFromTheMomentTheWindowOpens) {
    fw::Ref<ambrel::Help> help = showHelp();
    ASSERT_TRUE(help);
    fw::Ref<fw::TextArea> text = help->TextArea1();
    EXPECT_TRUE(text->hasFocus());
    for (const char* item : {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"})
        EXPECT_TRUE(fw::inspect::menuEntry(*help, item).enabled) << item << ", before any menu opened";

    const std::string original = ambrel::HelpLayout::kHelpText;
    fw::inspect::pressKeys(*help, "Ctrl+A");
    EXPECT_EQ(text->SelLength(), fw::Len(original));
    fw::inspect::pressKeys(*help, "Ctrl+X");
    EXPECT_EQ(text->Text().bytes(), "");
    fw::inspect::pressKeys(*help, "Ctrl+Z");
    EXPECT_EQ(text->Text().bytes(), original);
    text->setSelStart(0);
    text->setSelLength(6);
    fw::inspect::pressKeys(*help, "Ctrl+C");
    text->setSelStart(fw::Len(original));
    fw::inspect::pressKeys(*help, "Ctrl+V");
    EXPECT_EQ(text->Text().bytes(), original + "Ambrel");

    fw::inspect::pressKeys(*help, "Tab");
    EXPECT_EQ(text->Text().bytes(), original + "Ambrel") << "Tab types nothing";
    EXPECT_FALSE(text->hasFocus());
}

TEST_F(HelpTest, TheHiddenButtonTellsWhereTheSelectionStands) {
    fw::Ref<ambrel::Help> help = showHelp();
    ASSERT_TRUE(help);
    fw::Ref<fw::PushButton> button = help->PushButton1();
    EXPECT_GE(button->Left(), help->Width()) << "wholly right of the content";
    EXPECT_GT(button->Top() + button->Height(), help->Height());
    EXPECT_FALSE(button->Default() || button->Cancel());

    fw::Ref<fw::TextArea> text = help->TextArea1();
    fw::inspect::pressKey(*help, fw::inspect::Key::Return);
    fw::inspect::pressKey(*help, fw::inspect::Key::Escape);
    EXPECT_TRUE(messages.empty()) << "neither Return nor Escape presses it";

    struct Case {
        int32_t start, length;
        const char* message;
    };
    for (const Case& c : {Case{12, 5, "Start: 12 Length: 5"}, Case{0, 0, "Start: 0 Length: 0"}}) {
        messages.clear();
        text->SetFocus();
        text->setSelStart(c.start);
        text->setSelLength(c.length);
        fw::inspect::pressKeys(*help, "Tab");
        EXPECT_TRUE(button->hasFocus()) << "the only other tab stop";
        fw::inspect::pressKey(*help, fw::inspect::Key::Space);
        EXPECT_EQ(messages, std::vector<std::string>{c.message});
    }
}

} // namespace
