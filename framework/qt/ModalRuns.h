// The modal runs under way (ModalLoop.h), as the framework's core reaches them: without the
// toolkit's headers.
#pragma once

namespace fw::detail {

// How many modal runs are under way (nested boxes and waits count each).
int modalDepth();

// Ends every modal run under way, each as if cancelled (the questions a box opened itself too,
// each with its refusing button: an unanswered question is a No); the code beneath each box
// carries on once its nested loop has returned. While the runtime quits (RuntimeQuitting) runModal shows
// nothing and answers at once as if cancelled, so no new box holds the quit up.
void endModalRuns();

} // namespace fw::detail
