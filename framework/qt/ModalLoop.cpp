#include "framework/qt/ModalLoop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/Runtime.h"

namespace fw::detail {

namespace {

constexpr std::chrono::milliseconds kStopGrace{500};

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

// Whether the widget is the box or lies within it, across window borders.
bool isWithin(const QWidget* widget, const QWidget* box) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == box)
            return true;
    return false;
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
        return (top && top->windowType() == Qt::Popup) || isWithin(widget, box_.data());
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

// The button a message box takes as its answer when it is closed rather than answered: the one
// set for Escape, its only button, or one that refuses (Cancel, No), as the toolkit finds it.
QAbstractButton* refusingButton(QMessageBox& box) {
    if (QAbstractButton* escape = box.escapeButton())
        return escape;
    const QList<QAbstractButton*> buttons = box.buttons();
    if (buttons.size() == 1)
        return buttons.front();
    for (QMessageBox::ButtonRole role : {QMessageBox::RejectRole, QMessageBox::NoRole})
        for (QAbstractButton* button : buttons)
            if (box.buttonRole(button) == role)
                return button;
    return nullptr;
}

// Ends the questions and dialogs that the box opened itself (the toolkit's own, which run loops
// of their own, as the print dialog's "already exists. Do you want to overwrite it?"): innermost
// first, each as refused; an unanswered question is a No.
void endWhatItOpened(QDialog& box) {
    for (int depth = 0; depth < 16; ++depth) {
        QWidget* front = QApplication::activeModalWidget();
        if (!front || front == &box || !isWithin(front, &box))
            return;
        auto* question = qobject_cast<QMessageBox*>(front);
        if (QAbstractButton* no = question ? refusingButton(*question) : nullptr)
            no->click();
        else if (auto* dialog = qobject_cast<QDialog*>(front))
            dialog->reject();
        else
            front->hide();
    }
}

} // namespace

int runModal(QDialog& dialog) {
    if (RuntimeQuitting())
        return QDialog::Rejected;
    dialog.setWindowModality(Qt::ApplicationModal);
    QPointer<QDialog> box(&dialog);
    InputGate gate(&dialog, [box] {
        // A box already answered, whose loop has not returned yet, keeps its answer.
        if (!box || !box->isVisible())
            return;
        endWhatItOpened(*box);
        box->reject();
    });
    GateInPlace inPlace(gate);
    return dialog.exec();
}

bool waitModally(std::function<void()> work, std::function<void()> stop) {
    if (RuntimeQuitting())
        return false;
    // What the worker shares with this wait; it may outlive the wait once stopped.
    struct Shared {
        std::mutex mutex;
        std::condition_variable ended;
        bool finished = false;
        QEventLoop* loop = nullptr; // while the wait runs
    };
    auto shared = std::make_shared<Shared>();
    QEventLoop loop;
    shared->loop = &loop;
    bool ended = false;
    InputGate gate(nullptr, [&] {
        ended = true;
        loop.quit();
    });
    GateInPlace inPlace(gate);
    std::thread worker([shared, work = std::move(work)] {
        work();
        std::lock_guard lock(shared->mutex);
        shared->finished = true;
        shared->ended.notify_all();
        if (shared->loop)
            QMetaObject::invokeMethod(shared->loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    auto finished = [&] {
        std::lock_guard lock(shared->mutex);
        return shared->finished;
    };
    // The worker's quit may come before the loop runs: it waits in the queue until then.
    while (!finished() && !ended)
        loop.exec();
    std::unique_lock lock(shared->mutex);
    shared->loop = nullptr;
    if (!shared->finished && stop) {
        lock.unlock();
        stop();
        lock.lock();
    }
    // A stopped work ends within a tick of its own; one that does not is left to end by itself,
    // so that a quit is never held up.
    if (shared->ended.wait_for(lock, kStopGrace, [&] { return shared->finished; })) {
        lock.unlock();
        worker.join();
    } else {
        worker.detach();
    }
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
