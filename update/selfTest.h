// The Self Test window: shows the running version and starts the update check.
#pragma once

#include "framework/Label.h"
#include "framework/PushButton.h"
#include "framework/Window.h"

namespace ambrel {

class selfTest : public fw::Registered<selfTest, fw::Window> {
  public:
    static fw::ClassRecord describe();

    void Layout() override;
    void CreateControls() override;
    void _CreateControls0();

    fw::Ref<fw::Label> StaticText1() const;
    fw::Ref<fw::Label> StaticText2() const;
    fw::Ref<fw::PushButton> PushButton1() const;

    void StaticText2_Open(fw::Label* label);
    void PushButton1_Action(fw::PushButton* button);
};

namespace selfTestLayout {
const fw::String& window();
const fw::String& StaticText1();
const fw::String& StaticText2();
const fw::String& PushButton1();
} // namespace selfTestLayout

} // namespace ambrel

// The Self Test window's implicit instance: the open one, or a new one.
fw::Ref<ambrel::selfTest> selfTest();
