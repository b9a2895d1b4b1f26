// The property records the program's windows share in shape.
#pragma once

#include <cstdint>

#include "framework/String.h"

namespace ambrel {

// Every window of the program: a fixed size, a close box (and a minimise button where asked),
// white, shown when built; frame 0 a document window, 1 a dialog that is not modal.
fw::String windowRecord(int32_t width, int32_t height, const char* title, int32_t frame = 0,
                        bool minimizeButton = false);

// The order of a record's entries: the update window's control records list theirs the other way
// round.
enum class EntryOrder { Usual, Reversed };

// A push button locked to its window's top left (and to the right and bottom too when asked).
struct ButtonPlace {
    const char* name;
    int32_t left, top, width, height;
    bool lockRightAndBottom;
    int32_t tabIndex;
    const char* caption;
    bool bold;
    bool isDefault = false;
    bool isCancel = false;
    EntryOrder order = EntryOrder::Usual;
};
fw::String buttonRecord(const ButtonPlace& place);

// Where a label's record puts TabStop: nowhere, or ahead of its name (the About box's).
enum class LabelTabStop { None, First };

// A label in black, neither selectable nor transparent, locked to its window's top left when asked.
struct LabelPlace {
    const char* name;
    int32_t left, top, width, height;
    bool lockLeftAndTop;
    int32_t tabIndex;
    const char* text;
    int32_t align;
    bool multiline;
    const char* font;
    bool bold;
    LabelTabStop tabStop = LabelTabStop::None;
};
fw::String labelRecord(const LabelPlace& place);

} // namespace ambrel
