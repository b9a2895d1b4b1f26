#pragma once

#include "framework/RectControl.h"

namespace fw {

// A static text; always plain text, never interpreted as markup.
class Label : public Registered<Label, TextControl> {
  public:
    static ClassRecord describe();

    String Text() const { return text_; }
    void setText(const String& text);
    // 0 left, 1 centred, 2 right.
    int32_t TextAlign() const { return textAlign_; }
    Color TextColor() const { return textColor_; }
    bool Multiline() const { return multiline_; }
    bool Selectable() const { return selectable_; }
    bool Transparent() const { return transparent_; }

  protected:
    std::unique_ptr<detail::ToolkitControl> makeBridge(fw::Window& window) override;

  private:
    String text_;
    int32_t textAlign_ = 0;
    Color textColor_{0, 0, 0};
    bool multiline_ = false, selectable_ = false, transparent_ = false;
};

} // namespace fw
