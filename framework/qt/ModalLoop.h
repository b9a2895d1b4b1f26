// The one place where modal boxes and dialogs run (MsgBox, MessageDialog.ShowModal, and any
// other dialog of the framework's): a nested event loop, so timers and sockets go on working
// behind the box (the panel keeps counting and poking while a box waits for the user), made safe:
//  - no input reaches the windows behind the box: key, mouse, wheel, shortcut and close events
//    aimed anywhere but at the innermost box are dropped while it runs;
//  - no control event is raised again while its earlier delivery is still running (Control);
//  - a window closed during the loop gets no event afterwards: its controls raise nothing (Control).
// Whatever has to end or watch every modal run (quitting from inside a box, for instance) belongs
// here, and every modal run must come through here.
#pragma once

#include <QDialog>

namespace fw::detail {

// Runs the dialog modally and returns its result code (QDialog::exec's).
int runModal(QDialog& dialog);

// How many modal runs are under way (nested boxes count each).
int modalDepth();

// Ends every modal run under way, each as if cancelled; the code beneath each box carries on
// once its nested loop has returned. While the runtime quits (RuntimeQuitting) runModal shows
// nothing and answers at once as if cancelled, so no new box holds the quit up.
void endModalRuns();

} // namespace fw::detail
