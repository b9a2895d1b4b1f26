// Dialogs and system services.
#pragma once

#include "framework/String.h"

namespace fw {

// A modal message box; returns when the user dismisses it.
void MsgBox(const String& message);

void Beep();
// Opens a web or mailto address in the user's browser or mail client; returns at once. When no
// program can open it, a box says so later and shows the address.
void ShowURL(const String& address);

} // namespace fw
