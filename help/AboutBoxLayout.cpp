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

namespace {

// A label record begins with TabStop, ahead of its name.
fw::String label(const char* name, int32_t left, int32_t top, int32_t width, int32_t height, int32_t tabIndex,
                 const char* text, int32_t align, bool multiline, const char* font, bool bold) {
    return fw::encodeRecord({
        {"TabStop", true},
        {"Name", name},
        {"Index", INT32_MIN},
        {"Left", left},
        {"Top", top},
        {"Width", width},
        {"Height", height},
        {"LockLeft", true},
        {"LockTop", true},
        {"LockRight", false},
        {"LockBottom", false},
        {"TabPanelIndex", 0},
        {"TabIndex", tabIndex},
        {"Text", text},
        {"TextAlign", align},
        {"TextColor", fw::RGB(0, 0, 0)},
        {"Multiline", multiline},
        {"Enabled", true},
        {"Visible", true},
        {"Selectable", false},
        {"Transparent", false},
        {"HelpTag", ""},
        {"AutoDeactivate", true},
        {"TextFont", font},
        {"Bold", bold},
        {"Italic", false},
        {"Underline", false},
        {"DataSource", ""},
        {"DataField", ""},
        {"InitialParent", ""},
    });
}

} // namespace

const fw::String& window() {
    static const fw::String record = windowRecord(264, 258, "About...");
    return record;
}

const fw::String& PushButton1() {
    static const fw::String record =
        pushButtonRecord({"PushButton1", 72, 180, 120, 21, false, 0, "Email Author", true});
    return record;
}

const fw::String& PushButton2() {
    static const fw::String record =
        pushButtonRecord({"PushButton2", 72, 217, 120, 21, false, 1, "Visit Web Site", true});
    return record;
}

const fw::String& StaticText2() {
    static const fw::String record =
        label("StaticText2", 80, 86, 104, 87, 2, kCredits, 1, true, "System", false);
    return record;
}

const fw::String& StaticText1() {
    static const fw::String record =
        label("StaticText1", 20, 13, 224, 45, 3, "Ambrel", 1, false, "Arial", true);
    return record;
}

const fw::String& StaticText3() {
    static const fw::String record =
        label("StaticText3", 72, 60, 56, 20, 4, "Version:", 0, false, "Arial", true);
    return record;
}

const fw::String& StaticText4() {
    static const fw::String record =
        label("StaticText4", 113, 60, 79, 20, 5, "1.1.0 Intel", 2, false, "Arial", true);
    return record;
}

} // namespace ambrel::AboutBoxLayout
