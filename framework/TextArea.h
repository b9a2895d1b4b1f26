// A box of editable text: paragraphs separated by carriage returns, wrapped at its width.
#pragma once

#include <cstdint>

#include "framework/RectControl.h"

namespace fw {

namespace detail {
class ToolkitTextArea;
}
class Graphics;
class StyledTextPrinter;

class TextArea : public Registered<TextArea, TextControl> {
  public:
    static ClassRecord describe();

    // The text as the user sees it now, edits included; a CR (13) ends each paragraph but the last.
    // Setting it shows it as plain text, whatever it looks like.
    String Text() const;
    void setText(const String& text);

    // Selection, in characters from 0; setting SelStart leaves an insertion point there.
    int32_t SelStart() const;
    void setSelStart(int32_t start);
    int32_t SelLength() const;
    void setSelLength(int32_t length);

    // Set before the record: the line height as a multiple of single spacing.
    double LineSpacing() const { return lineSpacing_; }
    void setLineSpacing(double spacing);

    bool Styled() const { return styled_; }
    bool Multiline() const { return multiline_; }
    bool ScrollbarHorizontal() const { return scrollbarHorizontal_; }
    bool ScrollbarVertical() const { return scrollbarVertical_; }
    bool Border() const { return border_; }
    bool UseFocusRing() const { return useFocusRing_; }
    bool ReadOnly() const { return readOnly_; }
    // False: the Tab key moves the focus on instead of typing a tab.
    bool AcceptTabs() const { return acceptTabs_; }
    // True: the selection is not drawn while the text area has no focus.
    bool HideSelection() const { return hideSelection_; }
    // At most this many characters; 0 is no limit.
    int32_t LimitText() const { return limitText_; }
    // 0 the default (left), 1 left, 2 centred, 3 right.
    int32_t Alignment() const { return alignment_; }
    bool AutomaticallyCheckSpelling() const { return checkSpelling_; }
    Color TextColor() const { return textColor_; }
    Color BackColor() const { return backColor_; }

    // The styled text laid out for the print job in lines of at most `width` points. Raises
    // NilObjectException once the text area's window has gone.
    Ref<StyledTextPrinter> styledTextPrinter(const Ref<Graphics>& graphics, int32_t width) const;

    bool acceptsTyping() const override { return !readOnly_ && Enabled(); }

  protected:
    std::unique_ptr<detail::ToolkitControl> makeBridge(fw::Window& window) override;

  private:
    String text_;
    double lineSpacing_ = 1.0;
    bool styled_ = false, multiline_ = true, scrollbarHorizontal_ = false, scrollbarVertical_ = true;
    bool border_ = true, useFocusRing_ = true, readOnly_ = false, acceptTabs_ = false;
    bool hideSelection_ = true, checkSpelling_ = false;
    int32_t limitText_ = 0, alignment_ = 0;
    Color textColor_{0, 0, 0}, backColor_{255, 255, 255};
    String format_, mask_;
    // The text and selection for the time the text area has no widget; the widget's are the truth.
    int32_t selStart_ = 0, selLength_ = 0;
    // The widget's side while there is a widget, else null; defined in framework/qt.
    detail::ToolkitTextArea* textBridge() const;
};

} // namespace fw
