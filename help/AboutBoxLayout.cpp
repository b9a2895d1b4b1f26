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
    static const fw::String record = windowRecord(264, 258, "About...");
    return record;
}

const fw::String& PushButton1() {
    static const fw::String record =
        buttonRecord({"PushButton1", 72, 180, 120, 21, false, 0, "Email Author", true});
    return record;
}

const fw::String& PushButton2() {
    static const fw::String record =
        buttonRecord({"PushButton2", 72, 217, 120, 21, false, 1, "Visit Web Site", true});
    return record;
}

const fw::String& StaticText2() {
    static const fw::String record = labelRecord(
        {"StaticText2", 80, 86, 104, 87, true, 2, kCredits, 1, true, "System", false, LabelTabStop::First});
    return record;
}

const fw::String& StaticText1() {
    static const fw::String record = labelRecord(
        {"StaticText1", 20, 13, 224, 45, true, 3, "Ambrel", 1, false, "Arial", true, LabelTabStop::First});
    return record;
}

const fw::String& StaticText3() {
    static const fw::String record = labelRecord(
        {"StaticText3", 72, 60, 56, 20, true, 4, "Version:", 0, false, "Arial", true, LabelTabStop::First});
    return record;
}

const fw::String& StaticText4() {
    static const fw::String record = labelRecord({"StaticText4", 113, 60, 79, 20, true, 5, "1.1.0 Intel", 2,
                                                  false, "Arial", true, LabelTabStop::First});
    return record;
}

} // namespace ambrel::AboutBoxLayout
