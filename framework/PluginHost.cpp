#include "framework/PluginHost.h"

#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "framework/ApplicationSettings.h"
#include "framework/PluginDeclaration.h"
#include "framework/Runtime.h"
#include "framework/TestHooks.h"
#include "framework/qt/Digest.h"

namespace fw {

namespace {

struct Registry {
    std::map<std::string, void*> entries; // declaration string, byte for byte, to function
    std::vector<PluginProblem> problems;
    std::vector<std::unique_ptr<void*[]>> tables;
    std::vector<std::shared_ptr<Module>> modules; // kept for the life of the process
    std::set<std::string> refusedClasses;
};

Registry& registry() {
    static Registry r;
    return r;
}

void note(PluginProblem problem) {
    registry().problems.push_back(std::move(problem));
}

// The bytes a property of that type takes in the instance data; 0 for a type the host does not
// read or write.
intptr_t propertyBytes(const char* type) {
    const std::string_view name = type ? type : "";
    return name == "Boolean" ? 1 : name == "integer" ? 4 : 0;
}

// What the class offers, by the full declaration string ("TolvaneVrek.Clear"): its constructor and
// destructor as "__init" and "__exit", and every method that names a function.
std::map<std::string, void*> offeredEntries(const REALclassDefinition& definition) {
    const std::string prefix = std::string(definition.name) + ".";
    std::map<std::string, void*> entries;
    if (definition.constructor)
        entries[prefix + "__init"] = reinterpret_cast<void*>(definition.constructor);
    if (definition.destructor)
        entries[prefix + "__exit"] = reinterpret_cast<void*>(definition.destructor);
    for (intptr_t i = 0; i < definition.methodCount; ++i) {
        const REALmethodDefinition& m = definition.methods[i];
        if (m.declaration && m.function)
            entries[prefix + m.declaration] = reinterpret_cast<void*>(m.function);
    }
    return entries;
}

// Why the host will not take the class, checked before any of it is used: a size or an offset it
// trusted would have objects written past their end.
std::optional<PluginProblem> refusal(const REALclassDefinition& definition) {
    const std::string name = definition.name;
    auto refused = [&name](const std::string& reason, const std::string& details) {
        return moduleProblem(name + " " + reason, details);
    };
    if (definition.version != kPluginRecordVersion)
        return refused("has a class record of version " + std::to_string(definition.version),
                       "this host reads version " + std::to_string(kPluginRecordVersion) + " only");
    if (definition.dataSize < 0 || definition.dataSize > kPluginDataRoom)
        return refused("declares " + std::to_string(definition.dataSize) + " bytes of instance data",
                       "an object has room for " + std::to_string(kPluginDataRoom));
    if (definition.propertyCount < 0 || (definition.propertyCount > 0 && !definition.properties) ||
        definition.methodCount < 0 || (definition.methodCount > 0 && !definition.methods))
        return refused("has a broken property or method table",
                       std::to_string(definition.propertyCount) + " properties, " +
                           std::to_string(definition.methodCount) + " methods");
    for (intptr_t i = 0; i < definition.propertyCount; ++i) {
        const REALproperty& p = definition.properties[i];
        const std::string property = p.name ? p.name : "#" + std::to_string(i);
        const intptr_t bytes = propertyBytes(p.type);
        if (!bytes)
            return refused("declares its property " + property + " of an unknown type",
                           std::string("\"") + (p.type ? p.type : "") + "\"");
        if (p.dataOffset < 0 || p.dataOffset > definition.dataSize - bytes)
            return refused("places its property " + property + " outside its instance data",
                           std::to_string(bytes) + " bytes at offset " + std::to_string(p.dataOffset) +
                               " of " + std::to_string(definition.dataSize));
    }
    const std::string prefix = name + ".";
    const std::map<std::string, void*> offered = offeredEntries(definition);
    for (const std::string& bound : applicationSettings().pluginDeclarations) {
        if (bound.starts_with(prefix) && !offered.count(bound))
            return refused("lacks " + bound.substr(prefix.size()),
                           "the program calls it as \"" + bound + "\"");
    }
    return std::nullopt;
}

intptr_t registerPluginVersion(intptr_t) {
    // The version that counts is the one in each class record, checked at its registration.
    return 0;
}

intptr_t registerPluginClass(REALclassDefinition* definition) {
    if (!definition || !definition->name)
        return 0;
    if (std::optional<PluginProblem> problem = refusal(*definition)) {
        registry().refusedClasses.insert(definition->name);
        note(std::move(*problem));
        return 0;
    }
    definition->dataOffset = kPluginDataOffset;
    Registry& r = registry();
    r.refusedClasses.erase(definition->name);
    for (auto& [declaration, function] : offeredEntries(*definition))
        r.entries[declaration] = function;
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

namespace {
// Starts a loaded plug-in: REALPluginMain with the host's resolver.
bool start(ModuleLoad load) {
    // A damaged module is treated as a missing one: nothing of it is loaded.
    if (load.problem) {
        note(std::move(*load.problem));
        return false;
    }
    load.module->keep();
    registry().modules.push_back(std::move(load.module));
    reinterpret_cast<void (*)(REALresolver)>(load.entry)(&hostResolver);
    return true;
}
constexpr const char* kPluginEntry = "REALPluginMain";
} // namespace

bool loadPluginModule(const std::filesystem::path& module) {
    return start(loadModuleFile(module, kPluginEntry));
}

void loadPluginsFrom(const std::filesystem::path& folder) {
    for (const std::string& plugin : applicationSettings().pluginModules)
        start(loadModuleFrom(folder, plugin, kPluginEntry));
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
    // A refused class has been named already; its methods are missing as a whole.
    if (!r.refusedClasses.count(key.substr(0, key.find('.'))))
        note(PluginProblem{"it lacks " + key, "No plug-in registered \"" + key + "\"."});
    return missingPluginFunctionFor(key);
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
