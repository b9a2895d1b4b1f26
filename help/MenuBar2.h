// The Help window's own menu bar: File and Edit.
#pragma once

#include "framework/Menu.h"

namespace ambrel {

class MenuBar2 : public fw::Registered<MenuBar2, fw::MenuBar> {
  public:
    static fw::ClassRecord describe();

    void Constructor() override;
    void Untitled0(); // File
    void Untitled1(); // Edit
};

namespace MenuBar2Module {
void releaseImplicitInstance();
}

} // namespace ambrel

// The one MenuBar2, made on first use; it stays until the module exits.
fw::Ref<ambrel::MenuBar2> MenuBar2();
