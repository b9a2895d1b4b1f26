// The Self Test window's layout as data.
#include "builders/LayoutRecords.h"
#include "framework/Properties.h"
#include "update/selfTest.h"

namespace ambrel::selfTestLayout {

namespace {

constexpr int32_t kNoIndex = INT32_MIN;

fw::String label(const char* name, int32_t left, int32_t width, int32_t tabIndex, const char* text,
                 int32_t align) {
    return fw::encodeRecord({
        {"Name", name},
        {"Index", kNoIndex},
        {"Left", left},
        {"Top", 20},
        {"Width", width},
        {"Height", 20},
        {"LockLeft", true},
        {"LockTop", true},
        {"LockRight", false},
        {"LockBottom", false},
        {"TabPanelIndex", 0},
        {"TabIndex", tabIndex},
        {"Text", text},
        {"TextAlign", align},
        {"TextColor", fw::RGB(0, 0, 0)},
        {"Multiline", false},
        {"Enabled", true},
        {"Visible", true},
        {"Selectable", false},
        {"Transparent", false},
        {"HelpTag", ""},
        {"AutoDeactivate", true},
        {"TextFont", "System"},
        {"Bold", true},
        {"Italic", false},
        {"Underline", false},
        {"DataSource", ""},
        {"DataField", ""},
        {"InitialParent", ""},
    });
}

} // namespace

const fw::String& window() {
    static const fw::String record = windowRecord(212, 102, "Self Test");
    return record;
}

const fw::String& StaticText1() {
    static const fw::String record = label("StaticText1", 38, 61, 0, "Version:", 0);
    return record;
}

const fw::String& StaticText2() {
    static const fw::String record = label("StaticText2", 99, 76, 1, "1.3.0 Intel", 2);
    return record;
}

const fw::String& PushButton1() {
    static const fw::String record = fw::encodeRecord({
        {"Name", "PushButton1"},
        {"Index", kNoIndex},
        {"Left", 28},
        {"Top", 61},
        {"Width", 157},
        {"Height", 21},
        {"LockLeft", true},
        {"LockTop", true},
        {"LockRight", false},
        {"LockBottom", false},
        {"TabPanelIndex", 0},
        {"TabIndex", 2},
        {"TabStop", true},
        {"Caption", "Check for Updates"},
        {"Default", true},
        {"Cancel", false},
        {"Enabled", true},
        {"Visible", true},
        {"HelpTag", ""},
        {"AutoDeactivate", true},
        {"ButtonStyle", 0},
        {"TextFont", "System"},
        {"Bold", true},
        {"Italic", false},
        {"Underline", false},
        {"InitialParent", ""},
    });
    return record;
}

} // namespace ambrel::selfTestLayout
