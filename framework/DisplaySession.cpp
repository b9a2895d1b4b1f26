#include "framework/DisplaySession.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "framework/qt/X11Server.h"

namespace fw {

namespace {

bool namedByXwayland(const std::string& output) {
    constexpr std::string_view prefix = "XWAYLAND";
    return output.size() > prefix.size() && output.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(output.begin() + prefix.size(), output.end(),
                       [](unsigned char c) { return std::isdigit(c) != 0; });
}

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

bool isXwayland(const XServerSigns& server, const SessionSigns& session) {
    if (!server.asked)
        return false;
    if (server.xwaylandExtension ||
        std::any_of(server.outputNames.begin(), server.outputNames.end(), namedByXwayland))
        return true;
    if (!server.outputNames.empty())
        return false;
    return !session.waylandDisplay.empty() || session.sessionType == "wayland";
}

bool onXwayland() {
    return isXwayland(detail::x11::serverSigns(), {.waylandDisplay = variable("WAYLAND_DISPLAY"),
                                                   .sessionType = variable("XDG_SESSION_TYPE")});
}

} // namespace fw
