// Test main for the suite on a real X server. --xft-dpi=N gives the server the resources of a
// scaled desktop before the toolkit starts and reads them.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "app/BuildSettings.h"
#include "framework/ApplicationSettings.h"
#include "framework/Runtime.h"
#include "tests/support/LeakSuppressions.h"

// Last: Xlib's macros would break the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {
void setXftDpi(const char* dpi) {
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return;
    const std::string resources = std::string("Xft.dpi:\t") + dpi + "\n";
    XChangeProperty(d, DefaultRootWindow(d), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(resources.data()),
                    static_cast<int>(resources.size()));
    XCloseDisplay(d);
}
} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    constexpr const char kDpi[] = "--xft-dpi=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], kDpi, sizeof kDpi - 1) == 0)
            setXftDpi(argv[i] + sizeof kDpi - 1);
    fw::setApplicationSettings(ambrel::buildSettings());
    fw::RuntimeInit(1, argv);
    return RUN_ALL_TESTS();
}
