// What the sanitizer build's leak checker lets pass in a test program from the moment it starts,
// the build's listing of its tests included: the memory that libraries keep until the process
// ends, as tests/lsan.supp says for the programs the tests start. Included by each test main.
#pragma once

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n";
}
