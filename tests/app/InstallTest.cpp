// The program as a user installs it: `cmake --install` into a fresh prefix gives the layout a Linux
// desktop expects, a manifest that names every file it wrote, and a program that, moved or not,
// loads its plug-in from its own library folder without a start-up box.
#include "tests/plugin/XSession.h"

#include <X11/Xatom.h>
#include <dlfcn.h>
#include <signal.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "AppFixture.h"
#include "ProgramRun.h"
#include "framework/ModuleLoader.h"
#include "tests/support/FileContents.h"
#include "tests/support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

// Long enough for a loaded machine and the sanitizer build; a passing test never waits it out.
constexpr auto kBound = 60s;

// Installed as the README says, as the one component all the rules belong to: the same files, but
// the manifest goes to install_manifest_Unspecified.txt and the user's own install_manifest.txt
// (which their uninstall reads) is left alone.
const std::vector<std::string> kInstallArguments = {"--install", AMBREL_BUILD_FOLDER, "--strip",
                                                    "--component", "Unspecified"};
const fs::path kManifest = fs::path(AMBREL_BUILD_FOLDER) / "install_manifest_Unspecified.txt";

const std::set<fs::path> kLayout = {
    "bin/ambrel",
    "lib/ambrel/Tolvane.so",
    "lib/ambrel/Tolvane.plist",
    "lib/ambrel/framework-network.so",
    "lib/ambrel/framework-network.plist",
    "lib/ambrel/framework-printing.so",
    "lib/ambrel/framework-printing.plist",
    "lib/ambrel/framework-spelling.so",
    "lib/ambrel/framework-spelling.plist",
    "share/applications/ambrel.desktop",
    "share/icons/hicolor/scalable/apps/ambrel.svg",
};

std::set<fs::path> filesUnder(const fs::path& folder) {
    std::set<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (!entry.is_directory())
            files.insert(entry.path());
    return files;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            lines.push_back(line);
    return lines;
}

// Runs a helper program to its end; its exit status, or -1 when it did not end by itself in time.
int runToEnd(const fs::path& program, const std::vector<std::string>& arguments,
             std::string* errors = nullptr) {
    ProgramRun run(program, arguments, {});
    std::optional<Exit> exit = run.wait(kBound);
    if (errors)
        *errors = run.errors();
    return exit && exit->exited ? exit->status : -1;
}

// The sizes of the icons a window offers the task bar (_NET_WM_ICON: width, height, pixels...).
std::set<std::pair<unsigned long, unsigned long>> iconSizes(unsigned long window) {
    std::set<std::pair<unsigned long, unsigned long>> sizes;
    DisplayPtr display = openDisplay();
    if (!display)
        return sizes;
    const Atom icon = XInternAtom(display.get(), "_NET_WM_ICON", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display.get(), window, icon, 0, 1 << 20, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) != Success ||
        !data)
        return sizes;
    const unsigned long* values = reinterpret_cast<const unsigned long*>(data);
    for (unsigned long at = 0; at + 2 <= count;) {
        const unsigned long width = values[at], height = values[at + 1];
        if (width == 0 || height == 0 || at + 2 + width * height > count)
            break;
        sizes.insert({width, height});
        at += 2 + width * height;
    }
    XFree(data);
    return sizes;
}

// A prefix of the test's own, installed into afresh.
class Installed : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(scratch.path().empty());
        std::vector<std::string> arguments = kInstallArguments;
        arguments.insert(arguments.end(), {"--prefix", prefix.string()});
        std::string errors;
        ASSERT_EQ(runToEnd(CMAKE_COMMAND, arguments, &errors), 0) << errors;
    }

    ScratchFolder scratch{"ambrel-install"};
    const fs::path prefix = scratch.path() / "prefix";
};

TEST_F(Installed, HasTheLayoutOfADesktopApplicationAndNothingElse) {
    std::set<fs::path> found;
    for (const fs::path& file : filesUnder(prefix))
        found.insert(file.lexically_relative(prefix));
    EXPECT_EQ(found, kLayout);
    const fs::perms program = fs::status(prefix / "bin/ambrel").permissions();
    EXPECT_NE(program & fs::perms::others_exec, fs::perms::none);
}

TEST_F(Installed, ItsManifestNamesEveryFileItWrote) {
    const std::vector<std::string> lines = linesOf(contentsOf(kManifest));
    const std::set<fs::path> listed(lines.begin(), lines.end());
    EXPECT_EQ(listed, filesUnder(prefix));
}

TEST_F(Installed, ItsDesktopEntryIsValidAndNamesTheProgramAndItsIcon) {
    const fs::path entry = prefix / "share/applications/ambrel.desktop";
    std::string errors;
    EXPECT_EQ(runToEnd(DESKTOP_FILE_VALIDATE, {entry.string()}, &errors), 0) << errors;
    const std::vector<std::string> lines = linesOf(contentsOf(entry));
    const std::set<std::string> keys(lines.begin(), lines.end());
    // Exec and Icon name what the install put in bin/ and among the icons; the menu lists it under
    // Utility.
    for (const char* line :
         {"Type=Application", "Name=Ambrel", "Exec=ambrel", "Icon=ambrel", "Categories=Utility;"})
        EXPECT_TRUE(keys.count(line)) << line;
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.rfind("Comment=", 0) == 0; }));
}

TEST_F(Installed, TheProgramLoadsItsPluginFromItsOwnLibraryFolderMovedOrNot) {
    const fs::path moved = scratch.path() / "moved";
    struct Case {
        const char* what;
        fs::path prefix;
    };
    for (const Case& c : {Case{"as installed", prefix}, Case{"moved", moved}}) {
        if (c.prefix == moved)
            fs::rename(prefix, moved);
        PrefsFolder prefs;
        ProgramRun run(c.prefix / "bin/ambrel", {}, {{"QT_QPA_PLATFORM", "xcb"}});
        ASSERT_TRUE(waitUntil(panelShown, kBound))
            << c.what << ": no panel" << (boxShown() ? ", a start-up box instead" : "") << "; "
            << run.errors();
        EXPECT_FALSE(boxShown()) << c.what;
        const std::string module = (c.prefix / "lib/ambrel/Tolvane.so").string();
        const std::string maps = contentsOf("/proc/" + std::to_string(run.pid()) + "/maps");
        EXPECT_NE(maps.find(module), std::string::npos) << c.what << ": " << module << " is not loaded";
        // What only printing, the update check and spell checking need waits until they are used.
        for (const char* later :
             {"framework-", "libQt6PrintSupport", "libQt6Network", "libcups", "libenchant"})
            EXPECT_EQ(maps.find(later), std::string::npos)
                << c.what << ": " << later << " loaded at start-up";
        // The windows carry the program's own icon, one small enough for a task bar among them.
        for (const ShownWindow& window : shownWindows("Ambrel")) {
            if (window.dialog)
                continue;
            EXPECT_TRUE(iconSizes(window.id).count({16, 16})) << c.what << ": the panel has no icon";
        }
        ASSERT_TRUE(quitsOnTermination(run, kBound)) << c.what;
    }
}

// The README's uninstall line, run on a manifest whose paths hold blanks, a quote and a line of
// its own for each file: every file goes, and only the folders the README names stay behind.
TEST(Uninstalled, TheReadmesLineRemovesEveryFileAlsoUnderBlanks) {
    ScratchFolder scratch{"ambrel-uninstall"};
    const fs::path prefix = scratch.path() / "my programs" / "it's here";
    std::vector<std::string> arguments = kInstallArguments;
    arguments.insert(arguments.end(), {"--prefix", prefix.string()});
    std::string errors;
    ASSERT_EQ(runToEnd(CMAKE_COMMAND, arguments, &errors), 0) << errors;
    ASSERT_EQ(filesUnder(prefix).size(), kLayout.size());
    ASSERT_EQ(runToEnd("/bin/sh", {"-c", "xargs -d '\\n' rm -f -- < \"$0\"", kManifest.string()}, &errors), 0)
        << errors;
    EXPECT_TRUE(filesUnder(prefix).empty()) << errors;
    EXPECT_TRUE(fs::is_directory(prefix / "lib/ambrel"));
}

// The framework's own modules load from the installed library folder, each with its one entry point.
TEST_F(Installed, TheFrameworksModulesLoadWithTheirEntryPoints) {
    for (const auto& [module, entry] : {std::pair{"framework-printing", "fwPrintingCalls"},
                                        std::pair{"framework-network", "fwNetworkCalls"},
                                        std::pair{"framework-spelling", "fwSpellingCalls"}}) {
        const fs::path file = prefix / "lib/ambrel" / (std::string(module) + ".so");
        void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_TRUE(handle) << file << ": " << dlerror();
        EXPECT_TRUE(dlsym(handle, entry)) << module << " has no " << entry;
        dlclose(handle);
    }
}

// The install strips every module, and records it anew: each installed module passes the loader's
// check of it against the record beside it, which the build's record no longer would.
TEST_F(Installed, EveryModuleIsRecordedAsInstalledAndLoadsThroughTheLoader) {
    const fs::path folder = prefix / "lib/ambrel";
    for (const auto& [module, entry] :
         {std::pair{"Tolvane", "REALPluginMain"}, std::pair{"framework-printing", "fwPrintingCalls"},
          std::pair{"framework-network", "fwNetworkCalls"},
          std::pair{"framework-spelling", "fwSpellingCalls"}}) {
        const std::string name = module;
        EXPECT_NE(contentsOf(folder / (name + ".so")), contentsOf(fs::path(AMBREL_BIN_DIR) / (name + ".so")))
            << name << " was installed unstripped";
        EXPECT_NE(contentsOf(folder / (name + ".plist")),
                  contentsOf(fs::path(AMBREL_BIN_DIR) / (name + ".plist")))
            << name << ": the build's record was installed as it was";
        const fw::ModuleLoad load = fw::loadModuleFrom(folder, name, entry);
        EXPECT_FALSE(load.problem) << load.problem->details;
        EXPECT_TRUE(load.module && load.entry) << name;
    }
}

} // namespace
