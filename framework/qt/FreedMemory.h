// What the program frees in bulk goes back to the system.
#pragma once

namespace fw::detail {

// Hands the allocator's free pages back to the system. The allocator keeps what was freed for
// reuse; where megabytes go at once (a window, a dictionary) and the small blocks that stay are
// strewn among them, it would keep them all.
void giveFreedMemoryBack();

} // namespace fw::detail
