#include "tests/plugin/RecordingInput.h"

#include "plugin/Tolvane.h"

#include <cstdarg>
#include <cstring>

RecordingInput& recording() {
    static RecordingInput instance;
    return instance;
}

InputCall key(CGCharCode charCode, CGKeyCode keyCode, boolean_t down) {
    InputCall call{InputCall::Verb::Keyboard};
    call.charCode = charCode;
    call.keyCode = keyCode;
    call.keyDown = down;
    return call;
}

InputCall click(float x, float y, boolean_t button1) {
    InputCall call{InputCall::Verb::Mouse};
    call.x = x;
    call.y = y;
    call.movePointer = 1;
    call.buttonCount = 1;
    call.buttons[0] = button1;
    return call;
}

InputCall click(float x, float y, boolean_t button1, boolean_t button2) {
    InputCall call = click(x, y, button1);
    call.buttonCount = 2;
    call.buttons[1] = button2;
    return call;
}

InputCall warp(float x, float y) {
    InputCall call{InputCall::Verb::Warp};
    call.x = x;
    call.y = y;
    return call;
}

InputCall readPointer() {
    return InputCall{InputCall::Verb::ReadPointer};
}

void PrintTo(const InputCall& call, std::ostream* out) {
    switch (call.verb) {
    case InputCall::Verb::Keyboard:
        *out << "key(" << call.charCode << ", 0x" << std::hex << call.keyCode << std::dec << ", "
             << call.keyDown << ")";
        break;
    case InputCall::Verb::Mouse:
        *out << "mouse((" << call.x << ", " << call.y << "), move " << call.movePointer << ", "
             << call.buttonCount << " buttons: " << call.buttons[0] << ", " << call.buttons[1] << ")";
        break;
    case InputCall::Verb::Warp:
        *out << "warp(" << call.x << ", " << call.y << ")";
        break;
    case InputCall::Verb::ReadPointer:
        *out << "readPointer()";
        break;
    }
}

namespace {

CGError record(const InputCall& call) {
    RecordingInput& r = recording();
    r.calls.push_back(call);
    int32_t lasterror = 0;
    if (r.watched) {
        std::memcpy(&lasterror,
                    reinterpret_cast<const unsigned char*>(r.watched) + TolvaneClass.dataOffset + 28,
                    sizeof lasterror);
    }
    r.lasterrorDuring.push_back(lasterror);
    if (call.verb == InputCall::Verb::ReadPointer || r.results.empty()) {
        return kCGErrorSuccess;
    }
    CGError result = r.results.front();
    r.results.pop_front();
    return result;
}

} // namespace

CGError CGPostKeyboardEvent(CGCharCode charCode, CGKeyCode virtualKey, boolean_t keyDown) {
    return record(key(charCode, virtualKey, keyDown));
}

CGError CGPostMouseEvent(CGPoint position, boolean_t updateMouseCursorPosition, CGButtonCount buttonCount,
                         boolean_t mouseButtonDown, ...) {
    InputCall call = click(position.x, position.y, mouseButtonDown);
    call.movePointer = updateMouseCursorPosition;
    call.buttonCount = buttonCount;
    if (buttonCount >= 2) {
        va_list more;
        va_start(more, mouseButtonDown);
        call.buttons[1] = va_arg(more, boolean_t);
        va_end(more);
    }
    return record(call);
}

CGError CGWarpMouseCursorPosition(CGPoint newCursorPosition) {
    return record(warp(newCursorPosition.x, newCursorPosition.y));
}

void GetGlobalMouse(Point* globalMouse) {
    record(readPointer());
    RecordingInput& r = recording();
    *globalMouse = Point{0, 0};
    if (!r.pointers.empty()) {
        *globalMouse = r.pointers.front();
        r.pointers.pop_front();
    }
}
