// The clock and the user's own short formats of a moment, for Date.
#pragma once

#include <cstdint>

#include "framework/String.h"

namespace fw::detail {

// Milliseconds since the epoch, now.
int64_t nowMSecsSinceEpoch();
// The moment's local time and date in the system locale's short formats.
String shortLocalTime(int64_t msecsSinceEpoch);
String shortLocalDate(int64_t msecsSinceEpoch);

} // namespace fw::detail
