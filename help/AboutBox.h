// The About box: the program's name, the running version, the credits, and two buttons that open
// the author's mail address and the maker's web site.
#pragma once

#include "framework/Label.h"
#include "framework/PushButton.h"
#include "framework/Window.h"

namespace ambrel {

class AboutBox : public fw::Registered<AboutBox, fw::Window> {
  public:
    static fw::ClassRecord describe();

    void Layout() override;
    void CreateControls() override;
    void _CreateControls0();

    fw::Ref<fw::PushButton> PushButton1() const;
    fw::Ref<fw::PushButton> PushButton2() const;
    fw::Ref<fw::Label> StaticText2() const;
    fw::Ref<fw::Label> StaticText1() const;
    fw::Ref<fw::Label> StaticText3() const;
    fw::Ref<fw::Label> StaticText4() const;

    void PushButton1_Action(fw::PushButton* button);
    void PushButton2_Action(fw::PushButton* button);
    void StaticText4_Open(fw::Label* label);
};

// The layout records and the addresses the buttons open.
namespace AboutBoxLayout {
const fw::String& window();
const fw::String& PushButton1();
const fw::String& PushButton2();
const fw::String& StaticText2();
const fw::String& StaticText1();
const fw::String& StaticText3();
const fw::String& StaticText4();
extern const char* const kCredits;
extern const char* const kAuthorMail;
fw::String webSite();
} // namespace AboutBoxLayout

} // namespace ambrel

// The About box's implicit instance: the open one, or a new one.
fw::Ref<ambrel::AboutBox> AboutBox();
