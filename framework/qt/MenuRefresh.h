// What the framework's core asks of the menu bars (MenuBridge.h), without the toolkit's headers.
#pragma once

namespace fw::detail {

// Works out the enabled state of every menu bar's items again: the handlers in reach or the focus
// have changed.
void refreshMenus();

} // namespace fw::detail
