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

std::string rows() {
    std::string joined;
    for (const char* row : kIntervalRows)
        joined += (joined.empty() ? "" : "\r") + std::string(row);
    return joined;
}

} // namespace

const fw::String& window() {
    static const fw::String record = windowRecord({.width = 171, .height = 80, .title = "Ambrel"});
    return record;
}

const fw::String& ComboBox1() {
    static const std::string intervals = rows();
    static const fw::String record = popupRecord(
        {.place = {.name = "ComboBox1", .left = 20, .top = 40, .width = 131, .height = 20, .tabIndex = 0},
         .rows = intervals.c_str(),
         .bold = true});
    return record;
}

const fw::String& StaticText1() {
    static const fw::String record = labelRecord(
        {.place = {.name = "StaticText1", .left = 20, .top = 16, .width = 131, .height = 20, .tabIndex = 1},
         .text = "Poke Time",
         .align = 1,
         .bold = true});
    return record;
}

const fw::String& ComboBox2() {
    static const fw::String record = popupRecord(
        {.place = {.name = "ComboBox2", .left = 22, .top = 110, .width = 80, .height = 20, .tabIndex = 2}});
    return record;
}

const fw::String& Timer1() {
    static const fw::String record = fw::encodeRecord({{"Mode", 0}, {"Period", 1000}});
    return record;
}

const fw::String& StaticText2() {
    static const fw::String record = labelRecord(
        {.place = {.name = "StaticText2", .left = 135, .top = 1, .width = 32, .height = 20, .tabIndex = 3},
         .text = "888",
         .align = 1,
         .bold = true});
    return record;
}

const fw::String& Pause() {
    static const fw::String record = checkBoxRecord(
        {.place = {.name = "Pause", .left = 8, .top = 1, .width = 62, .height = 20, .tabIndex = 4},
         .caption = "Pause",
         .bold = true,
         .state = 1});
    return record;
}

} // namespace ambrel::Window1Layout
