// The built program on a Wayland session, as mutter and its Xwayland give one: it names the
// session once, in a box and on the error output, and then runs on as on any X server.
#include "tests/plugin/XSession.h"

#include <signal.h>

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "AppFixture.h"
#include "ProgramRun.h"
#include "tests/support/Occurrences.h"

namespace {

// Long enough for a loaded machine and the sanitizer build; a passing test never waits it out.
constexpr auto kBound = 20s;

const std::filesystem::path kProgram = AMBREL_PROGRAM;

const std::string kNotice =
    "Ambrel: This is a Wayland session: Ambrel's pokes reach only programs running under Xwayland and "
    "do not keep this Wayland session awake.\nAn X11 session is kept awake, such as \"GNOME on Xorg\" "
    "chosen at the login screen.\n";

TEST(WaylandSession, IsNamedOnceAndTheProgramRunsOn) {
    ASSERT_TRUE(std::getenv("WAYLAND_DISPLAY")) << "the suite runs in a Wayland session of its own";
    const struct {
        const char* what;
        std::map<std::string, std::optional<std::string>> environment;
    } cases[] = {
        {"as a Wayland session has it", {{"QT_QPA_PLATFORM", "xcb"}, {"XDG_SESSION_TYPE", "wayland"}}},
        // Nothing but the X server tells it here: its outputs are Xwayland's.
        {"with the session's variables gone",
         {{"QT_QPA_PLATFORM", "xcb"}, {"XDG_SESSION_TYPE", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}}},
    };
    for (const auto& c : cases) {
        PrefsFolder prefs;
        ProgramRun run(kProgram, {}, c.environment);
        ASSERT_TRUE(waitUntil(boxShown, kBound)) << c.what << ": no box; " << run.errors();
        EXPECT_FALSE(panelShown()) << c.what << ": the box comes before the panel";
        for (const ShownWindow& w : shownWindows("Ambrel"))
            if (w.dialog)
                closeWindow(w.id);
        ASSERT_TRUE(waitUntil(panelShown, kBound)) << c.what << ": no panel after the box; " << run.errors();
        EXPECT_FALSE(boxShown()) << c.what << ": a second box";
        ASSERT_TRUE(quitsOnTermination(run, kBound)) << c.what;
        EXPECT_EQ(countOf(run.errors(), kNotice), 1u) << c.what << ": " << run.errors();
        EXPECT_EQ(prefs.read().rfind("#Window1Position ", 0), 0u) << c.what << ": it ran on as today";
    }
}

} // namespace
