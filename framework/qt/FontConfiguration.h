// The system's font configuration, read ahead on a thread of its own: reading it is a third of the
// start-up's work, and the first window needs it only after the toolkit has started and the
// program's classes and plug-ins are ready.
#pragma once

#include <functional>

namespace fw::detail {

// Starts reading it. `then` runs on the calling thread once awaitFontConfiguration has waited.
void readFontConfigurationAhead(std::function<void()> then);
// Waits until it has been read; at once when it was, or was never started. Called before anything
// lays out text, so that the toolkit finds it read instead of reading it again.
void awaitFontConfiguration();

} // namespace fw::detail
