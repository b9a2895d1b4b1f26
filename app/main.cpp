#include <cstdlib>

#include "app/Startup.h"

int main(int argc, char** argv) {
    // Pokes go to the X server: the windows must be placed in its coordinates too, also on a
    // Wayland session with XWayland.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    return ambrel::runApplication(argc, argv);
}
