// The built program from outside, as a user or a session starts and ends it: without a usable
// display, with the toolkit's own options, and ended by a termination signal.
#include "tests/plugin/XSession.h"

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "AppFixture.h"
#include "ProgramRun.h"
#include "tests/support/SocketFront.h"

namespace {

namespace fs = std::filesystem;

// Long enough for a loaded machine and the sanitizer build; a passing test never waits it out.
constexpr auto kBound = 20s;

const fs::path kProgram = AMBREL_PROGRAM;

// A terminal closed, a session ended, a user's kill or ^C.
constexpr int kTerminationSignals[] = {SIGTERM, SIGINT, SIGHUP};

std::map<std::string, std::optional<std::string>> onX() {
    return {{"QT_QPA_PLATFORM", "xcb"}};
}

std::string lineOf(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

TEST(Program, WithoutAUsableDisplaySaysSoInOneLineAndExitsWithOne) {
    const std::string server = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    ASSERT_FALSE(server.empty()) << "the suite runs on a server of its own";
    const std::string unused = unusedDisplay();
    struct Case {
        const char* what;
        std::optional<std::string> display;
        std::string named; // what the line must say
    };
    const Case cases[] = {
        {"unset", std::nullopt, "none is set"},
        {"empty", "", "none is set"},
        {"no server there", unused, "\"" + unused + "\""},
        {"garbage", "garbage", "\"garbage\""},
        {"only separators", "::::", "\"::::\""},
        {"a screen the server lacks", server + ".7", "\"" + server + ".7\""},
    };
    for (const Case& c : cases) {
        PrefsFolder prefs;
        auto environment = onX();
        environment["DISPLAY"] = c.display;
        ProgramRun run(kProgram, {}, environment);
        std::optional<Exit> exit = run.wait(kBound);
        ASSERT_TRUE(exit) << c.what << ": still running";
        EXPECT_TRUE(exit->exited) << c.what << ": ended by signal " << exit->status;
        EXPECT_FALSE(exit->cored) << c.what;
        EXPECT_EQ(exit->status, 1) << c.what;
        const std::string errors = run.errors();
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << c.what << ": " << errors;
        EXPECT_NE(lineOf(errors).find(c.named), std::string::npos) << c.what << ": " << errors;
        EXPECT_FALSE(fs::exists(prefs.file())) << c.what;
    }
}

// The X server stops taking connections between the program's check of the display and the
// toolkit's own connection: a socket in front of the suite's server hands the first connection
// through and closes the next ones. The same clean exit as without a display, not the toolkit's
// abort.
TEST(Program, ADisplayThatGoesAfterTheCheckSaysSoInOneLineAndExitsWithOne) {
    const std::string server = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    ASSERT_EQ(server.rfind(':', 0), 0u) << "the suite runs on a local server of its own";
    const std::string number = server.substr(1, server.find('.') - 1);
    const std::string display = unusedDisplay();
    SocketFront front("/tmp/.X11-unix/X" + display.substr(1), "/tmp/.X11-unix/X" + number,
                      SocketFront::Closed);
    ASSERT_TRUE(front.listening());
    PrefsFolder prefs;
    auto environment = onX();
    environment["DISPLAY"] = display;
    ProgramRun run(kProgram, {}, environment);
    std::optional<Exit> exit = run.wait(kBound);
    ASSERT_TRUE(exit) << "still running";
    EXPECT_TRUE(exit->exited) << "ended by signal " << exit->status << ": " << run.errors();
    EXPECT_FALSE(exit->cored);
    EXPECT_EQ(exit->status, 1);
    const std::string errors = run.errors();
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(lineOf(errors).find("cannot open the display \"" + display + "\""), std::string::npos)
        << errors;
    EXPECT_GE(front.connections(), 2) << "the toolkit never tried the display";
    EXPECT_FALSE(fs::exists(prefs.file()));
}

TEST(Program, TheToolkitsOwnOptionsAreNotHonoured) {
    const std::vector<std::vector<std::string>> cases = {
        {"-display", unusedDisplay()},
        {"-platform", "offscreen"},
        {"-platform", "no-such-platform"},
        {"-style", "no-such-style", "-reverse"},
    };
    for (const auto& arguments : cases) {
        const std::string what = testing::PrintToString(arguments);
        PrefsFolder prefs;
        prefs.write("#Window1Position 300,400\n");
        ProgramRun run(kProgram, arguments, onX());
        ASSERT_TRUE(waitUntil(panelShown, kBound)) << what << ": no panel on this display; " << run.errors();
        ASSERT_TRUE(quitsOnTermination(run, kBound)) << what;
        EXPECT_EQ(prefs.read().rfind("#Window1Position ", 0), 0u) << what;
    }
}

// Each signal by which a terminal, a session or a user ends the program saves the position as
// File > Quit does.
TEST(Program, EachTerminationSignalSavesThePosition) {
    for (int signal : kTerminationSignals) {
        PrefsFolder prefs;
        prefs.write("#Other 1,2\n#Window1Position 300,400\n");
        ProgramRun run(kProgram, {}, onX());
        ASSERT_TRUE(waitUntil(panelShown, kBound)) << "no panel; " << run.errors();
        run.signal(signal);
        std::optional<Exit> exit = run.wait(kBound);
        ASSERT_TRUE(exit) << "still running after signal " << signal;
        EXPECT_TRUE(exit->exited && exit->status == 0) << signal << ": " << exit->status << run.errors();
        EXPECT_EQ(prefs.read(), "#Window1Position 300,400\n") << "signal " << signal;
    }
}

// The X server goes away under the running program: it saves the last position it knew, then
// exits with status 1.
TEST(Program, LosingTheXServerSavesThePositionAndExitsWithOne) {
    const std::string display = unusedDisplay();
    ProgramRun server("/usr/bin/Xvfb", {display, "-noreset", "-nolisten", "tcp"}, {});
    const fs::path socket = "/tmp/.X11-unix/X" + display.substr(1);
    ASSERT_TRUE(waitUntil([&] { return fs::exists(socket); }, kBound)) << server.errors();
    PrefsFolder prefs;
    prefs.write("#Other 1,2\n#Window1Position 300,400\n");
    auto environment = onX();
    environment["DISPLAY"] = display;
    ProgramRun run(kProgram, {}, environment);
    {
        EnvironmentGuard onThatServer({"DISPLAY"});
        EnvironmentGuard::set("DISPLAY", display.c_str());
        ASSERT_TRUE(waitUntil(panelShown, kBound)) << "no panel; " << run.errors();
    }
    server.signal(SIGKILL);
    ASSERT_TRUE(server.wait(kBound));
    std::optional<Exit> exit = run.wait(kBound);
    ASSERT_TRUE(exit) << "still running without its X server";
    EXPECT_TRUE(exit->exited && exit->status == 1) << exit->status << run.errors();
    EXPECT_EQ(prefs.read(), "#Window1Position 300,400\n");
}

// What a preferences link may lead to that is no file of the user's is left as it is; files far
// longer than the program writes are read only at their head.
TEST(Program, HostilePreferencesFilesAreSurvived) {
    struct Case {
        const char* what;
        std::function<void(const PrefsFolder&)> make;
        std::function<bool(const PrefsFolder&)> afterwards;
    };
    auto isUntouched = [](mode_t type) {
        return [type](const PrefsFolder& prefs) {
            struct stat st;
            return fs::is_symlink(prefs.file()) &&
                   ::lstat((prefs.file().parent_path() / "target").c_str(), &st) == 0 &&
                   (st.st_mode & S_IFMT) == type;
        };
    };
    auto linkedTo = [](std::function<int(const char*)> make) {
        return [make](const PrefsFolder& prefs) {
            ASSERT_EQ(make((prefs.file().parent_path() / "target").c_str()), 0) << std::strerror(errno);
            fs::create_symlink("target", prefs.file());
        };
    };
    auto saved = [](const PrefsFolder& prefs) { return prefs.read() == "#Window1Position 300,400\n"; };
    const Case cases[] = {
        {"a link to a FIFO", linkedTo([](const char* p) { return ::mkfifo(p, 0600); }), isUntouched(S_IFIFO)},
        // The same device as /dev/null, made in the test's folder so that a faulty save harms nothing.
        {"a link to a device node",
         linkedTo([](const char* p) { return ::mknod(p, S_IFCHR | 0600, ::makedev(1, 3)); }),
         isUntouched(S_IFCHR)},
        {"10 MB of directives after the position",
         [](const PrefsFolder& prefs) {
             std::string text = "#Window1Position 300,400\n";
             while (text.size() < 10u << 20)
                 text += "#a b\n";
             prefs.write(text);
         },
         saved},
        {"a sparse 1 GB file after the position",
         [](const PrefsFolder& prefs) {
             prefs.write("#Window1Position 300,400\n");
             fs::resize_file(prefs.file(), 1u << 30);
         },
         saved},
    };
    for (const Case& c : cases) {
        PrefsFolder prefs;
        c.make(prefs);
        ProgramRun run(kProgram, {}, onX());
        ASSERT_TRUE(waitUntil(panelShown, kBound)) << c.what << ": no panel; " << run.errors();
        ASSERT_TRUE(quitsOnTermination(run, kBound)) << c.what;
        EXPECT_TRUE(c.afterwards(prefs)) << c.what;
    }
}

// An X server of its own is no Xwayland, even inside a Wayland session: no word of Wayland.
TEST(Program, OnAnX11ServerNothingIsSaidOfWayland) {
    const struct {
        const char* what;
        std::optional<std::string> waylandDisplay, sessionType;
    } cases[] = {
        {"an X11 session", std::nullopt, "x11"},
        {"a virtual X server inside a Wayland session", "wayland-0", "wayland"},
    };
    for (const auto& c : cases) {
        PrefsFolder prefs;
        auto environment = onX();
        environment["WAYLAND_DISPLAY"] = c.waylandDisplay;
        environment["XDG_SESSION_TYPE"] = c.sessionType;
        ProgramRun run(kProgram, {}, environment);
        ASSERT_TRUE(waitUntil(panelShown, kBound)) << c.what << ": no panel; " << run.errors();
        EXPECT_FALSE(boxShown()) << c.what;
        ASSERT_TRUE(quitsOnTermination(run, kBound)) << c.what;
        EXPECT_EQ(run.errors().find("Wayland"), std::string::npos) << c.what << ": " << run.errors();
    }
}

// A position that cannot be saved is named on the error output, once, with the file and the
// reason, and the program still ends as asked; the old file stays whole. The read-only folder and
// the full disk are mounts in a mount namespace of this test's own (permission bits do not stop
// root).
TEST(Program, APositionThatCannotBeSavedIsNamedOnce) {
    ASSERT_EQ(::unshare(CLONE_NEWNS), 0) << std::strerror(errno) << ": the test needs root";
    ASSERT_EQ(::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr), 0) << std::strerror(errno);
    const std::string old = "#Other 1,2\n#Window1Position 300,400\n";
    struct Case {
        const char* what;
        std::function<void(const PrefsFolder&)> make;
        std::string reason;
    };
    auto folderOf = [](const PrefsFolder& prefs) { return prefs.file().parent_path(); };
    const Case cases[] = {
        {"a read-only folder",
         [&](const PrefsFolder& prefs) {
             prefs.write(old);
             const std::string folder = folderOf(prefs);
             ASSERT_EQ(::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr), 0);
             ASSERT_EQ(::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr),
                       0);
         },
         "Read-only file system"},
        {"a full disk",
         [&](const PrefsFolder& prefs) {
             ASSERT_EQ(::mount("tmpfs", folderOf(prefs).c_str(), "tmpfs", 0, "size=16k"), 0);
             prefs.write(old);
             std::ofstream filler(folderOf(prefs) / "filler", std::ios::binary);
             const std::string block(4096, 'x');
             while (filler.write(block.data(), block.size()) && filler.flush()) {
             }
         },
         "No space left on device"},
        {"a folder in the file's place",
         [&](const PrefsFolder& prefs) { fs::create_directory(prefs.file()); }, "it is not a regular file"},
    };
    for (const Case& c : cases) {
        PrefsFolder prefs;
        c.make(prefs);
        if (HasFatalFailure())
            return;
        ProgramRun run(kProgram, {}, onX());
        ASSERT_TRUE(waitUntil(panelShown, kBound)) << c.what << ": no panel; " << run.errors();
        ASSERT_TRUE(quitsOnTermination(run, kBound)) << c.what;
        const std::string line = "Ambrel could not save the panel's position in " + prefs.file().string() +
                                 ": " + c.reason + ".\n";
        const std::string errors = run.errors();
        EXPECT_NE(errors.find(line), std::string::npos) << c.what << ": " << errors;
        EXPECT_EQ(errors.find("could not save"), errors.rfind("could not save")) << c.what << ": twice";
        if (fs::is_regular_file(prefs.file())) {
            EXPECT_EQ(prefs.read(), old) << c.what << ": the old file is not whole";
        }
        ::umount2(folderOf(prefs).c_str(), MNT_DETACH);
    }
}

// The program in a folder of its own, with what the test puts beside it.
class ProgramFolder : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "ambrel-program-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        fs::copy_file(kProgram, folder / "ambrel");
    }
    void TearDown() override { fs::remove_all(folder); }
    // The built module and its information list.
    void addPlugin() const {
        for (const char* name : {"Tolvane.so", "Tolvane.plist"})
            fs::copy_file(kProgram.parent_path() / name, folder / name);
    }
    fs::path folder;
};

using WithoutPlugin = ProgramFolder;

// A list that is no file holds nothing up: the start-up box comes and names the reason, which
// the error output tells in full.
TEST_F(ProgramFolder, AHostileInformationListIsNamedInTheStartUpBox) {
    addPlugin();
    const struct {
        const char* what;
        std::function<void(const fs::path&)> make;
    } cases[] = {
        {"a FIFO", [](const fs::path& list) { ASSERT_EQ(::mkfifo(list.c_str(), 0600), 0); }},
        {"a link to /dev/zero", [](const fs::path& list) { fs::create_symlink("/dev/zero", list); }},
    };
    for (const auto& c : cases) {
        fs::remove(folder / "Tolvane.plist");
        c.make(folder / "Tolvane.plist");
        PrefsFolder prefs;
        ProgramRun run(folder / "ambrel", {}, onX());
        ASSERT_TRUE(waitUntil(boxShown, kBound)) << c.what << ": no start-up box; " << run.errors();
        ASSERT_TRUE(quitsOnTermination(run, kBound)) << c.what;
        EXPECT_NE(run.errors().find("Tolvane.plist is not a regular file"), std::string::npos)
            << c.what << ": " << run.errors();
    }
}

// Other files beside the program, a module with a matching list among them, are passed over
// without a word: the panel comes with no box before it.
TEST_F(ProgramFolder, OtherFilesBesideTheProgramArePassedOver) {
    addPlugin();
    std::ofstream(folder / "libextra.so") << "not a module";
    fs::copy_file(folder / "Tolvane.so", folder / "Second.so");
    fs::copy_file(folder / "Tolvane.plist", folder / "Second.plist");
    PrefsFolder prefs;
    ProgramRun run(folder / "ambrel", {}, onX());
    ASSERT_TRUE(waitUntil(panelShown, kBound)) << "no panel; " << run.errors();
    ASSERT_TRUE(quitsOnTermination(run, kBound));
    EXPECT_EQ(run.errors().find("Ambrel:"), std::string::npos) << run.errors();
}

TEST_F(WithoutPlugin, ATerminationSignalUnderTheStartUpBoxQuitsAtOnce) {
    for (int signal : kTerminationSignals) {
        PrefsFolder prefs;
        ProgramRun run(folder / "ambrel", {}, onX());
        ASSERT_TRUE(waitUntil(boxShown, kBound)) << "no start-up box; " << run.errors();
        run.signal(signal);
        std::optional<Exit> exit = run.wait(kBound);
        ASSERT_TRUE(exit) << "still running under its box after signal " << signal;
        EXPECT_TRUE(exit->exited && exit->status == 0) << exit->status << run.errors();
        EXPECT_FALSE(fs::exists(prefs.file())) << "there was no panel whose position to save";
        EXPECT_NE(run.errors().find("Ambrel: Tolvane.so is missing"), std::string::npos) << run.errors();
    }
}

} // namespace
