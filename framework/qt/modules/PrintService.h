// The printing module's side of the print service (CUPS): connections whose every wait is bounded,
// and the toolkit's own calls into the service kept off the event loop's thread. A scheduler that
// takes the connection and never replies would otherwise hold the loop inside the client library
// for minutes, from wherever the toolkit's print support asks it something: the printer's
// constructor, the dialog's list of printers, the end of a job.
#pragma once

#include <QString>
#include <atomic>
#include <cups/cups.h>

#include "framework/qt/modules/PrintingModule.h"

namespace fw::detail {

// A connection to the scheduler the client library would find. Every wait on it gives up once the
// bound has passed since it was made, or soon after `stop` is set; the connecting itself ends at
// the bound.
class BoundedConnection {
  public:
    explicit BoundedConnection(const std::atomic<bool>& stop);
    ~BoundedConnection();
    BoundedConnection(const BoundedConnection&) = delete;
    BoundedConnection& operator=(const BoundedConnection&) = delete;

    // Null when no connection could be made.
    http_t* http() const { return http_; }
    // Whether a wait was given up: the service did not answer in time, or `stop` was set.
    bool gaveUp() const { return gaveUp_; }

  private:
    static int keepWaiting(http_t*, void* self);

    const std::atomic<bool>& stop_;
    long long start_ = 0;
    http_t* http_ = nullptr;
    bool gaveUp_ = false;
};

// One small request to the scheduler, made as the toolkit's calls are (below), through `wait`.
PrintServiceState askPrintService(ModalWait wait);

// From here on, the toolkit's calls into the print service made on the loop's thread run on a
// thread of their own through `wait`, each over a bounded connection. False when they cannot be
// reached (they would then wait on the loop's thread).
bool keepPrintServiceOffLoop(ModalWait wait);
// Starts an attempt to print: once a call has been given up, the next ones of the same attempt
// fail at once, as with no service.
void beginPrintServiceAttempt();
// How the calls of this attempt went: Answers, or Silent, or Abandoned (the wait was ended).
PrintServiceState printServiceAttempt();
// Why the last job handed to a printer on this thread was refused; empty when it was taken.
// Cleared by clearJobRefusal.
QString jobRefusal();
void clearJobRefusal();

} // namespace fw::detail
