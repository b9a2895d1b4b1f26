// A menu bar as the user sees it, and the check of a window's shown bar against it.
#pragma once

#include <vector>

#include <gtest/gtest.h>

#include "framework/Window.h"
#include "tests/support/Inspect.h"

// One entry of a menu: its caption ("-": a separator line), its shortcut as Qt spells it, and
// whether it can be chosen now.
struct EntryRow {
    const char* text;
    const char* shortcut = "";
    bool enabled = true;
};

struct MenuRows {
    const char* title;
    std::vector<EntryRow> entries;
};

// The window's bar shows exactly these menus, each exactly these entries, in order, after the
// user has opened each menu once.
inline void expectShownBar(fw::Window& window, const std::vector<MenuRows>& expected) {
    fw::inspect::openMenus(window);
    const std::vector<fw::inspect::MenuView> shown = fw::inspect::menuBarView(window);
    ASSERT_EQ(shown.size(), expected.size());
    for (std::size_t m = 0; m < expected.size(); ++m) {
        EXPECT_EQ(shown[m].title.bytes(), expected[m].title);
        ASSERT_EQ(shown[m].entries.size(), expected[m].entries.size()) << expected[m].title;
        for (std::size_t i = 0; i < expected[m].entries.size(); ++i) {
            const fw::inspect::MenuEntryView& entry = shown[m].entries[i];
            const EntryRow& row = expected[m].entries[i];
            EXPECT_EQ(entry.text.bytes(), row.text) << expected[m].title;
            if (std::string(row.text) == "-")
                continue;
            EXPECT_EQ(entry.shortcut.bytes(), row.shortcut) << row.text;
            EXPECT_EQ(entry.enabled, row.enabled) << row.text;
        }
    }
}
