// The style the program's windows are drawn in: the toolkit's own, with what it would load at
// start-up for nothing left out.
#pragma once

namespace fw::detail {

// Call once the toolkit has started, before the first window.
void useProgramStyle();

} // namespace fw::detail
