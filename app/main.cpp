#include <cstdlib>

#include "app/Startup.h"

int main(int argc, char** argv) {
    // Pokes go to the X server, so the windows must be placed in its coordinates too. On a Wayland
    // session that server is Xwayland, where pokes reach only the programs under it and never keep
    // the session awake; start-up says so.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    return ambrel::runApplication(argc, argv);
}
