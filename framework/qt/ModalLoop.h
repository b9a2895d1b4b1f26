// The one place where modal boxes and dialogs run (MsgBox, MessageDialog.ShowModal, and any
// other dialog of the framework's): a nested event loop, so timers and sockets go on working
// behind the box (the panel keeps counting and poking while a box waits for the user), made safe:
//  - no input reaches the windows behind the box: key, mouse, wheel, shortcut and close events
//    aimed anywhere but at the innermost box, or at a window it opened (a question it asks, a file
//    dialog, a popup), are dropped while it runs; a dropped close request is refused, never left
//    accepted, so the window it was meant for stays as it was;
//  - no control event is raised again while its earlier delivery is still running (Control);
//  - a window closed during the loop gets no event afterwards: its controls raise nothing (Control).
// Whatever has to end or watch every modal run (quitting from inside a box, for instance) belongs
// here, and every modal run must come through here.
#pragma once

#include <QDialog>
#include <functional>

#include "framework/qt/ModalRuns.h"

namespace fw::detail {

// Runs the dialog modally and returns its result code (QDialog::exec's).
int runModal(QDialog& dialog);

// Runs `work` on a thread of its own while the loop goes on as in a modal run, with no window
// taking input; returns once the work has finished, true, or once the modal runs were ended or the
// runtime began to quit, false. Then `stop` asks the work to end, and it is waited for a short
// while only: work that goes on after holds what it uses (shared), never the caller's own.
bool waitModally(std::function<void()> work, std::function<void()> stop);

} // namespace fw::detail
