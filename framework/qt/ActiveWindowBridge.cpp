#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "framework/ActiveWindow.h"
#include "framework/Window.h"
#include "framework/qt/WindowBridge.h"
#include "framework/qt/X11Server.h"

namespace fw {

namespace {

constexpr int kBoundMs = 500;
constexpr int kLookEveryMs = 10;

// One hand-back after a click: watches the window manager's active window on the event loop, so
// that nothing blocks while the window manager handles the click.
class GiveBack : public QObject {
  public:
    GiveBack(uint32_t noted, uint32_t clicked)
        : QObject(QCoreApplication::instance()), noted_(noted), clicked_(clicked) {
        since_.start();
        timer_.setInterval(kLookEveryMs);
        connect(&timer_, &QTimer::timeout, this, [this] { look(); });
        timer_.start();
    }

  private:
    void look() {
        const uint32_t active = detail::x11::activeWindow();
        if (active != clicked_ && since_.elapsed() < kBoundMs)
            return;
        timer_.stop();
        if (active != noted_)
            detail::x11::requestActive(noted_, active);
        deleteLater();
    }

    uint32_t noted_;
    uint32_t clicked_;
    QElapsedTimer since_;
    QTimer timer_;
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
    // The click's events were posted on another connection: once this round trip is back, the
    // server has handled them and the window manager has been told.
    detail::x11::sync();
    new GiveBack(window_, id);
}

} // namespace fw
