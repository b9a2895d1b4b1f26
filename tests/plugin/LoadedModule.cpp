#include "tests/plugin/LoadedModule.h"

#include <dlfcn.h>
#include <filesystem>
#include <stdlib.h>

LoadedModule::LoadedModule(const std::string& path, Copy copy) : path_(path) {
    if (copy == Copy::Fresh) {
        std::string folder = (std::filesystem::temp_directory_path() / "tolvane-XXXXXX").string();
        if (!mkdtemp(folder.data())) {
            error_ = "no temporary folder";
            return;
        }
        folder_ = folder;
        path_ = folder_ + "/Tolvane.so";
        std::error_code failed;
        std::filesystem::copy_file(path, path_, failed);
        if (failed) {
            error_ = "cannot copy " + path + ": " + failed.message();
            return;
        }
    }
    // Never unloaded, as by a host: the module has no unload step, and what it holds, such as its
    // display connection, must stay reachable.
    handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle_) {
        error_ = dlerror();
    }
}

LoadedModule::~LoadedModule() {
    if (handle_) {
        dlclose(handle_);
    }
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

void* LoadedModule::symbol(const char* name) const {
    return handle_ ? dlsym(handle_, name) : nullptr;
}

LoadedModule::PluginMain LoadedModule::entry() const {
    return reinterpret_cast<PluginMain>(symbol("REALPluginMain"));
}
