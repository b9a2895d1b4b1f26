// The Self Test window's layout as data.
#include "builders/LayoutRecords.h"
#include "framework/Properties.h"
#include "update/selfTest.h"

namespace ambrel::selfTestLayout {

const fw::String& window() {
    static const fw::String record = windowRecord(212, 102, "Self Test");
    return record;
}

const fw::String& StaticText1() {
    static const fw::String record =
        labelRecord({"StaticText1", 38, 20, 61, 20, true, 0, "Version:", 0, false, "System", true});
    return record;
}

const fw::String& StaticText2() {
    static const fw::String record =
        labelRecord({"StaticText2", 99, 20, 76, 20, true, 1, "1.3.0 Intel", 2, false, "System", true});
    return record;
}

const fw::String& PushButton1() {
    static const fw::String record =
        buttonRecord({"PushButton1", 28, 61, 157, 21, false, 2, "Check for Updates", true, true});
    return record;
}

} // namespace ambrel::selfTestLayout
