#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
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
class GiveBack : public QObject {
  public:
    GiveBack(uint32_t noted, uint32_t clicked)
        : QObject(QCoreApplication::instance()), noted_(noted), clicked_(clicked) {
        connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focus) {
            if (focus && focus->winId() == clicked_)
                giveBack(clicked_);
        });
        bound_.setSingleShot(true);
        connect(&bound_, &QTimer::timeout, this, [this] {
            const uint32_t active = detail::x11::activeWindow();
            if (active != noted_)
                giveBack(active);
            else
                deleteLater();
        });
        bound_.start(kBoundMs);
    }

  private:
    void giveBack(uint32_t active) {
        bound_.stop();
        disconnect(qGuiApp, nullptr, this, nullptr);
        detail::x11::requestActive(noted_, active);
        deleteLater();
    }

    uint32_t noted_;
    uint32_t clicked_;
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
    new GiveBack(window_, id);
}

} // namespace fw
