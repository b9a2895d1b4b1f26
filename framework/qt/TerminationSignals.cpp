#include "framework/qt/TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include "framework/Runtime.h"

namespace fw::detail {

namespace {

constexpr int kTerminationSignals[] = {SIGTERM, SIGINT, SIGHUP};

int gPipe[2] = {-1, -1};
QtMessageHandler gToolkitHandler = nullptr;

void onSignal(int) {
    // Only async-signal-safe work here: the loop picks the byte up.
    const char byte = 1;
    [[maybe_unused]] ssize_t written = write(gPipe[1], &byte, 1);
}

bool displayLost() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 && x11->connection() && xcb_connection_has_error(x11->connection());
}

// The toolkit ends the process with exit(1) when its X connection breaks, and warns just before:
// that warning is the one moment left to let the windows close and save. The connection is
// asked, rather than the warning's wording read.
void onToolkitMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    static bool closing = false;
    // Other threads warn too; only the one that runs the windows may close them.
    const bool onLoop = qApp && QThread::currentThread() == qApp->thread();
    if (!closing && type == QtWarningMsg && onLoop && displayLost()) {
        closing = true;
        dispatch([] { RuntimeTerminate(); });
    }
    if (gToolkitHandler)
        gToolkitHandler(type, context, message);
}

} // namespace

void installTerminationHandlers() {
    if (gPipe[0] >= 0 || pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char bytes[16];
        while (read(gPipe[0], bytes, sizeof bytes) > 0) {
        }
        dispatch([] { RuntimeTerminate(); });
    });
    struct sigaction action = {};
    action.sa_handler = &onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kTerminationSignals)
        sigaction(signal, &action, nullptr);
    gToolkitHandler = qInstallMessageHandler(&onToolkitMessage);
}

} // namespace fw::detail
