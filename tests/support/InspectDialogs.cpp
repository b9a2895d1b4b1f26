// The inspection of the modal dialog in front, for the framework's tests.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include "framework/qt/Convert.h"
#include "tests/support/Inspect.h"

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

bool choosePrintToFile(const String& file) {
    QWidget* dialog = QApplication::activeModalWidget();
    auto* printers = dialog ? dialog->findChild<QComboBox*>(QStringLiteral("printers")) : nullptr;
    auto* name = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("filename")) : nullptr;
    const int toFile = printers ? printers->findText(QStringLiteral("Print to File (PDF)")) : -1;
    if (!name || toFile < 0)
        return false;
    printers->setCurrentIndex(toFile);
    name->setText(detail::toQt(file));
    return true;
}

namespace {
// A shown, enabled widget of the modal window in front, by a button's caption without its mnemonic
// mark or by any widget's object name.
QWidget* modalWidget(const String& captionOrName) {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog)
        return nullptr;
    const QString wanted = detail::toQt(captionOrName);
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        auto* button = qobject_cast<QAbstractButton*>(w);
        const bool named =
            w->objectName() == wanted || (button && button->text().remove(QLatin1Char('&')) == wanted);
        if (named && w->isVisible() && w->isEnabled())
            return w;
    }
    return nullptr;
}
} // namespace

std::optional<Rect> modalWidgetRect(const String& captionOrName) {
    QWidget* w = modalWidget(captionOrName);
    if (!w)
        return std::nullopt;
    const QPoint corner = w->mapToGlobal(QPoint(0, 0));
    return Rect{corner.x(), corner.y(), w->width(), w->height()};
}

bool modalButtonChecked(const String& captionOrName) {
    auto* button = qobject_cast<QAbstractButton*>(modalWidget(captionOrName));
    return button && button->isChecked();
}

std::optional<Rect> modalWindowRect() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || !dialog->isVisible())
        return std::nullopt;
    const QPoint corner = dialog->mapToGlobal(QPoint(0, 0));
    return Rect{corner.x(), corner.y(), dialog->width(), dialog->height()};
}

uint64_t modalWindowId() {
    QWidget* dialog = QApplication::activeModalWidget();
    return dialog && dialog->isVisible() ? static_cast<uint64_t>(dialog->winId()) : 0;
}

} // namespace fw::inspect
