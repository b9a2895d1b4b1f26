// The Update window: fetches the update document, compares versions, and reports "current",
// offers the upgrade, or reports a communication error.
#pragma once

#include "framework/HTTPSocket.h"
#include "framework/InternetHeaders.h"
#include "framework/Label.h"
#include "framework/ProgressBar.h"
#include "framework/PushButton.h"
#include "framework/Window.h"

namespace ambrel {

// The code of the Error event the update check raises itself, when the reply is not the update
// document; it takes the number the socket's own codes leave free.
inline constexpr int32_t kNotAnUpdateDocument = 7;

class updateWindow : public fw::Registered<updateWindow, fw::Window> {
  public:
    static fw::ClassRecord describe();

    void Layout() override;
    void CreateControls() override;
    void _CreateControls0();

    fw::Ref<fw::Label> StaticText1() const;
    fw::Ref<fw::ProgressBar> ProgressBar1() const;
    fw::Ref<fw::HTTPSocket> hp() const;
    fw::Ref<fw::PushButton> PushButton1() const;

    void hp_PageReceived(fw::HTTPSocket* sender, fw::String url, int32_t status, fw::InternetHeaders* headers,
                         fw::String content);
    void hp_Error(fw::HTTPSocket* sender, int32_t code);
    void PushButton1_Action(fw::PushButton* button);
    void Event_Open() override;
    void Event_Close() override;

    fw::String startTag(const fw::String& tag);
    fw::String endTag(const fw::String& tag);
    void askUpgrade(const fw::String& newVersion, const fw::String& description,
                    const fw::String& downloadURL, bool isFree);
    fw::String returnValue(const fw::String& source, const fw::String& tag);

    // When true, a current version is reported without its message box.
    bool automaticCheck = false;
};

// The update window's HTTP client: its own subclass of HTTPSocket, told its owner when added.
class updateWindow_hp : public fw::Registered<updateWindow_hp, fw::PaneChildControl<fw::HTTPSocket>> {
  public:
    static fw::ClassRecord describe();
};

// The addresses, all on the vendor's host.
namespace updateAddresses {
// The update document, over HTTP on port 80.
fw::String document();
// What the action button opens: fixed, never taken from the reply, which travels unprotected.
fw::String download();
// The vendor's web site, for "Go to Website".
fw::String website();
} // namespace updateAddresses

namespace updateWindowLayout {
const fw::String& window();
const fw::String& StaticText1();
const fw::String& ProgressBar1();
const fw::String& hp();
const fw::String& PushButton1();
} // namespace updateWindowLayout

} // namespace ambrel

// The update window's implicit instance: the open one, or a new one (which starts the check).
fw::Ref<ambrel::updateWindow> updateWindow();
