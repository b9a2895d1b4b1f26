// The modules the build makes, the plug-in and the framework's own, and copies of them in a
// test's own folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "tests/plugin/ElfFile.h"
#include "tests/support/FileContents.h"

struct BuiltModule {
    const char* name; // "Tolvane" for Tolvane.so
    const char* entry;
};

inline constexpr BuiltModule kBuiltModules[] = {
    {"Tolvane", "REALPluginMain"},
    {"framework-printing", "fwPrintingCalls"},
    {"framework-network", "fwNetworkCalls"},
    {"framework-spelling", "fwSpellingCalls"},
};

inline const BuiltModule& builtModule(std::string_view name) {
    for (const BuiltModule& module : kBuiltModules)
        if (name == module.name)
            return module;
    throw std::out_of_range(std::string(name) + " is no module the build makes");
}

enum class Copied { AsBuilt, EntryPointChanged };

// The module of the build folder `from` copied into the folder (made when missing), beside a copy
// of the record the build wrote; as built, or with an undefined instruction where its entry point
// begins. False when the copy cannot be made.
inline bool copyBuiltModule(const std::filesystem::path& from, const BuiltModule& module,
                            const std::filesystem::path& folder, Copied copied = Copied::AsBuilt) {
    namespace fs = std::filesystem;
    const std::string file = std::string(module.name) + ".so", record = std::string(module.name) + ".plist";
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::copy_file(from / record, folder / record, error))
        return false;
    if (copied == Copied::AsBuilt)
        return fs::copy_file(from / file, folder / file, error);
    const std::optional<std::string> changed = withEntryPointChanged((from / file).string(), module.entry);
    return changed && (std::ofstream(folder / file, std::ios::binary) << *changed);
}

// The module is mapped into this process.
inline bool mappedHere(const std::filesystem::path& module) {
    return contentsOf("/proc/self/maps").find(module.string()) != std::string::npos;
}
