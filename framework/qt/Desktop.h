// The toolkit's plain message box, its beep, and the desktop's opener of web addresses.
#pragma once

#include "framework/String.h"

namespace fw::detail {

// A modal box with the message as plain text, titled with the application's name.
void showPlainMessage(const String& message);
void beep();
// False when the desktop has nothing that opens the address.
bool openURL(const String& address);

} // namespace fw::detail
