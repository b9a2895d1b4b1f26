#include "framework/Label.h"

#include "framework/PropertyTable.h"

namespace fw {

ClassRecord Label::describe() {
    using detail::field;
    return detail::classOf<Label>("Label", TextControl::Class(),
                                  {
                                      detail::accessor("Text", &Label::Text, &Label::setText),
                                      field("TextAlign", &Label::textAlign_, &Label::sync),
                                      field("TextColor", &Label::textColor_, &Label::sync),
                                      field("Multiline", &Label::multiline_, &Label::sync),
                                      field("Selectable", &Label::selectable_, &Label::sync),
                                      field("Transparent", &Label::transparent_, &Label::sync),
                                  });
}

void Label::setText(const String& text) {
    text_ = text;
    sync();
}

} // namespace fw
