// Dialogs and system services.
#pragma once

#include <functional>

#include "framework/String.h"

namespace fw {

// A modal message box; returns when the user dismisses it.
void MsgBox(const String& message);
// Where message boxes go: a modal box by default; tests put a recorder here.
void setMessagePresenter(std::function<void(const String&)> presenter);

void Beep();
// Opens a web or mailto address in the user's browser or mail client; returns at once. When no
// program can open it, a box says so later and shows the address.
void ShowURL(const String& address);
// Where ShowURL sends addresses: the desktop's browser or mail client by default; tests put a
// recorder here. An empty presenter restores the default.
void setURLPresenter(std::function<void(const String&)> presenter);

} // namespace fw
