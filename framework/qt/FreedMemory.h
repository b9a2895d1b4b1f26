// What the program frees in bulk goes back to the system.
#pragma once

#include <functional>

namespace fw::detail {

// Hands the allocator's free pages back to the system. The allocator keeps what was freed for
// reuse; where megabytes go at once (a window, a dictionary) and the small blocks that stay are
// strewn among them, it would keep them all.
void giveFreedMemoryBack();

// Runs work on a thread kept for it and waits for it. The allocator serves each thread from a heap
// of its own: what is made there (tens of thousands of small blocks) lies apart from the program's
// blocks instead of among them. Freed there too, none of its blocks passes to the program's
// thread for reuse, and once all are freed their pages go back whole, not kept for the few
// blocks of a window or a cache made meanwhile between them.
void runApart(const std::function<void()>& work);

} // namespace fw::detail
