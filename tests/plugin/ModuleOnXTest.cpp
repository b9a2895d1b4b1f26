// The built module on a real X server, driven as a host drives it: loaded with dlopen, registered
// through a resolver of the test's own, its methods found by declaration and called on an object
// of the test's own whose instance data follows a 24-byte header.
#include "tests/plugin/InstanceData.h"
#include "tests/plugin/LoadedModule.h"
#include "tests/plugin/TestHost.h"
#include "tests/plugin/XSession.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr std::size_t kHeader = 24;
using namespace properties;

class ModuleOnX : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(display) << "no X display";
        ASSERT_TRUE(module.loaded()) << module.error();
        module.entry()(&TestHost::resolve);
        definition = host.registered();
        ASSERT_NE(definition, nullptr);
        setWord(definition, 4, kHeader);
        data.setInteger(kLasterror, 12345);
    }

    template <typename... Args> void call(const char* declaration, Args... args) {
        REALproc function = methodByDeclaration(definition, declaration);
        ASSERT_NE(function, nullptr) << declaration;
        reinterpret_cast<void (*)(REALobject, Args...)>(function)(reinterpret_cast<REALobject>(object),
                                                                  args...);
    }

    void press() { call("Press"); }
    void pressRaw(RBBoolean down) { call("PressRaw(down as boolean)", down); }
    void clear() { call("Clear"); }
    void mouseMove(int32_t x, int32_t y) { call("MouseMove(globalx as integer,globaly as integer)", x, y); }
    void mouseClick(RBBoolean down) { call("MouseClick(down as boolean)", down); }
    void mouseMoveClick(int32_t x, int32_t y, RBBoolean down) {
        call("MouseMoveClick(globalx as integer,globaly as integer,down as boolean)", x, y, down);
    }
    void mouseClick(RBBoolean down, RBBoolean rightdown) {
        call("MouseClick(down as boolean, rightdown as boolean)", down, rightdown);
    }
    void mouseMoveClick(int32_t x, int32_t y, RBBoolean down, RBBoolean rightdown) {
        call("MouseMoveClick(globalx as integer,globaly as integer,down as boolean, rightdown as boolean)", x,
             y, down, rightdown);
    }

    int32_t lasterror() { return data.integer(kLasterror); }

    DisplayPtr display = openDisplay();
    LoadedModule module{TOLVANE_MODULE};
    TestHost host;
    REALclassDefinition* definition = nullptr;
    alignas(8) unsigned char object[kHeader + 32] = {};
    InstanceData data{object + kHeader};
};

TEST_F(ModuleOnX, MouseMovePutsThePointerAtThePoint) {
    const std::pair<RootPoint, RootPoint> cases[] = {
        {{100, 200}, {100, 200}},
        {{0, 0}, {0, 0}},
        {{1279, 1023}, {1279, 1023}},
        // Points off the screen end at its edge.
        {{5000, -5000}, {1279, 0}},
        {{INT32_MIN, INT32_MAX}, {0, 1023}},
    };
    for (auto [point, expected] : cases) {
        SCOPED_TRACE(::testing::Message() << "MouseMove(" << point.x << ", " << point.y << ")");
        mouseMove(point.x, point.y);
        EXPECT_EQ(pointerOnceAt(display.get(), expected), expected);
        EXPECT_EQ(lasterror(), 0);
    }
}

TEST_F(ModuleOnX, MouseClickResetsTheServersIdleTime) {
    ASSERT_TRUE(hasExtension(display.get(), "MIT-SCREEN-SAVER"));
    ASSERT_TRUE(waitUntil([&] { return idleMilliseconds(display.get()) > 1100; }, 10s))
        << "the server never went idle";
    mouseClick(1);
    EXPECT_EQ(lasterror(), 0);
    mouseClick(0);
    EXPECT_EQ(lasterror(), 0);
    EXPECT_TRUE(waitUntil([&] { return idleMilliseconds(display.get()) < 500; }, 2s))
        << "idle for " << idleMilliseconds(display.get()) << " ms after the click";
}

struct ButtonCase {
    const char* name;
    std::function<void(RBBoolean down)> post;
    unsigned int button;
    RootPoint at;
};

TEST_F(ModuleOnX, MouseMethodsPressAndReleaseTheirButtonWhereTheyShould) {
    TestWindow window(display.get(), 200, 150, 300, 200);
    const ButtonCase cases[] = {
        {"MouseClick(down)", [this](RBBoolean down) { mouseClick(down); }, 1, {260, 230}},
        {"MouseMoveClick(x, y, down)",
         [this](RBBoolean down) { mouseMoveClick(320, 260, down); },
         1,
         {320, 260}},
        {"MouseClick(down, rightdown)", [this](RBBoolean down) { mouseClick(0, down); }, 3, {260, 230}},
        {"MouseMoveClick(x, y, down, rightdown)",
         [this](RBBoolean down) { mouseMoveClick(330, 270, 0, down); },
         3,
         {330, 270}},
    };
    for (const ButtonCase& c : cases) {
        SCOPED_TRACE(c.name);
        mouseMove(260, 230);
        for (RBBoolean down : {1, 0}) {
            c.post(down);
            EXPECT_EQ(lasterror(), 0);
            auto event = window.waitForButton();
            ASSERT_TRUE(event) << "no button event for down = " << int(down);
            EXPECT_EQ(event->type, down ? ButtonPress : ButtonRelease);
            EXPECT_EQ(event->button, c.button);
            EXPECT_EQ((RootPoint{event->x_root, event->y_root}), c.at);
            EXPECT_EQ((RootPoint{event->x, event->y}), (RootPoint{c.at.x - 200, c.at.y - 150}));
        }
    }
}

struct KeyCase {
    const char* name;
    std::vector<std::size_t> modifiers;
    int32_t charcode;
    int32_t keycode;
    std::string typed;
};

TEST_F(ModuleOnX, PressTypesTheKeyWithItsModifiers) {
    TestWindow window(display.get(), 100, 100, 200, 200);
    const KeyCase cases[] = {
        {"a", {}, 'a', 0x00, "a"},
        {"Shift a", {kShift}, 'A', 0x00, "A"},
        {"Shift 7", {kShift}, '&', 0x1A, "&"},
        {"Control a", {kControl}, 1, 0x00, "\x01"},
        {"Return", {}, '\r', 0x24, "\r"},
        {"by character when the key code has no key", {}, 'z', -1, "z"},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        clear();
        for (std::size_t modifier : c.modifiers) {
            data[modifier] = 1;
        }
        data.setInteger(kCharcode, c.charcode);
        data.setInteger(kKeycode, c.keycode);
        press();
        EXPECT_EQ(lasterror(), 0);
        EXPECT_EQ(window.waitForTypedText(), c.typed);
    }
}

TEST_F(ModuleOnX, PressRawPressesOrReleasesTheKey) {
    TestWindow window(display.get(), 100, 100, 200, 200);
    data[kShift] = 1; // PressRaw posts no modifiers
    data.setInteger(kKeycode, 0x0B);
    pressRaw(1);
    EXPECT_EQ(lasterror(), 0);
    auto pressed = window.waitForType(KeyPress);
    ASSERT_TRUE(pressed);
    EXPECT_EQ(XLookupKeysym(&pressed->xkey, 0), static_cast<KeySym>('b'));
    EXPECT_EQ(pressed->xkey.state & ShiftMask, 0u);
    pressRaw(0);
    EXPECT_EQ(lasterror(), 0);
    auto released = window.waitForType(KeyRelease);
    ASSERT_TRUE(released);
    EXPECT_EQ(released->xkey.keycode, pressed->xkey.keycode);
}

TEST_F(ModuleOnX, AKeyThatCannotBeMappedIsReportedAndClearResetsEverything) {
    std::memset(&data[0], 0x5A, 32);
    data.setInteger(kCharcode, 0);
    data.setInteger(kKeycode, -1);
    data[kShift] = data[kCommand] = data[kControl] = data[kOption] = 0;
    press();
    EXPECT_NE(lasterror(), 0);
    EXPECT_NE(lasterror(), -1);

    clear();
    for (std::size_t offset : kIntegers) {
        EXPECT_EQ(data.integer(offset), 0) << "at " << offset;
    }
    for (std::size_t flag : kBooleans) {
        EXPECT_EQ(data[flag], 0) << "at " << flag;
        EXPECT_EQ(data[flag + 1], 0x5A) << "unused byte after " << flag;
    }
}

} // namespace
