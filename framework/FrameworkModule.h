// The parts of the framework that need libraries the panel does not (printing, the HTTP client's
// connection, spell checking) are modules of their own, loaded when first used: start-up loads
// none of those libraries, and a part no longer used can let go of them.
#pragma once

#include <memory>
#include <string>

#include "framework/ModuleLoader.h"

namespace fw {

// A module's table of calls, held with the module that it lies in.
template <class Calls> struct ModuleCalls {
    std::shared_ptr<Module> module;
    const Calls* calls = nullptr;
    explicit operator bool() const { return calls != nullptr; }
    const Calls* operator->() const { return calls; }
};

namespace detail {
// The module ("framework-spelling" for framework-spelling.so in the application's module folder),
// loaded unless it is loaded already, and what its entry point returns; null and a line on the
// error output, once for each module, when the module is missing, fails its check (a damaged one
// is never loaded) or lacks the entry point.
std::shared_ptr<Module> loadModule(const std::string& name, const char* entry, const void*& table);
} // namespace detail

// The calls of the module, which its one entry point `entry` (a function taking nothing and
// returning a pointer to its table) hands over; empty when the module cannot be loaded, and the
// part it carries is then not available.
template <class Calls> ModuleCalls<Calls> loadModuleCalls(const std::string& name, const char* entry) {
    const void* table = nullptr;
    std::shared_ptr<Module> module = detail::loadModule(name, entry, table);
    return {std::move(module), static_cast<const Calls*>(table)};
}

// The calls of a module loaded on the first call and kept until the process ends: the toolkit's
// libraries it brings are not made to be unloaded, and unloaded at exit, what they keep would only
// turn into leaks. Null, for good, when it cannot be loaded.
template <class Calls> const Calls* keptModuleCalls(const std::string& name, const char* entry) {
    static const auto* kept = new ModuleCalls<Calls>(loadModuleCalls<Calls>(name, entry));
    return kept->calls;
}

} // namespace fw
