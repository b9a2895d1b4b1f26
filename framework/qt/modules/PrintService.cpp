// Connections to the print service whose waits are bounded.
#include "framework/qt/modules/PrintService.h"

#include <cerrno>
#include <chrono>

namespace fw::detail {

namespace {

constexpr int kBoundMilliseconds = 3000;
// How often a wait looks at the bound and at the stop flag.
constexpr double kTickSeconds = 0.2;

long long nowMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

BoundedConnection::BoundedConnection(const std::atomic<bool>& stop) : stop_(stop), start_(nowMilliseconds()) {
    http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kBoundMilliseconds,
                         nullptr);
    if (!http_) {
        gaveUp_ = errno == ETIMEDOUT || stop_;
        return;
    }
    httpSetTimeout(http_, kTickSeconds, &BoundedConnection::keepWaiting, this);
}

BoundedConnection::~BoundedConnection() {
    if (http_)
        httpClose(http_);
}

int BoundedConnection::keepWaiting(http_t*, void* self) {
    auto* c = static_cast<BoundedConnection*>(self);
    if (c->stop_ || nowMilliseconds() - c->start_ >= kBoundMilliseconds) {
        c->gaveUp_ = true;
        return 0;
    }
    return 1;
}

} // namespace fw::detail
