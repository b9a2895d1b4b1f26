#pragma once

namespace fw::detail {

// On the X platform the toolkit aborts, with a core dump, when it cannot open its display. Checked
// first, so that the user reads one line naming the display instead, and the status is 1.
void exitUnlessDisplayOpens();

} // namespace fw::detail
