// Visual controls: a rectangle in the window's content, and the text style of those with text.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Control.h"
#include "framework/Value.h"

namespace fw {

namespace detail {
class ToolkitControl; // the control's toolkit widget as the core reaches it, in framework/qt
class ControlBridge;  // the same with its widget, for framework/qt
} // namespace detail

class RectControl : public Registered<RectControl, Control> {
  public:
    static ClassRecord describe();
    RectControl();
    ~RectControl() override;

    int32_t Left() const { return left_; }
    void setLeft(int32_t v);
    int32_t Top() const { return top_; }
    void setTop(int32_t v);
    int32_t Width() const { return width_; }
    void setWidth(int32_t v);
    int32_t Height() const { return height_; }
    void setHeight(int32_t v);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool v);
    bool Visible() const { return visible_; }
    void setVisible(bool v);
    int32_t TabIndex() const { return tabIndex_; }
    bool TabStop() const { return tabStop_; }
    String HelpTag() const { return helpTag_; }

    void SetFocus();
    // Whether the control is its window's focus control (it has the keyboard focus while the
    // window is active).
    bool hasFocus() const;
    // Redraws the control; immediately when asked, not at the next idle time.
    void Refresh(bool immediately);
    // Whether the control takes typed text: a shown window puts its first focus there.
    virtual bool acceptsTyping() const { return false; }

    void attach(fw::Window& window, int32_t controlIndex) override;
    void detach() override;

    // Defined in framework/qt, whose code alone reaches the widgets.
    detail::ControlBridge* bridge() const;

  protected:
    // Makes the control's widget inside the window's content; called once, when it is added.
    virtual std::unique_ptr<detail::ToolkitControl> makeBridge(fw::Window& window) = 0;
    // Pushes every stored value to the widget, if there is one.
    void sync();

    int32_t left_ = 0, top_ = 0, width_ = 80, height_ = 20;
    bool lockLeft_ = false, lockTop_ = false, lockRight_ = false, lockBottom_ = false;
    int32_t tabPanelIndex_ = 0, tabIndex_ = 0;
    bool tabStop_ = true, enabled_ = true, visible_ = true, autoDeactivate_ = true;
    String helpTag_, initialParent_;

  private:
    std::unique_ptr<detail::ToolkitControl> bridge_;
};

// Font units as TextUnit takes them; 0 is the framework's default unit.
enum class FontUnits : uint8_t { Default = 0, Pixel = 1, Point = 2, Inch = 3, Millimeter = 4 };

// Controls that show text in a font of their own.
class TextControl : public Registered<TextControl, RectControl> {
  public:
    static ClassRecord describe();

    void setTextUnit(FontUnits unit);
    FontUnits TextUnit() const { return textUnit_; }
    void setTextSize(float size);
    float TextSize() const { return textSize_; }
    String TextFont() const { return textFont_; }
    bool Bold() const { return bold_; }
    void setBold(bool v);
    bool Italic() const { return italic_; }
    bool Underline() const { return underline_; }

  protected:
    FontUnits textUnit_ = FontUnits::Default;
    float textSize_ = 0; // 0: the framework's default size
    String textFont_ = "System";
    bool bold_ = false, italic_ = false, underline_ = false;
    String dataSource_, dataField_;
};

} // namespace fw
