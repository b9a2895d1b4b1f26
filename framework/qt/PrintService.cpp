#include "framework/qt/PrintService.h"

#include <cerrno>
#include <cups/cups.h>

#include "framework/qt/ModalLoop.h"

namespace fw::detail {

namespace {

constexpr int kBoundMilliseconds = 3000;

// One small request to the scheduler that the client library would find; runs off the loop's thread,
// so it reads the client settings afresh.
PrintServiceState ask() {
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

} // namespace

PrintServiceState askPrintService() {
    PrintServiceState state = PrintServiceState::Abandoned;
    PrintServiceState asked = PrintServiceState::Abandoned;
    if (waitModally([&asked] { asked = ask(); }))
        state = asked;
    return state;
}

} // namespace fw::detail
