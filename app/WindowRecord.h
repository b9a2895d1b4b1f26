// The property record every window of the program starts from: a fixed-size window with a close
// box only, white, shown when built.
#pragma once

#include <cstdint>

#include "framework/String.h"

namespace ambrel {

fw::String windowRecord(int32_t width, int32_t height, const char* title);

} // namespace ambrel
