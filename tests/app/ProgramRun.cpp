#include "ProgramRun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

#include "tests/plugin/XSession.h"

#include <X11/Xatom.h>

ProgramRun::ProgramRun(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                       const std::map<std::string, std::optional<std::string>>& environment) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        for (const auto& [name, value] : environment) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        dup2(fds[1], STDERR_FILENO);
        std::vector<std::string> words{program.string()};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    errorPipe_ = fds[0];
    fcntl(errorPipe_, F_SETFL, O_NONBLOCK);
}

ProgramRun::~ProgramRun() {
    if (pid_ > 0 && !exit_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (errorPipe_ >= 0)
        close(errorPipe_);
}

void ProgramRun::signal(int number) const {
    if (pid_ > 0 && !exit_)
        kill(pid_, number);
}

void ProgramRun::drain() {
    char buffer[4096];
    ssize_t n;
    while (errorPipe_ >= 0 && (n = read(errorPipe_, buffer, sizeof buffer)) > 0)
        errors_.append(buffer, static_cast<std::size_t>(n));
}

std::optional<Exit> ProgramRun::wait(std::chrono::milliseconds bound) {
    const auto until = std::chrono::steady_clock::now() + bound;
    while (!exit_ && pid_ > 0) {
        drain();
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            Exit e;
            e.exited = WIFEXITED(status);
            e.status = e.exited ? WEXITSTATUS(status) : WTERMSIG(status);
            e.cored = WIFSIGNALED(status) && WCOREDUMP(status);
            exit_ = e;
            break;
        }
        if (std::chrono::steady_clock::now() >= until)
            break;
        // Woken by output, or after a short while to look at the process again.
        pollfd p{errorPipe_, POLLIN, 0};
        poll(&p, 1, 10);
    }
    drain();
    return exit_;
}

std::string ProgramRun::errors() {
    drain();
    return errors_;
}

testing::AssertionResult quitsOnTermination(ProgramRun& run, std::chrono::milliseconds bound) {
    run.signal(SIGTERM);
    const std::optional<Exit> exit = run.wait(bound);
    if (!exit)
        return testing::AssertionFailure() << "still running; " << run.errors();
    if (!exit->exited || exit->status != 0)
        return testing::AssertionFailure() << (exit->exited ? "exit status " : "ended by signal ")
                                           << exit->status << "; " << run.errors();
    return testing::AssertionSuccess();
}

std::string unusedDisplay() {
    for (int n = 60; n < 1000; ++n) {
        const std::string number = std::to_string(n);
        std::error_code error;
        if (!std::filesystem::exists("/tmp/.X11-unix/X" + number, error) &&
            !std::filesystem::exists("/tmp/.X" + number + "-lock", error))
            return ":" + number;
    }
    return ":999";
}

namespace {

bool isDialog(Display* display, Window window) {
    const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    const Atom dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    Atom actual;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, window, type, 0, 16, False, XA_ATOM, &actual, &format, &count, &after,
                           &data) == Success &&
        data) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count; ++i)
            found |= atoms[i] == dialog;
        XFree(data);
    }
    return found;
}

void collect(Display* display, Window window, const std::string& title, std::vector<ShownWindow>& found) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return;
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        if (title == name)
            found.push_back({window, isDialog(display, window), attributes.width});
        XFree(name);
    }
    Window root, parent;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i)
            collect(display, children[i], title, found);
        if (children)
            XFree(children);
    }
}

} // namespace

std::vector<ShownWindow> shownWindows(const std::string& title) {
    std::vector<ShownWindow> found;
    DisplayPtr display = openDisplay();
    if (!display)
        return found;
    // A window may go while the tree is walked: that error is no fault of the walk.
    XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    collect(display.get(), DefaultRootWindow(display.get()), title, found);
    XSync(display.get(), False);
    XSetErrorHandler(previous);
    return found;
}

bool panelShown() {
    auto windows = shownWindows("Ambrel");
    return std::any_of(windows.begin(), windows.end(), [](const ShownWindow& w) { return !w.dialog; });
}

bool boxShown() {
    auto windows = shownWindows("Ambrel");
    return std::any_of(windows.begin(), windows.end(), [](const ShownWindow& w) { return w.dialog; });
}

void closeWindow(unsigned long id) {
    DisplayPtr display = openDisplay();
    if (!display)
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = id;
    event.xclient.message_type = XInternAtom(display.get(), "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display.get(), "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display.get(), id, False, NoEventMask, &event);
    XSync(display.get(), False);
}
