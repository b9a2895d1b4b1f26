// What the toolkit shows of windows and controls, in the framework's own terms, and the user's
// gestures on them: the tests' support library (ambrel_test_support), never linked into the program.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/CheckBox.h"
#include "framework/PopupMenu.h"
#include "framework/String.h"
#include "framework/Window.h"

namespace fw::inspect {

struct Rect {
    int32_t left = 0, top = 0, width = 0, height = 0;
};

struct WindowView {
    Rect frame;   // the whole window, menu bar included, without the decorations
    Rect content; // the content area, in screen coordinates
    int32_t menuBarHeight = 0;
    bool fixedSize = false;
    bool shown = false;
    bool active = false;
    String title;
};
WindowView view(Window& window);

// The screens' usable areas.
std::vector<Rect> screens();

// The text the control shows, as assistive technology reads it.
String shownText(const RectControl& control);

struct MenuEntryView {
    bool present = false;
    bool enabled = false;
    String text;
    String shortcut; // as Qt spells it, "Ctrl+P"
};
MenuEntryView menuEntry(Window& window, const String& itemName);
// The titles along the window's menu bar.
std::vector<String> menuTitles(Window& window);

// The user's gestures.
void openMenus(Window& window);                              // opens each menu in turn (AutoEnable runs)
bool chooseMenuItem(Window& window, const String& itemName); // false when the item is absent or disabled
void pickRow(PopupMenu& popup, int32_t row);
void click(CheckBox& box);
void clickCloseBox(Window& window);

} // namespace fw::inspect
