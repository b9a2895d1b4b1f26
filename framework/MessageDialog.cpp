#include "framework/MessageDialog.h"

#include "framework/PropertyTable.h"
#include "framework/TestHooks.h"
#include "framework/qt/MessageDialogBox.h"

namespace fw {

namespace {
ModalPresenter& presenter() {
    static auto* p = new ModalPresenter();
    return *p;
}
} // namespace

ClassRecord MessageDialogButton::describe() {
    using detail::accessor;
    return detail::classOf<MessageDialogButton>(
        "MessageDialogButton", Object::Class(),
        {
            accessor("Caption", &MessageDialogButton::Caption, &MessageDialogButton::setCaption),
            accessor("Visible", &MessageDialogButton::Visible, &MessageDialogButton::setVisible),
        });
}

ClassRecord MessageDialog::describe() {
    using detail::accessor;
    return detail::classOf<MessageDialog>(
        "MessageDialog", Object::Class(),
        {
            accessor("Title", &MessageDialog::Title, &MessageDialog::setTitle),
            accessor("Message", &MessageDialog::Message, &MessageDialog::setMessage),
            accessor("Explanation", &MessageDialog::Explanation, &MessageDialog::setExplanation),
            accessor("Icon", &MessageDialog::Icon, &MessageDialog::setIcon),
        });
}

MessageDialog::MessageDialog()
    : action_(make<MessageDialogButton>("OK", true)), cancel_(make<MessageDialogButton>("Cancel", false)),
      alternate_(make<MessageDialogButton>()) {}

Ref<MessageDialogButton> MessageDialog::ShowModal() {
    Ref<MessageDialog> protector(this);
    if (presenter())
        return presenter()(*this);
    return detail::showMessageDialog(*this);
}

void setModalPresenter(ModalPresenter p) {
    presenter() = std::move(p);
}

} // namespace fw
