// The inspection of the modal dialog in front, for the framework's tests.
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>

#include "framework/testing/Inspect.h"
#include "framework/qt/Convert.h"

namespace fw::inspect {

std::vector<String> dialogPrinterChoices() {
    std::vector<String> choices;
    QWidget* dialog = QApplication::activeModalWidget();
    // The print dialog's printer list is its combo box named "printers".
    auto* printers = dialog ? dialog->findChild<QComboBox*>(QStringLiteral("printers")) : nullptr;
    for (int i = 0; printers && i < printers->count(); ++i)
        choices.push_back(detail::fromQt(printers->itemText(i)));
    return choices;
}

bool pressDialogButton(bool ok) {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog)
        return false;
    const QDialogButtonBox::ButtonRole wanted =
        ok ? QDialogButtonBox::AcceptRole : QDialogButtonBox::RejectRole;
    for (QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>())
        for (QAbstractButton* button : box->buttons())
            if (box->buttonRole(button) == wanted && button->isEnabled()) {
                button->click();
                return true;
            }
    return false;
}

} // namespace fw::inspect
