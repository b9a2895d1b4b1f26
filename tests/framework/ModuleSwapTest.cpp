// The loader checks a module and loads it through one open descriptor: a foreign module renamed
// over the path between the check and the load is not what gets loaded. The test steps in between
// the two by standing in for dlopen in this program, which the loader calls after its check.
#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <utility>

#include <gtest/gtest.h>

#include "framework/ApplicationSettings.h"
#include "framework/PluginDeclaration.h"
#include "framework/PluginHost.h"
#include "tests/support/FileContents.h"
#include "tests/support/ScratchFolder.h"

namespace {
std::function<void(const char*)> beforeLoad;
}

// Runs the step the test put between check and load, then the real dlopen.
extern "C" void* dlopen(const char* file, int mode) {
    static auto* const real = reinterpret_cast<void* (*)(const char*, int)>(dlsym(RTLD_NEXT, "dlopen"));
    if (beforeLoad)
        std::exchange(beforeLoad, nullptr)(file);
    return real(file, mode);
}

namespace {

namespace fs = std::filesystem;

TEST(ModuleSwap, AModuleRenamedOverThePathBetweenCheckAndLoadIsNotLoaded) {
    fw::setApplicationSettings({.pluginModules = {"Tolvane"}});
    ScratchFolder scratch("ambrel-swap");
    ASSERT_FALSE(scratch.path().empty());
    const fs::path module = scratch.path() / "Tolvane.so";
    const fs::path foreign = scratch.path() / "Foreign.so";
    fs::copy_file(TOLVANE_MODULE, module);
    fs::copy_file(fs::path(TOLVANE_MODULE).replace_extension(".plist"), scratch.path() / "Tolvane.plist");
    fs::copy_file(FOREIGN_MODULE, foreign);

    bool swapped = false;
    beforeLoad = [&](const char*) { swapped = std::rename(foreign.c_str(), module.c_str()) == 0; };
    EXPECT_TRUE(fw::loadPluginModule(module)) << testing::PrintToString(fw::pluginProblems());
    ASSERT_TRUE(swapped) << "the loader never reached dlopen, or the rename failed";
    EXPECT_TRUE(fw::pluginProblems().empty()) << testing::PrintToString(fw::pluginProblems());

    // The checked module registered its class; the foreign one, now at the path, never ran.
    EXPECT_NE(fw::RuntimeLookupPluginEntrypoint("TolvaneVrek.Clear"), fw::missingPluginFunctionFor("Clear"));
    EXPECT_EQ(fw::RuntimeLookupPluginEntrypoint("Foreign.Clear"), fw::missingPluginFunctionFor("Clear"));
    // What is mapped is the checked file, which the rename unlinked.
    EXPECT_NE(contentsOf("/proc/self/maps").find(module.string() + " (deleted)"), std::string::npos)
        << contentsOf("/proc/self/maps");
}

} // namespace
