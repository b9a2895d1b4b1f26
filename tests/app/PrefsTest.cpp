// The preferences file: what each kind of file gives the panel, and what closing writes.
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "AppFixture.h"
#include "app/prefModule.h"
#include "tests/support/Inspect.h"

namespace {

namespace prefs = ambrel::prefModule;

struct Position {
    int32_t top, left;
    bool operator==(const Position&) const = default;
};

void PrintTo(const Position& p, std::ostream* out) {
    *out << p.top << "," << p.left;
}

class PrefsTest : public testing::Test {
  protected:
    void SetUp() override {
        setUpProgramOnce();
        // Each case reads as the first load of a process would.
        prefs::createDirectiveList();
        prefs::Window1Top = 0;
        prefs::Window1Left = 0;
    }
    Position load() {
        prefs::loadPrefs();
        return {prefs::Window1Top, prefs::Window1Left};
    }
    PrefsFolder folder;
};

struct FileCase {
    const char* contents;
    Position expected;
};

TEST_F(PrefsTest, FileContentsGiveThePosition) {
    const FileCase cases[] = {
        {"#Window1Position 70,10\n", {70, 10}},
        {"#Window1Position 120,-5", {120, -5}},
        {"#WINDOW1POSITION 5,6\n", {5, 6}},
        {"#window1position 5,6\n", {5, 6}},
        {"#Window1Position 5,6\r\n", {5, 6}},
        {"#Window1Position 5,6\r", {5, 6}},
        // Files that count as read but hold no position: the first load's 0, 0.
        {"", {0, 0}},
        {"\n#Window1Position 5,6\n", {0, 0}},
        {"junk\n#Window1Position 5,6\n", {0, 0}},
        {"#Window1Position\n", {0, 0}},
        {"#Window1Position\t5,6\n", {0, 0}},
        // Comments are skipped; reading stops at the first other line.
        {"'comment\n#Window1Position 5,6\n'another\n", {5, 6}},
        {"#Window1Position 1,2\nplain\n#Window1Position 3,4\n", {1, 2}},
        // Fields: extra ones ignored, missing or not numeric ones give what Val gives.
        {"#Window1Position 70,10,99\n", {70, 10}},
        {"#Window1Position 70\n", {70, 0}},
        {"#Window1Position 70,abc\n", {70, 0}},
        {"#Window1Position  70,10\n", {70, 10}},
        // The later of two lines wins, both values from it.
        {"#Window1Position 1,2\n#Window1Position 3,4\n", {3, 4}},
        {"#Other 1,2\n#Window1Position 3,4\n", {3, 4}},
    };
    for (const FileCase& c : cases) {
        SetUp();
        folder.write(c.contents);
        EXPECT_EQ(load(), c.expected) << "file: " << testing::PrintToString(std::string(c.contents));
    }
}

TEST_F(PrefsTest, DirectivesAreKeptFromIndexOneInFileOrder) {
    folder.write("#Other some text here\n'note\n#Window1Position 3,4\n");
    load();
    ASSERT_EQ(prefs::gDirectives->Ubound(), 2);
    EXPECT_FALSE((*prefs::gDirectives)[0]);
    EXPECT_EQ((*prefs::gDirectives)[1]->name.bytes(), "other");
    EXPECT_EQ((*prefs::gDirectives)[1]->text.bytes(), "some text here");
    EXPECT_EQ((*prefs::gDirectives)[2]->name.bytes(), "window1position");
}

// Files far beyond what the program writes: only their head is read, so the stored position
// before the junk places the panel, and memory stays small.
TEST_F(PrefsTest, OnlyTheHeadOfALongFileIsRead) {
    constexpr std::size_t kMiB = 1 << 20;
    const std::string position = "#Window1Position 5,6\n";
    auto repeated = [](const std::string& line, std::size_t bytes) {
        std::string text;
        while (text.size() < bytes)
            text += line;
        return text;
    };
    // Comment lines up to `at` bytes from the start, then the line.
    auto at = [&](std::size_t offset, const std::string& line) {
        std::string text = position;
        text += "'" + std::string(offset - text.size() - 2, 'x') + "\n";
        return text + line;
    };
    struct Case {
        std::string what, contents;
        std::size_t sparseBytes; // a hole up to this size after the contents
    };
    const Case cases[] = {
        {"10 MB of directives", position + repeated("#a b\n", 10 * kMiB), 0},
        {"thousands of directives, then another position",
         position + repeated("#a b\n", 100 * 1024) + "#Window1Position 7,8\n", 0},
        {"another position past 1 MiB", at(kMiB + 100, "#Window1Position 7,8\n"), 0},
        {"another position cut by the 1 MiB bound", at(kMiB - 10, "#Window1Position 7,8\n"), 0},
        {"a sparse 1 GB file", position, std::size_t(1) << 30},
    };
    for (const Case& c : cases) {
        SetUp();
        folder.write(c.contents);
        if (c.sparseBytes)
            std::filesystem::resize_file(folder.file(), c.sparseBytes);
        EXPECT_EQ(load(), (Position{5, 6})) << c.what;
        EXPECT_LT(prefs::gDirectives->Ubound(), 10000) << c.what << ": every directive kept";
    }
}

TEST_F(PrefsTest, NoFileOrAnUnreadableOneGivesTheDefaults) {
    EXPECT_EQ(load(), (Position{70, 10}));
    std::filesystem::create_directory(folder.file()); // a folder where the file should be
    SetUp();
    EXPECT_EQ(load(), (Position{70, 10}));
}

TEST_F(PrefsTest, NoPreferencesFolderGivesTheDefaultsAndSavingDoesNotFail) {
    EnvironmentGuard guard({"XDG_CONFIG_HOME", "HOME"});
    EnvironmentGuard::set("XDG_CONFIG_HOME", nullptr);
    EnvironmentGuard::set("HOME", nullptr);
    EXPECT_EQ(load(), (Position{70, 10}));
    EXPECT_NO_THROW(prefs::savePrefs());
    closePanel();
}

TEST_F(PrefsTest, SavingWritesTheOneLineAndDropsTheRest) {
    folder.write("'old comment\n#Other 1,2\n#Window1Position 1,1\n");
    fw::Ref<ambrel::Window1> panel = ::Window1();
    panel->setTop(120);
    panel->setLeft(-5);
    prefs::savePrefs();
    EXPECT_EQ(folder.read(), "#Window1Position 120,-5\n");
    panel = nullptr;
    closePanel();
}

TEST_F(PrefsTest, TheSavedPositionPlacesTheNextPanel) {
    folder.write("#Window1Position 200,300\n");
    fw::Ref<ambrel::Window1> panel = ::Window1();
    EXPECT_EQ(panel->Top(), 200);
    EXPECT_EQ(panel->Left(), 300);
    panel = nullptr;
    closePanel();
}

bool within(const fw::inspect::Rect& inner, const fw::inspect::Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

TEST_F(PrefsTest, APanelNotWhollyOnAScreenComesWhollyOntoOneAndIsSavedThere) {
    const char* files[] = {
        "#Window1Position 2147483647,-2147483648\n",
        "#Window1Position -5000,90000\n",
        "#Window1Position 1042,-165\n", // at most a corner left on the screen
        "#Window1Position 10,300\n",    // the menu bar above the screen
        "'a file without the position\n",
    };
    for (const char* file : files) {
        folder.write(file);
        fw::Ref<ambrel::Window1> panel = ::Window1();
        panel->Show();
        const fw::inspect::WindowView view = fw::inspect::view(*panel);
        bool onAScreen = false;
        for (const fw::inspect::Rect& s : fw::inspect::screens())
            onAScreen |= within(view.frame, s);
        EXPECT_TRUE(onAScreen) << file;
        // The poke point lies on the panel's own content.
        EXPECT_TRUE(within({panel->Left() + 15, panel->Top() + 23, 1, 1}, view.content)) << file;
        const std::string saved =
            "#Window1Position " + std::to_string(panel->Top()) + "," + std::to_string(panel->Left()) + "\n";
        panel = nullptr;
        closePanel();
        EXPECT_EQ(folder.read(), saved) << file;
    }
}

TEST_F(PrefsTest, APanelWhollyOnTheScreenStaysWhereStored) {
    folder.write("#Window1Position 300,400\n");
    fw::Ref<ambrel::Window1> panel = ::Window1();
    panel->Show();
    EXPECT_EQ(panel->Top(), 300);
    EXPECT_EQ(panel->Left(), 400);
    panel = nullptr;
    closePanel();
}

} // namespace
