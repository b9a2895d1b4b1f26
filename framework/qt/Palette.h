// The look of the program's windows.
#pragma once

namespace fw::detail {

// Makes the application's palette the same whether a window is active or not: a click on the
// panel activates it and the focus handed back deactivates it, and a palette that differed would
// repaint the whole panel each time.
void lookAlikeActiveOrNot();

} // namespace fw::detail
