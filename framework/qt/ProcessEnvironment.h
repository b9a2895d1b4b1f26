// The variables the framework sets for the libraries under it, and the environment the programs it
// starts get instead.
#pragma once

#include <string>
#include <vector>

namespace fw::detail {

// Sets them once, before the program has a second thread. The C library reads the environment
// without a lock (libcups does so on the print service's thread, Qt's and GLib's threads too), so a
// variable set or unset later could move the environment from under one of them.
void settleEnvironment();

// The environment as the user handed it over: what settleEnvironment set is taken back out, and
// the user's own values stand again. Each entry is "NAME=value".
std::vector<std::string> childEnvironment();

} // namespace fw::detail
