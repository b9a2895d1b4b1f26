#include "app/Startup.h"

int main(int argc, char** argv) {
    return ambrel::runApplication(argc, argv);
}
