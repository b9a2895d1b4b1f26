// The property records of the program's windows and controls, written from records with named
// fields: every layout builds its records here.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "framework/Properties.h"
#include "framework/String.h"

namespace ambrel {

// Every window of the program: a fixed size, a close box (and a minimise button where asked),
// white, shown when built; frame 0 a document window, 1 a dialog that is not modal.
struct WindowRecord {
    int32_t width = 0, height = 0;
    const char* title = "";
    int32_t frame = 0;
    bool minimizeButton = false;
};
fw::String windowRecord(const WindowRecord& window);

// Where a control sits and how it follows its window's edges: how every control record begins.
struct Place {
    const char* name = "";
    int32_t left = 0, top = 0, width = 0, height = 0;
    bool lockLeftAndTop = false;
    bool lockRightAndBottom = false;
    int32_t tabIndex = 0;
};

// A push button, enabled, visible and a tab stop.
struct ButtonRecord {
    Place place;
    const char* caption = "";
    bool bold = false;
    bool isDefault = false;
    bool isCancel = false;
};
std::vector<fw::RecordEntry> buttonEntries(const ButtonRecord& button);
fw::String buttonRecord(const ButtonRecord& button);

// Where a label's record puts TabStop: nowhere, or ahead of its name (the About box's).
enum class LabelTabStop { None, First };

// A label in black, neither selectable nor transparent.
struct LabelRecord {
    Place place;
    const char* text = "";
    int32_t align = 0; // 0 left, 1 centred, 2 right
    bool multiline = false;
    const char* font = "System";
    bool bold = false;
    LabelTabStop tabStop = LabelTabStop::None;
};
std::vector<fw::RecordEntry> labelEntries(const LabelRecord& label);
fw::String labelRecord(const LabelRecord& label);

// A popup menu with its rows (separated by carriage returns), the first one selected.
struct PopupRecord {
    Place place;
    const char* rows = "";
    bool bold = false;
};
fw::String popupRecord(const PopupRecord& popup);

// A check box, enabled and a tab stop; State 1 is ticked.
struct CheckBoxRecord {
    Place place;
    const char* caption = "";
    bool bold = false;
    int32_t state = 0;
};
fw::String checkBoxRecord(const CheckBoxRecord& box);

// An editable text area with a border and a vertical scroll bar: black System text on white that
// wraps, spell-checked as it is typed; it takes no tabs and hides its selection without the focus.
struct TextAreaRecord {
    Place place;
    const char* text = "";
};
fw::String textAreaRecord(const TextAreaRecord& area);

// A progress bar, enabled, visible and a tab stop.
struct ProgressBarRecord {
    Place place;
    int32_t maximum = 0;
    int32_t value = 0;
};
std::vector<fw::RecordEntry> progressBarEntries(const ProgressBarRecord& bar);

// The entries as a record, in the order the names give: each name must name one of them, and
// every one must be named (a record of an order of its own, the update window's).
fw::String recordInOrder(const std::vector<fw::RecordEntry>& entries,
                         std::initializer_list<const char*> names);

} // namespace ambrel
