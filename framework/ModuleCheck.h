// The check a plug-in module's file passes before it is loaded: loading a damaged shared object
// can crash inside the loader, or later, where nothing can catch it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace fw {

// Why the module must not be loaded, or nothing when it may. It may when its ELF headers, and what
// they point to, lie within the file, and the file's size and SHA-256 equal those recorded in its
// information list beside it (Tolvane.plist for Tolvane.so: ModuleFileSize, ModuleFileSHA256).
std::optional<std::string> moduleDamage(const std::filesystem::path& module);

} // namespace fw
