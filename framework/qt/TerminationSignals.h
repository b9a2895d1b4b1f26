#pragma once

namespace fw::detail {

// A request to end the program from outside (SIGTERM at log-out, SIGINT from a terminal, SIGHUP
// when the terminal or the session that started it goes) becomes RuntimeTerminate on the event
// loop, also the nested loop of a modal box: windows close as with the quit command and save what
// they keep. So does the loss of the X server, just before the toolkit ends the process with
// status 1: the windows save the last positions the framework knew.
void installTerminationHandlers();

} // namespace fw::detail
