#include "framework/qt/FreedMemory.h"

#include <malloc.h>

namespace fw::detail {

void giveFreedMemoryBack() {
    malloc_trim(0);
}

} // namespace fw::detail
