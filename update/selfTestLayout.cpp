// The Self Test window's layout as data.
#include "builders/LayoutRecords.h"
#include "framework/Properties.h"
#include "update/selfTest.h"

namespace ambrel::selfTestLayout {

const fw::String& window() {
    static const fw::String record = windowRecord({.width = 212, .height = 102, .title = "Self Test"});
    return record;
}

const fw::String& StaticText1() {
    static const fw::String record = labelRecord({.place = {.name = "StaticText1",
                                                            .left = 38,
                                                            .top = 20,
                                                            .width = 61,
                                                            .height = 20,
                                                            .lockLeftAndTop = true,
                                                            .tabIndex = 0},
                                                  .text = "Version:",
                                                  .bold = true});
    return record;
}

const fw::String& StaticText2() {
    static const fw::String record = labelRecord({.place = {.name = "StaticText2",
                                                            .left = 99,
                                                            .top = 20,
                                                            .width = 76,
                                                            .height = 20,
                                                            .lockLeftAndTop = true,
                                                            .tabIndex = 1},
                                                  .text = "1.3.0 Intel",
                                                  .align = 2,
                                                  .bold = true});
    return record;
}

const fw::String& PushButton1() {
    static const fw::String record = buttonRecord({.place = {.name = "PushButton1",
                                                             .left = 28,
                                                             .top = 61,
                                                             .width = 157,
                                                             .height = 21,
                                                             .lockLeftAndTop = true,
                                                             .tabIndex = 2},
                                                   .caption = "Check for Updates",
                                                   .bold = true,
                                                   .isDefault = true});
    return record;
}

} // namespace ambrel::selfTestLayout
