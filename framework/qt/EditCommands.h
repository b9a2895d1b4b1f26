// The framework's own service of the Edit menu's commands, on the focused text widget.
#pragma once

#include "framework/String.h"

namespace fw::detail {

// Whether a text widget has the keyboard focus, to take the Edit commands.
bool textHasFocus();
// Whether the command is an Edit command and a text widget has the focus to take it.
bool editCommandAvailable(const String& commandName);
// Runs the Edit command on the focused text widget; false when it is none or there is none.
bool runEditCommand(const String& commandName);

} // namespace fw::detail
