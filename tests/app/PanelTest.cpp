// The control panel's states and its poke, through the plug-in over the recording input layer.
#include <gtest/gtest.h>

#include <functional>

#include "../framework/UiTestSupport.h"
#include "../plugin/RecordingInput.h"
#include "AppFixture.h"
#include "app/Module1.h"
#include "app/Window1.h"
#include "tests/support/Inspect.h"

namespace {

using ambrel::Module1::CountDown;

class PanelTest : public testing::Test {
  protected:
    void SetUp() override {
        setUpProgramOnce();
        recording() = RecordingInput{};
        panel = ::Window1();
    }
    void TearDown() override {
        panel = nullptr;
        closePanel();
    }

    // The user's pick in the interval popup.
    void pick(int row) { fw::inspect::pickRow(*panel->ComboBox1(), row); }
    void tick(int times = 1) {
        for (int i = 0; i < times; ++i)
            panel->Timer1_Action(panel->Timer1().get());
    }
    std::string label() const { return panel->StaticText2()->Text().bytes(); }

    PrefsFolder prefs;
    fw::Ref<ambrel::Window1> panel;
};

TEST_F(PanelTest, LaunchesIdleAndPaused) {
    EXPECT_EQ(panel->Width(), 171);
    EXPECT_EQ(panel->Height(), 80);
    EXPECT_EQ(panel->Title().bytes(), "Ambrel");
    EXPECT_EQ(panel->ComboBox1()->Text().bytes(), " Let me sleep");
    EXPECT_EQ(panel->ComboBox1()->ListCount(), 11);
    EXPECT_EQ(panel->ComboBox2()->ListCount(), 0);
    EXPECT_EQ(panel->StaticText1()->Text().bytes(), "Poke Time");
    EXPECT_EQ(label(), "");
    EXPECT_TRUE(panel->Pause()->Value());
    EXPECT_EQ(panel->Timer1()->Mode(), fw::Timer::ModeOff);
    EXPECT_EQ(panel->Timer1()->Period(), 1000);
}

TEST_F(PanelTest, EveryMinuteRowStartsItsFullInterval) {
    for (int row = 1; row <= 10; ++row) {
        pick(row);
        EXPECT_EQ(label(), std::to_string(row * 60)) << "row " << row;
        EXPECT_EQ(CountDown, row * 60);
        EXPECT_EQ(panel->Timer1()->Mode(), fw::Timer::ModeMultiple);
    }
}

TEST_F(PanelTest, PauseFreezesTheCountAndUntickingResumesFromThere) {
    pick(4);
    tick(3); // Pause is ticked at launch
    EXPECT_EQ(label(), "240");
    panel->Pause()->setValue(false);
    tick(2);
    EXPECT_EQ(label(), "238");
    panel->Pause()->setValue(true);
    tick(5);
    EXPECT_EQ(label(), "238");
    panel->Pause()->setValue(false);
    tick();
    EXPECT_EQ(label(), "237");
}

TEST_F(PanelTest, PickingAnotherRowRestartsAndLetMeSleepStops) {
    pick(2);
    panel->Pause()->setValue(false);
    tick(10);
    pick(3);
    EXPECT_EQ(label(), "180");
    tick(5);
    pick(0);
    EXPECT_EQ(panel->Timer1()->Mode(), fw::Timer::ModeOff);
    EXPECT_EQ(label(), "");
    EXPECT_EQ(CountDown, 175); // left as it was
}

TEST_F(PanelTest, PokesAtZeroOntoThePanelAndStartsAgain) {
    panel->Show();
    pick(1);
    panel->Pause()->setValue(false);
    tick(59);
    EXPECT_EQ(label(), "1");
    EXPECT_TRUE(recording().calls.empty());

    const float px = static_cast<float>(panel->Left() + 15);
    const float py = static_cast<float>(panel->Top() + 23);
    // The pointer is where the warp put it when the clicks read it.
    Point there{static_cast<int16_t>(py), static_cast<int16_t>(px)};
    recording().pointers = {there, there};
    tick();

    std::vector<InputCall> expected = {warp(px, py), readPointer(), click(px, py, 1), readPointer(),
                                       click(px, py, 0)};
    EXPECT_EQ(recording().calls, expected);
    EXPECT_EQ(panel->x, panel->Left() + 15);
    EXPECT_EQ(panel->y, panel->Top() + 23);
    EXPECT_EQ(label(), "60");
    EXPECT_EQ(CountDown, 60);
}

TEST_F(PanelTest, APanelThatDoesNotShowAtThePokePointIsNotClicked) {
    // Not shown at all here; on X a window of another program over the point is the same case.
    pick(1);
    panel->Pause()->setValue(false);
    tick(60);
    const std::vector<InputCall> expected = {
        warp(static_cast<float>(panel->Left() + 15), static_cast<float>(panel->Top() + 23))};
    EXPECT_EQ(recording().calls, expected);
    EXPECT_EQ(label(), "60");
}

TEST_F(PanelTest, EveryPokeMakesANewObjectAndFollowsThePanel) {
    pick(1);
    panel->Pause()->setValue(false);
    tick(60);
    ASSERT_TRUE(panel->p);
    fw::WeakRef<ambrel::TolvaneVrek> first(panel->p);

    panel->setLeft(panel->Left() + 40);
    panel->setTop(panel->Top() + 30);
    recording() = RecordingInput{};
    tick(60);
    EXPECT_TRUE(first.expired());
    ASSERT_FALSE(recording().calls.empty());
    EXPECT_EQ(recording().calls.front(),
              warp(static_cast<float>(panel->Left() + 15), static_cast<float>(panel->Top() + 23)));
}

// Runs the loop until the condition holds. A panel closed by an earlier test asked to quit, which
// ends the first run at once: give it a second.
bool settle(const std::function<bool()>& done) {
    for (int run = 0; run < 2 && !done(); ++run)
        uitest::runUntil(done);
    return done();
}

TEST_F(PanelTest, ChangeMovesTheFocusToTheHiddenPopup) {
    panel->Show();
    panel->SetFocus();
    panel->ComboBox1()->SetFocus();
    ASSERT_TRUE(settle([&] { return panel->ComboBox1()->hasFocus(); }));
    pick(5);
    EXPECT_TRUE(settle([&] { return panel->ComboBox2()->hasFocus(); }));
    EXPECT_FALSE(panel->ComboBox1()->hasFocus());
}

// Each second's value reaches the screen; the countdown repaints alone (it overlaps "Poke Time"),
// and what that partial repaint leaves is what a full drawing of the panel shows.
TEST_F(PanelTest, EachTickRepaintsTheCountdownAloneWithItsNewValue) {
    panel->Show();
    pick(1);
    panel->Pause()->setValue(false);
    ASSERT_TRUE(settle([&] { return fw::inspect::pixelsUnlikeFreshDrawing(*panel) == 0; }));
    fw::inspect::PaintLog paints(*panel);
    struct Step {
        int ticks;
        const char* shown;
    };
    const Step steps[] = {{1, "59"}, {1, "58"}, {8, "50"}, {40, "10"}, {9, "1"}, {1, "60"}, {1, "59"}};
    for (const Step& step : steps) {
        tick(step.ticks);
        EXPECT_EQ(fw::inspect::shownText(*panel->StaticText2()).bytes(), step.shown);
        ASSERT_TRUE(settle([&] { return paints.paintedParts() > 0; })) << "no repaint for " << step.shown;
        EXPECT_TRUE(paints.painted(*panel->StaticText2())) << step.shown;
        EXPECT_EQ(paints.paintedParts(), 1) << "more than the countdown repainted for " << step.shown;
        EXPECT_EQ(fw::inspect::pixelsUnlikeFreshDrawing(*panel), 0) << step.shown;
        paints.reset();
    }
}

TEST_F(PanelTest, ClosingSavesThePosition) {
    panel->setTop(120);
    panel->setLeft(30);
    panel = nullptr;
    closePanel();
    EXPECT_EQ(prefs.read(), "#Window1Position 120,30\n");
}

TEST_F(PanelTest, ReferencesFromInsideTheOpenEventReachTheSamePanel) {
    EXPECT_EQ(::Window1(), panel);
    panel->Event_Open(); // places it through the accessor: still this one window
    EXPECT_EQ(::Window1(), panel);
}

} // namespace
