// The panel's layout as data: one property record for the window and one per control.
#include "app/Window1.h"

#include <string>

#include "builders/LayoutRecords.h"
#include "framework/Properties.h"

namespace ambrel::Window1Layout {

const char* const kIntervalRows[11] = {
    " Let me sleep", "       1 min", "       2 min", "       3 min", "       4 min", "       5 min",
    "       6 min",  "       7 min", "       8 min", "       9 min", "      10 min",
};

namespace {

constexpr int32_t kNoIndex = INT32_MIN;

std::string rows() {
    std::string joined;
    for (const char* row : kIntervalRows)
        joined += (joined.empty() ? "" : "\r") + std::string(row);
    return joined;
}

// The parts every visual control's record shares, in record order: its place in the window, its
// text style, and its data binding. The records join them around their own entries.
fw::String place(const char* name, int32_t left, int32_t top, int32_t width, int32_t tabIndex) {
    return fw::encodeRecord({
        {"Name", name},
        {"Index", kNoIndex},
        {"Left", left},
        {"Top", top},
        {"Width", width},
        {"Height", 20},
        {"LockLeft", false},
        {"LockTop", false},
        {"LockRight", false},
        {"LockBottom", false},
        {"TabPanelIndex", 0},
        {"TabIndex", tabIndex},
    });
}

fw::String textStyle(bool bold) {
    return fw::encodeRecord({
        {"AutoDeactivate", true},
        {"TextFont", "System"},
        {"Bold", bold},
        {"Italic", false},
        {"Underline", false},
    });
}

fw::String dataBinding() {
    return fw::encodeRecord({{"DataSource", ""}, {"DataField", ""}, {"InitialParent", ""}});
}

fw::String popup(const char* name, int32_t left, int32_t top, int32_t width, int32_t tabIndex,
                 const std::string& initialValue, bool bold) {
    return place(name, left, top, width, tabIndex) +
           fw::encodeRecord({
               {"TabStop", true},
               {"Enabled", true},
               {"InitialValue", initialValue},
               {"ListIndex", 0},
               {"Visible", true},
               {"HelpTag", ""},
           }) +
           textStyle(bold) + dataBinding();
}

} // namespace

const fw::String& window() {
    static const fw::String record = windowRecord(171, 80, "Ambrel");
    return record;
}

const fw::String& ComboBox1() {
    static const fw::String record = popup("ComboBox1", 20, 40, 131, 0, rows(), true);
    return record;
}

const fw::String& StaticText1() {
    static const fw::String record =
        labelRecord({"StaticText1", 20, 16, 131, 20, false, 1, "Poke Time", 1, false, "System", true});
    return record;
}

const fw::String& ComboBox2() {
    static const fw::String record = popup("ComboBox2", 22, 110, 80, 2, "", false);
    return record;
}

const fw::String& Timer1() {
    static const fw::String record = fw::encodeRecord({{"Mode", 0}, {"Period", 1000}});
    return record;
}

const fw::String& StaticText2() {
    static const fw::String record =
        labelRecord({"StaticText2", 135, 1, 32, 20, false, 3, "888", 1, false, "System", true});
    return record;
}

const fw::String& Pause() {
    static const fw::String record = place("Pause", 8, 1, 62, 4) +
                                     fw::encodeRecord({
                                         {"TabStop", true},
                                         {"Caption", "Pause"},
                                         {"Enabled", true},
                                         {"Visible", true},
                                         {"HelpTag", ""},
                                     }) +
                                     textStyle(true) + fw::encodeRecord({{"State", 1}, {"Value", true}}) +
                                     dataBinding();
    return record;
}

} // namespace ambrel::Window1Layout
