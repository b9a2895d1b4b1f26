#include "framework/FrameworkModule.h"

#include <map>
#include <set>

namespace fw::detail {

namespace {
// Told once: a part that cannot be loaded stays so for the run.
void reportOnce(const std::string& name, const ModuleProblem& problem) {
    static std::set<std::string> told;
    if (told.insert(name).second)
        reportModuleProblem(problem);
}
} // namespace

std::shared_ptr<Module> loadModule(const std::string& name, const char* entry, const void*& table) {
    static std::map<std::string, std::weak_ptr<Module>> loaded;
    table = nullptr;
    std::shared_ptr<Module> module = loaded[name].lock();
    void* function = module ? module->symbol(entry) : nullptr;
    if (!module) {
        ModuleLoad load = loadModuleFrom(moduleFolder(), name, entry);
        if (load.problem) {
            reportOnce(name, *load.problem);
            return nullptr;
        }
        module = std::move(load.module);
        function = load.entry;
        loaded[name] = module;
    } else if (!function) {
        reportOnce(name, noEntryPoint(moduleFolder() / (name + ".so"), entry));
        return nullptr;
    }
    using Entry = const void* (*)();
    table = reinterpret_cast<Entry>(function)();
    return module;
}

} // namespace fw::detail
