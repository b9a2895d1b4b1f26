// The event-posting and pointer calls over X11 and the XTest extension, on the display named by
// DISPLAY. One connection, opened on first use and kept; every verb leaves its requests sent, so
// that events reach the server in the order they were posted, and waits on the server only for
// what it asks.
#include "platform/InputEvents.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <iterator>

namespace {

Display* gDisplay = nullptr;
bool gHasXTest = false;

Display* display() {
    if (!gDisplay) {
        // No display yet: try again on the next call, the server may have come up since.
        gDisplay = XOpenDisplay(nullptr);
        if (gDisplay) {
            int event, error, major, minor;
            gHasXTest = XTestQueryExtension(gDisplay, &event, &error, &major, &minor);
        }
    }
    return gDisplay;
}

// Errors caused by our own requests are counted, never printed: Xlib's default handler would print
// and end the process. Only those of the verb running count: see run().
int gErrors = 0;
unsigned long gVerbStart = 0; // the serial of the running verb's first request
int countError(Display*, XErrorEvent* error) {
    if (error->serial >= gVerbStart)
        ++gErrors;
    return 0;
}

// Runs one verb's requests with the error trap set. Events keep their order on this one
// connection, so a verb that posts only needs them sent: no round trip. Its errors, if any, come
// back once the server has handled it, and only this layer reads the connection, always with the
// trap set: an error that comes after its verb has returned is dropped, since that verb has
// reported already (posting and warping fail only on a broken server). A verb that asks the
// server something has its errors before the reply.
enum class Ends { Flushed, Replied };
template <typename Requests> CGError run(bool needsXTest, Ends ends, Requests requests) {
    Display* d = display();
    if (!d) {
        return kCGErrorFailure;
    }
    if (needsXTest && !gHasXTest) {
        return kCGErrorNotImplemented;
    }
    gErrors = 0;
    gVerbStart = NextRequest(d);
    XErrorHandler previous = XSetErrorHandler(countError);
    CGError result = requests(d);
    if (ends == Ends::Flushed) {
        XFlush(d);
    }
    XSetErrorHandler(previous);
    if (result == kCGErrorSuccess && gErrors != 0) {
        result = kCGErrorFailure;
    }
    return result;
}

// The protocol carries coordinates as 16-bit values: clamping first keeps a far-off point at the
// screen's edge instead of wrapping it round to the other side.
bool toX(CGPoint point, int& x, int& y) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
        return false;
    }
    x = static_cast<int>(std::clamp(point.x, -32768.0f, 32767.0f));
    y = static_cast<int>(std::clamp(point.y, -32768.0f, 32767.0f));
    return true;
}

int16_t toQuickDraw(int value) {
    return static_cast<int16_t>(std::clamp(value, -32768, 32767));
}

struct UsKey {
    CGKeyCode code;
    KeySym sym;
};

// The US keyboard's virtual key numbering. Codes with no entry fall back to the character code.
constexpr UsKey kUsKeys[] = {
    {0x00, XK_a},
    {0x01, XK_s},
    {0x02, XK_d},
    {0x03, XK_f},
    {0x04, XK_h},
    {0x05, XK_g},
    {0x06, XK_z},
    {0x07, XK_x},
    {0x08, XK_c},
    {0x09, XK_v},
    {0x0B, XK_b},
    {0x0C, XK_q},
    {0x0D, XK_w},
    {0x0E, XK_e},
    {0x0F, XK_r},
    {0x10, XK_y},
    {0x11, XK_t},
    {0x12, XK_1},
    {0x13, XK_2},
    {0x14, XK_3},
    {0x15, XK_4},
    {0x16, XK_6},
    {0x17, XK_5},
    {0x18, XK_equal},
    {0x19, XK_9},
    {0x1A, XK_7},
    {0x1B, XK_minus},
    {0x1C, XK_8},
    {0x1D, XK_0},
    {0x1E, XK_bracketright},
    {0x1F, XK_o},
    {0x20, XK_u},
    {0x21, XK_bracketleft},
    {0x22, XK_i},
    {0x23, XK_p},
    {0x24, XK_Return},
    {0x25, XK_l},
    {0x26, XK_j},
    {0x27, XK_apostrophe},
    {0x28, XK_k},
    {0x29, XK_semicolon},
    {0x2A, XK_backslash},
    {0x2B, XK_comma},
    {0x2C, XK_slash},
    {0x2D, XK_n},
    {0x2E, XK_m},
    {0x2F, XK_period},
    {0x30, XK_Tab},
    {0x31, XK_space},
    {0x32, XK_grave},
    {0x33, XK_BackSpace},
    {0x35, XK_Escape},
    {0x36, XK_Super_R},
    {0x37, XK_Super_L},
    {0x38, XK_Shift_L},
    {0x39, XK_Caps_Lock},
    {0x3A, XK_Alt_L},
    {0x3B, XK_Control_L},
    {0x3C, XK_Shift_R},
    {0x3D, XK_Alt_R},
    {0x3E, XK_Control_R},
    {0x40, XK_F17},
    {0x41, XK_KP_Decimal},
    {0x43, XK_KP_Multiply},
    {0x45, XK_KP_Add},
    {0x47, XK_Num_Lock}, // the keypad's Clear key sits where PC keyboards have Num Lock
    {0x4B, XK_KP_Divide},
    {0x4C, XK_KP_Enter},
    {0x4E, XK_KP_Subtract},
    {0x4F, XK_F18},
    {0x50, XK_F19},
    {0x51, XK_KP_Equal},
    {0x52, XK_KP_0},
    {0x53, XK_KP_1},
    {0x54, XK_KP_2},
    {0x55, XK_KP_3},
    {0x56, XK_KP_4},
    {0x57, XK_KP_5},
    {0x58, XK_KP_6},
    {0x59, XK_KP_7},
    {0x5A, XK_F20},
    {0x5B, XK_KP_8},
    {0x5C, XK_KP_9},
    {0x60, XK_F5},
    {0x61, XK_F6},
    {0x62, XK_F7},
    {0x63, XK_F3},
    {0x64, XK_F8},
    {0x65, XK_F9},
    {0x67, XK_F11},
    {0x69, XK_F13},
    {0x6A, XK_F16},
    {0x6B, XK_F14},
    {0x6D, XK_F10},
    {0x6F, XK_F12},
    {0x71, XK_F15},
    {0x72, XK_Insert}, // the Help key sits where PC keyboards have Insert
    {0x73, XK_Home},
    {0x74, XK_Prior},
    {0x75, XK_Delete},
    {0x76, XK_F4},
    {0x77, XK_End},
    {0x78, XK_F2},
    {0x79, XK_Next},
    {0x7A, XK_F1},
    {0x7B, XK_Left},
    {0x7C, XK_Right},
    {0x7D, XK_Down},
    {0x7E, XK_Up},
};

KeySym keysymForKey(CGKeyCode code) {
    auto found = std::find_if(std::begin(kUsKeys), std::end(kUsKeys),
                              [code](const UsKey& key) { return key.code == code; });
    return found == std::end(kUsKeys) ? NoSymbol : found->sym;
}

KeySym keysymForCharacter(CGCharCode c) {
    switch (c) {
    case '\b':
    case '\t':
    case '\r':
    case 0x1B:
        // BackSpace, Tab, Return and Escape sit at 0xFF00 plus their control code.
        return 0xFF00 | c;
    case 0x7F:
        return XK_Delete;
    }
    if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF)) {
        return c; // Latin-1 keysyms are the characters themselves
    }
    if (c >= 0x100 && (c < 0xD800 || c > 0xDFFF)) {
        return 0x01000000 | c; // X's Unicode keysyms; surrogate halves name no character
    }
    return NoSymbol;
}

// The states last posted, so that a repeated state posts nothing; both start released.
bool gButtonDown[2] = {false, false};
constexpr unsigned int kXButton[2] = {1, 3}; // primary, secondary

} // namespace

CGError CGPostKeyboardEvent(CGCharCode charCode, CGKeyCode virtualKey, boolean_t keyDown) {
    return run(true, Ends::Flushed, [&](Display* d) {
        KeySym sym = keysymForKey(virtualKey);
        if (sym == NoSymbol) {
            sym = keysymForCharacter(charCode);
        }
        KeyCode key = sym == NoSymbol ? 0 : XKeysymToKeycode(d, sym);
        if (key == 0) {
            return kCGErrorIllegalArgument;
        }
        XTestFakeKeyEvent(d, key, keyDown != 0, CurrentTime);
        return kCGErrorSuccess;
    });
}

CGError CGPostMouseEvent(CGPoint position, boolean_t updateMouseCursorPosition, CGButtonCount buttonCount,
                         boolean_t mouseButtonDown, ...) {
    if (buttonCount < 1 || buttonCount > 2) {
        return kCGErrorIllegalArgument;
    }
    boolean_t states[2] = {mouseButtonDown, 0};
    if (buttonCount == 2) {
        va_list more;
        va_start(more, mouseButtonDown);
        states[1] = va_arg(more, boolean_t);
        va_end(more);
    }
    return run(true, Ends::Flushed, [&](Display* d) {
        if (updateMouseCursorPosition) {
            int x, y;
            if (!toX(position, x, y)) {
                return kCGErrorIllegalArgument;
            }
            XTestFakeMotionEvent(d, DefaultScreen(d), x, y, CurrentTime);
        }
        // Without a move X presses at wherever the pointer is: it has no button event at a point.
        for (CGButtonCount i = 0; i < buttonCount; ++i) {
            bool down = states[i] != 0;
            if (down != gButtonDown[i]) {
                XTestFakeButtonEvent(d, kXButton[i], down, CurrentTime);
                gButtonDown[i] = down;
            }
        }
        return kCGErrorSuccess;
    });
}

CGError CGWarpMouseCursorPosition(CGPoint newCursorPosition) {
    return run(false, Ends::Flushed, [&](Display* d) {
        int x, y;
        if (!toX(newCursorPosition, x, y)) {
            return kCGErrorIllegalArgument;
        }
        // Posts no button or key event, but on Xorg and Xvfb the move alone resets the server's idle
        // time (the screen saver's, SYNC's IDLETIME), as a move of the mouse would.
        XWarpPointer(d, None, DefaultRootWindow(d), 0, 0, 0, 0, x, y);
        return kCGErrorSuccess;
    });
}

void GetGlobalMouse(Point* globalMouse) {
    if (!globalMouse) {
        return;
    }
    *globalMouse = Point{0, 0};
    run(false, Ends::Replied, [&](Display* d) {
        Window root, child;
        int rootX = 0, rootY = 0, windowX, windowY;
        unsigned int buttons;
        // False only says the pointer is on another screen; the root coordinates are valid still.
        XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rootX, &rootY, &windowX, &windowY, &buttons);
        *globalMouse = Point{toQuickDraw(rootY), toQuickDraw(rootX)};
        return kCGErrorSuccess;
    });
}
