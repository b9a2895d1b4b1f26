// Measures the update check in this process, on Qt's offscreen platform, against a loopback
// server in a process of its own (so that its threads count for nothing here), and prints:
//   the time from Get to PageReceived (median of 100 fetches of the update document), and
//   the growth of resident memory over 1,000 whole checks (Check for Updates to the closed window).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/BuildSettings.h"
#include "app/Startup.h"
#include "app/Window1.h"
#include "framework/ApplicationSettings.h"
#include "framework/HTTPSocket.h"
#include "framework/Runtime.h"
#include "framework/TestHooks.h"
#include "framework/Timer.h"
#include "tests/support/LoopbackHTTPServer.h"
#include "update/selfTest.h"
#include "update/updateWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::string kDocument = "<Update><CurrentVersion>1.3.0</CurrentVersion><Description>Same.</Description>"
                              "<Free>Yes</Free></Update>";

std::string page() {
    return "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(kDocument.size()) + "\r\n\r\n" + kDocument;
}

long residentKiB() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

fw::Ref<fw::Delegate> handler(std::function<void()> body, const char* signature) {
    return fw::RuntimeCreateDelegate(
        [body = std::move(body)](fw::Object*, fw::Arguments) {
            body();
            return fw::Value();
        },
        nullptr, signature, false);
}

// Runs the loop until `done` holds; false when `boundMs` ran out first.
bool runUntil(const std::function<bool()>& done, int32_t boundMs = 10000) {
    fw::Ref<fw::Timer> poll = fw::make<fw::Timer>();
    const Clock::time_point start = Clock::now();
    fw::RuntimeAddEventHandler(*poll, fw::kTimerAction, fw::_EventStub(fw::kTimerAction),
                               handler(
                                   [&] {
                                       if (done() ||
                                           Clock::now() - start > std::chrono::milliseconds(boundMs))
                                           fw::Quit(0);
                                   },
                                   "( Timer )"));
    poll->setPeriod(1);
    poll->setMode(fw::Timer::ModeMultiple);
    if (!done())
        fw::_RuntimeRun();
    poll->setMode(fw::Timer::ModeOff);
    return done();
}

double medianGetToPage() {
    std::vector<double> ms;
    fw::Ref<fw::HTTPSocket> socket = fw::make<fw::HTTPSocket>();
    bool received = false;
    Clock::time_point sent;
    fw::RuntimeAddEventHandler(
        *socket, fw::kHTTPSocketPageReceived, fw::_EventStub(fw::kHTTPSocketPageReceived),
        handler(
            [&] {
                ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
                received = true;
            },
            "( HTTPSocket, String, Int32, InternetHeaders, String )"));
    for (int i = 0; i < 100; ++i) {
        received = false;
        sent = Clock::now();
        socket->Get(ambrel::updateAddresses::document());
        if (!runUntil([&] { return received; }))
            return -1;
    }
    std::sort(ms.begin(), ms.end());
    return (ms[49] + ms[50]) / 2;
}

// One whole check as the user makes it: the Self Test window's button, then the reply, the box
// (answered here) and both windows closed.
bool oneCheck(int& boxes) {
    const int before = boxes;
    ::selfTest()->Show();
    ::selfTest()->PushButton1()->Push();
    return runUntil([&] { return boxes > before && !fw::_GetImplicitWindow("updateWindow.updateWindow"); });
}

// Starts the server in a child process; returns its port, or 0.
int startServer(pid_t& child) {
    int ports[2];
    if (pipe(ports) != 0)
        return 0;
    child = fork();
    if (child == 0) {
        close(ports[0]);
        LoopbackHTTPServer server({{.bytes = page()}});
        const int port = server.port();
        if (write(ports[1], &port, sizeof port) != sizeof port)
            _exit(1);
        close(ports[1]);
        pause(); // until the measuring process ends it
        _exit(0);
    }
    close(ports[1]);
    int port = 0;
    if (read(ports[0], &port, sizeof port) != sizeof port)
        port = 0;
    close(ports[0]);
    return port;
}

} // namespace

int main(int argc, char** argv) {
    // Before the toolkit starts: a forked child must not inherit its threads.
    pid_t server = 0;
    const int port = startServer(server);
    if (port == 0) {
        std::fprintf(stderr, "the loopback server did not start\n");
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    char pattern[] = "/tmp/ambrel-update-bench-XXXXXX";
    const std::filesystem::path config = mkdtemp(pattern);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    fw::setApplicationSettings(ambrel::buildSettings());
    fw::RuntimeInit(argc, argv);
    ambrel::runClassSetupList();
    ambrel::_NewAppInstance();
    ambrel::_ApplicationAddMenuHandlers();
    int boxes = 0;
    fw::setMessagePresenter([&](const fw::String&) { ++boxes; });
    fw::setUnhandledExceptionReporter(
        [](const std::exception& e) { std::fprintf(stderr, "unhandled: %s\n", e.what()); });

    fw::setHTTPConnectTarget("127.0.0.1", port);
    ::Window1()->Show();

    const double median = medianGetToPage();
    // Warm up the windows' first construction (fonts, styles) before the memory is read.
    for (int i = 0; i < 20; ++i)
        oneCheck(boxes);
    const long before = residentKiB();
    int done = 0;
    for (int i = 0; i < 1000 && oneCheck(boxes); ++i)
        ++done;
    const long after = residentKiB();

    std::printf("update check, Get to PageReceived (median of 100): %.3f ms\n", median);
    std::printf("update check, resident memory growth over %d checks: %ld KiB (%ld KiB to %ld KiB)\n", done,
                after - before, before, after);
    if (fw::Ref<fw::Window> panel = fw::_GetImplicitWindow("Window1.Window1"))
        panel->Close();
    ambrel::runModuleExitList();
    fw::RuntimeExit();
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    std::filesystem::remove_all(config);
    return done == 1000 && median >= 0 ? 0 : 1;
}
