// The application's menu bar, which the control panel uses too.
#pragma once

#include "framework/Menu.h"

namespace ambrel {

class MenuBar1 : public fw::Registered<MenuBar1, fw::MenuBar> {
  public:
    static fw::ClassRecord describe();

    void Constructor() override;
    void Untitled0(); // File
    void Untitled1(); // Edit
    void Untitled2(); // Check for Update
    void Untitled3(); // Help
};

namespace MenuBar1Module {
void releaseImplicitInstance();
}

} // namespace ambrel

// The one MenuBar1, made on first use.
fw::Ref<ambrel::MenuBar1> MenuBar1();
