// The Help window's layout as data, with the help text.
#include "builders/LayoutRecords.h"
#include "framework/Properties.h"
#include "help/Help.h"

namespace ambrel::HelpLayout {

// Five paragraphs, an empty line between them, two blanks after each full stop inside one.
const char* const kHelpText =
    "Ambrel is a small, plain tool that I rely on daily, and I share it in case others have a use for "
    "it too.  Ambrel keeps the computer from sleeping by poking the display at intervals of a set "
    "number of seconds.\r\r"
    "A drop-down menu sets the spacing of the pokes (Let Me Sleep, or one minute up to ten).  The "
    "seconds left are counted down in the top right corner of the Control Panel.  At zero it moves "
    "the cursor onto the Control Panel and taps the mouse (a stand-in for a click by the User on the "
    "Control Panel).\r\r"
    "A checkbox on the Control Panel lets the User pause the countdown.\r\r"
    "In my use, with the desktop's power settings sending both the computer and the display to sleep "
    "after 20 minutes, a four-minute setting in Ambrel suits well.\r\r"
    "Ambrel remembers where its Control Panel was placed, from one run to the next.  When launched, "
    "Ambrel starts in the paused state with Let Me Sleep selected.";

const fw::String& window() {
    static const fw::String record = windowRecord(350, 348, "Help");
    return record;
}

// Wholly outside the content (350 by 348): never seen, never clicked, yet a tab stop.
const fw::String& PushButton1() {
    static const fw::String record = buttonRecord({"PushButton1", 397, 338, 18, 20, true, 0, "", false});
    return record;
}

const fw::String& TextArea1() {
    static const fw::String record = fw::encodeRecord({
        {"Name", "TextArea1"},
        {"Index", INT32_MIN},
        {"Left", 20},
        {"Top", 20},
        {"Width", 310},
        {"Height", 308},
        {"LockLeft", true},
        {"LockTop", true},
        {"LockRight", false},
        {"LockBottom", false},
        {"TabPanelIndex", 0},
        {"TabIndex", 1},
        {"TabStop", true},
        {"Border", true},
        {"Multiline", true},
        {"ScrollbarHorizontal", false},
        {"ScrollbarVertical", true},
        {"Styled", true},
        {"UseFocusRing", true},
        {"TextColor", fw::RGB(0, 0, 0)},
        {"BackColor", fw::RGB(255, 255, 255)},
        {"Enabled", true},
        {"Format", ""},
        {"Visible", true},
        {"HelpTag", ""},
        {"AutoDeactivate", true},
        {"HideSelection", true},
        {"TextFont", "System"},
        {"Bold", false},
        {"Italic", false},
        {"Underline", false},
        {"Text", kHelpText},
        {"Mask", ""},
        {"ReadOnly", false},
        {"LimitText", 0},
        {"AcceptTabs", false},
        {"Alignment", 0},
        {"AutomaticallyCheckSpelling", true},
        {"DataSource", ""},
        {"DataField", ""},
        {"InitialParent", ""},
    });
    return record;
}

} // namespace ambrel::HelpLayout
