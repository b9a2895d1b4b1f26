#include "framework/PushButton.h"

#include "framework/PropertyTable.h"

namespace fw {

ClassRecord PushButton::describe() {
    using detail::accessor;
    return detail::classOf<PushButton>(
        "PushButton", TextControl::Class(),
        {
            accessor("Caption", &PushButton::Caption, &PushButton::setCaption),
            accessor("Default", &PushButton::Default, &PushButton::setDefault),
            accessor("Cancel", &PushButton::Cancel, &PushButton::setCancel),
            accessor("ButtonStyle", &PushButton::ButtonStyle, &PushButton::setButtonStyle),
        });
}

void PushButton::setCaption(const String& caption) {
    caption_ = caption;
    sync();
}

void PushButton::setDefault(bool isDefault) {
    default_ = isDefault;
    sync();
}

void PushButton::setCancel(bool isCancel) {
    cancel_ = isCancel;
    sync();
}

void PushButton::setButtonStyle(int32_t style) {
    buttonStyle_ = style;
    sync();
}

void PushButton::Push() {
    if (!Enabled() || !Visible())
        return;
    Ref<PushButton> protector(this);
    raiseEvent(kPushButtonAction, {protector});
}

} // namespace fw
