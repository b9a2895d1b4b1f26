#include "help/Help.h"

#include "builders/ControlBuilder.h"
#include "builders/MenuBuilder.h"
#include "framework/Dialogs.h"
#include "framework/Properties.h"
#include "framework/Runtime.h"
#include "help/HelpPrinting.h"
#include "help/MenuBar2.h"

namespace ambrel {

namespace {

void bindButton1(Help& help, fw::Control& c) {
    bindEvent(c, fw::kPushButtonAction, help, &Help::PushButton1_Action, "( PushButton )");
}

void bindTextArea1(Help& help, fw::Control& c) {
    bindEvent(c, fw::kControlOpen, help, &Help::TextArea1_Open, "( TextArea )");
}

const ControlRow<Help> kControls[] = {
    {"PushButton1", &fw::PushButton::Class, &HelpLayout::PushButton1, &bindButton1},
    {.name = "TextArea1",
     .cls = &fw::TextArea::Class,
     .record = &HelpLayout::TextArea1,
     .bind = &bindTextArea1,
     .lineSpacing = 1.0},
};

} // namespace

fw::ClassRecord Help::describe() {
    return {
        .name = "Help.Help",
        .super = &fw::Window::Class(),
        .create = fw::factoryOf<Help>(),
        .members =
            {
                fw::scopedMember("Layout", "%%"),
                fw::scopedMember("CreateControls", "%%"),
                {"_CreateControls0", "%%", {{"__Scope", "Public"}, {"Hidden", ""}}},
                fw::scopedMember("PushButton1", "%o<PushButton>%"),
                fw::scopedMember("TextArea1", "%o<TextArea>%"),
                fw::scopedMember("PushButton1_Action", "%%o<PushButton>"),
                fw::scopedMember("TextArea1_Open", "%%o<TextArea>"),
                fw::scopedMember("EditMenu", "%o<MenuItem>%"),
                fw::scopedMember("EditSelectAll", "%o<MenuItem>%"),
                fw::scopedMember("EditSeparator2", "%o<MenuItem>%"),
                fw::scopedMember("EditClear", "%o<MenuItem>%"),
                fw::scopedMember("EditPaste", "%o<MenuItem>%"),
                fw::scopedMember("EditCopy", "%o<MenuItem>%"),
                fw::scopedMember("EditCut", "%o<MenuItem>%"),
                fw::scopedMember("EditSeparator1", "%o<MenuItem>%"),
                fw::scopedMember("EditUndo", "%o<MenuItem>%"),
                fw::scopedMember("FileMenu", "%o<MenuItem>%"),
                fw::scopedMember("FileQuit", "%o<QuitMenuItem>%"),
                fw::scopedMember("FilePrintHelp", "%o<MenuItem>%"),
                fw::scopedMember("AddMenuHandlers", "%%o<Window>"),
                fw::scopedMember("_FilePrintHelp_Action", "%b%"),
            },
        .attributes = {{"__Scope", "Public"}},
    };
}

void Help::Layout() {
    setMenuBar(::MenuBar2());
    fw::_SetProperties(*this, HelpLayout::window());
}

void Help::CreateControls() {
    _CreateControls0();
}

void Help::_CreateControls0() {
    createControls<Help>(*this, kControls);
}

fw::Ref<fw::PushButton> Help::PushButton1() const {
    return controlNamed<fw::PushButton>(*this, "PushButton1");
}

fw::Ref<fw::TextArea> Help::TextArea1() const {
    return controlNamed<fw::TextArea>(*this, "TextArea1");
}

void Help::PushButton1_Action(fw::PushButton*) {
    const int32_t start = TextArea1()->SelStart();
    const int32_t length = TextArea1()->SelLength();
    fw::MsgBox(fw::String("Start: ") + fw::Str(start) + " Length: " + fw::Str(length));
}

void Help::TextArea1_Open(fw::TextArea*) {}

void Help::AddMenuHandlers(fw::Window* window) {
    fw::Ref<Help> help = fw::checkCast<Help>(window);
    // Held strongly: the binding goes with the window's handlers when it closes.
    help->_AddMenuHandler("FilePrintHelp", fw::methodDelegate(&Help::_FilePrintHelp_Action, help.get(),
                                                              "(  ) as Boolean", false));
}

bool Help::_FilePrintHelp_Action() {
    return printHelp();
}

fw::Ref<fw::MenuItem> Help::EditMenu() const {
    return menuItemOf<fw::MenuItem>(*this, "EditMenu");
}
fw::Ref<fw::MenuItem> Help::EditSelectAll() const {
    return menuItemOf<fw::MenuItem>(*this, "EditSelectAll");
}
fw::Ref<fw::MenuItem> Help::EditSeparator2() const {
    return menuItemOf<fw::MenuItem>(*this, "EditSeparator2");
}
fw::Ref<fw::MenuItem> Help::EditClear() const {
    return menuItemOf<fw::MenuItem>(*this, "EditClear");
}
fw::Ref<fw::MenuItem> Help::EditPaste() const {
    return menuItemOf<fw::MenuItem>(*this, "EditPaste");
}
fw::Ref<fw::MenuItem> Help::EditCopy() const {
    return menuItemOf<fw::MenuItem>(*this, "EditCopy");
}
fw::Ref<fw::MenuItem> Help::EditCut() const {
    return menuItemOf<fw::MenuItem>(*this, "EditCut");
}
fw::Ref<fw::MenuItem> Help::EditSeparator1() const {
    return menuItemOf<fw::MenuItem>(*this, "EditSeparator1");
}
fw::Ref<fw::MenuItem> Help::EditUndo() const {
    return menuItemOf<fw::MenuItem>(*this, "EditUndo");
}
fw::Ref<fw::MenuItem> Help::FileMenu() const {
    return menuItemOf<fw::MenuItem>(*this, "FileMenu");
}
fw::Ref<fw::QuitMenuItem> Help::FileQuit() const {
    return menuItemOf<fw::QuitMenuItem>(*this, "FileQuit");
}
fw::Ref<fw::MenuItem> Help::FilePrintHelp() const {
    return menuItemOf<fw::MenuItem>(*this, "FilePrintHelp");
}

} // namespace ambrel

fw::Ref<ambrel::Help> Help() {
    return fw::implicitInstance<ambrel::Help>();
}
