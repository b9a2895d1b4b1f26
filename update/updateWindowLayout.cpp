// The update window's layout as data. Its control records list their entries in an order of
// their own, unlike the other windows'.
#include "builders/LayoutRecords.h"
#include "framework/Properties.h"
#include "update/updateWindow.h"

namespace ambrel::updateWindowLayout {

namespace {
constexpr int32_t kNoIndex = INT32_MIN;
} // namespace

const fw::String& window() {
    static const fw::String record = windowRecord(300, 120, "Update", 1, true);
    return record;
}

const fw::String& StaticText1() {
    static const fw::String record = fw::encodeRecord({
        {"DataField", ""},
        {"DataSource", ""},
        {"Underline", false},
        {"Italic", false},
        {"Bold", false},
        {"TextFont", "Arial"},
        {"Transparent", false},
        {"Selectable", false},
        {"Multiline", false},
        {"TextColor", fw::RGB(0, 0, 0)},
        {"TextAlign", 0},
        {"Text", "Checking for update..."},
        {"Enabled", true},
        {"AutoDeactivate", true},
        {"HelpTag", ""},
        {"Visible", true},
        {"InitialParent", ""},
        {"TabStop", true},
        {"TabIndex", 0},
        {"TabPanelIndex", 0},
        {"LockBottom", false},
        {"LockRight", false},
        {"LockTop", true},
        {"LockLeft", true},
        {"Height", 20},
        {"Width", 266},
        {"Top", 19},
        {"Left", 20},
        {"Index", kNoIndex},
        {"Name", "StaticText1"},
    });
    return record;
}

const fw::String& ProgressBar1() {
    static const fw::String record = fw::encodeRecord({
        {"InitialParent", ""},    {"Maximum", 100},         {"Value", 0},      {"Enabled", true},
        {"AutoDeactivate", true}, {"HelpTag", ""},          {"Visible", true}, {"TabPanelIndex", 0},
        {"LockBottom", false},    {"LockRight", false},     {"LockTop", true}, {"LockLeft", true},
        {"Height", 12},           {"Width", 260},           {"Top", 46},       {"Left", 20},
        {"Index", kNoIndex},      {"Name", "ProgressBar1"}, {"TabIndex", 1},   {"TabStop", true},
    });
    return record;
}

const fw::String& hp() {
    static const fw::String record = fw::encodeRecord({{"yield", false}, {"Port", 0}, {"Address", ""}});
    return record;
}

const fw::String& PushButton1() {
    static const fw::String record = buttonRecord(
        {"PushButton1", 208, 80, 72, 20, false, 3, "Cancel", false, true, true, EntryOrder::Reversed});
    return record;
}

} // namespace ambrel::updateWindowLayout
