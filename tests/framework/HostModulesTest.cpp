// The plug-in host and the module files it is given: the built module loads, and so does a
// stripped one recorded again after the strip; a damaged one is refused before anything of it is
// loaded, and is noted for the start-up report as a missing one would be.
#include <elf.h>
#include <link.h>

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "framework/ApplicationSettings.h"
#include "framework/FrameworkModule.h"
#include "framework/ModuleCheck.h"
#include "framework/PluginHost.h"
#include "framework/qt/modules/SpellingModule.h"
#include "tests/support/BuiltModules.h"

namespace fs = std::filesystem;

namespace {

void put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

fs::path builtList() {
    return fs::path(TOLVANE_MODULE).parent_path() / "Tolvane.plist";
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
        // The application these tests stand in for has the one plug-in.
        fw::setApplicationSettings({.pluginModules = {"Tolvane"}});
    }
    void TearDown() override { fs::remove_all(root); }

    // A folder of its own holding the module as given and the information list the build wrote.
    fs::path install(const std::string& name, const std::string& module) {
        const fs::path folder = root / name;
        fs::create_directories(folder);
        put(folder / "Tolvane.so", module);
        fs::copy_file(builtList(), folder / "Tolvane.plist");
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
    EXPECT_EQ(fw::checkModule(asBuilt).problem, std::nullopt);
    EXPECT_TRUE(fw::loadPluginModule(asBuilt)) << testing::PrintToString(fw::pluginProblems());
    EXPECT_TRUE(mappedHere(asBuilt));

    const fs::path stripped = install("stripped", built);
    strip(stripped);
    ASSERT_LT(fs::file_size(stripped), built.size()) << "the strip changed nothing";
    EXPECT_NE(fw::checkModule(stripped).problem, std::nullopt)
        << "the build's record is not the stripped file's";
    record(stripped);
    EXPECT_EQ(fw::checkModule(stripped).problem, std::nullopt);
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
        EXPECT_FALSE(mappedHere(module)) << shape.what << ": loaded";
        ASSERT_EQ(fw::pluginProblems().size(), 1u) << shape.what;
        EXPECT_EQ(fw::pluginProblems()[0].reason, "Tolvane.so is damaged") << fw::pluginProblems()[0].details;
    }
}

// Puts what `make` makes (0 when made) in the file's place.
void replace(const fs::path& file, const std::function<int(const fs::path&)>& make) {
    fs::remove(file);
    ASSERT_EQ(make(file), 0) << file;
}

TEST_F(HostModules, AModuleWithoutItsRecordIsRefused) {
    const struct {
        const char* what;
        std::function<void(const fs::path&)> change;
        const char* reason;
    } cases[] = {
        {"no information list", [](const fs::path& list) { fs::remove(list); }, "Tolvane.plist is missing"},
        {"a list without the record",
         [](const fs::path& list) {
             std::string text = contentsOf(list);
             put(list, text.substr(0, text.find("<key>ModuleFileSize</key>")) + "</dict></plist>\n");
         },
         "Tolvane.plist is damaged"},
        {"a list recording another size",
         [](const fs::path& list) {
             std::string text = contentsOf(list);
             const std::size_t at = text.find("<integer>") + 9;
             text.insert(at, "1");
             put(list, text);
         },
         "Tolvane.so is damaged"},
        // A list that is no file of ours must neither hold start-up up nor be read without end.
        {"a FIFO",
         [](const fs::path& list) {
             replace(list, [](const fs::path& p) { return ::mkfifo(p.c_str(), 0600); });
         },
         "Tolvane.plist is not a regular file"},
        {"a link to a FIFO",
         [](const fs::path& list) {
             ASSERT_EQ(::mkfifo((list.parent_path() / "fifo").c_str(), 0600), 0);
             replace(list, [](const fs::path& p) { return ::symlink("fifo", p.c_str()); });
         },
         "Tolvane.plist is not a regular file"},
        {"a link to /dev/zero",
         [](const fs::path& list) {
             replace(list, [](const fs::path& p) { return ::symlink("/dev/zero", p.c_str()); });
         },
         "Tolvane.plist is not a regular file"},
        {"a folder",
         [](const fs::path& list) {
             replace(list, [](const fs::path& p) { return ::mkdir(p.c_str(), 0700); });
         },
         "Tolvane.plist is not a regular file"},
        {"the record after 64 KiB of blanks",
         [](const fs::path& list) {
             const std::string text = contentsOf(list);
             const std::size_t at = text.find("<key>ModuleFileSize</key>");
             put(list, text.substr(0, at) + std::string(64 * 1024, ' ') + text.substr(at));
         },
         "Tolvane.plist is too large"},
    };
    int index = 0;
    for (const auto& c : cases) {
        const fs::path module = install("list-" + std::to_string(index++), built);
        c.change(fs::path(module).replace_extension(".plist"));
        fw::clearPluginProblems();
        EXPECT_FALSE(fw::loadPluginModule(module)) << c.what;
        EXPECT_FALSE(mappedHere(module)) << c.what;
        ASSERT_EQ(fw::pluginProblems().size(), 1u) << c.what;
        EXPECT_EQ(fw::pluginProblems()[0].reason, c.reason) << c.what;
        EXPECT_NE(fw::pluginProblems()[0].details.find("Tolvane.plist"), std::string::npos)
            << fw::pluginProblems()[0].details;
    }
}

// The list is read as the XML it is, not searched as text.
TEST_F(HostModules, TheListIsReadAsXml) {
    const std::string asBuilt = contentsOf(builtList());
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = asBuilt;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    auto valueOf = [&](const std::string& key) {
        const std::size_t start =
            asBuilt.find('>', asBuilt.find("<key>" + key + "</key>") + key.size() + 11) + 1;
        return asBuilt.substr(start, asBuilt.find('<', start) - start);
    };
    // The list with the text from `first` up to the end of `last` inside an XML comment.
    auto commented = [&](const std::string& first, const std::string& last) {
        std::string text = asBuilt;
        const std::size_t from = text.find(first);
        const std::size_t to = text.find(last, from) + last.size();
        return text.insert(to, " -->").insert(from, "<!-- ");
    };
    const std::string size = valueOf("ModuleFileSize");
    const std::string digest = valueOf("ModuleFileSHA256");
    std::string upper = digest;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    const std::string record = "<key>ModuleFileSize</key>";
    const struct {
        const char* what;
        std::string list;
        bool loads;
    } cases[] = {
        {"as built", asBuilt, true},
        {"an upper-case SHA-256", replaced(digest, upper), true},
        {"blanks around the size", replaced(">" + size + "<", ">\n\t " + size + "  \n<"), true},
        {"a wrong record in a comment before the real one",
         replaced(record, "<!-- " + record + "<integer>1</integer> -->" + record), true},
        {"the record only inside a comment", commented(record, "</integer>"), false},
        {"a size that is no number", replaced(">" + size + "<", ">" + size + "x<"), false},
        {"a negative size", replaced(">" + size + "<", ">-" + size + "<"), false},
        {"an empty size", replaced(">" + size + "<", "><"), false},
        {"the list cut short", asBuilt.substr(0, asBuilt.find("</dict>")), false},
        {"not XML at all", "ModuleFileSize " + size + " ModuleFileSHA256 " + digest + "\n", false},
        {"the record given twice", replaced(record, record + "<integer>1</integer>" + record), false},
    };
    int index = 0;
    for (const auto& c : cases) {
        const fs::path module = install("xml-" + std::to_string(index++), built);
        put(fs::path(module).replace_extension(".plist"), c.list);
        const std::optional<fw::ModuleProblem> damage = fw::checkModule(module).problem;
        EXPECT_EQ(!damage, c.loads) << c.what << ": " << (damage ? damage->details : "accepted");
    }
}

// The host loads the application's own plug-ins by name; whatever else lies in the folder,
// modules with matching lists included, is passed over without a word.
TEST_F(HostModules, OnlyTheApplicationsOwnPluginsAreLoadedFromTheFolder) {
    const fs::path tolvane = install("folder", built);
    const fs::path folder = tolvane.parent_path();
    put(folder / "libextra.so", "not a module at all");
    put(folder / "Second.so", built);
    record(folder / "Second.so");
    ASSERT_EQ(fw::checkModule(folder / "Second.so").problem, std::nullopt)
        << "the second module's list matches";
    fs::create_directory(folder / "Folder.so");

    fw::loadPluginsFrom(folder);
    EXPECT_TRUE(mappedHere(tolvane));
    EXPECT_FALSE(mappedHere(folder / "Second.so"));
    EXPECT_TRUE(fw::pluginProblems().empty()) << fw::pluginProblems().front().details;
}

TEST_F(HostModules, AFolderWithoutThePluginNamesWhatIsMissing) {
    const fs::path empty = root / "empty";
    fs::create_directory(empty);
    const fs::path unlisted = install("unlisted", built);
    fs::remove(fs::path(unlisted).replace_extension(".plist"));
    const struct {
        fs::path folder;
        const char* reason;
    } cases[] = {
        {empty, "Tolvane.so is missing"},
        {unlisted.parent_path(), "Tolvane.plist is missing"},
        {"relative", "Tolvane.so is missing"},
    };
    for (const auto& c : cases) {
        fw::clearPluginProblems();
        fw::loadPluginsFrom(c.folder);
        ASSERT_EQ(fw::pluginProblems().size(), 1u) << c.folder;
        EXPECT_EQ(fw::pluginProblems()[0].reason, c.reason) << fw::pluginProblems()[0].details;
    }
    EXPECT_FALSE(mappedHere(unlisted));
}

} // namespace

namespace {

// The framework's own modules, as printing, the HTTP client and spell checking load them when first
// used: by name from the module folder, once while they are held, and a missing one says so once.
TEST(FrameworkModules, LoadOnceWhileHeldAndAMissingOneSaysSoOnce) {
    using fw::detail::SpellingCalls;
    const auto spelling =
        fw::loadModuleCalls<SpellingCalls>(fw::detail::kSpellingModule, fw::detail::kSpellingEntry);
    ASSERT_TRUE(spelling);
    EXPECT_TRUE(spelling->open && spelling->isCorrect && spelling->close);
    EXPECT_EQ(
        fw::loadModuleCalls<SpellingCalls>(fw::detail::kSpellingModule, fw::detail::kSpellingEntry).module,
        spelling.module);

    struct Case {
        const char* module;
        const char* entry;
        const char* told;
    };
    for (const Case& c : {Case{"framework-nothing", "fwNothingCalls", "framework-nothing.so is missing: "},
                          Case{fw::detail::kSpellingModule, "fwNoSuchCalls",
                               "framework-spelling.so has no entry point fwNoSuchCalls: "}}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(fw::loadModuleCalls<SpellingCalls>(c.module, c.entry)) << c.module;
        EXPECT_FALSE(fw::loadModuleCalls<SpellingCalls>(c.module, c.entry)) << c.module;
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_NE(told.find(c.told), std::string::npos) << told;
        EXPECT_EQ(told.find('\n'), told.size() - 1) << "said once: " << told;
    }
}

} // namespace
