// The one loader with the modules the build makes, the plug-in and the framework's own: each loads
// as built, beside the record the build wrote; each is refused, and nothing of it runs, when two
// bytes of its entry point are changed or its record is missing.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "framework/ApplicationSettings.h"
#include "framework/ModuleLoader.h"
#include "tests/support/BuiltModules.h"
#include "tests/support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

class ModuleLoader : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(scratch.path().empty());
        fw::setApplicationSettings({});
    }
    // A folder of its own holding a copy of the built module and its record.
    fs::path copyOf(const BuiltModule& module, const std::string& folder, Copied copied = Copied::AsBuilt) {
        const fs::path copy = scratch.path() / folder;
        EXPECT_TRUE(copyBuiltModule(AMBREL_BIN_DIR, module, copy, copied)) << module.name;
        return copy;
    }
    ScratchFolder scratch{"ambrel-loader"};
};

TEST_F(ModuleLoader, EveryBuiltModuleLoadsBesideItsRecord) {
    for (const BuiltModule& m : kBuiltModules) {
        const fw::ModuleLoad load = fw::loadModuleFrom(copyOf(m, "built"), m.name, m.entry);
        EXPECT_FALSE(load.problem) << load.problem->details;
        EXPECT_TRUE(load.module && load.entry) << m.name;
    }
}

TEST_F(ModuleLoader, AModuleWithTwoBytesChangedAtItsEntryPointIsRefused) {
    for (const BuiltModule& m : kBuiltModules) {
        const fs::path folder = copyOf(m, std::string("changed-") + m.name, Copied::EntryPointChanged);
        const fs::path file = folder / (std::string(m.name) + ".so");

        const fw::ModuleLoad load = fw::loadModuleFrom(folder, m.name, m.entry);
        ASSERT_TRUE(load.problem) << m.name << " was loaded";
        EXPECT_EQ(load.problem->reason, std::string(m.name) + ".so is damaged") << load.problem->details;
        EXPECT_FALSE(load.module) << m.name;
        EXPECT_FALSE(mappedHere(file)) << m.name;
    }
}

TEST_F(ModuleLoader, AModuleWithoutItsRecordIsRefused) {
    for (const BuiltModule& m : kBuiltModules) {
        const fs::path folder = copyOf(m, std::string("unrecorded-") + m.name);
        fs::remove(folder / (std::string(m.name) + ".plist"));
        const fw::ModuleLoad load = fw::loadModuleFrom(folder, m.name, m.entry);
        ASSERT_TRUE(load.problem) << m.name << " was loaded";
        EXPECT_EQ(load.problem->reason, std::string(m.name) + ".plist is missing") << load.problem->details;
        EXPECT_FALSE(mappedHere(folder / (std::string(m.name) + ".so"))) << m.name;
    }
}

// A module loaded again while it is held is the same module, and stays mapped when that second
// holder lets go, still known to the dynamic loader by the descriptor the second load went
// through: no module loaded after may be taken for it under that descriptor's number.
TEST_F(ModuleLoader, AModuleStillMappedIsNeverTakenForTheNextOne) {
    const fs::path folder = copyOf(builtModule("framework-spelling"), "again");
    copyOf(builtModule("framework-network"), "again");
    const fw::ModuleLoad held = fw::loadModuleFrom(folder, "framework-spelling", "fwSpellingCalls");
    ASSERT_FALSE(held.problem) << held.problem->details;
    for (int round = 0; round < 3; ++round) {
        fw::ModuleLoad again = fw::loadModuleFrom(folder, "framework-spelling", "fwSpellingCalls");
        ASSERT_FALSE(again.problem) << round << ": " << again.problem->details;
        EXPECT_EQ(again.entry, held.entry) << round;
        again = {};
        const fw::ModuleLoad network = fw::loadModuleFrom(folder, "framework-network", "fwNetworkCalls");
        ASSERT_FALSE(network.problem) << round << ": " << network.problem->details;
        EXPECT_EQ(network.module->symbol("fwSpellingCalls"), nullptr)
            << round << ": the spelling module came back";
    }
}

} // namespace
