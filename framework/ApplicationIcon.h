// The icon every window of the program shows, in the task bar and the window list.
#pragma once

#include <string_view>

namespace fw {

// Sets the program's icon from an SVG document, drawn at the sizes desktops ask for. Call it after
// RuntimeInit, before the first window opens. False when the document cannot be drawn; the windows
// then keep the toolkit's own icon.
bool setApplicationIcon(std::string_view svg);

} // namespace fw
