// The control panel: interval popup, countdown, Pause box, and the poke.
#pragma once

#include <cstdint>

#include "app/TolvaneVrek.h"
#include "framework/CheckBox.h"
#include "framework/Label.h"
#include "framework/Menu.h"
#include "framework/PopupMenu.h"
#include "framework/Timer.h"
#include "framework/Window.h"

namespace ambrel {

class Window1 : public fw::Registered<Window1, fw::Window> {
  public:
    static fw::ClassRecord describe();

    void Layout() override;
    void CreateControls() override;
    void _CreateControls0();

    fw::Ref<fw::PopupMenu> ComboBox1() const;
    fw::Ref<fw::Label> StaticText1() const;
    fw::Ref<fw::PopupMenu> ComboBox2() const;
    fw::Ref<fw::Timer> Timer1() const;
    fw::Ref<fw::Label> StaticText2() const;
    fw::Ref<fw::CheckBox> Pause() const;

    void ComboBox1_Change(fw::PopupMenu* sender);
    void ComboBox1_Open(fw::PopupMenu* sender);
    void Timer1_Action(fw::Timer* sender);

    fw::Ref<fw::MenuItem> HelpMenu() const;
    fw::Ref<fw::AppleMenuItem> HelpAbout() const;
    fw::Ref<fw::MenuItem> HelpShow() const;
    fw::Ref<fw::AppleMenuItem> CheckforUpdateMenu() const;
    fw::Ref<fw::MenuItem> CheckforUpdateCheckNow() const;
    fw::Ref<fw::MenuItem> EditMenu() const;
    fw::Ref<fw::MenuItem> EditSelectAll() const;
    fw::Ref<fw::MenuItem> UntitledMenu0() const;
    fw::Ref<fw::MenuItem> EditClear() const;
    fw::Ref<fw::MenuItem> EditPaste() const;
    fw::Ref<fw::MenuItem> EditCopy() const;
    fw::Ref<fw::MenuItem> EditCut() const;
    fw::Ref<fw::MenuItem> UntitledMenu1() const;
    fw::Ref<fw::MenuItem> EditUndo() const;
    fw::Ref<fw::MenuItem> FileMenu() const;
    fw::Ref<fw::QuitMenuItem> FileQuit() const;
    fw::Ref<fw::MenuItem> UntitledSeparator() const;
    fw::Ref<fw::MenuItem> FilePrintHelp() const;

    void Event_Open() override;
    void Event_Close() override;
    void setTimer();

    // The plug-in object of the last poke, and the last poke point.
    fw::Ref<TolvaneVrek> p;
    int32_t x = 0;
    int32_t y = 0;
};

// The panel's timer control: its own subclass of Timer, told its owner when it is added.
class Window1_Timer1 : public fw::Registered<Window1_Timer1, fw::PaneChildControl<fw::Timer>> {
  public:
    static fw::ClassRecord describe();
};

// The layout records and the rows of the interval popup.
namespace Window1Layout {
const fw::String& window();
const fw::String& ComboBox1();
const fw::String& StaticText1();
const fw::String& ComboBox2();
const fw::String& Timer1();
const fw::String& StaticText2();
const fw::String& Pause();
// Row 0 stops the count; row N (1 to 10) counts N minutes.
extern const char* const kIntervalRows[11];
} // namespace Window1Layout

} // namespace ambrel

// The panel's implicit instance: the open panel, or a new one.
fw::Ref<ambrel::Window1> Window1();
