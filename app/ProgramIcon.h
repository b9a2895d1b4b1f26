// The program's icon, the SVG document that is also installed for the desktop, compiled in so that
// the windows show it wherever the program is run from.
#pragma once

#include <string_view>

namespace ambrel {

extern const std::string_view kProgramIcon;

} // namespace ambrel
