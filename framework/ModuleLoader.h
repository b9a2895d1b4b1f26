// The one loader of the application's modules, its plug-ins and the framework's own: one folder
// rule, one check of each file against its record, and one shape for what keeps a module from
// loading (ModuleProblem). The file is checked and loaded through one open descriptor, so that
// nothing renamed over its path in between can be loaded in its place.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "framework/Files.h"
#include "framework/ModuleCheck.h"

namespace fw {

// One loaded module; unloaded when the last holder lets go, unless it is kept.
class Module {
  public:
    Module(void* handle, FileDescriptor file, dev_t device, ino_t inode);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    void* symbol(const char* name) const;
    // Loaded for the life of the process: letting go of it unloads nothing.
    void keep() { kept_ = true; }

  private:
    void* handle_;
    // The descriptor the dynamic loader knows the module by; held while the module is loaded, so
    // that no other file takes its number, and with it its name.
    FileDescriptor file_;
    dev_t device_;
    ino_t inode_;
    bool kept_ = false;
};

// The folder the running executable lives in.
std::filesystem::path applicationFolder();
// The folder of the application's modules, its plug-ins and the framework's own: the installed
// library folder relative to the executable when there is one, else the executable's own folder.
std::filesystem::path moduleFolder();

// A loaded module and its entry point, or why there is none.
struct ModuleLoad {
    std::shared_ptr<Module> module;
    void* entry = nullptr;
    std::optional<ModuleProblem> problem;
};
// Loads the file when it passes its check (checkModule) and exports `entry`.
ModuleLoad loadModuleFile(const std::filesystem::path& file, const char* entry);
// Loads the module of that name ("Tolvane" for Tolvane.so) from the folder, as above.
ModuleLoad loadModuleFrom(const std::filesystem::path& folder, const std::string& name, const char* entry);

// The problem of a module file that lacks the entry point.
ModuleProblem noEntryPoint(const std::filesystem::path& file, const char* entry);

// What keeps a module from loading, on the error output under the program's name.
void reportModuleProblem(const ModuleProblem& problem);

} // namespace fw
