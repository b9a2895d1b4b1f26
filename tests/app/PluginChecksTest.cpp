// The plug-in host checks what a module's class declares before it uses any of it: fake modules,
// each with one fault, are refused with the fault named once, and the program's lookups then give
// stand-ins that do nothing. A fake without a fault is taken as it is.
#include <filesystem>
#include <iterator>

#include <gtest/gtest.h>

#include "PluginStandIns.h"
#include "framework/ApplicationSettings.h"

namespace {

namespace fs = std::filesystem;

const fs::path kFakes = AMBREL_FAKE_PLUGINS;

void* lookup(ambrel::PluginEntrypoint slot) {
    return fw::RuntimeLookupPluginEntrypoint(ambrel::kPluginEntrypointDeclarations[slot]);
}

TEST(PluginChecks, AClassThatDeclaresMoreThanItMayIsRefusedWithTheReason) {
    fw::setApplicationSettings({.pluginModules = {"Tolvane"},
                                .pluginDeclarations = {std::begin(ambrel::kPluginEntrypointDeclarations),
                                                       std::end(ambrel::kPluginEntrypointDeclarations)}});
    const struct {
        const char* fault;
        const char* reason;
    } faults[] = {
        {"oversized", "TolvaneVrek declares 64 bytes of instance data"},
        {"outside", "TolvaneVrek places its property Lasterror outside its instance data"},
        {"old_version", "TolvaneVrek has a class record of version 8"},
        {"unbound", "TolvaneVrek lacks MouseMoveClick(globalx as integer,globaly as integer,down as boolean, "
                    "rightdown as boolean)"},
    };
    // Refused ones first: once a class of that name is registered, its entry points stay.
    for (const auto& f : faults) {
        fw::clearPluginProblems();
        EXPECT_TRUE(fw::loadPluginModule(kFakes / f.fault / "Tolvane.so")) << f.fault << ": not even loaded";
        ASSERT_EQ(fw::pluginProblems().size(), 1u) << f.fault;
        EXPECT_EQ(fw::pluginProblems()[0].reason, f.reason) << fw::pluginProblems()[0].details;
        standins::expectStandIns(&lookup);
        EXPECT_EQ(fw::pluginProblems().size(), 1u) << f.fault << ": the refused class is named once";
    }

    fw::clearPluginProblems();
    EXPECT_TRUE(fw::loadPluginModule(kFakes / "sound" / "Tolvane.so"));
    EXPECT_TRUE(fw::pluginProblems().empty()) << fw::pluginProblems().front().details;
    for (int slot = ambrel::kInitSlot; slot < ambrel::kPluginEntrypointCount; ++slot)
        EXPECT_NE(lookup(static_cast<ambrel::PluginEntrypoint>(slot)),
                  fw::missingPluginFunctionFor(ambrel::kPluginEntrypointDeclarations[slot]))
            << ambrel::kPluginEntrypointDeclarations[slot];
    EXPECT_TRUE(fw::pluginProblems().empty()) << fw::pluginProblems().front().details;
}

// How the host reads a declaration's signature, for the stand-ins it gives.
TEST(PluginChecks, AStandInHasTheSignatureItsDeclarationGives) {
    using fw::missingPluginFunction;
    const struct {
        const char* declaration;
        void* standIn;
    } cases[] = {
        {"TolvaneVrek.__init", reinterpret_cast<void*>(&missingPluginFunction<>)},
        {"Clear", reinterpret_cast<void*>(&missingPluginFunction<>)},
        {"Clear()", reinterpret_cast<void*>(&missingPluginFunction<>)},
        {"MouseMove(globalx as integer,globaly as integer)",
         reinterpret_cast<void*>(&missingPluginFunction<int32_t, int32_t>)},
        {"MouseClick(down as boolean, rightdown as boolean)",
         reinterpret_cast<void*>(&missingPluginFunction<RBBoolean, RBBoolean>)},
        {"MouseMoveClick(globalx as integer,globaly as integer,down as boolean)",
         reinterpret_cast<void*>(&missingPluginFunction<int32_t, int32_t, RBBoolean>)},
        // Nothing the host could stand in for: a result, another type, five parameters.
        {"MD5(data As String) As String", nullptr},
        {"Move(x as double)", nullptr},
        {"Move(x as Integer)", nullptr},
        {"Five(a as integer,b as integer,c as integer,d as integer,e as integer)", nullptr},
        {"Broken(x as integer", nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fw::missingPluginFunctionFor(c.declaration), c.standIn) << c.declaration;
}

} // namespace
