#include "framework/qt/MessageDialogBox.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "framework/qt/Convert.h"
#include "framework/qt/ModalLoop.h"

namespace fw::detail {

namespace {

QLabel* plainLabel(const String& text, const char* objectName, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setText(toQt(text));
    label->setVisible(!text.empty());
    return label;
}

QStyle::StandardPixmap iconOf(int32_t kind) {
    switch (kind) {
    case MessageDialog::IconCaution:
        return QStyle::SP_MessageBoxWarning;
    case MessageDialog::IconStop:
        return QStyle::SP_MessageBoxCritical;
    case MessageDialog::IconQuestion:
        return QStyle::SP_MessageBoxQuestion;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}

} // namespace

Ref<MessageDialogButton> showMessageDialog(MessageDialog& dialog) {
    const Ref<MessageDialogButton> action = dialog.ActionButton(), cancel = dialog.CancelButton(),
                                   alternate = dialog.AlternateActionButton();
    QDialog box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageDialog"));
    box.setWindowTitle(toQt(dialog.Title()));

    auto* icon = new QLabel(&box);
    if (dialog.Icon() != MessageDialog::IconNone) {
        const int size = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
        icon->setPixmap(box.style()->standardIcon(iconOf(dialog.Icon()), nullptr, &box).pixmap(size, size));
    }
    QLabel* message = plainLabel(dialog.Message(), "message", &box);
    QFont bold = message->font();
    bold.setBold(true);
    message->setFont(bold);
    QLabel* explanation = plainLabel(dialog.Explanation(), "explanation", &box);

    Ref<MessageDialogButton> pressed = cancel;
    QPushButton* defaultButton = nullptr;
    auto addButton = [&](const Ref<MessageDialogButton>& button, QBoxLayout* row, const char* name) {
        auto* b =
            new QPushButton(toQt(button->Caption()).replace(QLatin1Char('&'), QLatin1String("&&")), &box);
        b->setObjectName(QLatin1String(name));
        b->setVisible(button->Visible());
        row->addWidget(b);
        QObject::connect(b, &QPushButton::clicked, &box, [&, button] {
            pressed = button;
            box.accept();
        });
        return b;
    };

    auto* buttons = new QHBoxLayout();
    addButton(alternate, buttons, "alternate");
    buttons->addStretch(1);
    addButton(cancel, buttons, "cancel");
    defaultButton = addButton(action, buttons, "action");
    if (action->Visible()) {
        defaultButton->setDefault(true);
        defaultButton->setFocus();
    }

    auto* texts = new QVBoxLayout();
    texts->addWidget(message);
    texts->addWidget(explanation);
    texts->addStretch(1);
    auto* top = new QHBoxLayout();
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(&box);
    layout->addLayout(top);
    layout->addLayout(buttons);
    box.setMinimumWidth(420);

    // Escape and the close box reject the dialog: the cancel button's answer.
    if (runModal(box) != QDialog::Accepted)
        pressed = cancel;
    return pressed;
}

} // namespace fw::detail
