#include "app/MenuBar1.h"

#include "builders/MenuBuilder.h"

namespace ambrel {

namespace {

using fw::AppleMenuItem;
using fw::MenuItem;
using fw::QuitMenuItem;

constexpr MenuRow kFileMenu[] = {
    {&MenuItem::Class, "FileMenu", "&File", ""},
    {&MenuItem::Class, "FilePrintHelp", "Print Help...", "Cmd+P"},
    {&MenuItem::Class, "UntitledSeparator", "-", nullptr},
    {&QuitMenuItem::Class, "FileQuit", "&Quit", "Cmd+Q"},
};

// The separators' digits run against their order in the menu.
constexpr MenuRow kEditMenu[] = {
    {&MenuItem::Class, "EditMenu", "&Edit", ""},
    {&MenuItem::Class, "EditUndo", "&Undo", "Cmd+Z"},
    {&MenuItem::Class, "UntitledMenu1", "-", nullptr},
    {&MenuItem::Class, "EditCut", "Cu&t", "Cmd+X"},
    {&MenuItem::Class, "EditCopy", "&Copy", "Cmd+C"},
    {&MenuItem::Class, "EditPaste", "&Paste", "Cmd+V"},
    {&MenuItem::Class, "EditClear", "&Delete", ""},
    {&MenuItem::Class, "UntitledMenu0", "-", nullptr},
    {&MenuItem::Class, "EditSelectAll", "Select &All", "Cmd+A"},
};

constexpr MenuRow kCheckForUpdateMenu[] = {
    {&AppleMenuItem::Class, "CheckforUpdateMenu", "Check for Update", ""},
    {&MenuItem::Class, "CheckforUpdateCheckNow", "Check Now", ""},
};

constexpr MenuRow kHelpMenu[] = {
    {&MenuItem::Class, "HelpMenu", "Help ", ""},
    {&MenuItem::Class, "HelpShow", "Show", ""},
    {&AppleMenuItem::Class, "HelpAbout", "About...", ""},
};

fw::Ref<MenuBar1> _implicitInstance;

} // namespace

fw::ClassRecord MenuBar1::describe() {
    return {
        .name = "MenuBar1.MenuBar1",
        .super = &fw::MenuBar::Class(),
        .create = fw::factoryOf<MenuBar1>(),
        .members = {fw::scopedMember("Constructor", "%%"), fw::scopedMember("Untitled0", "%%"),
                    fw::scopedMember("Untitled1", "%%"), fw::scopedMember("Untitled2", "%%"),
                    fw::scopedMember("Untitled3", "%%")},
        .attributes = {{"__Scope", "Public"}},
    };
}

void MenuBar1::Constructor() {
    Untitled0();
    Untitled1();
    Untitled2();
    Untitled3();
}

void MenuBar1::Untitled0() {
    buildMenu(*this, kFileMenu);
}
void MenuBar1::Untitled1() {
    buildMenu(*this, kEditMenu);
}
void MenuBar1::Untitled2() {
    buildMenu(*this, kCheckForUpdateMenu);
}
void MenuBar1::Untitled3() {
    buildMenu(*this, kHelpMenu);
}

namespace MenuBar1Module {
void releaseImplicitInstance() {
    releaseMenuBar(_implicitInstance);
}
} // namespace MenuBar1Module

} // namespace ambrel

fw::Ref<ambrel::MenuBar1> MenuBar1() {
    return ambrel::implicitMenuBar(ambrel::_implicitInstance);
}
