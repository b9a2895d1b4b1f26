#include "framework/qt/DisplayCheck.h"
#include "framework/ApplicationSettings.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <xcb/xcb.h>

namespace fw::detail {

namespace {

// The toolkit's platform: the first of QT_QPA_PLATFORM's choices, without its options; the X one
// when none is named, as this toolkit build defaults to it.
bool onXPlatform() {
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    if (!chosen || !*chosen)
        return true;
    const std::string platform(chosen);
    return platform.substr(0, platform.find_first_of(";:")) == "xcb";
}

// The display opens, and the screen it names exists.
bool displayOpens() {
    int screen = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen);
    bool usable = !xcb_connection_has_error(connection);
    if (usable) {
        const xcb_setup_t* setup = xcb_get_setup(connection);
        usable = screen >= 0 && screen < xcb_setup_roots_length(setup);
    }
    xcb_disconnect(connection);
    return usable;
}

} // namespace

void exitUnlessDisplayOpens() {
    if (!onXPlatform() || displayOpens())
        return;
    const char* display = std::getenv("DISPLAY");
    if (display && *display)
        std::fprintf(stderr, "%s cannot open the display \"%s\".\n", applicationSettings().name.c_str(),
                     display);
    else
        std::fprintf(stderr, "%s cannot open a display: none is set (DISPLAY is empty).\n",
                     applicationSettings().name.c_str());
    std::exit(1);
}

} // namespace fw::detail
