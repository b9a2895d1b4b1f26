#pragma once

namespace fw::detail {

// On the X platform the toolkit aborts, with a core dump, when it cannot open its display. Checked
// first, so that the user reads one line naming the display instead, and the status is 1.
void exitUnlessDisplayOpens();

// The display may go between that check and the toolkit's own connection (its server ends, its
// socket stops taking connections), and the toolkit would abort all the same. While one of these
// lives (around the toolkit's start), what the toolkit logs is held back; its fatal message, when
// the display no longer opens, ends the program as the check does: one line, status 1. Else what
// was held goes out as it came, when the watch ends or before the fatal message.
class DisplayLossWatch {
  public:
    DisplayLossWatch();
    ~DisplayLossWatch();
    DisplayLossWatch(const DisplayLossWatch&) = delete;
    DisplayLossWatch& operator=(const DisplayLossWatch&) = delete;
};

} // namespace fw::detail
