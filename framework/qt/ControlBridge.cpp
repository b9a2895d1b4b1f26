#include "framework/qt/ControlBridge.h"

#include <QSignalBlocker>

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
    widget_->setGeometry(owner_.Left(), owner_.Top(), owner_.Width(), owner_.Height());
    widget_->setEnabled(owner_.Enabled());
    widget_->setVisible(owner_.Visible());
    widget_->setToolTip(toQt(owner_.HelpTag()));
    if (auto* text = dynamic_cast<const TextControl*>(&owner_))
        widget_->setFont(fontOf(*text));
    const QSignalBlocker quiet(widget_);
    syncOwn();
}

} // namespace fw::detail
