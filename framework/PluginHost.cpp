#include "framework/PluginHost.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "framework/ApplicationSettings.h"
#include "framework/ModuleCheck.h"
#include "framework/Runtime.h"
#include "framework/qt/Digest.h"

namespace fw {

namespace {

struct Registry {
    std::map<std::string, void*> entries; // declaration string, byte for byte, to function
    std::vector<PluginProblem> problems;
    std::vector<std::unique_ptr<void*[]>> tables;
    std::vector<void*> modules; // dlopen handles, kept for the life of the process
};

Registry& registry() {
    static Registry r;
    return r;
}

void note(PluginProblem problem) {
    registry().problems.push_back(std::move(problem));
}

void note(const std::string& reason, const std::string& details) {
    note(PluginProblem{reason, reason + ": " + details + "."});
}

intptr_t registerPluginVersion(intptr_t) {
    // Every record version this host reads is accepted; the records carry their own layout.
    return 0;
}

intptr_t registerPluginClass(REALclassDefinition* definition) {
    if (!definition || !definition->name)
        return 0;
    definition->dataOffset = kPluginDataOffset;
    std::string prefix = std::string(definition->name) + ".";
    Registry& r = registry();
    r.entries[prefix + "__init"] = reinterpret_cast<void*>(definition->constructor);
    r.entries[prefix + "__exit"] = reinterpret_cast<void*>(definition->destructor);
    for (intptr_t i = 0; i < definition->methodCount; ++i) {
        const REALmethodDefinition& m = definition->methods[i];
        if (m.declaration && m.function)
            r.entries[prefix + m.declaration] = reinterpret_cast<void*>(m.function);
    }
    return 1;
}

// The framework's own global functions, reachable by declaration string like a plug-in's.
String frameworkMD5(const String& data) {
    return String(detail::md5Bytes(data.bytes()), Encoding::Bytes);
}

String frameworkEncodeBase64(const String& data, int32_t lineWrap) {
    std::string encoded = detail::base64(data.bytes());
    if (lineWrap <= 0)
        return String(encoded);
    std::string wrapped;
    for (std::size_t i = 0; i < encoded.size(); i += static_cast<std::size_t>(lineWrap)) {
        if (i)
            wrapped += "\r\n";
        wrapped += encoded.substr(i, static_cast<std::size_t>(lineWrap));
    }
    return String(wrapped);
}

const std::map<std::string, void*>& frameworkEntries() {
    static const std::map<std::string, void*> entries = {
        {"MD5(data As String) As String", reinterpret_cast<void*>(&frameworkMD5)},
        {"EncodeBase64(data As String, lineWrap As Integer = 76) As String",
         reinterpret_cast<void*>(&frameworkEncodeBase64)},
    };
    return entries;
}

// What a slot holds when nothing registered its declaration: any call through it is harmless.
extern "C" void missingEntrypoint() {}

} // namespace

void* hostResolver(const char* entryName) {
    if (!entryName)
        return nullptr;
    std::string_view name(entryName);
    if (name == "RegisterPluginVersion")
        return reinterpret_cast<void*>(&registerPluginVersion);
    if (name == "PluginRegisterClass")
        return reinterpret_cast<void*>(&registerPluginClass);
    return nullptr;
}

bool loadPluginModule(const std::filesystem::path& module) {
    const std::string name = module.filename().string();
    // A damaged module is treated as a missing one: nothing of it is loaded.
    if (std::optional<ModuleProblem> damage = moduleDamage(module)) {
        note(std::move(*damage));
        return false;
    }
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        note(name + " cannot be loaded", module.string() + ": " + (why ? why : "unknown error"));
        return false;
    }
    auto main = reinterpret_cast<void (*)(REALresolver)>(dlsym(handle, "REALPluginMain"));
    if (!main) {
        note(name + " is no plug-in", module.string() + " has no entry point REALPluginMain");
        dlclose(handle);
        return false;
    }
    registry().modules.push_back(handle);
    main(&hostResolver);
    return true;
}

std::filesystem::path applicationFolder() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe.parent_path();
}

// An installed program's modules sit in a library folder of their own, found relative to the
// executable so that a moved install still finds them; in the build tree they sit beside it.
std::filesystem::path moduleFolder() {
    std::filesystem::path folder = applicationFolder();
    if (folder.empty())
        return folder;
    std::error_code error;
    std::filesystem::path installed = (folder / applicationSettings().pluginFolder).lexically_normal();
    return std::filesystem::is_directory(installed, error) ? installed : folder;
}

void loadPluginsFrom(const std::filesystem::path& folder) {
    for (const std::string& plugin : applicationSettings().pluginModules) {
        const std::string name = plugin + ".so";
        // A relative path would let the dynamic loader search its own paths.
        if (folder.is_absolute())
            loadPluginModule(folder / name);
        else
            note(name + " is missing", "the folder it should lie in is unknown");
    }
}

void loadInstalledPlugins() {
    // Only the application's own folders: never the current folder or a path from the environment.
    loadPluginsFrom(moduleFolder());
}

void** RuntimeAllocatePluginEntrypointsTable(int32_t slotCount) {
    Registry& r = registry();
    r.tables.push_back(std::make_unique<void*[]>(static_cast<std::size_t>(slotCount > 0 ? slotCount : 0)));
    return r.tables.back().get();
}

void* RuntimeLookupPluginEntrypoint(const String& declaration) {
    const std::string& key = declaration.bytes();
    if (auto it = frameworkEntries().find(key); it != frameworkEntries().end())
        return it->second;
    Registry& r = registry();
    if (auto it = r.entries.find(key); it != r.entries.end() && it->second)
        return it->second;
    note(PluginProblem{"it lacks " + key, "No plug-in registered \"" + key + "\"."});
    return reinterpret_cast<void*>(&missingEntrypoint);
}

const std::vector<PluginProblem>& pluginProblems() {
    return registry().problems;
}
void clearPluginProblems() {
    registry().problems.clear();
}

void RuntimeLockObject(Object* object) {
    if (object)
        object->retain();
}

void RuntimeUnlockObject(Object* object) {
    if (object)
        object->release();
}

namespace {
unsigned char* field(Object* object, int32_t offset) {
    if (!object)
        throw NilObjectException();
    return reinterpret_cast<unsigned char*>(object) + offset;
}
} // namespace

bool boolGetter(Object* object, int32_t offset) {
    return *field(object, offset) != 0;
}
void boolSetter(Object* object, int32_t offset, bool value) {
    *field(object, offset) = value ? 1 : 0;
}

int32_t intGetter(Object* object, int32_t offset) {
    int32_t value;
    std::memcpy(&value, field(object, offset), sizeof value);
    return value;
}

void intSetter(Object* object, int32_t offset, int32_t value) {
    std::memcpy(field(object, offset), &value, sizeof value);
}

} // namespace fw
