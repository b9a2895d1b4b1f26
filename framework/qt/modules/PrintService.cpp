// Whether the print service answers, asked before anything of the toolkit's asks it for printers:
// a scheduler that is stopped, or a socket that takes the connection and never replies, would hold
// the event loop inside libcups for minutes.
#include <cerrno>
#include <cups/cups.h>

#include "framework/qt/modules/PrintingModule.h"

namespace fw::detail {

namespace {
constexpr int kBoundMilliseconds = 3000;
} // namespace

// One small request to the scheduler that the client library would find; runs off the loop's thread,
// so it reads the client settings afresh.
PrintServiceState askPrintService() {
    int cancel = 0;
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                kBoundMilliseconds, &cancel);
    if (!http)
        return errno == ETIMEDOUT ? PrintServiceState::Silent : PrintServiceState::Absent;
    bool timedOut = false;
    httpSetTimeout(
        http, kBoundMilliseconds / 1000.0,
        [](http_t*, void* flag) {
            *static_cast<bool*>(flag) = true;
            return 0; // give up
        },
        &timedOut);
    ipp_t* reply = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    ippDelete(reply);
    httpClose(http);
    return timedOut ? PrintServiceState::Silent : PrintServiceState::Answers;
}

} // namespace fw::detail
