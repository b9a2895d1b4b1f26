#include "framework/qt/Toolkit.h"

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <optional>

#include "framework/qt/FontConfiguration.h"
#include "framework/qt/ProcessEnvironment.h"

namespace fw::detail {

namespace {
std::unique_ptr<QApplication>& toolkit() {
    static auto* t = new std::unique_ptr<QApplication>();
    return *t;
}
} // namespace

void startToolkit(int& argc, char** argv, const std::string& applicationName) {
    // Before the font reader's thread and the toolkit's own.
    settleEnvironment();
    {
        // Meanwhile the font configuration is read, which the first window needs; but not while
        // the toolkit takes a launcher's startup notice out of the environment as it connects.
        std::optional<FontConfigurationReadAhead> fonts;
        if (!std::getenv("DESKTOP_STARTUP_ID"))
            fonts.emplace();
        toolkit() = std::make_unique<QApplication>(argc, argv);
    }
    QApplication::setApplicationName(QString::fromStdString(applicationName));
    // Closing the last window ends nothing by itself: the program says when it quits.
    QApplication::setQuitOnLastWindowClosed(false);
}

bool toolkitStarted() {
    return toolkit() != nullptr;
}

bool toolkitRunning() {
    return qApp != nullptr;
}

void stopToolkit() {
    if (!toolkit())
        return;
    // Widgets let go inside their own events are still waiting for the loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    toolkit().reset();
}

void postToLoop(std::function<void()> task) {
    QMetaObject::invokeMethod(toolkit().get(), std::move(task), Qt::QueuedConnection);
}

void runLoop() {
    QApplication::exec();
}

void exitLoop(int exitCode) {
    QCoreApplication::exit(exitCode);
}

} // namespace fw::detail
