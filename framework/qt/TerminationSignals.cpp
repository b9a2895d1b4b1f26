#include "framework/qt/TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

#include "framework/Runtime.h"

namespace fw::detail {

namespace {

int gPipe[2] = {-1, -1};

void onSignal(int) {
    // Only async-signal-safe work here: the loop picks the byte up.
    const char byte = 1;
    [[maybe_unused]] ssize_t written = write(gPipe[1], &byte, 1);
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
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace fw::detail
