// The toolkit side of MessageDialog: a dialog of our own, so that every text in it is plain text.
#pragma once

#include "framework/MessageDialog.h"

namespace fw::detail {

// Shows the dialog through runModal and returns the button pressed; the cancel button when the
// dialog was dismissed otherwise (Escape, the close box).
Ref<MessageDialogButton> showMessageDialog(MessageDialog& dialog);

} // namespace fw::detail
