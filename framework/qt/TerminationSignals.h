#pragma once

namespace fw::detail {

// A request to end the program from outside (SIGTERM at log-out, SIGINT from a terminal) becomes
// RuntimeTerminate on the event loop, also the nested loop of a modal box: windows close as with
// the quit command and save what they keep.
void installTerminationHandlers();

} // namespace fw::detail
