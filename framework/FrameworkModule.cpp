#include "framework/FrameworkModule.h"

#include <dlfcn.h>

#include <cstdio>
#include <map>
#include <set>

#include "framework/ApplicationSettings.h"
#include "framework/PluginHost.h"

namespace fw {

FrameworkModule::~FrameworkModule() {
    dlclose(handle_);
}

void* FrameworkModule::symbol(const char* name) const {
    return dlsym(handle_, name);
}

namespace detail {

namespace {
// Told once: a part that is missing stays missing for the run.
void report(const std::string& name, const std::string& why) {
    static std::set<std::string> told;
    if (!told.insert(name).second)
        return;
    const std::string& program = applicationSettings().name;
    std::fprintf(stderr, "%s%s%s.so cannot be loaded: %s\n", program.c_str(), program.empty() ? "" : ": ",
                 name.c_str(), why.c_str());
}
} // namespace

std::shared_ptr<FrameworkModule> loadModule(const std::string& name, const char* entry, const void*& table) {
    static std::map<std::string, std::weak_ptr<FrameworkModule>> loaded;
    table = nullptr;
    std::shared_ptr<FrameworkModule> module = loaded[name].lock();
    if (!module) {
        const std::filesystem::path folder = moduleFolder();
        // A relative path would let the dynamic loader search its own paths.
        if (!folder.is_absolute()) {
            report(name, "the folder it should lie in is unknown");
            return nullptr;
        }
        const std::filesystem::path file = folder / (name + ".so");
        void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* why = dlerror();
            report(name, why ? why : file.string());
            return nullptr;
        }
        module = std::make_shared<FrameworkModule>(handle);
        loaded[name] = module;
    }
    using Entry = const void* (*)();
    auto function = reinterpret_cast<Entry>(module->symbol(entry));
    if (!function) {
        report(name, std::string("it has no entry point ") + entry);
        return nullptr;
    }
    table = function();
    return module;
}

} // namespace detail

} // namespace fw
