// Menus as data: each builder of a menu bar hands its menu's rows to buildMenu.
#pragma once

#include <span>

#include "framework/Menu.h"
#include "framework/Window.h"

namespace ambrel {

struct MenuRow {
    const fw::ClassRecord& (*cls)();
    const char* name;
    const char* text;
    const char* shortcut; // nullptr: none set (separators)
};

// The first row is the menu, appended to the bar at once; each further row is an item, appended
// to the menu as found anew among the bar's direct children.
void buildMenu(fw::MenuBar& bar, std::span<const MenuRow> rows);

// A menu-item accessor: the named item of the window's current menu bar, as T.
template <class T> fw::Ref<T> menuItemOf(const fw::Window& window, const char* name) {
    return fw::checkCast<T>(window.MenuBar()->_Lookup(name));
}

// A menu bar's implicit instance, kept in its module global: made and built on first use.
template <class Bar> fw::Ref<Bar> implicitMenuBar(fw::Ref<Bar>& global) {
    if (!global) {
        fw::Ref<Bar> bar = fw::checkCast<Bar>(fw::RuntimeNewObject(Bar::Class()));
        bar->Constructor();
        global = bar;
    }
    return global;
}

// The module exit of a menu bar's global: nil first, then the reference it held goes.
template <class Bar> void releaseMenuBar(fw::Ref<Bar>& global) {
    fw::Ref<Bar> held = global;
    global = nullptr;
}

} // namespace ambrel
