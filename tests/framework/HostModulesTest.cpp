// The plug-in host and the module files it is given: the built module loads, and so does a
// stripped one recorded again after the strip; a damaged one is refused before anything of it is
// loaded, and is noted for the start-up report as a missing one would be.
#include <elf.h>
#include <link.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "framework/ModuleCheck.h"
#include "framework/PluginHost.h"

namespace fs = std::filesystem;

namespace {

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The module is mapped into this process.
bool mapped(const fs::path& module) {
    return contentsOf("/proc/self/maps").find(module.string()) != std::string::npos;
}

class HostModules : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "ambrel-modules-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        built = contentsOf(TOLVANE_MODULE);
        ASSERT_GT(built.size(), 4096u);
        fw::clearPluginProblems();
    }
    void TearDown() override { fs::remove_all(root); }

    // A folder of its own holding the module as given and the information list the build wrote.
    fs::path install(const std::string& name, const std::string& module) {
        const fs::path folder = root / name;
        fs::create_directories(folder);
        put(folder / "Tolvane.so", module);
        fs::copy_file(fs::path(TOLVANE_MODULE).parent_path() / "Tolvane.plist", folder / "Tolvane.plist");
        return folder / "Tolvane.so";
    }
    // Writes the module's record anew, as the build and the install step do.
    static void record(const fs::path& module) {
        const std::string command = std::string("\"") + CMAKE_COMMAND + "\" -DMODULE=\"" + module.string() +
                                    "\" -DTEMPLATE=\"" + TOLVANE_PLIST_TEMPLATE +
                                    "\" -DTOLVANE_VERSION=13.1 -P \"" + TOLVANE_RECORD + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    static void strip(const fs::path& module) {
        const std::string command =
            std::string("\"") + STRIP_COMMAND + "\" --strip-unneeded \"" + module.string() + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    fs::path root;
    std::string built;
};

TEST_F(HostModules, TheBuiltModuleAndAStrippedOneRecordedAgainLoad) {
    const fs::path asBuilt = install("as-built", built);
    EXPECT_EQ(fw::moduleDamage(asBuilt), std::nullopt);
    EXPECT_TRUE(fw::loadPluginModule(asBuilt)) << testing::PrintToString(fw::pluginProblems());
    EXPECT_TRUE(mapped(asBuilt));

    const fs::path stripped = install("stripped", built);
    strip(stripped);
    ASSERT_LT(fs::file_size(stripped), built.size()) << "the strip changed nothing";
    EXPECT_NE(fw::moduleDamage(stripped), std::nullopt) << "the build's record is not the stripped file's";
    record(stripped);
    EXPECT_EQ(fw::moduleDamage(stripped), std::nullopt);
    EXPECT_TRUE(fw::loadPluginModule(stripped)) << testing::PrintToString(fw::pluginProblems());
    EXPECT_TRUE(fw::pluginProblems().empty()) << testing::PrintToString(fw::pluginProblems());
}

// Copies changed in n random bytes, reproducibly from the seed.
std::function<void(std::string&)> changedBytes(unsigned seed, int n) {
    return [seed, n](std::string& bytes) {
        std::mt19937 random(seed);
        for (int i = 0; i < n; ++i) {
            const std::size_t at = std::uniform_int_distribution<std::size_t>(0, bytes.size() - 1)(random);
            bytes[at] = static_cast<char>(bytes[at] ^ std::uniform_int_distribution<int>(1, 255)(random));
        }
    };
}

TEST_F(HostModules, ADamagedModuleIsRefusedBeforeItIsLoaded) {
    struct Shape {
        std::string what;
        std::function<void(std::string&)> damage;
        bool recordedAsItIs; // its record rewritten to match: only the headers can tell
    };
    std::vector<Shape> shapes = {
        {"the first 1 KiB", [](std::string& b) { b.resize(1024); }, false},
        {"the first 1 KiB, recorded as it is", [](std::string& b) { b.resize(1024); }, true},
        {"the first 4 KiB, the rest zeros",
         [](std::string& b) { std::fill(b.begin() + 4096, b.end(), '\0'); }, false},
        {"empty", [](std::string& b) { b.clear(); }, true},
        {"the ELF header alone, recorded as it is", [](std::string& b) { b.resize(64); }, true},
        {"no shared object at all", [](std::string& b) { b = "#!/bin/sh\necho not a module\n"; }, true},
        {"the section headers said to lie past the end, recorded as it is",
         [](std::string& b) {
             ElfW(Ehdr) header;
             std::memcpy(&header, b.data(), sizeof header);
             header.e_shoff = b.size() - 8;
             std::memcpy(b.data(), &header, sizeof header);
         },
         true},
        {"the program headers said to lie past the end, recorded as it is",
         [](std::string& b) {
             ElfW(Ehdr) header;
             std::memcpy(&header, b.data(), sizeof header);
             header.e_phoff = b.size();
             std::memcpy(b.data(), &header, sizeof header);
         },
         true},
        {"one byte more", [](std::string& b) { b.push_back('\0'); }, false},
        {"the last byte gone", [](std::string& b) { b.pop_back(); }, false},
    };
    for (unsigned seed = 1; seed <= 40; ++seed)
        shapes.push_back(
            {"4 random bytes changed, seed " + std::to_string(seed), changedBytes(seed, 4), false});
    int index = 0;
    for (const Shape& shape : shapes) {
        std::string bytes = built;
        shape.damage(bytes);
        const fs::path module = install("copy-" + std::to_string(index++), bytes);
        if (shape.recordedAsItIs)
            record(module);
        fw::clearPluginProblems();

        EXPECT_FALSE(fw::loadPluginModule(module)) << shape.what;
        EXPECT_FALSE(mapped(module)) << shape.what << ": loaded";
        ASSERT_EQ(fw::pluginProblems().size(), 1u) << shape.what;
        EXPECT_NE(fw::pluginProblems()[0].find("is damaged"), std::string::npos) << fw::pluginProblems()[0];
    }
}

TEST_F(HostModules, AModuleWithoutItsRecordIsRefused) {
    const struct {
        const char* what;
        std::function<void(const fs::path&)> change;
    } cases[] = {
        {"no information list", [](const fs::path& list) { fs::remove(list); }},
        {"a list without the record",
         [](const fs::path& list) {
             std::string text = contentsOf(list);
             put(list, text.substr(0, text.find("<key>ModuleFileSize</key>")) + "</dict></plist>\n");
         }},
        {"a list recording another size",
         [](const fs::path& list) {
             std::string text = contentsOf(list);
             const std::size_t at = text.find("<integer>") + 9;
             text.insert(at, "1");
             put(list, text);
         }},
    };
    int index = 0;
    for (const auto& c : cases) {
        const fs::path module = install("list-" + std::to_string(index++), built);
        c.change(fs::path(module).replace_extension(".plist"));
        fw::clearPluginProblems();
        EXPECT_FALSE(fw::loadPluginModule(module)) << c.what;
        EXPECT_FALSE(mapped(module)) << c.what;
        ASSERT_EQ(fw::pluginProblems().size(), 1u) << c.what;
        EXPECT_NE(fw::pluginProblems()[0].find("Tolvane.plist"), std::string::npos)
            << fw::pluginProblems()[0];
    }
}

} // namespace
