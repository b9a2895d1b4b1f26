#include "framework/qt/MessageDialogBox.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "framework/qt/Convert.h"
#include "framework/qt/ModalLoop.h"

namespace fw::detail {

namespace {

// The widest the texts are laid out, and the room left around the dialog for the window
// manager's frame and title bar, which are not known before the dialog is shown.
constexpr int kTextWidth = 400;
constexpr QSize kFrameRoom(16, 64);
// The least a text keeps when the screen is small: three lines or so, a few words wide.
constexpr int kLeastTextHeight = 48;
constexpr int kLeastTextWidth = 120;

// A read-only view of plain text that wraps at word boundaries, breaks a word too long for a line
// anywhere, and scrolls what does not fit the height it is given.
class WrappedText : public QTextEdit {
  public:
    WrappedText(const String& text, const char* objectName, QWidget* parent) : QTextEdit(parent) {
        setObjectName(QLatin1String(objectName));
        setReadOnly(true);
        setAcceptRichText(false);
        setFrameShape(QFrame::NoFrame);
        setLineWrapMode(QTextEdit::WidgetWidth);
        setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setTextInteractionFlags(Qt::TextSelectableByMouse);
        // Return and Escape stay with the dialog's buttons.
        setFocusPolicy(Qt::NoFocus);
        viewport()->setAutoFillBackground(false);
        setPlainText(linesToQt(text));
        setVisible(!text.empty());
    }
    // The height that shows the whole text laid out this wide.
    int wholeHeight(int width) {
        document()->setTextWidth(width);
        return int(std::ceil(document()->size().height()));
    }
    // Laid out this wide, as high as the whole text but not more than `most`.
    void fit(int width, int most) { setFixedSize(width, std::max(0, std::min(wholeHeight(width), most))); }
};

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

// The dialog never grows past the usable area of its screen: the texts wrap to the width left,
// and what is too long for the height scrolls inside the explanation, then inside the message.
void fitToScreen(QDialog& box, WrappedText& message, WrappedText& explanation) {
    // The screen the dialog opens on: its parent's, or else the one under the pointer.
    const QWidget* over = box.parentWidget();
    const QScreen* screen = over ? over->screen() : QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() - kFrameRoom : QSize(640, 480);
    constexpr int kUnbounded = 1 << 20;

    message.fit(kTextWidth, kUnbounded);
    explanation.fit(kTextWidth, kUnbounded);
    const int besideText = box.sizeHint().width() - kTextWidth;
    const int width = std::max(kLeastTextWidth, std::min(kTextWidth, room.width() - besideText));
    message.fit(width, kUnbounded);
    explanation.fit(width, kUnbounded);
    int excess = box.sizeHint().height() - room.height();
    for (WrappedText* text : {&explanation, &message}) {
        if (excess <= 0 || !text->isVisibleTo(&box))
            break;
        const int height = std::max(kLeastTextHeight, text->height() - excess);
        excess -= text->height() - height;
        text->fit(width, height);
    }
    box.setMinimumWidth(std::min(420, room.width()));
    box.setMaximumSize(room);
    box.resize(box.sizeHint().boundedTo(room));
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
    auto* message = new WrappedText(dialog.Message(), "message", &box);
    QFont bold = message->font();
    bold.setBold(true);
    message->setFont(bold);
    auto* explanation = new WrappedText(dialog.Explanation(), "explanation", &box);

    Ref<MessageDialogButton> pressed = cancel;
    QPushButton* defaultButton = nullptr;
    auto addButton = [&](const Ref<MessageDialogButton>& button, QBoxLayout* row, const char* name) {
        auto* b = new QPushButton(captionToQt(button->Caption()), &box);
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
    fitToScreen(box, *message, *explanation);

    // Escape and the close box reject the dialog: the cancel button's answer.
    if (runModal(box) != QDialog::Accepted)
        pressed = cancel;
    return pressed;
}

} // namespace fw::detail
