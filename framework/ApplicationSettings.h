// What the program tells the framework of itself at start-up, from its own build settings: its
// name, version data and plug-ins. The framework has none of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fw {

struct ApplicationSettings {
    std::string name{}; // titles the message boxes and heads what is written to stderr
    int32_t majorVersion = 0;
    int32_t minorVersion = 0;
    int32_t bugVersion = 0;
    std::string shortVersion{};               // the version as numbers, "1.3.0"
    std::string longVersion{};                // the version text shown to the user
    std::vector<std::string> pluginModules{}; // loaded by name (Tolvane.so for Tolvane); nothing else is
    std::string pluginFolder{};               // the installed plug-in folder, relative to the executable's
    // The declaration strings the program binds ("TolvaneVrek.Press"): a plug-in class that lacks
    // one of its own is refused whole, rather than half working.
    std::vector<std::string> pluginDeclarations{};
};

// Handed over before RuntimeInit; the framework keeps its own copy.
void setApplicationSettings(ApplicationSettings settings);
const ApplicationSettings& applicationSettings();

} // namespace fw
