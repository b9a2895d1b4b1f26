#include "framework/qt/ModalLoop.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <thread>
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
class InputGate final : public QObject {
  public:
    // `box`: the dialog that keeps taking input, with the windows it opens; none while a wait runs.
    // `end`: ends the run as if cancelled.
    InputGate(QDialog* box, std::function<void()> end) : box_(box), waiting_(!box), end_(std::move(end)) {
        qApp->installEventFilter(this);
    }
    ~InputGate() override { qApp->removeEventFilter(this); }

    void end() const { end_(); }

  private:
    // Qt calls it through QObject for every event while the gate is installed.
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if ((!box_ && !waiting_) || !isInput(event->type()) || !isInnermost())
            return false;
        // The window system's own input reaches the windows first: Qt's modality sorts it.
        if (receiver->isWindowType())
            return false;
        auto* widget = qobject_cast<QWidget*>(receiver);
        if (!widget)
            return event->type() == QEvent::Shortcut; // an action of a window behind
        if (!waiting_ && opensFromBox(widget))
            return false;
        // Dropped, so refused: a close request left accepted would hide its window all the same.
        event->ignore();
        return true;
    }

    bool isInnermost() const;
    // Inside the box, or inside a window it opened (Qt's own questions and file dialogs are parented
    // to the dialog's widgets across the window border); popups (a combo's list, a context menu)
    // open only from the window that takes input.
    bool opensFromBox(QWidget* widget) const {
        QWidget* top = widget->window();
        if (top && top->windowType() == Qt::Popup)
            return true;
        for (QWidget* w = widget; w; w = w->parentWidget())
            if (w == box_)
                return true;
        return false;
    }
    QPointer<QDialog> box_;
    const bool waiting_;
    std::function<void()> end_;
};

std::vector<InputGate*>& gates() {
    static auto* list = new std::vector<InputGate*>();
    return *list;
}

bool InputGate::isInnermost() const {
    // Each gate installed later filters first; only the innermost box's gate decides.
    return !gates().empty() && gates().back() == this;
}

// The gate's place on the list for the length of one run.
class GateInPlace {
  public:
    explicit GateInPlace(InputGate& gate) { gates().push_back(&gate); }
    ~GateInPlace() { gates().pop_back(); }
    GateInPlace(const GateInPlace&) = delete;
    GateInPlace& operator=(const GateInPlace&) = delete;
};

} // namespace

int runModal(QDialog& dialog) {
    if (RuntimeQuitting())
        return QDialog::Rejected;
    dialog.setWindowModality(Qt::ApplicationModal);
    QPointer<QDialog> box(&dialog);
    InputGate gate(&dialog, [box] {
        if (box)
            box->reject();
    });
    GateInPlace inPlace(gate);
    return dialog.exec();
}

bool waitModally(std::function<void()> work) {
    if (RuntimeQuitting())
        return false;
    QEventLoop loop;
    std::atomic<bool> finished = false;
    bool ended = false;
    InputGate gate(nullptr, [&] {
        ended = true;
        loop.quit();
    });
    GateInPlace inPlace(gate);
    std::thread worker([&] {
        work();
        finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The worker's quit may come before the loop runs: it waits in the queue until then.
    while (!finished && !ended)
        loop.exec();
    worker.join();
    return !ended;
}

int modalDepth() {
    return static_cast<int>(gates().size());
}

void endModalRuns() {
    // Innermost first; an outer box's loop returns once the inner one's has.
    const std::vector<InputGate*> running = gates();
    for (auto gate = running.rbegin(); gate != running.rend(); ++gate)
        (*gate)->end();
}

} // namespace fw::detail
