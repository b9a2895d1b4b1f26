// The toolkit's application object and its event loop, as the runtime drives them.
#pragma once

#include <functional>
#include <string>

namespace fw::detail {

// Starts the toolkit under the application's name. It keeps references to argc and argv: they
// must outlive it.
void startToolkit(int& argc, char** argv, const std::string& applicationName);
// Whether startToolkit made the toolkit and stopToolkit has not ended it yet.
bool toolkitStarted();
// Whether any toolkit application object exists, whoever made it.
bool toolkitRunning();
// Lets go of the widgets still waiting for the loop to delete them, then ends the toolkit.
void stopToolkit();

// The task runs from the loop, after what is already queued.
void postToLoop(std::function<void()> task);
void runLoop();
void exitLoop(int exitCode);

} // namespace fw::detail
