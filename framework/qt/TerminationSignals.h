#pragma once

namespace fw::detail {

// A request to end the program from outside (SIGTERM at log-out, SIGINT from a terminal) becomes
// the standard quit command on the event loop, so windows close as usual and save what they keep.
void installTerminationHandlers();

} // namespace fw::detail
