// The built program run as a user runs it: its own process, its own environment and arguments, its
// error output and exit status read back, and its windows looked for on the X server.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

struct Exit {
    bool exited = false; // ended by itself rather than by a signal
    int status = -1;     // its exit status when it exited, else the signal
    bool cored = false;
};

class ProgramRun {
  public:
    // Starts the program with these arguments after its name; an environment value of nullopt
    // removes the variable. Error output is collected.
    ProgramRun(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::map<std::string, std::optional<std::string>>& environment);
    ~ProgramRun(); // kills it when it still runs
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    pid_t pid() const { return pid_; }
    void signal(int number) const;
    // How it ended; nothing when it still runs at the bound.
    std::optional<Exit> wait(std::chrono::milliseconds bound);
    // Its error output up to now.
    std::string errors();

  private:
    void drain();
    pid_t pid_ = -1;
    int errorPipe_ = -1;
    std::string errors_;
    std::optional<Exit> exit_;
};

// Sends the program SIGTERM: success when it then exits by itself, with status 0, within the bound;
// else how it ended, or that it still runs, and its error output.
testing::AssertionResult quitsOnTermination(ProgramRun& run, std::chrono::milliseconds bound);

// A display number no X server uses on this machine.
std::string unusedDisplay();

struct ShownWindow {
    unsigned long id;
    bool dialog; // a box or dialog, as the window tells the window manager
    int width;
};
// The viewable windows titled `title` on the display DISPLAY names.
std::vector<ShownWindow> shownWindows(const std::string& title);
// The program's panel is on the display; one of its boxes (the start-up box) is.
bool panelShown();
bool boxShown();
// Asks the window to close, as its close button does.
void closeWindow(unsigned long id);
