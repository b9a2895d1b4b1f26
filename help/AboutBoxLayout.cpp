// The About box's layout as data: the window, two buttons and four labels.
#include "builders/LayoutRecords.h"
#include "builders/VendorHost.h"
#include "framework/Properties.h"
#include "help/AboutBox.h"

namespace ambrel::AboutBoxLayout {

const char* const kCredits = "Developed by\rMerrit Vashel\r\rSr. Beta Tester\rIlsa Quorne";
const char* const kAuthorMail = "author@ambrel.example";

fw::String webSite() {
    return fw::String("https://") + kVendorHost + "/";
}

const fw::String& window() {
    static const fw::String record = windowRecord({.width = 264, .height = 258, .title = "About..."});
    return record;
}

const fw::String& PushButton1() {
    static const fw::String record = buttonRecord({.place = {.name = "PushButton1",
                                                             .left = 72,
                                                             .top = 180,
                                                             .width = 120,
                                                             .height = 21,
                                                             .lockLeftAndTop = true,
                                                             .tabIndex = 0},
                                                   .caption = "Email Author",
                                                   .bold = true});
    return record;
}

const fw::String& PushButton2() {
    static const fw::String record = buttonRecord({.place = {.name = "PushButton2",
                                                             .left = 72,
                                                             .top = 217,
                                                             .width = 120,
                                                             .height = 21,
                                                             .lockLeftAndTop = true,
                                                             .tabIndex = 1},
                                                   .caption = "Visit Web Site",
                                                   .bold = true});
    return record;
}

const fw::String& StaticText2() {
    static const fw::String record = labelRecord({.place = {.name = "StaticText2",
                                                            .left = 80,
                                                            .top = 86,
                                                            .width = 104,
                                                            .height = 87,
                                                            .lockLeftAndTop = true,
                                                            .tabIndex = 2},
                                                  .text = kCredits,
                                                  .align = 1,
                                                  .multiline = true,
                                                  .tabStop = LabelTabStop::First});
    return record;
}

const fw::String& StaticText1() {
    static const fw::String record = labelRecord({.place = {.name = "StaticText1",
                                                            .left = 20,
                                                            .top = 13,
                                                            .width = 224,
                                                            .height = 45,
                                                            .lockLeftAndTop = true,
                                                            .tabIndex = 3},
                                                  .text = "Ambrel",
                                                  .align = 1,
                                                  .font = "Arial",
                                                  .bold = true,
                                                  .tabStop = LabelTabStop::First});
    return record;
}

const fw::String& StaticText3() {
    static const fw::String record = labelRecord({.place = {.name = "StaticText3",
                                                            .left = 72,
                                                            .top = 60,
                                                            .width = 56,
                                                            .height = 20,
                                                            .lockLeftAndTop = true,
                                                            .tabIndex = 4},
                                                  .text = "Version:",
                                                  .font = "Arial",
                                                  .bold = true,
                                                  .tabStop = LabelTabStop::First});
    return record;
}

const fw::String& StaticText4() {
    static const fw::String record = labelRecord({.place = {.name = "StaticText4",
                                                            .left = 113,
                                                            .top = 60,
                                                            .width = 79,
                                                            .height = 20,
                                                            .lockLeftAndTop = true,
                                                            .tabIndex = 5},
                                                  .text = "1.1.0 Intel",
                                                  .align = 2,
                                                  .font = "Arial",
                                                  .bold = true,
                                                  .tabStop = LabelTabStop::First});
    return record;
}

} // namespace ambrel::AboutBoxLayout
