// The check every module file (a plug-in, a framework module) passes before it is loaded: loading a
// damaged shared object can crash inside the loader, or later, where nothing can catch it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "framework/Files.h"

namespace fw {

// Why a module is not loaded: in a few words for the user ("Tolvane.so is damaged"), and in full
// for the error output.
struct ModuleProblem {
    std::string reason;
    std::string details;
};
// The problem of that reason, with the reason leading its details too.
ModuleProblem moduleProblem(const std::string& reason, const std::string& details);

// The module checked through one descriptor, which is kept open when it passes: loading from that
// descriptor loads the very bytes that were checked, whatever is renamed over the path. The
// problem says why the module must not be loaded, or nothing when it may. It may when its
// information list beside it (Tolvane.plist for Tolvane.so) is a regular file of at most 64 KiB
// holding a well-formed property list, the module is a regular file of the size and SHA-256
// recorded there (ModuleFileSize, ModuleFileSHA256), and its ELF headers, and what they point to,
// lie within it.
struct CheckedModule {
    FileDescriptor file; // open only when there is no problem
    std::optional<ModuleProblem> problem;
};
CheckedModule checkModule(const std::filesystem::path& module);

} // namespace fw
