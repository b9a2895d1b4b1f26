#include "framework/TextArea.h"

#include "framework/PropertyTable.h"
#include "framework/qt/ToolkitTextArea.h"

namespace fw {

ClassRecord TextArea::describe() {
    using detail::accessor;
    using detail::field;
    return detail::classOf<TextArea>(
        "TextArea", TextControl::Class(),
        {
            accessor("Text", &TextArea::Text, &TextArea::setText),
            field("Border", &TextArea::border_, &TextArea::sync),
            field("Multiline", &TextArea::multiline_, &TextArea::sync),
            field("ScrollbarHorizontal", &TextArea::scrollbarHorizontal_, &TextArea::sync),
            field("ScrollbarVertical", &TextArea::scrollbarVertical_, &TextArea::sync),
            field("Styled", &TextArea::styled_, &TextArea::sync),
            field("UseFocusRing", &TextArea::useFocusRing_, &TextArea::sync),
            field("TextColor", &TextArea::textColor_, &TextArea::sync),
            field("BackColor", &TextArea::backColor_, &TextArea::sync),
            field("Format", &TextArea::format_),
            field("HideSelection", &TextArea::hideSelection_, &TextArea::sync),
            field("Mask", &TextArea::mask_),
            field("ReadOnly", &TextArea::readOnly_, &TextArea::sync),
            field("LimitText", &TextArea::limitText_, &TextArea::sync),
            field("AcceptTabs", &TextArea::acceptTabs_, &TextArea::sync),
            field("Alignment", &TextArea::alignment_, &TextArea::sync),
            field("AutomaticallyCheckSpelling", &TextArea::checkSpelling_, &TextArea::sync),
            accessor("SelStart", &TextArea::SelStart, &TextArea::setSelStart),
            accessor("SelLength", &TextArea::SelLength, &TextArea::setSelLength),
        });
}

String TextArea::Text() const {
    if (detail::ToolkitTextArea* b = textBridge())
        return b->text();
    return text_;
}

void TextArea::setText(const String& text) {
    text_ = text;
    selStart_ = selLength_ = 0;
    if (detail::ToolkitTextArea* b = textBridge())
        b->setText(text);
}

int32_t TextArea::SelStart() const {
    if (detail::ToolkitTextArea* b = textBridge())
        return b->selectionStart();
    return selStart_;
}

void TextArea::setSelStart(int32_t start) {
    selStart_ = std::max(start, 0);
    selLength_ = 0;
    if (detail::ToolkitTextArea* b = textBridge())
        b->select(selStart_, 0);
}

int32_t TextArea::SelLength() const {
    if (detail::ToolkitTextArea* b = textBridge())
        return b->selectionLength();
    return selLength_;
}

void TextArea::setSelLength(int32_t length) {
    selLength_ = std::max(length, 0);
    if (detail::ToolkitTextArea* b = textBridge())
        b->select(b->selectionStart(), selLength_);
}

void TextArea::setLineSpacing(double spacing) {
    lineSpacing_ = spacing;
    sync();
}

} // namespace fw
