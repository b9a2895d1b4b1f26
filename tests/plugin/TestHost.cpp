#include "tests/plugin/TestHost.h"

#include <cstring>

namespace {
TestHost* gCurrent = nullptr;
}

uintptr_t word(const void* record, int i) {
    uintptr_t value;
    std::memcpy(&value, static_cast<const unsigned char*>(record) + i * sizeof value, sizeof value);
    return value;
}

void setWord(void* record, int i, uintptr_t value) {
    std::memcpy(static_cast<unsigned char*>(record) + i * sizeof value, &value, sizeof value);
}

REALproc methodByDeclaration(const REALclassDefinition* definition, const std::string& declaration) {
    const auto* methods = reinterpret_cast<const unsigned char*>(word(definition, 9));
    for (uintptr_t i = 0; i < word(definition, 10); ++i) {
        const unsigned char* method = methods + i * 4 * sizeof(uintptr_t);
        if (declaration == reinterpret_cast<const char*>(word(method, 2))) {
            return reinterpret_cast<REALproc>(word(method, 0));
        }
    }
    return nullptr;
}

TestHost::TestHost(HostEntries entries) : entries(entries) {
    gCurrent = this;
}

TestHost::~TestHost() {
    gCurrent = nullptr;
}

void* TestHost::resolve(const char* name) {
    if (!gCurrent) {
        return nullptr;
    }
    gCurrent->asked.emplace_back(name);
    if (gCurrent->entries.registerPluginVersion && std::strcmp(name, "RegisterPluginVersion") == 0) {
        return reinterpret_cast<void*>(&registerPluginVersion);
    }
    if (gCurrent->entries.pluginRegisterClass && std::strcmp(name, "PluginRegisterClass") == 0) {
        return reinterpret_cast<void*>(&pluginRegisterClass);
    }
    return nullptr;
}

REALclassDefinition* TestHost::registered() const {
    for (auto call = calls.rbegin(); call != calls.rend(); ++call) {
        if (call->definition) {
            return call->definition;
        }
    }
    return nullptr;
}

intptr_t TestHost::registerPluginVersion(intptr_t version) {
    if (gCurrent) {
        gCurrent->calls.push_back({"RegisterPluginVersion", version, nullptr, 0, 0});
    }
    return 0;
}

intptr_t TestHost::pluginRegisterClass(REALclassDefinition* definition) {
    // A plug-in keeps this address once found, so calls reach whichever host is current.
    if (gCurrent) {
        gCurrent->calls.push_back(
            {"PluginRegisterClass", 0, definition, word(definition, 3), word(definition, 4)});
    }
    return 1;
}
