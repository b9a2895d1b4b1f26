// Window size, the content's screen position, and windows kept within reach of the screens.
#include "tests/framework/LoggedWindow.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/Inspect.h"

namespace {

using uitest::LoggedWindow;

fw::Ref<fw::MenuItem> item(const char* name, const char* text) {
    fw::Ref<fw::MenuItem> made = fw::make<fw::MenuItem>();
    made->setName(name);
    made->setText(text);
    return made;
}

class WindowGeometry : public uitest::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        fw::Ref<fw::MenuBar> bar = fw::make<fw::MenuBar>();
        for (const char* menu : {"&File", "&Edit", "Check for Update", "Help "}) {
            fw::Ref<fw::MenuItem> m = item(menu, menu);
            m->Append(item("Some", "Some"));
            bar->Append(m);
        }
        LoggedWindow::menuBar = bar;
    }
    void TearDown() override { WindowTest::TearDown(); }

    // The panel as the program places it: position set in Open, then shown.
    fw::Ref<LoggedWindow> placedAt(int32_t top, int32_t left) {
        LoggedWindow::onOpen = [=](LoggedWindow& w) {
            w.setTop(top);
            w.setLeft(left);
        };
        fw::Ref<LoggedWindow> window = fw::implicitInstance<LoggedWindow>();
        window->Show();
        return window;
    }
};

bool withinAScreen(const fw::inspect::Rect& r) {
    for (const fw::inspect::Rect& s : fw::inspect::screens())
        if (r.left >= s.left && r.top >= s.top && r.left + r.width <= s.left + s.width &&
            r.top + r.height <= s.top + s.height)
            return true;
    return false;
}

TEST_F(WindowGeometry, SmallFixedWindowKeepsItsContentSizeBelowItsMenuBar) {
    fw::Ref<LoggedWindow> window = placedAt(100, 120);

    const fw::inspect::WindowView v = fw::inspect::view(*window);
    EXPECT_GT(v.menuBarHeight, 0);
    EXPECT_TRUE(v.fixedSize);
    EXPECT_EQ(v.content.width, 171);
    EXPECT_EQ(v.content.height, 80);
    EXPECT_EQ(v.frame.width, 171) << "Qt must not widen it";
    EXPECT_EQ(v.frame.height, 80 + v.menuBarHeight);
    EXPECT_EQ(v.content.top, v.frame.top + v.menuBarHeight);
    EXPECT_EQ(v.title.bytes(), "Logged");

    const std::vector<fw::String> titles = fw::inspect::menuTitles(*window);
    ASSERT_EQ(titles.size(), 4u);
    EXPECT_EQ(titles[0].bytes(), "&File");
}

TEST_F(WindowGeometry, TopAndLeftAreWhereTheContentIsOnTheScreen) {
    struct Case {
        int32_t top, left;
    };
    for (const Case c : {Case{100, 120}, Case{60, 10}, Case{300, 17}}) {
        fw::Ref<LoggedWindow> window = placedAt(c.top, c.left);
        EXPECT_EQ(window->Top(), c.top);
        EXPECT_EQ(window->Left(), c.left);
        const fw::inspect::WindowView v = fw::inspect::view(*window);
        EXPECT_EQ(v.content.top, c.top);
        EXPECT_EQ(v.content.left, c.left);

        // Moving the shown window keeps the same meaning.
        window->setTop(c.top + 5);
        window->setLeft(c.left + 7);
        EXPECT_EQ(window->Top(), c.top + 5);
        EXPECT_EQ(window->Left(), c.left + 7);
        window->Close();
    }
}

TEST_F(WindowGeometry, WindowWhollyOffEveryScreenComesBackOntoTheNearest) {
    struct Case {
        int32_t top, left;
    };
    for (const Case c : {Case{-5000, 100}, Case{100, 90000}, Case{-3000, -3000}, Case{40000, 40000}}) {
        fw::Ref<LoggedWindow> window = placedAt(c.top, c.left);
        const fw::inspect::WindowView v = fw::inspect::view(*window);
        EXPECT_TRUE(withinAScreen(v.frame)) << "from " << c.top << ", " << c.left;
        window->Close();
    }
}

TEST_F(WindowGeometry, WindowPartlyOffTheScreenMovesTheLeastThatPutsItWhollyOn) {
    ASSERT_FALSE(fw::inspect::screens().empty());
    const fw::inspect::Rect s = fw::inspect::screens().front();
    // Where the frame lies around the content, measured on a window wholly on the screen.
    fw::inspect::WindowView inside = fw::inspect::view(*placedAt(s.top + 100, s.left + 100));
    fw::implicitInstance<LoggedWindow>()->Close();
    const int32_t above = inside.content.top - inside.frame.top;
    const int32_t beside = inside.content.left - inside.frame.left;
    const int32_t width = inside.frame.width, height = inside.frame.height;

    struct Case {
        const char* where;
        int32_t top, left;           // content position asked for
        int32_t frameTop, frameLeft; // where the frame must end
    };
    const Case cases[] = {
        {"wholly on", s.top + 100, s.left + 100, s.top + 100 - above, s.left + 100 - beside},
        {"over the right and bottom edges", s.top + s.height - 30, s.left + s.width - 40,
         s.top + s.height - height, s.left + s.width - width},
        {"over the left edge", s.top + 200, s.left - 50, s.top + 200 - above, s.left},
        {"menu bar above the top", s.top + 5, s.left + 100, s.top, s.left + 100 - beside},
    };
    for (const Case& c : cases) {
        fw::Ref<LoggedWindow> window = placedAt(c.top, c.left);
        const fw::inspect::WindowView v = fw::inspect::view(*window);
        EXPECT_TRUE(withinAScreen(v.frame)) << c.where;
        EXPECT_EQ(v.frame.top, c.frameTop) << c.where;
        EXPECT_EQ(v.frame.left, c.frameLeft) << c.where;
        window->Close();
    }
}

} // namespace
