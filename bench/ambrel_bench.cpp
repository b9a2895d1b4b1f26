// Measures the running application on the current X display and prints the figures:
//   start-up to panel shown, resident memory after start, CPU per tick while counting beside a
//   bare Qt window doing the same in a child process over the same span (the ratio holds on a
//   busy machine where the absolute figures do not), resident memory while counting, the drift
//   of the 60th tick from 60 s (X server times of the choice and of the poke), the cost of one
//   poke (the tick's work until the X server has taken the events), the time from Help > Show
//   to the Help window shown, the resident memory with it and the About box open, and the time
//   to print the help text into a PDF file.
// The figures up to the drift come from the real program, started as its own process and driven
// like a user would; the others from the program run in this process through the built plug-in.
// With --long it counts for an hour instead, for the memory figure, and skips the rest; with
// --start-up it measures the start-up and the memory at rest alone.
// The bare Qt window is the program reference_window beside it.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/App.h"
#include "app/BuildSettings.h"
#include "app/Module1.h"
#include "app/Startup.h"
#include "app/TolvaneVrek.h"
#include "app/Window1.h"
#include "framework/ApplicationSettings.h"
#include "framework/PluginHost.h"
#include "framework/Runtime.h"
#include "framework/TestHooks.h"
#include "framework/Timer.h"
#include "help/HelpPrinting.h"

// Last: Xlib's macros would break the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/record.h>
#include <X11/keysym.h>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// The top-level window with that title once it is mapped, or None.
Window findWindow(Display* d, const std::string& title) {
    Window root = DefaultRootWindow(d), parent, *children = nullptr;
    unsigned int count = 0;
    Window found = None;
    if (XQueryTree(d, root, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && found == None; ++i) {
            XWindowAttributes a;
            char* name = nullptr;
            if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
                XFetchName(d, children[i], &name) && name) {
                if (name == title)
                    found = children[i];
                XFree(name);
            }
        }
        XFree(children);
    }
    return found;
}

long statusKiB(pid_t pid, const std::string& field) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::atol(line.c_str() + field.size() + 1);
    return -1;
}

double cpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string all((std::istreambuf_iterator<char>(in)), {});
    std::istringstream rest(all.substr(all.rfind(')') + 2));
    std::vector<std::string> fields;
    for (std::string f; rest >> f;)
        fields.push_back(f);
    // utime and stime are fields 14 and 15 of the line, 12 and 13 after the name.
    return (std::stod(fields.at(11)) + std::stod(fields.at(12))) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void clickAt(Display* d, int x, int y) {
    XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XSync(d, False);
}

void tap(Display* d, KeySym key) {
    KeyCode code = XKeysymToKeycode(d, key);
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    XSync(d, False);
}

void pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Time on a CPU and the number of times scheduled in, summed over the process's threads. The
// kernel's per-thread counts are exact to the nanosecond; the toolkit's threads live as long as
// the process, so none is lost between two readings.
struct CpuUse {
    double seconds = 0;
    long long runs = -1; // -1 where the kernel keeps no such count
};

CpuUse cpuUse(pid_t pid) {
    CpuUse use;
    if (pid < 0)
        return use;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream in(task.path() / "schedstat");
        long long onCpuNs = 0, waitNs = 0, runs = 0;
        if (!(in >> onCpuNs >> waitNs >> runs))
            return {cpuSeconds(pid), -1};
        use.seconds += static_cast<double>(onCpuNs) / 1e9;
        use.runs = std::max(use.runs, 0LL) + runs;
    }
    return use.runs < 0 ? CpuUse{cpuSeconds(pid), -1} : use;
}

CpuUse operator-(const CpuUse& a, const CpuUse& b) {
    return {a.seconds - b.seconds, a.runs < 0 || b.runs < 0 ? -1 : a.runs - b.runs};
}

// The X server's clock now: the time stamp of a property change on a window of our own.
Time serverTime(Display* d, Window own) {
    static const Atom clock = XInternAtom(d, "AMBREL_BENCH_CLOCK", False);
    XChangeProperty(d, own, clock, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(d, own, PropertyChangeMask, &event);
    return event.xproperty.time;
}

// Signed difference of two server times, which wrap around.
long serverMsBetween(Time from, Time to) {
    return static_cast<int32_t>(static_cast<uint32_t>(to - from));
}

pid_t startChild(const std::vector<std::string>& command, const std::filesystem::path& config) {
    pid_t pid = fork();
    if (pid == 0) {
        if (!config.empty())
            setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        std::vector<char*> argv;
        for (const std::string& word : command)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

void stopChild(pid_t pid) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

void printCpu(const char* what, const CpuUse& used, double seconds) {
    // One tick a second: the CPU of a second is the CPU of a tick.
    std::printf("%-32s%8.3f ms a tick, %.3f s an hour (%.3f s over %.0f s", what,
                used.seconds * 1000.0 / seconds, used.seconds * 3600.0 / seconds, used.seconds, seconds);
    if (used.runs >= 0)
        std::printf(", %.2f wake-ups a tick", static_cast<double>(used.runs) / seconds);
    std::printf(")\n");
}

struct Spans {
    double warmUpS;  // counting before the CPU is read the first time
    double measureS; // counting between the two readings
};

// The median and the spread of a set of figures.
struct Spread {
    double median, low, high;
};

Spread spreadOf(std::vector<double> values) {
    if (values.empty())
        return {0, 0, 0};
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.front(), values.back()};
}

void printBeside(const char* what, const Spread& program, const Spread& bare, const char* unit) {
    std::printf("%-32s%8.1f %s (%.1f-%.1f), bare Qt window %.1f %s (%.1f-%.1f), ratio %.2f\n", what,
                program.median, unit, program.low, program.high, bare.median, unit, bare.low, bare.high,
                bare.median > 0 ? program.median / bare.median : 0.0);
}

// Start-up, from exec to the window mapped, and the resident memory half a second later: the
// program and the bare Qt window started in turn, `runs` times each.
void measureStartupBesideBareWindow(const std::filesystem::path& program, const std::filesystem::path& bare,
                                    int runs) {
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return;
    char pattern[] = "/tmp/ambrel-bench-XXXXXX";
    std::filesystem::path config = mkdtemp(pattern);
    std::ofstream(config / "ambrel.txt") << "#Window1Position 100,100\n";
    struct Kind {
        std::vector<std::string> command;
        std::string title;
        std::vector<double> startMs, restMiB;
    };
    Kind kinds[] = {{{program.string()}, "Ambrel", {}, {}}, {{bare.string()}, "Reference", {}, {}}};
    for (int run = 0; run < runs; ++run)
        for (Kind& kind : kinds) {
            Clock::time_point launched = Clock::now();
            pid_t pid = startChild(kind.command, config);
            while (findWindow(d, kind.title) == None && msSince(launched) < 20000)
                pause(1);
            kind.startMs.push_back(msSince(launched));
            pause(500);
            kind.restMiB.push_back(static_cast<double>(statusKiB(pid, "VmRSS")) / 1024.0);
            stopChild(pid);
        }
    XCloseDisplay(d);
    std::filesystem::remove_all(config);
    std::printf("median of %d starts, each beside a bare Qt window started in turn:\n", runs);
    printBeside("  exec to window mapped:", spreadOf(kinds[0].startMs), spreadOf(kinds[1].startMs), "ms");
    printBeside("  resident memory at rest:", spreadOf(kinds[0].restMiB), spreadOf(kinds[1].restMiB), "MiB");
}

// The real program: start-up, memory, CPU while counting beside a bare Qt window, and when the
// 60th tick pokes.
bool measureRunningProgram(const std::filesystem::path& program, const std::filesystem::path& bare,
                           const Spans& spans) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "no X display\n");
        return false;
    }
    Window own = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(d, own, PropertyChangeMask);
    char pattern[] = "/tmp/ambrel-bench-XXXXXX";
    std::filesystem::path config = mkdtemp(pattern);
    const int top = 100, left = 100;
    std::ofstream(config / "ambrel.txt") << "#Window1Position " << top << "," << left << "\n";

    Clock::time_point launched = Clock::now();
    pid_t pid = startChild({program.string()}, config);
    Window panel = None;
    while ((panel = findWindow(d, "Ambrel")) == None && msSince(launched) < 20000)
        pause(1);
    double startupMs = msSince(launched);
    if (panel == None) {
        std::fprintf(stderr, "the panel did not show within 20 s\n");
        stopChild(pid);
        XCloseDisplay(d);
        std::filesystem::remove_all(config);
        return false;
    }
    pause(500); // let it settle before reading its memory
    long rssKiB = statusKiB(pid, "VmRSS");
    // The poke's pointer motion reaches the panel's window, stamped with the server's time. Qt
    // takes its pointer events through XInput 2, which the server then gives to no core client
    // of the same window: the benchmark asks through XInput 2 too.
    int xinput = 0, firstEvent = 0, firstError = 0;
    XQueryExtension(d, "XInputExtension", &xinput, &firstEvent, &firstError);
    unsigned char motionBits[XIMaskLen(XI_Motion)] = {};
    XISetMask(motionBits, XI_Motion);
    XIEventMask motion{XIAllMasterDevices, sizeof motionBits, motionBits};
    XISelectEvents(d, panel, &motion, 1);

    // Untick Pause, then choose "       1 min", as a user would: the count starts at the choice.
    clickAt(d, left + 8 + 8, top + 1 + 10);
    pause(200);
    clickAt(d, left + 20 + 60, top + 40 + 10);
    pause(300);
    tap(d, XK_Down);
    tap(d, XK_Return);
    const Time chosen = serverTime(d, own);
    Clock::time_point counting = Clock::now();
    pid_t reference = startChild({bare.string()}, {});

    // Waits for the given time since the choice, noting the first motion after it: the poke.
    long pokeAfterMs = -1;
    auto waitUntil = [&](double ms) {
        for (;;) {
            while (XPending(d)) {
                XEvent event;
                XNextEvent(d, &event);
                XGenericEventCookie& cookie = event.xcookie;
                if (cookie.type == GenericEvent && cookie.extension == xinput && XGetEventData(d, &cookie)) {
                    const long after =
                        serverMsBetween(chosen, static_cast<XIDeviceEvent*>(cookie.data)->time);
                    if (cookie.evtype == XI_Motion && pokeAfterMs < 0 && after > 0)
                        pokeAfterMs = after;
                    XFreeEventData(d, &cookie);
                }
            }
            const double left = ms - msSince(counting);
            if (left <= 0)
                return;
            pollfd x{ConnectionNumber(d), POLLIN, 0};
            poll(&x, 1, static_cast<int>(std::min(left, 1000.0)) + 1);
        }
    };

    waitUntil(spans.warmUpS * 1000.0);
    const CpuUse programBefore = cpuUse(pid), referenceBefore = cpuUse(reference);
    const long rssWarmKiB = statusKiB(pid, "VmRSS");
    waitUntil((spans.warmUpS + spans.measureS) * 1000.0);
    const CpuUse programUsed = cpuUse(pid) - programBefore,
                 referenceUsed = cpuUse(reference) - referenceBefore;
    const long rssEndKiB = statusKiB(pid, "VmRSS");

    stopChild(reference);
    stopChild(pid);
    XDestroyWindow(d, own);
    XCloseDisplay(d);
    std::filesystem::remove_all(config);

    std::printf("start-up to panel shown:        %8.1f ms\n", startupMs);
    std::printf("resident memory after start:    %8.1f MiB\n", static_cast<double>(rssKiB) / 1024.0);
    printCpu("CPU while counting:", programUsed, spans.measureS);
    printCpu("bare Qt window, same span:", referenceUsed, spans.measureS);
    if (referenceUsed.seconds > 0)
        std::printf("ratio to the bare Qt window:    %8.2f\n", programUsed.seconds / referenceUsed.seconds);
    std::printf("resident memory while counting: %8.1f MiB after %.0f s, %.1f MiB after %.0f s (%+.0f KiB)\n",
                static_cast<double>(rssWarmKiB) / 1024.0, spans.warmUpS,
                static_cast<double>(rssEndKiB) / 1024.0, spans.warmUpS + spans.measureS,
                static_cast<double>(rssEndKiB - rssWarmKiB));
    if (pokeAfterMs < 0)
        std::printf("drift of the 60th tick:             n/a (no poke seen)\n");
    else
        std::printf("drift of the 60th tick:         %+8ld ms (X server time of the poke's motion, %ld ms "
                    "after the choice)\n",
                    pokeAfterMs - 60000, pokeAfterMs);
    return true;
}

// Runs the loop with a timer of the period and mode given until `stop` holds after one of its
// ticks.
void runWithTimer(int32_t periodMs, int32_t mode, const std::function<bool()>& stop) {
    fw::Ref<fw::Timer> timer = fw::make<fw::Timer>();
    fw::RuntimeAddEventHandler(*timer, fw::kTimerAction, fw::_EventStub(fw::kTimerAction),
                               fw::RuntimeCreateDelegate(
                                   [&](fw::Object*, fw::Arguments) {
                                       if (stop())
                                           fw::Quit(0);
                                       return fw::Value();
                                   },
                                   nullptr, "( Timer )", false));
    timer->setPeriod(periodMs);
    timer->setMode(mode);
    fw::_RuntimeRun();
    timer->setMode(fw::Timer::ModeOff);
}

// Runs the loop until `done` holds or the bound has passed; false when it ran out.
bool runUntil(const std::function<bool()>& done, int boundMs) {
    Clock::time_point start = Clock::now();
    runWithTimer(1, fw::Timer::ModeMultiple, [&] { return done() || msSince(start) > boundMs; });
    return done();
}

// Runs the loop for the span, woken once at its end: a polling timer's wake-ups would count as
// the program's own work.
void runFor(int ms) {
    runWithTimer(ms, fw::Timer::ModeSingle, [] { return true; });
}

// Help > Show and Help > About..., chosen on the panel in this process: the time from the
// choice until the X server shows the Help window, and the resident memory with both open.
void measureHelpAndAbout(Display* d, ambrel::Window1& panel) {
    runUntil([&] { return findWindow(d, "Ambrel") != None; }, 5000);
    const long before = statusKiB(getpid(), "VmRSS");

    Clock::time_point chosen = Clock::now();
    fw::routeMenuCommand(&panel, *panel.HelpShow());
    const bool shown = runUntil([&] { return findWindow(d, "Help") != None; }, 10000);
    const double showMs = msSince(chosen);
    fw::routeMenuCommand(&panel, *panel.HelpAbout());
    runUntil([&] { return findWindow(d, "About...") != None; }, 10000);
    Clock::time_point settle = Clock::now();
    runUntil([&] { return msSince(settle) > 500; }, 1000);
    const long with = statusKiB(getpid(), "VmRSS");

    if (shown)
        std::printf("Help > Show to window shown:    %8.1f ms\n", showMs);
    else
        std::printf("Help > Show to window shown:        n/a (not shown within 10 s)\n");
    std::printf("resident memory, Help + About:  %8.1f MiB (%.1f MiB before they opened)\n",
                static_cast<double>(with) / 1024.0, static_cast<double>(before) / 1024.0);
}

// The resident memory before Help opens, after it has shown its marked text and closed again,
// and after a hundred more openings.
void measureHelpMemory(Display* d, ambrel::Window1& panel) {
    const auto openAndClose = [&] {
        fw::routeMenuCommand(&panel, *panel.HelpShow());
        runUntil([&] { return findWindow(d, "Help") != None; }, 10000);
        Clock::time_point shown = Clock::now();
        runUntil([&] { return msSince(shown) > 100; }, 1000); // painted, its words checked
        if (fw::Ref<fw::Window> help = fw::_GetImplicitWindow("Help.Help"))
            help->Close();
        runUntil([&] { return findWindow(d, "Help") == None; }, 10000);
    };
    const auto settledKiB = [&] {
        Clock::time_point settle = Clock::now();
        runUntil([&] { return msSince(settle) > 300; }, 1000);
        return statusKiB(getpid(), "VmRSS");
    };
    const long before = settledKiB();
    openAndClose();
    const long afterOne = settledKiB();
    for (int i = 0; i < 100; ++i)
        openAndClose();
    const long afterMore = settledKiB();
    std::printf("resident memory, Help closed:   %8.1f MiB (%.1f MiB before it opened, %+.0f KiB)\n",
                static_cast<double>(afterOne) / 1024.0, static_cast<double>(before) / 1024.0,
                static_cast<double>(afterOne - before));
    std::printf("growth over 100 more openings:  %+8.0f KiB\n", static_cast<double>(afterMore - afterOne));
}

// Print Help into a PDF file, the dialog answered at once: from the command to the job written.
void measurePrintHelp(const std::filesystem::path& folder) {
    const std::string file = (folder / "help.pdf").string();
    fw::setPrintDialogPresenter([&] { return fw::PrintDialogChoice{.confirmed = true, .outputFile = file}; });
    const int rounds = 20;
    double total = 0, worst = 0;
    for (int i = 0; i < rounds; ++i) {
        Clock::time_point t = Clock::now();
        ambrel::printHelp();
        double ms = msSince(t);
        total += ms;
        worst = std::max(worst, ms);
    }
    fw::setPrintDialogPresenter(nullptr);
    std::printf("print the help text into a PDF: %8.1f ms mean, %.1f ms worst of %d (%ld bytes)\n",
                total / rounds, worst, rounds, static_cast<long>(std::filesystem::file_size(file)));
}

// The X server's process: the Xvfb or Xorg whose arguments name the display, else the one
// started beside this process (tests/with-xvfb.sh has Xvfb choose a free display); -1: none.
pid_t serverPid() {
    const char* name = std::getenv("DISPLAY");
    const std::string display = name ? name : "";
    pid_t sibling = -1;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        std::ifstream in(entry.path() / "cmdline");
        std::vector<std::string> words;
        for (std::string word; std::getline(in, word, '\0');)
            words.push_back(word);
        if (words.empty())
            continue;
        const std::string program = std::filesystem::path(words[0]).filename();
        if (program != "Xvfb" && program != "Xorg")
            continue;
        const auto pid = static_cast<pid_t>(std::atol(entry.path().filename().c_str()));
        if (std::find(words.begin(), words.end(), display) != words.end())
            return pid;
        std::ifstream status(entry.path() / "status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("PPid:", 0) == 0 && std::atol(line.c_str() + 5) == getppid())
                sibling = pid;
    }
    return sibling;
}

// A client numbers its resources in the low bits, the server tells clients apart by the bits
// above: at least these are the client's (a server for 2,048 clients leaves it 18), and no
// client here numbers beyond them.
constexpr XID kIdsOfOneClient = 0x3FFFF;

// How the server knows the connection.
XID clientBase(Display* d) {
    return XAllocID(d) & ~kIdsOfOneClient;
}

// The replies the X server sends, counted through its RECORD extension, but those to the
// clients given: each reply is a round trip its client waited on.
class ReplyCounter {
  public:
    explicit ReplyCounter(std::vector<XID> ignored) : ignored_(std::move(ignored)) {
        control_ = XOpenDisplay(nullptr);
        data_ = XOpenDisplay(nullptr);
        int major = 0, minor = 0;
        if (!control_ || !data_ || !XRecordQueryVersion(control_, &major, &minor))
            return;
        ignored_.push_back(clientBase(control_));
        ignored_.push_back(clientBase(data_));
        XRecordRange* range = XRecordAllocRange();
        range->core_replies = {1, 127};
        range->ext_replies.ext_major = {128, 255};
        range->ext_replies.ext_minor = {0, 65535};
        XRecordClientSpec all = XRecordAllClients;
        context_ = XRecordCreateContext(control_, 0, &all, 1, &range, 1);
        XFree(range);
        XSync(control_, False);
        working_ = context_ && XRecordEnableContextAsync(data_, context_, &ReplyCounter::seen,
                                                         reinterpret_cast<XPointer>(this));
    }
    ~ReplyCounter() {
        if (context_) {
            XRecordDisableContext(control_, context_);
            XRecordFreeContext(control_, context_);
            XSync(control_, False);
        }
        if (data_)
            XCloseDisplay(data_);
        if (control_)
            XCloseDisplay(control_);
    }
    bool working() const { return working_; }
    // The replies sent so far, once the server has sent what it had.
    long count() {
        XSync(control_, False);
        XRecordProcessReplies(data_);
        return count_;
    }

  private:
    static void seen(XPointer self, XRecordInterceptData* data) {
        auto* counter = reinterpret_cast<ReplyCounter*>(self);
        if (data->category == XRecordFromServer &&
            std::find(counter->ignored_.begin(), counter->ignored_.end(), data->id_base) ==
                counter->ignored_.end())
            ++counter->count_;
        XRecordFreeData(data);
    }

    std::vector<XID> ignored_;
    Display* control_ = nullptr;
    Display* data_ = nullptr;
    XRecordContext context_ = 0;
    bool working_ = false;
    long count_ = 0;
};

XID clientOf(XID resource) {
    return resource & ~kIdsOfOneClient;
}

Window parentOf(Display* d, Window window) {
    Window root = None, parent = None, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(d, window, &root, &parent, &children, &count) && children)
        XFree(children);
    return parent;
}

// The user's window, made active as a user would, so that the poke's click takes the focus from it
// and hands it back.
void activate(Display* d, Window user, bool windowManager) {
    if (windowManager) {
        XEvent message{};
        message.xclient.type = ClientMessage;
        message.xclient.window = user;
        message.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
        message.xclient.format = 32;
        message.xclient.data.l[0] = 2;
        XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
                   &message);
    } else {
        XSetInputFocus(d, user, RevertToParent, CurrentTime);
    }
    XSync(d, False);
}

// The cost of a poke with the loop run after it, as the program runs it: the program's and the
// X server's CPU, and the round trips the program waited on.
void measurePokeCost(const char* label, ambrel::Window1& panel, std::vector<XID> others) {
    const pid_t server = serverPid();
    ReplyCounter replies(std::move(others));
    const int rounds = 100;
    std::vector<double> programMs, serverMs, trips;
    for (int i = 0; i < rounds; ++i) {
        runFor(50); // what the last poke left for the loop is done
        const long repliesBefore = replies.working() ? replies.count() : 0;
        const CpuUse programBefore = cpuUse(getpid()), serverBefore = cpuUse(server);
        ambrel::Module1::CountDown = 1;
        panel.Timer1_Action(panel.Timer1().get());
        // The poke started the count again: its next tick is no part of this poke.
        panel.Timer1()->setMode(fw::Timer::ModeOff);
        runFor(150); // the hand-back and the repaints it causes
        programMs.push_back((cpuUse(getpid()) - programBefore).seconds * 1000.0);
        serverMs.push_back((cpuUse(server) - serverBefore).seconds * 1000.0);
        if (replies.working())
            trips.push_back(static_cast<double>(replies.count() - repliesBefore));
    }
    const Spread program = spreadOf(programMs), x = spreadOf(serverMs), rt = spreadOf(trips);
    std::printf("%-32s%8.3f ms program (%.3f-%.3f) + %.3f ms X server (%.3f-%.3f), ", label, program.median,
                program.low, program.high, x.median, x.low, x.high);
    if (replies.working())
        std::printf("%.0f round trips (%.0f-%.0f)\n", rt.median, rt.low, rt.high);
    else
        std::printf("round trips n/a (no RECORD extension)\n");
}

// A poke without a window manager, then under openbox, with a window of the user's active.
void measurePokeUnderWindowManager(Display* d, ambrel::Window1& panel) {
    Window user = XCreateSimpleWindow(d, DefaultRootWindow(d), 400, 300, 200, 100, 0, 0, 0);
    XStoreName(d, user, "User");
    XMapWindow(d, user);
    XSync(d, False);
    runUntil([&] { return findWindow(d, "User") != None; }, 5000);
    const XID own = clientBase(d);
    activate(d, user, false);
    measurePokeCost("poke, no window manager:", panel, {own});

    pid_t wm = fork();
    if (wm == 0) {
        execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
        _exit(127);
    }
    const Window panelId = findWindow(d, "Ambrel");
    const auto framed = [&] { return parentOf(d, panelId) != DefaultRootWindow(d); };
    if (runUntil(framed, 10000)) {
        activate(d, user, true);
        runFor(300);
        measurePokeCost("poke under openbox:", panel, {own, clientOf(parentOf(d, panelId))});
    } else {
        std::printf("poke under openbox:                 n/a (openbox did not frame the panel)\n");
    }
    kill(wm, SIGTERM);
    waitpid(wm, nullptr, 0);
    XDestroyWindow(d, user);
    XSync(d, False);
}

// The panel's poke in this process, through the built module: the tick's work until the X server
// has taken the events, which is when its idle time resets.
void measurePoke(int argc, char** argv) {
    char pattern[] = "/tmp/ambrel-bench-XXXXXX";
    std::filesystem::path config = mkdtemp(pattern);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    fw::setApplicationSettings(ambrel::buildSettings());
    fw::RuntimeInit(argc, argv);
    ambrel::runClassSetupList();
    fw::_RuntimeInitExternalClasses();
    ambrel::_InitPluginEntrypoints();
    {
        fw::Ref<ambrel::Window1> panel = ::Window1();
        panel->Show();
        panel->ComboBox1()->setListIndex(1);
        panel->Pause()->setValue(false);
        const int rounds = 200;
        double total = 0, worst = 0;
        for (int i = 0; i < rounds; ++i) {
            ambrel::Module1::CountDown = 1;
            Clock::time_point t = Clock::now();
            panel->Timer1_Action(panel->Timer1().get());
            double ms = msSince(t);
            total += ms;
            worst = std::max(worst, ms);
        }
        std::printf("cost of one poke:               %8.3f ms mean, %.3f ms worst of %d\n", total / rounds,
                    worst, rounds);
        if (Display* d = XOpenDisplay(nullptr)) {
            measurePokeUnderWindowManager(d, *panel);
            ambrel::_NewAppInstance();
            ambrel::_ApplicationAddMenuHandlers();
            measureHelpMemory(d, *panel);
            measureHelpAndAbout(d, *panel);
            XCloseDisplay(d);
        }
        measurePrintHelp(config);
        panel->Close();
    }
    ambrel::runModuleExitList();
    fw::RuntimeExit();
    std::filesystem::remove_all(config);
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!mode.empty() && mode != "--long" && mode != "--start-up") {
        std::fprintf(stderr, "usage: %s [--long | --start-up]\n", argv[0]);
        return 2;
    }
    // The long run gives the memory figure: after the first minute, and after an hour.
    const Spans spans = mode == "--long" ? Spans{60, 3540} : Spans{30, 180};
    const std::filesystem::path program = fw::applicationFolder() / "ambrel";
    const std::filesystem::path bare =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "reference_window";
    if (mode.empty() || mode == "--start-up")
        measureStartupBesideBareWindow(program, bare, 20);
    if (mode == "--start-up")
        return 0;
    if (!measureRunningProgram(program, bare, spans))
        return 1;
    if (mode.empty())
        measurePoke(argc, argv);
    return 0;
}
