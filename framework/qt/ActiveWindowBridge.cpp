#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "framework/ActiveWindow.h"
#include "framework/Window.h"
#include "framework/qt/WindowBridge.h"
#include "framework/qt/X11Server.h"

namespace fw {

namespace {

constexpr int kBoundMs = 500;

// One hand-back after a click: waits on the event loop, so that nothing blocks while the window
// manager handles the click. The window manager gives the clicked window the focus as it makes
// it active; the toolkit hears of that without asking the server, and the noted window is asked
// back at once. Without that news within the bound, the server is asked which window is active.
// Until the toolkit has deactivated the clicked window again, its focused control keeps its
// look: it would draw its focus frame as the window is activated and erase it as it is
// deactivated, repainting itself and what lies beneath it twice for nobody to see.
class GiveBack : public QObject {
  public:
    GiveBack(uint32_t noted, uint32_t clicked, QWidget* focused)
        : QObject(QCoreApplication::instance()), noted_(noted), clicked_(clicked), focused_(focused) {
        if (focused_)
            focused_->installEventFilter(this);
        connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focus) {
            if (focus && focus->winId() == clicked_)
                askBack(clicked_);
        });
        bound_.setSingleShot(true);
        connect(&bound_, &QTimer::timeout, this, [this] {
            if (!askedBack_)
                if (const uint32_t active = detail::x11::activeWindow(); active != noted_)
                    askBack(active);
            finish();
        });
        bound_.start(kBoundMs);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool in = event->type() == QEvent::FocusIn;
        if (watched != focused_ || (!in && event->type() != QEvent::FocusOut) ||
            static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason)
            return false;
        focusOwed_ = in;
        if (!in && askedBack_)
            finish();
        return true;
    }

  private:
    void askBack(uint32_t active) {
        askedBack_ = true;
        disconnect(qGuiApp, nullptr, this, nullptr);
        detail::x11::requestActive(noted_, active);
    }
    void finish() {
        bound_.stop();
        if (focused_) {
            focused_->removeEventFilter(this);
            // The window stayed active after all: the control hears of the focus it has.
            if (focusOwed_ && focused_->hasFocus()) {
                QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
                QCoreApplication::sendEvent(focused_, &in);
            }
        }
        deleteLater();
    }

    uint32_t noted_;
    uint32_t clicked_;
    QPointer<QWidget> focused_;
    bool askedBack_ = false;
    bool focusOwed_ = false;
    QTimer bound_;
};

} // namespace

ActiveWindowNote ActiveWindowNote::take() {
    ActiveWindowNote note;
    note.window_ = detail::x11::activeWindow();
    return note;
}

void ActiveWindowNote::giveBackAfterClickOn(Window& clicked) const {
    const uint32_t id = clicked.bridge().nativeId();
    // No window manager, or the clicked window was active already: nothing to give back.
    if (!window_ || !id || id == window_)
        return;
    QWidget* top = clicked.bridge().widget();
    new GiveBack(window_, id, top ? top->focusWidget() : nullptr);
}

} // namespace fw
