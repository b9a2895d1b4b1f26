// The one loader with the modules the build makes, the plug-in and the framework's own: each loads
// as built, beside the record the build wrote; each is refused, and nothing of it runs, when two
// bytes of its entry point are changed or its record is missing.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "framework/ApplicationSettings.h"
#include "framework/ModuleLoader.h"
#include "tests/plugin/ElfFile.h"
#include "tests/support/FileContents.h"
#include "tests/support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

bool mapped(const fs::path& module) {
    return contentsOf("/proc/self/maps").find(module.string()) != std::string::npos;
}

const struct {
    const char* name;
    const char* entry;
} kModules[] = {
    {"Tolvane", "REALPluginMain"},
    {"framework-printing", "fwPrintingCalls"},
    {"framework-network", "fwNetworkCalls"},
    {"framework-spelling", "fwSpellingCalls"},
};

class ModuleLoader : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(scratch.path().empty());
        fw::setApplicationSettings({});
    }
    // A folder of its own holding a copy of the built module and its record.
    fs::path copyOf(const std::string& name, const std::string& folder) {
        const fs::path copy = scratch.path() / folder;
        fs::create_directories(copy);
        fs::copy_file(fs::path(AMBREL_BIN_DIR) / (name + ".so"), copy / (name + ".so"));
        fs::copy_file(fs::path(AMBREL_BIN_DIR) / (name + ".plist"), copy / (name + ".plist"));
        return copy;
    }
    ScratchFolder scratch{"ambrel-loader"};
};

TEST_F(ModuleLoader, EveryBuiltModuleLoadsBesideItsRecord) {
    for (const auto& m : kModules) {
        const fw::ModuleLoad load = fw::loadModuleFrom(copyOf(m.name, "built"), m.name, m.entry);
        EXPECT_FALSE(load.problem) << load.problem->details;
        EXPECT_TRUE(load.module && load.entry) << m.name;
    }
}

TEST_F(ModuleLoader, AModuleWithTwoBytesChangedAtItsEntryPointIsRefused) {
    for (const auto& m : kModules) {
        const fs::path folder = copyOf(m.name, std::string("changed-") + m.name);
        const fs::path file = folder / (std::string(m.name) + ".so");
        const std::optional<std::string> changed = withEntryPointChanged(file.string(), m.entry);
        ASSERT_TRUE(changed) << m.name;
        std::ofstream(file, std::ios::binary | std::ios::trunc) << *changed;

        const fw::ModuleLoad load = fw::loadModuleFrom(folder, m.name, m.entry);
        ASSERT_TRUE(load.problem) << m.name << " was loaded";
        EXPECT_EQ(load.problem->reason, std::string(m.name) + ".so is damaged") << load.problem->details;
        EXPECT_FALSE(load.module) << m.name;
        EXPECT_FALSE(mapped(file)) << m.name;
    }
}

TEST_F(ModuleLoader, AModuleWithoutItsRecordIsRefused) {
    for (const auto& m : kModules) {
        const fs::path folder = copyOf(m.name, std::string("unrecorded-") + m.name);
        fs::remove(folder / (std::string(m.name) + ".plist"));
        const fw::ModuleLoad load = fw::loadModuleFrom(folder, m.name, m.entry);
        ASSERT_TRUE(load.problem) << m.name << " was loaded";
        EXPECT_EQ(load.problem->reason, std::string(m.name) + ".plist is missing") << load.problem->details;
        EXPECT_FALSE(mapped(folder / (std::string(m.name) + ".so"))) << m.name;
    }
}

// A module loaded again while it is held is the same module, and stays mapped when that second
// holder lets go, still known to the dynamic loader by the descriptor the second load went
// through: no module loaded after may be taken for it under that descriptor's number.
TEST_F(ModuleLoader, AModuleStillMappedIsNeverTakenForTheNextOne) {
    const fs::path folder = copyOf("framework-spelling", "again");
    copyOf("framework-network", "again");
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
