// The input layer over X11 XTest, on its own: what the server and a test window see, and the
// results it reports without a display, without XTest and for what it cannot post.
#include "platform/InputEvents.h"
#include "tests/plugin/XSession.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

class InputLayer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(display) << "no X display";
        ASSERT_TRUE(hasExtension(display.get(), "XTEST"));
    }
    DisplayPtr display = openDisplay();
};

struct KeyCase {
    CGKeyCode key;
    CGCharCode character;
    KeySym expected;
};

TEST_F(InputLayer, PostsTheKeyOfTheKeyCodeOrElseOfTheCharacter) {
    TestWindow window(display.get(), 100, 100, 200, 200);
    const KeyCase cases[] = {
        {0x00, 0, XK_a},
        {0x0C, 0, XK_q},
        {0x06, 'x', XK_z},
        {0x12, 0, XK_1},
        {0x19, 0, XK_9},
        {0x1D, 0, XK_0},
        {0x24, 0, XK_Return},
        {0x30, 0, XK_Tab},
        {0x31, 0, XK_space},
        {0x33, 0, XK_BackSpace},
        {0x35, 0, XK_Escape},
        {0x37, 0, XK_Super_L},
        {0x38, 0, XK_Shift_L},
        {0x3A, 0, XK_Alt_L},
        {0x3B, 0, XK_Control_L},
        {0x7B, 0, XK_Left},
        {0x7C, 0, XK_Right},
        {0x7D, 0, XK_Down},
        {0x7E, 0, XK_Up},
        {0x7A, 0, XK_F1},
        {0x78, 0, XK_F2},
        {0x63, 0, XK_F3},
        {0x76, 0, XK_F4},
        {0x60, 0, XK_F5},
        {0x6F, 0, XK_F12},
        {0x75, 0, XK_Delete},
        {0x73, 0, XK_Home},
        {0x2F, 0, XK_period},
        // No key of that code: the character's key.
        {0xFFFF, 'z', XK_z},
        {0x7F, '5', XK_5},
        {0xFFFF, '\r', XK_Return},
        {0xFFFF, 0x1B, XK_Escape},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "key code 0x" << std::hex << c.key << ", character 0x" << c.character);
        ASSERT_EQ(CGPostKeyboardEvent(c.character, c.key, 1), kCGErrorSuccess);
        auto pressed = window.waitForType(KeyPress);
        ASSERT_TRUE(pressed);
        EXPECT_EQ(XLookupKeysym(&pressed->xkey, 0), c.expected);
        ASSERT_EQ(CGPostKeyboardEvent(c.character, c.key, 0), kCGErrorSuccess);
        auto released = window.waitForType(KeyRelease);
        ASSERT_TRUE(released);
        EXPECT_EQ(released->xkey.keycode, pressed->xkey.keycode);
    }
}

TEST_F(InputLayer, RefusesAKeyThatCannotBeMappedAndPostsNothing) {
    TestWindow window(display.get(), 100, 100, 200, 200);
    const std::pair<CGKeyCode, CGCharCode> cases[] = {
        {0xFFFF, 0},      // no key code, no character
        {0xFFFF, 0x01},   // a control character has no key
        {0xFFFF, 0xD800}, // half a surrogate pair is no character
        {0x7F, 0x263A},   // a character the keyboard map has no key for
    };
    for (auto [key, character] : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "key code 0x" << std::hex << key << ", character 0x" << character);
        EXPECT_EQ(CGPostKeyboardEvent(character, key, 1), kCGErrorIllegalArgument);
    }
    // The first key the window sees is the one posted after the refused ones.
    ASSERT_EQ(CGPostKeyboardEvent(0, 0x0E, 1), kCGErrorSuccess);
    ASSERT_EQ(CGPostKeyboardEvent(0, 0x0E, 0), kCGErrorSuccess);
    auto pressed = window.waitForType(KeyPress);
    ASSERT_TRUE(pressed);
    EXPECT_EQ(XLookupKeysym(&pressed->xkey, 0), static_cast<KeySym>(XK_e));
}

TEST_F(InputLayer, PostsAButtonOnlyWhenItsStateChanges) {
    TestWindow window(display.get(), 100, 100, 200, 200);
    const CGPoint at{150, 160};
    for (boolean_t down : {1, 1, 0, 0}) {
        EXPECT_EQ(CGPostMouseEvent(at, 1, 1, down), kCGErrorSuccess);
    }
    for (boolean_t down : {1, 0}) {
        EXPECT_EQ(CGPostMouseEvent(at, 1, 2, 0, down), kCGErrorSuccess);
    }
    // Primary press and release, then the secondary as X button 3: nothing for the repeats.
    const std::pair<int, unsigned int> expected[] = {
        {ButtonPress, 1}, {ButtonRelease, 1}, {ButtonPress, 3}, {ButtonRelease, 3}};
    for (auto [type, button] : expected) {
        auto event = window.waitForButton();
        ASSERT_TRUE(event);
        EXPECT_EQ(event->type, type);
        EXPECT_EQ(event->button, button);
        EXPECT_EQ((RootPoint{event->x_root, event->y_root}), (RootPoint{150, 160}));
    }
}

TEST_F(InputLayer, MovesThePointerForAMouseEventOnlyWhenAsked) {
    EXPECT_EQ(CGPostMouseEvent({300, 310}, 1, 1, 0), kCGErrorSuccess);
    EXPECT_EQ(pointerOnceAt(display.get(), {300, 310}), (RootPoint{300, 310}));
    EXPECT_EQ(CGPostMouseEvent({10, 10}, 0, 1, 0), kCGErrorSuccess);
    EXPECT_EQ(pointerPosition(display.get()), (RootPoint{300, 310}));
}

TEST_F(InputLayer, WarpsThePointerAndReadsItBack) {
    const std::pair<CGPoint, RootPoint> cases[] = {
        {{321, 123}, {321, 123}},
        {{0, 0}, {0, 0}},
        {{1e6f, -1e6f}, {1279, 0}},
        {{-1e9f, 1e9f}, {0, 1023}},
    };
    for (auto [point, expected] : cases) {
        SCOPED_TRACE(::testing::Message() << "warp to " << point.x << ", " << point.y);
        EXPECT_EQ(CGWarpMouseCursorPosition(point), kCGErrorSuccess);
        EXPECT_EQ(pointerOnceAt(display.get(), expected), expected);
        Point where{-1, -1};
        GetGlobalMouse(&where);
        EXPECT_EQ(where.h, expected.x);
        EXPECT_EQ(where.v, expected.y);
    }
}

TEST_F(InputLayer, RefusesWhatItCannotPostAndLeavesThePointer) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float infinity = std::numeric_limits<float>::infinity();
    ASSERT_EQ(CGWarpMouseCursorPosition({50, 60}), kCGErrorSuccess);
    ASSERT_EQ(pointerOnceAt(display.get(), {50, 60}), (RootPoint{50, 60}));
    const std::pair<const char*, std::function<CGError()>> cases[] = {
        {"no buttons",
         [] {
             return CGPostMouseEvent({1, 1}, 1, 0, 1);
         }},
        {"three buttons",
         [] {
             return CGPostMouseEvent({1, 1}, 1, 3, 1, 1, 1);
         }},
        {"mouse event at NaN",
         [nan] {
             return CGPostMouseEvent({nan, 1}, 1, 1, 0);
         }},
        {"warp to infinity",
         [infinity] {
             return CGWarpMouseCursorPosition({1, -infinity});
         }},
    };
    for (const auto& [name, post] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(post(), kCGErrorIllegalArgument);
    }
    EXPECT_EQ(pointerPosition(display.get()), (RootPoint{50, 60}));
}

// Runs without any reachable display: DISPLAY unset or naming none.
class NoDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        if (openDisplay()) {
            GTEST_SKIP() << "a display is reachable; this suite is for a process without one";
        }
    }
};

TEST_F(NoDisplay, EveryVerbFailsQuietly) {
    // Twice: each call tries to open the display again.
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_NE(CGPostKeyboardEvent('a', 0x00, 1), kCGErrorSuccess);
        EXPECT_NE(CGPostMouseEvent({1, 1}, 1, 1, 1), kCGErrorSuccess);
        EXPECT_NE(CGWarpMouseCursorPosition({1, 1}), kCGErrorSuccess);
        Point where{7, 7};
        GetGlobalMouse(&where);
        EXPECT_EQ(where.h, 0);
        EXPECT_EQ(where.v, 0);
    }
}

// Runs on a server started without the XTest extension.
class NoXTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(display) << "no X display";
        if (hasExtension(display.get(), "XTEST")) {
            GTEST_SKIP() << "the server has XTest; this suite is for one without";
        }
    }
    DisplayPtr display = openDisplay();
};

TEST_F(NoXTest, PostingFailsWhileTheWarpStillWorks) {
    EXPECT_EQ(CGPostKeyboardEvent('a', 0x00, 1), kCGErrorNotImplemented);
    EXPECT_EQ(CGPostMouseEvent({5, 5}, 1, 1, 1), kCGErrorNotImplemented);
    EXPECT_EQ(CGWarpMouseCursorPosition({40, 50}), kCGErrorSuccess);
    EXPECT_EQ(pointerOnceAt(display.get(), {40, 50}), (RootPoint{40, 50}));
}

} // namespace
