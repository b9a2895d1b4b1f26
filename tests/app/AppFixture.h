// What the program's suites share: the class set-up once, the recording plug-in bound once, and
// a preferences folder of the test's own.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "app/Window1.h"
#include "tests/support/EnvironmentGuard.h"

// Runs the class set-up list and binds the plug-in linked into the suite (over the recording
// input layer).
void setUpProgramOnce();

// A fresh preferences folder in XDG_CONFIG_HOME for the length of a test.
class PrefsFolder {
  public:
    PrefsFolder();
    ~PrefsFolder();
    std::filesystem::path file() const { return folder_ / "ambrel.txt"; }
    void write(const std::string& contents) const;
    std::string read() const;

  private:
    EnvironmentGuard environment_{{"XDG_CONFIG_HOME"}};
    std::filesystem::path folder_;
};

// Closes the panel if it is open; its Close saves the position and asks to quit.
void closePanel();
