// The built module's loading and registration, through a resolver of the test's own. Each test
// loads a fresh copy, since the module's statics are written once per load.
#include "tests/plugin/LoadedModule.h"
#include "tests/plugin/TestHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using Names = std::vector<std::string>;

class Loading : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(module.loaded()) << module.error();
        ASSERT_NE(module.entry(), nullptr);
    }
    LoadedModule module{TOLVANE_MODULE, LoadedModule::Copy::Fresh};
};

TEST_F(Loading, TellsTheVersionFirstThenRegistersTheClassOnce) {
    TestHost host;
    module.entry()(&TestHost::resolve);
    EXPECT_EQ(host.asked, (Names{"RegisterPluginVersion", "PluginRegisterClass"}));
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[0].entry, "RegisterPluginVersion");
    EXPECT_EQ(host.calls[0].version, 9);
    EXPECT_EQ(host.calls[1].entry, "PluginRegisterClass");
    EXPECT_EQ(host.calls[1].sizeWord, 32u);
    EXPECT_EQ(host.calls[1].offsetWord, 0u);
}

TEST_F(Loading, RegistersNothingWithoutPluginRegisterClassAndAsksAgainNextTime) {
    {
        TestHost host({.registerPluginVersion = true, .pluginRegisterClass = false});
        module.entry()(&TestHost::resolve);
        EXPECT_EQ(host.asked, (Names{"RegisterPluginVersion", "PluginRegisterClass"}));
        EXPECT_EQ(host.registered(), nullptr);
        // Asked again on the next registration, still without an answer.
        module.entry()(&TestHost::resolve);
        EXPECT_EQ(host.asked.size(), 4u);
        EXPECT_EQ(host.asked.back(), "PluginRegisterClass");
        EXPECT_EQ(host.registered(), nullptr);
    }
    TestHost host;
    module.entry()(&TestHost::resolve);
    EXPECT_EQ(host.asked.back(), "PluginRegisterClass");
    EXPECT_NE(host.registered(), nullptr) << "found once the host has it";
}

TEST_F(Loading, SurvivesAHostWithoutRegisterPluginVersion) {
    TestHost host({.registerPluginVersion = false, .pluginRegisterClass = true});
    module.entry()(&TestHost::resolve);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].entry, "PluginRegisterClass");
}

TEST_F(Loading, SurvivesANullResolver) {
    module.entry()(nullptr);
    TestHost host;
    module.entry()(&TestHost::resolve);
    EXPECT_NE(host.registered(), nullptr);
}

// The records as a host reads them: pointer-sized words, in order.
class Records : public Loading {
  protected:
    void SetUp() override {
        Loading::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        module.entry()(&TestHost::resolve);
        definition = host.registered();
        ASSERT_NE(definition, nullptr);
    }
    TestHost host;
    const REALclassDefinition* definition = nullptr;
};

std::string text(uintptr_t address) {
    return reinterpret_cast<const char*>(address);
}

TEST_F(Records, ClassDefinition) {
    EXPECT_EQ(word(definition, 0), 9u);
    ASSERT_NE(word(definition, 1), 0u);
    EXPECT_EQ(text(word(definition, 1)), "TolvaneVrek");
    EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(word(definition, 1))), 11u);
    EXPECT_EQ(word(definition, 2), 0u) << "no superclass";
    EXPECT_EQ(word(definition, 3), 32u);
    EXPECT_EQ(word(definition, 4), 0u);
    EXPECT_NE(word(definition, 5), 0u) << "constructor";
    EXPECT_NE(word(definition, 6), 0u) << "destructor";
    EXPECT_NE(word(definition, 5), word(definition, 6));
    EXPECT_NE(word(definition, 7), 0u) << "property table";
    EXPECT_EQ(word(definition, 8), 8u);
    EXPECT_NE(word(definition, 9), 0u) << "method table";
    EXPECT_EQ(word(definition, 10), 8u);
    EXPECT_EQ(word(definition, 20), 4u) << "class flags";
    for (int i : {11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 22, 23, 24}) {
        EXPECT_EQ(word(definition, i), 0u) << "word " << i;
    }
}

struct PropertyRow {
    const char* name;
    const char* type;
    uintptr_t offset;
};

TEST_F(Records, PropertyTable) {
    const PropertyRow rows[] = {
        {"Shift", "Boolean", 0},        {"Command", "Boolean", 8},    {"Control", "Boolean", 16},
        {"Option", "Boolean", 24},      {"Charcode", "integer", 4},   {"Keycode", "integer", 12},
        {"VirtualCode", "integer", 20}, {"Lasterror", "integer", 28},
    };
    const auto* table = reinterpret_cast<const unsigned char*>(word(definition, 7));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].name);
        const unsigned char* record = table + i * 10 * sizeof(uintptr_t);
        EXPECT_EQ(word(record, 0), 0u);
        EXPECT_EQ(text(word(record, 1)), rows[i].name);
        EXPECT_EQ(text(word(record, 2)), rows[i].type);
        EXPECT_EQ(word(record, 3), 6u) << "flags";
        EXPECT_EQ(word(record, 4), UINTPTR_MAX) << "no getter";
        EXPECT_EQ(word(record, 5), UINTPTR_MAX) << "no setter";
        EXPECT_EQ(word(record, 6), rows[i].offset);
        for (int w : {7, 8, 9}) {
            EXPECT_EQ(word(record, w), 0u) << "word " << w;
        }
    }
}

TEST_F(Records, MethodTable) {
    const char* declarations[] = {
        "Press",
        "PressRaw(down as boolean)",
        "Clear",
        "MouseMove(globalx as integer,globaly as integer)",
        "MouseClick(down as boolean)",
        "MouseMoveClick(globalx as integer,globaly as integer,down as boolean)",
        "MouseClick(down as boolean, rightdown as boolean)",
        "MouseMoveClick(globalx as integer,globaly as integer,down as boolean, rightdown as boolean)",
    };
    const auto* table = reinterpret_cast<const unsigned char*>(word(definition, 9));
    std::vector<uintptr_t> functions;
    for (std::size_t i = 0; i < std::size(declarations); ++i) {
        SCOPED_TRACE(declarations[i]);
        const unsigned char* record = table + i * 4 * sizeof(uintptr_t);
        EXPECT_NE(word(record, 0), 0u) << "function";
        EXPECT_EQ(word(record, 1), 0u) << "second function";
        EXPECT_EQ(text(word(record, 2)), declarations[i]);
        EXPECT_EQ(word(record, 3), 4u) << "flags";
        functions.push_back(word(record, 0));
    }
    std::sort(functions.begin(), functions.end());
    EXPECT_EQ(std::adjacent_find(functions.begin(), functions.end()), functions.end())
        << "eight distinct functions";
}

} // namespace
