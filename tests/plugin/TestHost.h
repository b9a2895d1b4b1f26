// A host of the tests' own: a resolver that answers by name and records what the plug-in asks for
// and registers. One host is current at a time; the resolver and its entry points reach that one.
#pragma once

#include "framework/PluginInterface.h"

#include <cstdint>
#include <string>
#include <vector>

// Word i of a record, read the way a host reads it: one pointer-sized word after another.
uintptr_t word(const void* record, int i);
void setWord(void* record, int i, uintptr_t value);

// The function a class definition lists under this declaration; null when none does.
REALproc methodByDeclaration(const REALclassDefinition* definition, const std::string& declaration);

struct HostEntries {
    bool registerPluginVersion = true;
    bool pluginRegisterClass = true;
};

class TestHost {
  public:
    explicit TestHost(HostEntries entries = {});
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    static void* resolve(const char* name);

    struct Call {
        std::string entry;
        intptr_t version = 0;                      // RegisterPluginVersion's argument
        REALclassDefinition* definition = nullptr; // PluginRegisterClass's argument
        uintptr_t sizeWord = 0;                    // word 3 of the definition when it was registered
        uintptr_t offsetWord = 0;                  // word 4 of the definition when it was registered
    };

    // The last definition registered; null when none was.
    REALclassDefinition* registered() const;

    HostEntries entries;
    std::vector<std::string> asked; // names the resolver was asked for, in order
    std::vector<Call> calls;        // entry points called, in order

  private:
    static intptr_t registerPluginVersion(intptr_t version);
    static intptr_t pluginRegisterClass(REALclassDefinition* definition);
};
