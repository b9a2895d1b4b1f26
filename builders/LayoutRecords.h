// The property records the program's windows share in shape.
#pragma once

#include <cstdint>

#include "framework/String.h"

namespace ambrel {

// Every window of the program: a fixed size, a close box (and a minimise button where asked),
// white, shown when built; frame 0 a document window, 1 a dialog that is not modal.
fw::String windowRecord(int32_t width, int32_t height, const char* title, int32_t frame = 0,
                        bool minimizeButton = false);

// A plain push button, neither default nor cancel, locked to its window's top left (and to the
// right and bottom too when asked).
struct ButtonPlace {
    const char* name;
    int32_t left, top, width, height;
    bool lockRightAndBottom;
    int32_t tabIndex;
    const char* caption;
    bool bold;
};
fw::String pushButtonRecord(const ButtonPlace& place);

} // namespace ambrel
