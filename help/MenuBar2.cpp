#include "help/MenuBar2.h"

#include "builders/MenuBuilder.h"

namespace ambrel {

namespace {

using fw::MenuItem;
using fw::QuitMenuItem;

constexpr MenuRow kFileMenu[] = {
    {&MenuItem::Class, "FileMenu", "&File", ""},
    {&MenuItem::Class, "FilePrintHelp", "Print Help", "Cmd+P"},
    {&QuitMenuItem::Class, "FileQuit", "&Quit", "Cmd+Q"},
};

constexpr MenuRow kEditMenu[] = {
    {&MenuItem::Class, "EditMenu", "&Edit", ""},
    {&MenuItem::Class, "EditUndo", "&Undo", "Cmd+Z"},
    {&MenuItem::Class, "EditSeparator1", "-", nullptr},
    {&MenuItem::Class, "EditCut", "Cu&t", "Cmd+X"},
    {&MenuItem::Class, "EditCopy", "&Copy", "Cmd+C"},
    {&MenuItem::Class, "EditPaste", "&Paste", "Cmd+V"},
    {&MenuItem::Class, "EditClear", "&Delete", ""},
    {&MenuItem::Class, "EditSeparator2", "-", nullptr},
    {&MenuItem::Class, "EditSelectAll", "Select &All", "Cmd+A"},
};

fw::Ref<MenuBar2> _implicitInstance;

} // namespace

fw::ClassRecord MenuBar2::describe() {
    return {
        .name = "MenuBar2.MenuBar2",
        .super = &fw::MenuBar::Class(),
        .create = fw::factoryOf<MenuBar2>(),
        .members = {fw::scopedMember("Constructor", "%%"), fw::scopedMember("Untitled0", "%%"),
                    fw::scopedMember("Untitled1", "%%")},
        .attributes = {{"__Scope", "Public"}},
    };
}

void MenuBar2::Constructor() {
    Untitled0();
    Untitled1();
}

void MenuBar2::Untitled0() {
    buildMenu(*this, kFileMenu);
}
void MenuBar2::Untitled1() {
    buildMenu(*this, kEditMenu);
}

namespace MenuBar2Module {
void releaseImplicitInstance() {
    releaseMenuBar(_implicitInstance);
}
} // namespace MenuBar2Module

} // namespace ambrel

fw::Ref<ambrel::MenuBar2> MenuBar2() {
    return ambrel::implicitMenuBar(ambrel::_implicitInstance);
}
