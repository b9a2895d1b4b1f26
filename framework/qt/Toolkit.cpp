#include "framework/qt/Toolkit.h"

#include <QApplication>
#include <memory>

#include "framework/qt/FontConfiguration.h"

namespace fw::detail {

namespace {
std::unique_ptr<QApplication>& toolkit() {
    static auto* t = new std::unique_ptr<QApplication>();
    return *t;
}
} // namespace

void startToolkit(int& argc, char** argv, const std::string& applicationName) {
    // Windows here repaint a few pixels at a time (the countdown, each second). Through shared
    // memory each such repaint first waits on a round trip to the X server, to be sure it has
    // read the last one; so few pixels cost less sent down the connection. Qt reads the setting
    // as it connects; a choice of the user's stands, and programs started from here get none.
    const bool chosenByUser = qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM");
    if (!chosenByUser)
        qputenv("QT_XCB_NO_MITSHM", "1");
    {
        // Meanwhile the font configuration is read, which the first window needs.
        const FontConfigurationReadAhead fonts;
        toolkit() = std::make_unique<QApplication>(argc, argv);
    }
    if (!chosenByUser)
        qunsetenv("QT_XCB_NO_MITSHM");
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
