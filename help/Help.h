// The Help window: the help text in one text area, under the window's own menu bar.
#pragma once

#include "framework/Menu.h"
#include "framework/PushButton.h"
#include "framework/TextArea.h"
#include "framework/Window.h"

namespace ambrel {

class Help : public fw::Registered<Help, fw::Window> {
  public:
    static fw::ClassRecord describe();

    void Layout() override;
    void CreateControls() override;
    void _CreateControls0();

    fw::Ref<fw::PushButton> PushButton1() const;
    fw::Ref<fw::TextArea> TextArea1() const;

    // Tells where the selection in the text stands.
    void PushButton1_Action(fw::PushButton* sender);
    void TextArea1_Open(fw::TextArea* sender);

    fw::Ref<fw::MenuItem> EditMenu() const;
    fw::Ref<fw::MenuItem> EditSelectAll() const;
    fw::Ref<fw::MenuItem> EditSeparator2() const;
    fw::Ref<fw::MenuItem> EditClear() const;
    fw::Ref<fw::MenuItem> EditPaste() const;
    fw::Ref<fw::MenuItem> EditCopy() const;
    fw::Ref<fw::MenuItem> EditCut() const;
    fw::Ref<fw::MenuItem> EditSeparator1() const;
    fw::Ref<fw::MenuItem> EditUndo() const;
    fw::Ref<fw::MenuItem> FileMenu() const;
    fw::Ref<fw::QuitMenuItem> FileQuit() const;
    fw::Ref<fw::MenuItem> FilePrintHelp() const;

    void AddMenuHandlers(fw::Window* window) override;
    bool _FilePrintHelp_Action();
};

// The layout records, and the help text they carry.
namespace HelpLayout {
const fw::String& window();
const fw::String& PushButton1();
const fw::String& TextArea1();
extern const char* const kHelpText;
} // namespace HelpLayout

} // namespace ambrel

// The Help window's implicit instance: the open one, or a new one.
fw::Ref<ambrel::Help> Help();
