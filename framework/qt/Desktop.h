// The toolkit's plain message box, its beep, and the desktop's opener of web addresses.
#pragma once

#include <functional>
#include <string>

#include "framework/String.h"

namespace fw::detail {

// A modal box with the message as plain text, titled with the application's name.
void showPlainMessage(const String& message);
void beep();
// Hands the address to the desktop's opener, xdg-open, and returns at once. When no opener is on
// the PATH, it cannot be started, or it ends reporting failure, `failed` is called later from the
// event loop with the reason. An opener still running when the program ends is left to run.
void openURL(const String& address, std::function<void(const std::string& reason)> failed);

} // namespace fw::detail
