// A menu bar's expected tree as rows, and the check of a bar against them.
#pragma once

#include <vector>

#include <gtest/gtest.h>

#include "framework/Menu.h"

struct ItemRow {
    const char* name;
    const char* cls;
    const char* text;
    const char* shortcut;
};

struct MenuRows {
    ItemRow menu;
    std::vector<ItemRow> items;
};

inline void expectItem(const fw::Ref<fw::MenuItem>& item, const ItemRow& row) {
    ASSERT_TRUE(item) << row.name;
    EXPECT_EQ(item->Name().bytes(), row.name);
    EXPECT_EQ(item->classRecord().name, row.cls) << row.name;
    EXPECT_EQ(item->Text().bytes(), row.text) << row.name;
    EXPECT_EQ(item->KeyboardShortcut().bytes(), row.shortcut) << row.name;
    EXPECT_TRUE(item->AutoEnable()) << row.name;
}

// The bar holds exactly these menus, each exactly these items, in order; and a lookup by each
// name, as command routing and the windows' accessors do, finds that very item.
inline void expectBar(const fw::MenuBar& bar, const std::vector<MenuRows>& expected) {
    ASSERT_EQ(bar.Count(), static_cast<int32_t>(expected.size()));
    for (std::size_t m = 0; m < expected.size(); ++m) {
        fw::Ref<fw::MenuItem> menu = bar.Item(static_cast<int32_t>(m));
        expectItem(menu, expected[m].menu);
        EXPECT_EQ(bar._Lookup(expected[m].menu.name), menu) << expected[m].menu.name;
        ASSERT_EQ(menu->Count(), static_cast<int32_t>(expected[m].items.size()));
        for (std::size_t i = 0; i < expected[m].items.size(); ++i) {
            fw::Ref<fw::MenuItem> item = menu->Item(static_cast<int32_t>(i));
            expectItem(item, expected[m].items[i]);
            EXPECT_EQ(bar._Lookup(expected[m].items[i].name), item) << expected[m].items[i].name;
        }
    }
}
