// The program's icon, drawn by the build from the SVG document that is also installed for the
// desktop (desktop/ambrel.svg), compiled in so that the windows show it wherever the program is
// run from.
#pragma once

#include <span>

#include "framework/ApplicationIcon.h"

namespace ambrel {

extern const std::span<const fw::IconBitmap> kProgramIcon;

} // namespace ambrel
