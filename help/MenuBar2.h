// The Help window's own menu bar: File and Edit.
#pragma once

#include "framework/Menu.h"

namespace ambrel {

class MenuBar2 : public fw::MenuBar {
  public:
    static const fw::ClassRecord& Class();
    const fw::ClassRecord& classRecord() const override { return Class(); }

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
