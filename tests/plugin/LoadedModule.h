// The built plug-in module, loaded as a host loads it.
#pragma once

#include "framework/PluginInterface.h"

#include <string>

class LoadedModule {
  public:
    enum class Copy { None, Fresh };

    // Copy::Fresh loads a copy from a folder of its own: a module loaded twice from one path is
    // one instance, and its statics would carry over from an earlier load.
    explicit LoadedModule(const std::string& path, Copy copy = Copy::None);
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    const std::string& error() const { return error_; }
    const std::string& path() const { return path_; }
    void* symbol(const char* name) const;
    using PluginMain = void (*)(REALresolver);
    // REALPluginMain; null when the module has none.
    PluginMain entry() const;

  private:
    std::string folder_;
    std::string path_;
    std::string error_;
    void* handle_ = nullptr;
};
