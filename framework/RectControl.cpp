#include "framework/RectControl.h"

#include "framework/PropertyTable.h"
#include "framework/Window.h"
#include "framework/qt/ToolkitControl.h"
#include "framework/qt/ToolkitWindow.h"

namespace fw {

ClassRecord RectControl::describe() {
    using detail::accessor;
    using detail::field;
    return detail::classOf<RectControl>(
        "RectControl", Control::Class(),
        {
            accessor("Left", &RectControl::Left, &RectControl::setLeft),
            accessor("Top", &RectControl::Top, &RectControl::setTop),
            accessor("Width", &RectControl::Width, &RectControl::setWidth),
            accessor("Height", &RectControl::Height, &RectControl::setHeight),
            field("LockLeft", &RectControl::lockLeft_),
            field("LockTop", &RectControl::lockTop_),
            field("LockRight", &RectControl::lockRight_),
            field("LockBottom", &RectControl::lockBottom_),
            field("TabPanelIndex", &RectControl::tabPanelIndex_),
            field("TabIndex", &RectControl::tabIndex_),
            field("TabStop", &RectControl::tabStop_),
            accessor("Enabled", &RectControl::Enabled, &RectControl::setEnabled),
            accessor("Visible", &RectControl::Visible, &RectControl::setVisible),
            field("HelpTag", &RectControl::helpTag_, &RectControl::sync),
            field("AutoDeactivate", &RectControl::autoDeactivate_),
            field("InitialParent", &RectControl::initialParent_),
        });
}

RectControl::RectControl() = default;
RectControl::~RectControl() = default;

void RectControl::setLeft(int32_t v) {
    left_ = v;
    sync();
}

void RectControl::setTop(int32_t v) {
    top_ = v;
    sync();
}

void RectControl::setWidth(int32_t v) {
    width_ = v;
    sync();
}

void RectControl::setHeight(int32_t v) {
    height_ = v;
    sync();
}

void RectControl::setEnabled(bool v) {
    enabled_ = v;
    sync();
}

void RectControl::setVisible(bool v) {
    visible_ = v;
    sync();
}

void RectControl::SetFocus() {
    if (bridge_)
        bridge_->focus();
}

bool RectControl::hasFocus() const {
    return bridge_ && bridge_->hasFocus();
}

void RectControl::Refresh(bool immediately) {
    if (bridge_)
        bridge_->refresh(immediately);
}

void RectControl::attach(fw::Window& window, int32_t controlIndex) {
    Control::attach(window, controlIndex);
    bridge_.reset();
    // A window that has closed has no content to put a widget in.
    if (window.toolkitWindow().hasContent()) {
        bridge_ = makeBridge(window);
        sync();
    }
}

void RectControl::detach() {
    bridge_.reset();
    Control::detach();
}

void RectControl::sync() {
    if (bridge_)
        bridge_->sync();
}

ClassRecord TextControl::describe() {
    using detail::field;
    return detail::classOf<TextControl>(
        "TextControl", RectControl::Class(),
        {
            field("TextFont", &TextControl::textFont_, &TextControl::sync),
            detail::accessor("Bold", &TextControl::Bold, &TextControl::setBold),
            field("Italic", &TextControl::italic_, &TextControl::sync),
            field("Underline", &TextControl::underline_, &TextControl::sync),
            field("DataSource", &TextControl::dataSource_),
            field("DataField", &TextControl::dataField_),
        });
}

void TextControl::setTextUnit(FontUnits unit) {
    textUnit_ = unit;
    sync();
}

void TextControl::setTextSize(float size) {
    textSize_ = size;
    sync();
}

void TextControl::setBold(bool v) {
    bold_ = v;
    sync();
}

} // namespace fw
