// The built program from outside, as a user or a session starts and ends it: without a usable
// display, with the toolkit's own options, and ended by a termination signal.
#include "tests/plugin/XSession.h"

#include <signal.h>

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "AppFixture.h"
#include "ProgramRun.h"

namespace {

namespace fs = std::filesystem;

// Long enough for a loaded machine and the sanitizer build; a passing test never waits it out.
constexpr auto kBound = 20s;

const fs::path kProgram = AMBREL_PROGRAM;

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
        run.signal(SIGTERM);
        std::optional<Exit> exit = run.wait(kBound);
        ASSERT_TRUE(exit) << what << ": still running";
        EXPECT_TRUE(exit->exited && exit->status == 0) << what << ": " << exit->status << run.errors();
        EXPECT_EQ(prefs.read().rfind("#Window1Position ", 0), 0u) << what;
    }
}

// The program in a folder of its own, without the plug-in module beside it.
class WithoutPlugin : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "ambrel-program-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        fs::copy_file(kProgram, folder / "ambrel");
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
};

TEST_F(WithoutPlugin, ATerminationSignalUnderTheStartUpBoxQuitsAtOnce) {
    for (int signal : {SIGTERM, SIGINT}) {
        PrefsFolder prefs;
        ProgramRun run(folder / "ambrel", {}, onX());
        ASSERT_TRUE(waitUntil(boxShown, kBound)) << "no start-up box; " << run.errors();
        run.signal(signal);
        std::optional<Exit> exit = run.wait(kBound);
        ASSERT_TRUE(exit) << "still running under its box after signal " << signal;
        EXPECT_TRUE(exit->exited && exit->status == 0) << exit->status << run.errors();
        EXPECT_FALSE(fs::exists(prefs.file())) << "there was no panel whose position to save";
    }
}

} // namespace
