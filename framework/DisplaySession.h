// Whether the X server the program talks to is Xwayland: a Wayland compositor's X server for the
// programs that speak only X, whose input reaches only those programs.
#pragma once

#include <string>
#include <vector>

namespace fw {

// What the X server says of itself.
struct XServerSigns {
    bool asked = false; // an X server could be asked at all
    bool xwaylandExtension = false;
    std::vector<std::string> outputNames; // its RandR outputs; empty without RandR
};

// What the session says of itself.
struct SessionSigns {
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string sessionType;    // XDG_SESSION_TYPE
};

// The server's word decides, as it is what input reaches: the XWAYLAND extension, or an output
// Xwayland names ("XWAYLAND" and a number). A server that names its outputs otherwise is an X
// server of its own, such as a virtual one inside a Wayland session. Only a server that names none
// leaves it to the session. Without an X server to ask, there is nothing to tell.
bool isXwayland(const XServerSigns& server, const SessionSigns& session);

// Asks the toolkit's X connection and the environment; call it after RuntimeInit.
bool onXwayland();

} // namespace fw
