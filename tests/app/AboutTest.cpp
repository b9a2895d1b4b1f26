// The About box: one at a time, the running version, the credits as plain text, and the two
// buttons that each open their fixed address once per click.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../framework/UiTestSupport.h"
#include "RunningProgram.h"
#include "app/App.h"
#include "app/Startup.h"
#include "framework/TestHooks.h"
#include "help/AboutBox.h"
#include "tests/support/Inspect.h"

namespace {

class AboutTest : public RunningProgramTest {
  protected:
    void SetUp() override {
        RunningProgramTest::SetUp();
        fw::setURLPresenter([this](const fw::String& url) { opened.push_back(url.bytes()); });
    }
    void TearDown() override {
        fw::setURLPresenter(nullptr);
        RunningProgramTest::TearDown();
    }

    // Help > About..., chosen on the panel's menu bar.
    fw::Ref<ambrel::AboutBox> showAbout() {
        EXPECT_TRUE(fw::inspect::chooseMenuItem(*::Window1(), "HelpAbout"));
        return fw::checkCast<ambrel::AboutBox>(fw::_GetImplicitWindow("AboutBox.AboutBox"));
    }

    std::vector<std::string> opened;
};

TEST_F(AboutTest, AboutOpensOneBoxWithTheRunningVersion) {
    fw::Ref<ambrel::AboutBox> box = showAbout();
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->isShown());
    EXPECT_EQ(showAbout(), box) << "the same box comes to the front";

    const fw::inspect::WindowView view = fw::inspect::view(*box);
    EXPECT_EQ(view.title.bytes(), "About...");
    EXPECT_EQ(view.content.width, 264);
    EXPECT_EQ(view.content.height, 258);
    EXPECT_TRUE(view.fixedSize);
    EXPECT_EQ(view.menuBarHeight, 0);

    EXPECT_EQ(box->StaticText4()->Text().bytes(), ::App()->LongVersion().bytes()) << "no prefix, no suffix";
    EXPECT_EQ(fw::inspect::shownText(*box->StaticText4()).bytes(), ::App()->LongVersion().bytes());
    EXPECT_EQ(fw::inspect::shownText(*box->StaticText1()).bytes(), "Ambrel");
    EXPECT_EQ(fw::inspect::shownText(*box->StaticText3()).bytes(), "Version:");
    EXPECT_EQ(fw::inspect::shownFontPixels(*box->StaticText1()), 30);
    EXPECT_TRUE(box->StaticText1()->Bold());
    // Right-aligned in a frame that overlaps "Version:" by 15: the version must fit its own.
    fw::Ref<fw::Label> version = box->StaticText4();
    EXPECT_LE(fw::inspect::shownTextWidth(*version), version->Width());
    fw::Ref<fw::Label> caption = box->StaticText3();
    EXPECT_LT(fw::inspect::shownTextWidth(*caption) + fw::inspect::shownTextWidth(*version),
              version->Left() + version->Width() - caption->Left())
        << "\"Version:\" and the version stand apart";

    box->Close();
    fw::Ref<ambrel::AboutBox> again = showAbout();
    EXPECT_NE(again, box);
    EXPECT_EQ(again->StaticText4()->Text().bytes(), ::App()->LongVersion().bytes());
}

// The version label's frame overlaps "Version:"; no label may paint over another's text.
TEST_F(AboutTest, EveryLabelsTextReadsWhole) {
    fw::Ref<ambrel::AboutBox> box = showAbout();
    ASSERT_TRUE(box);
    for (const fw::Ref<fw::Label>& label :
         {box->StaticText1(), box->StaticText2(), box->StaticText3(), box->StaticText4()})
        EXPECT_EQ(fw::inspect::textPixelsHidden(*label), 0) << fw::inspect::shownText(*label).bytes();
}

TEST_F(AboutTest, TheCreditsAreFiveLinesShownAsTheyStand) {
    fw::Ref<ambrel::AboutBox> box = showAbout();
    ASSERT_TRUE(box);
    const std::string credits = box->StaticText2()->Text().bytes();
    EXPECT_EQ(credits, ambrel::AboutBoxLayout::kCredits);
    EXPECT_EQ(credits.rfind("Developed by\r", 0), 0u);
    EXPECT_NE(credits.find("\r\rSr. Beta Tester\r"), std::string::npos);
    EXPECT_EQ(std::count(credits.begin(), credits.end(), '\r'), 4);
    std::string lines = credits;
    std::replace(lines.begin(), lines.end(), '\r', '\n');
    EXPECT_EQ(fw::inspect::shownText(*box->StaticText2()).bytes(), lines) << "one line each";

    // Whatever a label is given, it shows it as it stands.
    for (const char* text : {"<b>1.3</b>", "&lt;x&gt;", "a & b"}) {
        box->StaticText4()->setText(text);
        EXPECT_EQ(fw::inspect::shownText(*box->StaticText4()).bytes(), text);
    }
}

TEST_F(AboutTest, EachButtonOpensItsFixedAddressOncePerClick) {
    fw::Ref<ambrel::AboutBox> box = showAbout();
    ASSERT_TRUE(box);
    EXPECT_EQ(fw::inspect::shownText(*box->PushButton1()).bytes(), "Email Author");
    EXPECT_EQ(fw::inspect::shownText(*box->PushButton2()).bytes(), "Visit Web Site");

    fw::inspect::click(*box->PushButton1());
    EXPECT_EQ(opened, std::vector<std::string>{"mailto:author@ambrel.example"});
    fw::inspect::click(*box->PushButton2());
    fw::inspect::click(*box->PushButton2());
    const std::string site = std::string("https://") + AMBREL_UPDATE_HOST + "/";
    EXPECT_EQ(opened, (std::vector<std::string>{"mailto:author@ambrel.example", site, site}));
    EXPECT_TRUE(box->isOpen()) << "the box stays open";

    opened.clear();
    for (fw::inspect::Key key : {fw::inspect::Key::Return, fw::inspect::Key::Escape})
        fw::inspect::pressKey(*box, key);
    EXPECT_TRUE(opened.empty()) << "neither button is the default or the cancel button";
    EXPECT_TRUE(box->isOpen());
}

} // namespace
