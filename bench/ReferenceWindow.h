// A bare toolkit window for the benchmark to compare the panel with; not part of the framework.
#pragma once

namespace fw::reference {

// Shows a window of the panel's size with one label whose number changes every second, and runs
// the toolkit's event loop until the process is ended. Returns the loop's exit code.
int runReferenceWindow(int argc, char** argv);

} // namespace fw::reference
