#pragma once

#include <cstdint>

namespace ambrel::Module1 {

// Seconds left before the next poke; only the panel reads and writes it.
inline int32_t CountDown = 0;

} // namespace ambrel::Module1
