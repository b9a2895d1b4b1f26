// The preferences file: what each kind of file gives the panel, and what closing writes.
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "AppFixture.h"
#include "app/prefModule.h"
#include "framework/testing/Inspect.h"

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
