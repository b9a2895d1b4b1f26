// Measures printing a big help text in this process, on Qt's offscreen platform, into a PDF file,
// and prints the resident memory before 5 MB of text is pasted into the Help window, at the peak
// of printing it, and after the job and the Help window are gone.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/App.h"
#include "app/BuildSettings.h"
#include "app/Startup.h"
#include "framework/ApplicationSettings.h"
#include "framework/Runtime.h"
#include "framework/TestHooks.h"
#include "framework/Timer.h"
#include "help/Help.h"
#include "help/HelpPrinting.h"
#include "tests/support/Inspect.h"

namespace {

long statusKiB(const char* field) {
    std::ifstream in("/proc/self/status");
    const std::string prefix = std::string(field) + ":";
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0)
            return std::atol(line.c_str() + prefix.size());
    return -1;
}

// From here on VmHWM is the peak since now.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// About `bytes` of plain text, in lines of words as a pasted document has them.
std::string pastedText(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 100);
    for (int line = 1; text.size() < bytes; ++line) {
        text += "Line " + std::to_string(line) + ":";
        for (int word = 0; word < 10; ++word)
            text += " pasted" + std::to_string(word);
        text += "\r";
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    char pattern[] = "/tmp/ambrel-print-bench-XXXXXX";
    const std::filesystem::path folder = mkdtemp(pattern);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    fw::setApplicationSettings(ambrel::buildSettings());
    fw::RuntimeInit(argc, argv);
    ambrel::runClassSetupList();
    ambrel::_NewAppInstance();
    ambrel::_ApplicationAddMenuHandlers();
    fw::setMessagePresenter(
        [](const fw::String& m) { std::fprintf(stderr, "message box: %s\n", m.c_str()); });
    const std::string file = (folder / "help.pdf").string();
    fw::setPrintDialogPresenter([&] { return fw::PrintDialogChoice{.confirmed = true, .outputFile = file}; });

    // No dictionary: the spell checker's pass over the pasted text is its own figure, and it would
    // run in the loop while the print service is asked.
    fw::inspect::useSpellingLanguages({"none"});
    // Once with the help text itself, so that the printing code and its fonts are loaded before.
    ambrel::printHelp();
    const std::string text = pastedText(5u << 20);

    ::Help()->Show();
    resetPeak();
    const long before = statusKiB("VmRSS");
    ::Help()->TextArea1()->setText(text);
    const auto start = std::chrono::steady_clock::now();
    ambrel::printHelp();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // The closed window goes, and the heap is given back, once the loop runs again.
    fw::Ref<fw::Timer> settle = fw::make<fw::Timer>();
    fw::RuntimeAddEventHandler(*settle, fw::kTimerAction, fw::_EventStub(fw::kTimerAction),
                               fw::RuntimeCreateDelegate(
                                   [](fw::Object*, fw::Arguments) {
                                       fw::Quit(0);
                                       return fw::Value();
                                   },
                                   nullptr, "( Timer )", false));
    settle->setPeriod(500);
    settle->setMode(fw::Timer::ModeSingle);
    fw::_RuntimeRun();
    const long peak = statusKiB("VmHWM"), after = statusKiB("VmRSS");

    std::printf("printing 5 MB of pasted help text (%.1f MB of PDF in %.1f s):\n",
                std::filesystem::file_size(file) / 1048576.0, seconds);
    std::printf("  resident memory before the paste   %8.1f MB\n", before / 1024.0);
    std::printf("  resident memory at the peak        %8.1f MB\n", peak / 1024.0);
    std::printf("  resident memory after, Help closed %8.1f MB (%+.1f MB)\n", after / 1024.0,
                (after - before) / 1024.0);
    std::filesystem::remove_all(folder);
    return 0;
}
