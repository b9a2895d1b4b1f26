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
    static const fw::String record = windowRecord({.width = 350, .height = 348, .title = "Help"});
    return record;
}

// Wholly outside the content (350 by 348): never seen, never clicked, yet a tab stop.
const fw::String& PushButton1() {
    static const fw::String record = buttonRecord({.place = {.name = "PushButton1",
                                                             .left = 397,
                                                             .top = 338,
                                                             .width = 18,
                                                             .height = 20,
                                                             .lockLeftAndTop = true,
                                                             .lockRightAndBottom = true,
                                                             .tabIndex = 0}});
    return record;
}

const fw::String& TextArea1() {
    static const fw::String record = textAreaRecord({.place = {.name = "TextArea1",
                                                               .left = 20,
                                                               .top = 20,
                                                               .width = 310,
                                                               .height = 308,
                                                               .lockLeftAndTop = true,
                                                               .tabIndex = 1},
                                                     .text = kHelpText});
    return record;
}

} // namespace ambrel::HelpLayout
