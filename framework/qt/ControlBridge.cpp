#include "framework/qt/ControlBridge.h"

#include <QSignalBlocker>
#include <algorithm>

#include "framework/qt/Convert.h"

namespace fw::detail {

ControlBridge::ControlBridge(RectControl& owner, QWidget* widget) : owner_(owner), widget_(widget) {}

ControlBridge::~ControlBridge() {
    // The widget may be inside one of its own signals (a handler that closed the window): it
    // goes when control is back in the event loop.
    if (widget_) {
        widget_->hide();
        widget_->deleteLater();
    }
}

void ControlBridge::sync() {
    if (!widget_)
        return;
    // Controls sit at fixed places; a fixed size also spares the window a relayout request each
    // time a control's text changes, since nothing in it lays out.
    widget_->setFixedSize(std::max(owner_.Width(), 0), std::max(owner_.Height(), 0));
    widget_->move(owner_.Left(), owner_.Top());
    widget_->setEnabled(owner_.Enabled());
    widget_->setVisible(owner_.Visible());
    // Qt re-sends its change events for an equal tool tip or font: only new values are pushed.
    const QString tip = toQt(owner_.HelpTag());
    if (widget_->toolTip() != tip)
        widget_->setToolTip(tip);
    if (auto* text = dynamic_cast<const TextControl*>(&owner_)) {
        const QFont font = fontOf(*text);
        if (widget_->font() != font)
            widget_->setFont(font);
    }
    const QSignalBlocker quiet(widget_);
    syncOwn();
}

void ControlBridge::focus() {
    if (widget_)
        widget_->setFocus(Qt::OtherFocusReason);
}

bool ControlBridge::hasFocus() const {
    // The window's focus control: it has the keyboard focus while its window is active, and gets
    // it back when the window is activated again.
    return widget_ && widget_->window()->focusWidget() == widget_;
}

void ControlBridge::refresh(bool immediately) {
    if (!widget_)
        return;
    if (immediately)
        widget_->repaint();
    else
        widget_->update();
}

} // namespace fw::detail

namespace fw {
detail::ControlBridge* RectControl::bridge() const {
    // Every control's toolkit side is a bridge (makeBridge).
    return static_cast<detail::ControlBridge*>(bridge_.get());
}
} // namespace fw
