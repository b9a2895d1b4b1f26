// The toolkit side of HTTPSocket: one QTcpSocket per request.
#pragma once

#include <QPointer>
#include <QTcpSocket>
#include <memory>

#include "framework/HTTPReply.h"
#include "framework/HTTPSocket.h"

namespace fw::detail {

class HTTPSocketBridge {
  public:
    explicit HTTPSocketBridge(HTTPSocket& owner);
    ~HTTPSocketBridge();
    HTTPSocketBridge(const HTTPSocketBridge&) = delete;
    HTTPSocketBridge& operator=(const HTTPSocketBridge&) = delete;

    void get(const String& url);
    // Drops the request under way without an event.
    void drop();
    bool busy() const { return socket_ != nullptr; }

  private:
    void connected();
    void readable();
    void failed(QAbstractSocket::SocketError error);
    void ended();
    // Ends the request and raises its one event.
    void finishWithPage();
    void finishWithError(int32_t code);
    // An event raised on the next pass of the loop: Get always returns before any event.
    void raiseLater(int32_t code);

    HTTPSocket& owner_; // the socket owns this bridge
    QPointer<QTcpSocket> socket_;
    std::unique_ptr<HTTPReplyReader> reply_;
    String url_;
    std::string request_;
    bool wasConnected_ = false;
    uint64_t generation_ = 0; // counts requests, so that a late call finds its own gone
};

} // namespace fw::detail
