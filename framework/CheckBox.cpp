#include "framework/CheckBox.h"

#include "framework/PropertyTable.h"

namespace fw {

ClassRecord CheckBox::describe() {
    using detail::accessor;
    return detail::classOf<CheckBox>("CheckBox", TextControl::Class(),
                                     {
                                         accessor("Caption", &CheckBox::Caption, &CheckBox::setCaption),
                                         accessor("State", &CheckBox::State, &CheckBox::setState),
                                         accessor("Value", &CheckBox::Value, &CheckBox::setValue),
                                     });
}

void CheckBox::setCaption(const String& caption) {
    caption_ = caption;
    sync();
}

void CheckBox::setValue(bool ticked) {
    setState(ticked ? 1 : 0);
}

void CheckBox::setState(int32_t state) {
    // 0 unticked, 1 ticked, 2 mixed; anything else is no state the box can show.
    if (state < 0 || state > 2)
        throw RuntimeException("A check box has no state " + std::to_string(state) + ".");
    state_ = state;
    sync();
}

} // namespace fw
