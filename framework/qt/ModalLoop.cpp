#include "framework/qt/ModalLoop.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "framework/Runtime.h"

namespace fw::detail {

namespace {

bool isInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

// Qt's own modality already keeps the window system's input from the windows behind; this also
// stops what arrives another way (sent events, actions' shortcuts, close requests).
class InputGate : public QObject {
  public:
    explicit InputGate(QDialog& box) : box_(&box) { qApp->installEventFilter(this); }
    ~InputGate() override { qApp->removeEventFilter(this); }

  protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!box_ || !isInput(event->type()) || !isInnermost())
            return false;
        // The window system's own input reaches the windows first: Qt's modality sorts it.
        if (receiver->isWindowType())
            return false;
        auto* widget = qobject_cast<QWidget*>(receiver);
        if (!widget)
            return event->type() == QEvent::Shortcut; // an action of a window behind
        // Popups opened by the box (a combo's list, a context menu) are the box's own.
        return !(widget == box_ || box_->isAncestorOf(widget) || isPopup(widget));
    }

  private:
  public:
    QDialog* box() const { return box_; }

  private:
    bool isInnermost() const;
    static bool isPopup(QWidget* widget) {
        QWidget* top = widget->window();
        return top && top->windowType() == Qt::Popup;
    }
    QPointer<QDialog> box_;
};

std::vector<InputGate*>& gates() {
    static auto* list = new std::vector<InputGate*>();
    return *list;
}

bool InputGate::isInnermost() const {
    // Each gate installed later filters first; only the innermost box's gate decides.
    return !gates().empty() && gates().back() == this;
}

} // namespace

int runModal(QDialog& dialog) {
    if (RuntimeQuitting())
        return QDialog::Rejected;
    dialog.setWindowModality(Qt::ApplicationModal);
    InputGate gate(dialog);
    gates().push_back(&gate);
    struct Leave {
        ~Leave() { gates().pop_back(); }
    } leave;
    return dialog.exec();
}

int modalDepth() {
    return static_cast<int>(gates().size());
}

void endModalRuns() {
    // Innermost first; an outer box's loop returns once the inner one's has.
    const std::vector<InputGate*> running = gates();
    for (auto gate = running.rbegin(); gate != running.rend(); ++gate)
        if (QDialog* box = (*gate)->box())
            box->reject();
}

} // namespace fw::detail
