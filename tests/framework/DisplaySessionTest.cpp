// Which X servers count as Xwayland: the server's own word first, the session's only where the
// server names no output.
#include <gtest/gtest.h>

#include "framework/DisplaySession.h"

namespace {

TEST(DisplaySession, TheServerDecidesAndTheSessionOnlyWhereItIsSilent) {
    const fw::SessionSigns x11{.waylandDisplay = "", .sessionType = "x11"};
    const fw::SessionSigns wayland{.waylandDisplay = "wayland-0", .sessionType = "wayland"};
    const fw::SessionSigns typeOnly{.waylandDisplay = "", .sessionType = "wayland"};
    const fw::SessionSigns socketOnly{.waylandDisplay = "wayland-1", .sessionType = ""};
    const struct {
        const char* what;
        fw::XServerSigns server;
        fw::SessionSigns session;
        bool xwayland;
    } cases[] = {
        {"Xwayland's outputs, in a Wayland session", {true, false, {"XWAYLAND0"}}, wayland, true},
        {"Xwayland's outputs, the session unnamed", {true, false, {"XWAYLAND0", "XWAYLAND12"}}, x11, true},
        {"the XWAYLAND extension", {true, true, {}}, x11, true},
        {"Xorg's outputs", {true, false, {"HDMI-1", "DP-2"}}, x11, false},
        {"a virtual server inside a Wayland session", {true, false, {"screen"}}, wayland, false},
        {"an output only named like Xwayland's", {true, false, {"XWAYLAND"}}, x11, false},
        {"an output only beginning like Xwayland's", {true, false, {"XWAYLAND-1"}}, x11, false},
        {"no outputs, a Wayland session", {true, false, {}}, wayland, true},
        {"no outputs, only the session type", {true, false, {}}, typeOnly, true},
        {"no outputs, only the Wayland socket", {true, false, {}}, socketOnly, true},
        {"no outputs, an X11 session", {true, false, {}}, x11, false},
        {"no X server asked", {false, false, {}}, wayland, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fw::isXwayland(c.server, c.session), c.xwayland) << c.what;
}

} // namespace
