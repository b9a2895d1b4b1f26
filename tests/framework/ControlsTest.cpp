// The visual controls: what they show, what the user's gestures do, and the keyboard focus.
#include "tests/framework/LoggedWindow.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/Inspect.h"

namespace {

using uitest::LoggedWindow;

class Controls : public uitest::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        window = fw::implicitInstance<LoggedWindow>();
        popup = window->control<fw::PopupMenu>("Popup");
    }
    void TearDown() override {
        window = nullptr;
        popup = nullptr;
        WindowTest::TearDown();
    }

    // Counts Change and notes the row selected when it came.
    void countChanges() {
        fw::RuntimeAddEventHandler(
            *popup, fw::kPopupMenuChange, fw::_EventStub(fw::kPopupMenuChange),
            uitest::call([this] { changes.push_back(popup->Text().bytes()); }, "( PopupMenu )"));
    }

    fw::Ref<LoggedWindow> window;
    fw::Ref<fw::PopupMenu> popup;
    std::vector<std::string> changes;
};

TEST_F(Controls, LabelShowsMarkupAsPlainText) {
    fw::Ref<fw::Label> label = window->control<fw::Label>("Caption");
    EXPECT_EQ(fw::inspect::shownText(*label).bytes(), "Poke Time");

    for (const char* text : {"<b>x</b>", "<i>a</i> &amp; b", "1 < 2 > 0", ""}) {
        label->setText(text);
        EXPECT_EQ(label->Text().bytes(), text);
        EXPECT_EQ(fw::inspect::shownText(*label).bytes(), text);
    }
}

TEST_F(Controls, PopupRowsComeFromTheRecordSeparatedByCarriageReturns) {
    EXPECT_EQ(popup->ListCount(), 3);
    EXPECT_EQ(popup->List(0).bytes(), "One");
    EXPECT_EQ(popup->List(2).bytes(), "Three");
    EXPECT_EQ(popup->ListIndex(), 0);
    EXPECT_EQ(popup->Text().bytes(), "One");
    EXPECT_EQ(fw::inspect::shownText(*popup).bytes(), "One");

    fw::Ref<fw::PopupMenu> empty = window->control<fw::PopupMenu>("Hidden");
    EXPECT_EQ(empty->ListCount(), 0);
    EXPECT_EQ(empty->Text().bytes(), "") << "an empty popup selects nothing, whatever its ListIndex said";
}

TEST_F(Controls, PopupListIndexSelectsARowAndRaisesChangeOnlyWhenItChanges) {
    countChanges();

    popup->setListIndex(2);
    popup->setListIndex(2);
    EXPECT_EQ(popup->Text().bytes(), "Three");
    EXPECT_EQ(fw::inspect::shownText(*popup).bytes(), "Three");

    popup->setListIndex(7);
    EXPECT_EQ(popup->ListIndex(), -1) << "an index that names no row selects nothing";
    EXPECT_EQ(popup->Text().bytes(), "");

    EXPECT_EQ(changes, (std::vector<std::string>{"Three", ""}));
}

TEST_F(Controls, PopupUserPickRaisesChangeWithTheNewRowSelected) {
    countChanges();

    fw::inspect::pickRow(*popup, 1);

    EXPECT_EQ(popup->ListIndex(), 1);
    EXPECT_EQ(changes, std::vector<std::string>{"Two"});
}

TEST_F(Controls, PopupChangeHandlerThatRaisesIsReportedAndStaysOnTheToolkitSide) {
    fw::RuntimeAddEventHandler(*popup, fw::kPopupMenuChange, fw::_EventStub(fw::kPopupMenuChange),
                               uitest::call([] { throw fw::NilObjectException(); }, "( PopupMenu )"));

    fw::inspect::pickRow(*popup, 2);

    EXPECT_EQ(unhandled, std::vector<std::string>{"A nil object was used."});
    EXPECT_EQ(popup->ListIndex(), 2);
}

TEST_F(Controls, CheckBoxStateAndValueAgree) {
    fw::Ref<fw::CheckBox> box = window->control<fw::CheckBox>("Box");
    EXPECT_EQ(box->State(), 1);
    EXPECT_TRUE(box->Value());
    EXPECT_EQ(fw::inspect::shownText(*box).bytes(), "Pause");

    box->setValue(false);
    EXPECT_EQ(box->State(), 0);
    box->setState(2);
    EXPECT_FALSE(box->Value()) << "mixed is not ticked";
    EXPECT_THROW(box->setState(3), fw::RuntimeException);
}

TEST_F(Controls, CheckBoxShowsAnAmpersandOfItsCaptionAsItIs) {
    fw::Ref<fw::CheckBox> box = window->control<fw::CheckBox>("Box");
    box->setCaption("Pause & rest");
    EXPECT_EQ(fw::inspect::shownText(*box).bytes(), "Pause & rest") << "no mnemonic";
}

TEST_F(Controls, CheckBoxUserClickTogglesValue) {
    fw::Ref<fw::CheckBox> box = window->control<fw::CheckBox>("Box");

    fw::inspect::click(*box);
    EXPECT_FALSE(box->Value());
    fw::inspect::click(*box);
    EXPECT_TRUE(box->Value());
}

TEST_F(Controls, ControlOutsideTheVisibleContentTakesTheFocus) {
    fw::Ref<fw::PopupMenu> hidden = window->control<fw::PopupMenu>("Hidden");
    ASSERT_GT(hidden->Top(), window->Height());
    window->Show();
    ASSERT_TRUE(uitest::runUntil([&] { return fw::inspect::view(*window).active; }));

    popup->SetFocus();
    ASSERT_TRUE(uitest::runUntil([&] { return popup->hasFocus(); }));
    hidden->SetFocus();

    EXPECT_TRUE(uitest::runUntil([&] { return hidden->hasFocus(); }));
    EXPECT_FALSE(popup->hasFocus());
}

} // namespace
