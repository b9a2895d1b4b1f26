// An HTTP/1.0 client control, without a visual part. Get returns at once; then exactly one event
// follows on the event loop:
//  - PageReceived (event 10: the socket, the address, the status, the reply's headers, the body)
//    once the body has reached the announced Content-Length, or once the connection ends after
//    it was made, with what arrived (the empty text when nothing did), whatever the status. A
//    reply that does not begin with a status line is all body, with status 0.
//  - Error (event 8: the socket, one of the codes below) when the connection cannot be made, or
//    when the reply goes over a cap (nothing is buffered without limit).
// The request is the request line, the headers Host, Accept ("*/*") and Accept-Language ("en"),
// and an empty line, every line ended by CR LF: no other header, no body. There is no time-out:
// a server that never answers leaves the request under way until Get is called again, the socket
// goes, or its window closes (which aborts it; no event comes afterwards).
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Control.h"
#include "framework/InternetHeaders.h"

namespace fw {

namespace detail {
class HTTPSocketBridge;
}

class HTTPSocket : public Registered<HTTPSocket, Control> {
  public:
    static ClassRecord describe();
    HTTPSocket();
    ~HTTPSocket() override;

    // The error codes of the Error event, the framework's own.
    enum ErrorCode : int32_t {
        kNameNotResolved = 1,       // the server's name does not resolve
        kConnectionRefused = 2,     // nothing listens on the server's port
        kHostUnreachable = 3,       // no route to the server or its network
        kConnectionTimedOut = 4,    // the system gave up making the connection
        kHeaderSectionTooLarge = 5, // the reply's header section goes over 64 KiB
        kBodyTooLarge = 6,          // the reply's body goes over 1 MiB
        // 7 is not used: a caller may raise the event with a verdict of its own on the reply.
        kAddressNotUsable = 8, // the address is not an http:// address with a host
        kSocketFailure = 9,    // any other failure of the connection before it was made
    };
    static constexpr int64_t kHeaderSectionCap = 64 * 1024;
    static constexpr int64_t kBodyCap = 1024 * 1024;

    // Starts fetching the address ("http://host[:port]/path"); a request under way is dropped
    // first, without an event.
    void Get(const String& url);
    // Drops the request under way, if any; no event follows for it.
    void Disconnect();
    bool isBusy() const;

    bool Yield() const { return yield_; }
    void setYield(bool yield) { yield_ = yield; }
    int32_t Port() const { return port_; }
    void setPort(int32_t port) { port_ = port; }
    String Address() const { return address_; }
    void setAddress(const String& address) { address_ = address; }

    void detach() override;

  private:
    friend class detail::HTTPSocketBridge;
    bool yield_ = false;
    int32_t port_ = 0;
    String address_;
    std::unique_ptr<detail::HTTPSocketBridge> bridge_;
};

} // namespace fw
