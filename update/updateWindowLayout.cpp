// The update window's layout as data. Its control records list their entries in an order of
// their own, unlike the other windows'.
#include "builders/LayoutRecords.h"
#include "framework/Properties.h"
#include "update/updateWindow.h"

namespace ambrel::updateWindowLayout {

const fw::String& window() {
    static const fw::String record =
        windowRecord({.width = 300, .height = 120, .title = "Update", .frame = 1, .minimizeButton = true});
    return record;
}

const fw::String& StaticText1() {
    static const fw::String record = recordInOrder(
        labelEntries({.place = {.name = "StaticText1",
                                .left = 20,
                                .top = 19,
                                .width = 266,
                                .height = 20,
                                .lockLeftAndTop = true,
                                .tabIndex = 0},
                      .text = "Checking for update...",
                      .font = "Arial",
                      .tabStop = LabelTabStop::First}),
        {"DataField",   "DataSource",     "Underline",  "Italic",    "Bold",          "TextFont",
         "Transparent", "Selectable",     "Multiline",  "TextColor", "TextAlign",     "Text",
         "Enabled",     "AutoDeactivate", "HelpTag",    "Visible",   "InitialParent", "TabStop",
         "TabIndex",    "TabPanelIndex",  "LockBottom", "LockRight", "LockTop",       "LockLeft",
         "Height",      "Width",          "Top",        "Left",      "Index",         "Name"});
    return record;
}

const fw::String& ProgressBar1() {
    static const fw::String record = recordInOrder(
        progressBarEntries({.place = {.name = "ProgressBar1",
                                      .left = 20,
                                      .top = 46,
                                      .width = 260,
                                      .height = 12,
                                      .lockLeftAndTop = true,
                                      .tabIndex = 1},
                            .maximum = 100}),
        {"InitialParent", "Maximum",    "Value",     "Enabled", "AutoDeactivate", "HelpTag", "Visible",
         "TabPanelIndex", "LockBottom", "LockRight", "LockTop", "LockLeft",       "Height",  "Width",
         "Top",           "Left",       "Index",     "Name",    "TabIndex",       "TabStop"});
    return record;
}

const fw::String& hp() {
    static const fw::String record = fw::encodeRecord({{"yield", false}, {"Port", 0}, {"Address", ""}});
    return record;
}

const fw::String& PushButton1() {
    static const fw::String record = recordInOrder(
        buttonEntries({.place = {.name = "PushButton1",
                                 .left = 208,
                                 .top = 80,
                                 .width = 72,
                                 .height = 20,
                                 .lockLeftAndTop = true,
                                 .tabIndex = 3},
                       .caption = "Cancel",
                       .isDefault = true,
                       .isCancel = true}),
        {"InitialParent",  "Underline", "Italic",   "Bold",          "TextFont",   "ButtonStyle",
         "AutoDeactivate", "HelpTag",   "Visible",  "Enabled",       "Cancel",     "Default",
         "Caption",        "TabStop",   "TabIndex", "TabPanelIndex", "LockBottom", "LockRight",
         "LockTop",        "LockLeft",  "Height",   "Width",         "Top",        "Left",
         "Index",          "Name"});
    return record;
}

} // namespace ambrel::updateWindowLayout
