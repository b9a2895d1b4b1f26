// Measures the running application on the current X display and prints the figures:
//   start-up to panel shown, resident memory after start, CPU used per hour of counting,
//   the drift of the 60th tick from 60 s (from the moment counting starts to the poke), the
//   cost of one poke (the tick's work until the X server's idle time is reset), the time from
//   Help > Show to the Help window shown, the resident memory with it and the About box open, and
//   the time to print the help text into a PDF file.
// The first four come from the real program, started as its own process and driven like a user
// would; the others from the program run in this process through the built plug-in.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

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
#include "app/Module1.h"
#include "app/Startup.h"
#include "app/TolvaneVrek.h"
#include "app/Window1.h"
#include "framework/PluginHost.h"
#include "framework/Printing.h"
#include "framework/Runtime.h"
#include "framework/Timer.h"
#include "help/HelpPrinting.h"

// Last: Xlib's macros would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/scrnsaver.h>
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

unsigned long idleMs(Display* d) {
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    unsigned long idle = XScreenSaverQueryInfo(d, DefaultRootWindow(d), info) ? info->idle : 0;
    XFree(info);
    return idle;
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

// The real program: start-up, memory, CPU while counting, and when its poke comes.
bool measureRunningProgram(const std::filesystem::path& program) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "no X display\n");
        return false;
    }
    char pattern[] = "/tmp/ambrel-bench-XXXXXX";
    std::filesystem::path config = mkdtemp(pattern);
    const int top = 100, left = 100;
    std::ofstream(config / "ambrel.txt") << "#Window1Position " << top << "," << left << "\n";

    Clock::time_point launched = Clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    while (findWindow(d, "Ambrel") == None && msSince(launched) < 20000)
        pause(1);
    double startupMs = msSince(launched);
    pause(500); // let it settle before reading its memory
    long rssKiB = statusKiB(pid, "VmRSS");

    // Untick Pause, then choose "       1 min", as a user would: the count starts at the choice.
    clickAt(d, left + 8 + 8, top + 1 + 10);
    pause(200);
    clickAt(d, left + 20 + 60, top + 40 + 10);
    pause(300);
    tap(d, XK_Down);
    tap(d, XK_Return);
    Clock::time_point counting = Clock::now();
    double cpuAtStart = cpuSeconds(pid);

    // The poke is the first reset of the idle time after a quiet spell.
    double pokeAfterMs = -1;
    bool quiet = false;
    while (msSince(counting) < 75000) {
        unsigned long idle = idleMs(d);
        if (idle > 2000)
            quiet = true;
        if (quiet && idle < 50) {
            pokeAfterMs = msSince(counting) - static_cast<double>(idle);
            break;
        }
        pause(2);
    }
    double cpuUsed = cpuSeconds(pid) - cpuAtStart;
    double countedSeconds = msSince(counting) / 1000.0;

    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(d);
    std::filesystem::remove_all(config);

    std::printf("start-up to panel shown:        %8.1f ms\n", startupMs);
    std::printf("resident memory after start:    %8.1f MiB\n", static_cast<double>(rssKiB) / 1024.0);
    std::printf("CPU per hour of counting:       %8.3f s (%.3f s over %.1f s)\n",
                cpuUsed * 3600.0 / countedSeconds, cpuUsed, countedSeconds);
    if (pokeAfterMs < 0)
        std::printf("drift of the 60th tick:             n/a (no poke seen within 75 s)\n");
    else
        std::printf("drift of the 60th tick:         %+8.1f ms (poke %.1f ms after counting began)\n",
                    pokeAfterMs - 60000.0, pokeAfterMs);
    return true;
}

// Runs the loop until `done` holds or the bound has passed; false when it ran out.
bool runUntil(const std::function<bool()>& done, int boundMs) {
    Clock::time_point start = Clock::now();
    fw::Ref<fw::Timer> poll = fw::make<fw::Timer>();
    fw::RuntimeAddEventHandler(*poll, fw::kTimerAction, fw::_EventStub(fw::kTimerAction),
                               fw::RuntimeCreateDelegate(
                                   [&](fw::Object*, fw::Arguments) {
                                       if (done() || msSince(start) > boundMs)
                                           fw::Quit(0);
                                       return fw::Value();
                                   },
                                   nullptr, "( Timer )", false));
    poll->setPeriod(1);
    poll->setMode(fw::Timer::ModeMultiple);
    fw::_RuntimeRun();
    poll->setMode(fw::Timer::ModeOff);
    return done();
}

// Help > Show and Help > About..., chosen on the panel in this process: the time from the
// choice until the X server shows the Help window, and the resident memory with both open.
void measureHelpAndAbout(Display* d, ambrel::Window1& panel) {
    ambrel::_NewAppInstance();
    ambrel::_ApplicationAddMenuHandlers();
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

// The panel's poke in this process, through the built module: the tick's work until the X server
// has taken the events, which is when its idle time resets.
void measurePoke(int argc, char** argv) {
    char pattern[] = "/tmp/ambrel-bench-XXXXXX";
    std::filesystem::path config = mkdtemp(pattern);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
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
    std::filesystem::path program = fw::applicationFolder() / "ambrel";
    if (!measureRunningProgram(program))
        return 1;
    measurePoke(argc, argv);
    return 0;
}
