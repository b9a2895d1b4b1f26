// The application object.
#pragma once

#include "framework/Application.h"

namespace ambrel {

class App : public fw::Registered<App, fw::Application> {
  public:
    static fw::ClassRecord describe();

    void Event_Open() override;
    virtual bool _HelpAbout_Action();
    virtual bool _HelpShow_Action();
    // Shows the Self Test window, the first step of the update check.
    virtual bool _CheckforUpdateCheckNow_Action();
    virtual bool _FilePrintHelp_Action();
    virtual void Constructor() {}
};

} // namespace ambrel

// The one application object, registered by start-up; nil before that.
fw::Ref<ambrel::App> App();
