// The Self Test and Update windows themselves: their records, layout, members, and the Self
// Test window's life.
#include <sstream>

#include "app/App.h"
#include "framework/ApplicationSettings.h"
#include "tests/support/Inspect.h"
#include "tests/update/UpdateFixture.h"

namespace {

// The names of a record's entries in order, read by the types the class gives them.
std::vector<std::string> entryNames(const fw::String& record, const fw::ClassRecord& cls) {
    std::vector<std::string> names;
    const std::string& b = record.bytes();
    std::size_t at = 0;
    while (at < b.size()) {
        const std::size_t blank = b.find(' ', at);
        const std::string name = b.substr(at, blank - at);
        names.push_back(name);
        at = blank + 1;
        const fw::PropertyInfo* p = cls.findProperty(name);
        if (!p)
            return names;
        switch (p->type) {
        case fw::PropertyType::Integer:
            at += 4;
            break;
        case fw::PropertyType::Boolean:
            at += 1;
            break;
        case fw::PropertyType::Color:
            at += 3;
            break;
        case fw::PropertyType::String: {
            const auto* u = reinterpret_cast<const unsigned char*>(b.data() + at);
            at +=
                4 + ((std::size_t(u[0]) << 24) | (std::size_t(u[1]) << 16) | (std::size_t(u[2]) << 8) | u[3]);
            break;
        }
        default:
            return names;
        }
    }
    return names;
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

class UpdateWindows : public UpdateTest {};

TEST_F(UpdateWindows, TheSelfTestWindowShowsTheRunningVersionAndItsButton) {
    checkNow();
    fw::Ref<ambrel::selfTest> w = ::selfTest();
    EXPECT_EQ(w->Width(), 212);
    EXPECT_EQ(w->Height(), 102);
    EXPECT_EQ(w->Title().bytes(), "Self Test");
    EXPECT_TRUE(w->isShown());
    EXPECT_EQ(w->StaticText1()->Text().bytes(), "Version:");
    EXPECT_EQ(w->StaticText2()->Text().bytes(), ::App()->LongVersion().bytes());
    EXPECT_EQ(fw::inspect::shownText(*w->StaticText2()).bytes(), ::App()->LongVersion().bytes());
    EXPECT_EQ(w->StaticText2()->TextAlign(), 2);
    fw::Ref<fw::PushButton> b = w->PushButton1();
    EXPECT_EQ(b->Caption().bytes(), "Check for Updates");
    EXPECT_TRUE(b->Default());
    EXPECT_FALSE(b->Cancel());
    EXPECT_EQ(b->Left(), 28);
    EXPECT_EQ(b->Top(), 61);
    EXPECT_EQ(b->Width(), 157);
    EXPECT_EQ(b->Height(), 21);
}

// The running version's long text comes from the version data handed over at start-up, which
// may leave it empty.
TEST_F(UpdateWindows, AnEmptyLongVersionGivesAnEmptyLabel) {
    const fw::ApplicationSettings handedOver = fw::applicationSettings();
    fw::ApplicationSettings withoutLongVersion = handedOver;
    withoutLongVersion.longVersion.clear();
    fw::setApplicationSettings(withoutLongVersion);
    const std::string shown = ::selfTest()->StaticText2()->Text().bytes();
    fw::setApplicationSettings(handedOver);
    EXPECT_EQ(shown, "");
}

TEST_F(UpdateWindows, CheckNowTwiceGivesOneWindow) {
    checkNow();
    fw::Ref<fw::Window> first = fw::_GetImplicitWindow("selfTest.selfTest");
    checkNow();
    EXPECT_EQ(fw::_GetImplicitWindow("selfTest.selfTest"), first);
    int selfTests = 0;
    for (const fw::Ref<fw::Window>& w : fw::openWindows())
        selfTests += w->classRecord().name == "selfTest.selfTest";
    EXPECT_EQ(selfTests, 1);
}

TEST_F(UpdateWindows, ClosingASelfTestWindowThatIsNotOpenLeavesNone) {
    ::selfTest()->Close();
    EXPECT_FALSE(isOpen("selfTest.selfTest"));
}

TEST_F(UpdateWindows, TheUpdateWindowIsLaidOutAsItsRecordsSay) {
    LoopbackHTTPServer server({{.bytes = "", .hold = true}});
    fw::Ref<ambrel::updateWindow> w = startCheck(server);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->Width(), 300);
    EXPECT_EQ(w->Height(), 120);
    EXPECT_EQ(w->Title().bytes(), "Update");
    EXPECT_TRUE(w->isShown());
    EXPECT_FALSE(fw::inspect::view(*w).modal);

    fw::Ref<fw::Label> label = w->StaticText1();
    EXPECT_EQ(label->Text().bytes(), "Checking for update...");
    EXPECT_EQ(std::make_pair(label->Left(), label->Top()), std::make_pair(20, 19));
    EXPECT_EQ(label->TextSize(), 12.0f);
    EXPECT_EQ(label->TextFont().bytes(), "Arial");

    fw::Ref<fw::ProgressBar> bar = w->ProgressBar1();
    EXPECT_EQ(std::make_pair(bar->Left(), bar->Top()), std::make_pair(20, 46));
    EXPECT_EQ(std::make_pair(bar->Width(), bar->Height()), std::make_pair(260, 12));
    EXPECT_EQ(bar->Maximum(), 0) << "indeterminate from the moment the window is shown";
    EXPECT_TRUE(fw::inspect::progress(*bar).busy);

    fw::Ref<fw::PushButton> cancel = w->PushButton1();
    EXPECT_EQ(std::make_pair(cancel->Left(), cancel->Top()), std::make_pair(208, 80));
    EXPECT_EQ(cancel->Caption().bytes(), "Cancel");
    EXPECT_TRUE(cancel->Default());
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_EQ(cancel->TextSize(), 0.0f) << "the framework's default size";

    fw::Ref<fw::HTTPSocket> client = w->hp();
    EXPECT_EQ(client->classRecord().name, "updateWindow.hp");
    EXPECT_FALSE(client->Yield());
    EXPECT_EQ(client->Port(), 0);
    EXPECT_EQ(client->Address().bytes(), "");
    auto* child = dynamic_cast<fw::_PaneChild*>(client.get());
    ASSERT_TRUE(child);
    EXPECT_EQ(child->pane(), w.get());
    EXPECT_EQ(child->paneIndex(), 2);
}

TEST_F(UpdateWindows, TheUpdateWindowsControlRecordsListTheirEntriesInTheirOwnOrder) {
    using namespace ambrel::updateWindowLayout;
    const struct {
        const fw::String& record;
        const fw::ClassRecord& cls;
        const char* names;
    } cases[] = {
        {StaticText1(), fw::Label::Class(),
         "DataField DataSource Underline Italic Bold TextFont Transparent Selectable Multiline TextColor "
         "TextAlign "
         "Text Enabled AutoDeactivate HelpTag Visible InitialParent TabStop TabIndex TabPanelIndex "
         "LockBottom "
         "LockRight LockTop LockLeft Height Width Top Left Index Name"},
        {ProgressBar1(), fw::ProgressBar::Class(),
         "InitialParent Maximum Value Enabled AutoDeactivate HelpTag Visible TabPanelIndex LockBottom "
         "LockRight "
         "LockTop LockLeft Height Width Top Left Index Name TabIndex TabStop"},
        {hp(), fw::HTTPSocket::Class(), "yield Port Address"},
        {PushButton1(), fw::PushButton::Class(),
         "InitialParent Underline Italic Bold TextFont ButtonStyle AutoDeactivate HelpTag Visible Enabled "
         "Cancel "
         "Default Caption TabStop TabIndex TabPanelIndex LockBottom LockRight LockTop LockLeft Height Width "
         "Top "
         "Left Index Name"},
        {window(), fw::Window::Class(),
         "Placement Width Height MinWidth MinHeight MaxWidth MaxHeight Frame Composite HasBackColor "
         "BackColor Title "
         "Visible FullScreen MenuBarVisible CloseButton Resizeable LiveResize MaximizeButton MinimizeButton "
         "MacProcID"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(entryNames(c.record, c.cls), words(c.names)) << c.names;
}

// What introspection lists of each window is the window as it is built: a getter for each of its
// controls, in creation order, that names the control's class; a handler for a control takes that
// control first. Every member is public; only _CreateControls0 is hidden.
TEST_F(UpdateWindows, TheMemberListsDescribeTheWindowsAsBuilt) {
    const auto expectDescribed = [](const fw::Window& window) {
        const fw::ClassRecord& cls = window.classRecord();
        std::vector<std::string> getters;
        for (const fw::MemberInfo& m : cls.members) {
            ASSERT_FALSE(m.attributes.empty()) << m.name;
            EXPECT_EQ(m.attributes[0].name, "__Scope") << m.name;
            EXPECT_EQ(m.attributes[0].value, "Public") << m.name;
            EXPECT_EQ(m.attributes.size(), m.name == "_CreateControls0" ? 2u : 1u) << m.name;
            if (!m.signature.starts_with("%o<") || !m.signature.ends_with(">%"))
                continue;
            getters.push_back(m.name);
            const std::string controlClass = m.signature.substr(3, m.signature.size() - 5);
            fw::Ref<fw::Control> control = window._ControlByName(m.name);
            ASSERT_TRUE(control) << m.name;
            const fw::ClassRecord* c = &control->classRecord();
            while (c && c->name != controlClass)
                c = c->super;
            EXPECT_TRUE(c) << m.name << " is no " << controlClass;
        }
        std::vector<std::string> controls;
        for (const fw::Ref<fw::Control>& control : window.controls())
            controls.push_back(control->Name().bytes());
        EXPECT_EQ(getters, controls) << cls.name;
        // (Event_ names are the window's own events.)
        for (const fw::MemberInfo& handler : cls.members) {
            const std::size_t underscore = handler.name.find('_');
            if (underscore == std::string::npos || underscore == 0 || handler.name.starts_with("Event_"))
                continue;
            const fw::MemberInfo* getter = cls.findMember(handler.name.substr(0, underscore));
            ASSERT_TRUE(getter) << handler.name;
            const std::string control = getter->signature.substr(1, getter->signature.size() - 2);
            EXPECT_EQ(handler.signature.substr(0, 2 + control.size()), "%%" + control) << handler.name;
        }
    };
    checkNow();
    expectDescribed(*::selfTest());
    LoopbackHTTPServer server({{.bytes = "", .hold = true}});
    fw::Ref<ambrel::updateWindow> update = startCheck(server);
    ASSERT_TRUE(update);
    expectDescribed(*update);

    const fw::PropertyInfo* automatic = ambrel::updateWindow::Class().findProperty("automaticCheck");
    ASSERT_TRUE(automatic);
    EXPECT_EQ(automatic->typeCode, "b");
    EXPECT_EQ(ambrel::updateWindow::Class().properties.size(), 1u);

    const fw::MemberInfo* handler = ambrel::App::Class().findMember("_CheckforUpdateCheckNow_Action");
    ASSERT_TRUE(handler);
    EXPECT_EQ(handler->signature, "%b%");
}

// The element reader, on its own.
TEST_F(UpdateWindows, ReturnValueGivesTheFirstElementsTextOrNothing) {
    fw::Ref<ambrel::updateWindow> w = fw::make<ambrel::updateWindow>();
    EXPECT_EQ(w->startTag("Free").bytes(), "<Free>");
    EXPECT_EQ(w->endTag("Free").bytes(), "</Free>");
    const struct {
        const char* source;
        const char* tag;
        const char* value;
    } cases[] = {
        {"<a>x</a>", "a", "x"},
        {"<a></a>", "a", ""},
        {"<Free>Yes</Free>", "Free", "Yes"},
        {"<a>1</a><a>2</a>", "a", "1"},
        {"<b>y</b><a>x</a>", "a", "x"},
        {"</a>x<a>y</a>", "a", "y"},
        {"no element here </a> at all", "a", ""},
        {"<a>never closed", "a", ""},
        {"", "a", ""},
        {"<a> spaced\r\n</a>", "a", " spaced\r\n"},
        {"<A>other case</A>", "a", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(w->returnValue(c.source, c.tag).bytes(), c.value) << c.source;
}

} // namespace
