#include "framework/Label.h"

#include "framework/PropertyTable.h"

namespace fw {

const ClassRecord& Label::Class() {
    using detail::field;
    static const ClassRecord& record =
        registerClass(detail::classOf<Label>("Label", TextControl::Class(),
                                             {
                                                 detail::accessor("Text", &Label::Text, &Label::setText),
                                                 field("TextAlign", &Label::textAlign_, &Label::sync),
                                                 field("TextColor", &Label::textColor_, &Label::sync),
                                                 field("Multiline", &Label::multiline_, &Label::sync),
                                                 field("Selectable", &Label::selectable_, &Label::sync),
                                                 field("Transparent", &Label::transparent_, &Label::sync),
                                             }));
    return record;
}

void Label::setText(const String& text) {
    text_ = text;
    sync();
}

} // namespace fw
